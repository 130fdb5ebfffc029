// INQUIRE by unit and by file: the answers are read from the unit records
// and never fail.
#include <unistd.h>

#include <cstring>
#include <initializer_list>

#include "io/keywords.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"

namespace tav::io {
namespace {

struct CharSpec {
  char *text;
  int length;
};

// The 21 specifiers, in the order of the argument list.
struct InquireSpecs {
  CharSpec access, action, blank, delim, direct;
  int *exist;
  CharSpec form, formatted;
  int *opened;
  CharSpec name;
  int *named, *nextrec, *number;
  CharSpec pad, position, read, readwrite;
  int *recl;
  CharSpec sequential, unformatted, write;
};

// A character answer: copied, cut to the variable's length, blank filled.
void set(const CharSpec &c, const char *answer) {
  if (c.text == nullptr || c.length <= 0) return;
  const int n = static_cast<int>(std::strlen(answer));
  const int k = n < c.length ? n : c.length;
  std::memcpy(c.text, answer, static_cast<std::size_t>(k));
  std::memset(c.text + k, ' ', static_cast<std::size_t>(c.length - k));
}

void set(int *p, int value) {
  if (p != nullptr) *p = value;
}

const char *yes_no(bool yes) { return yes ? "YES" : "NO"; }

const char *position_word(const tav_unit_record &r, std::FILE *s) {
  if (r.access == TAV_ACCESS_DIRECT) return "UNDEFINED";
  switch (r.position_state) {
    case TAV_POS_ASIS:
      return "ASIS";
    case TAV_POS_REWIND:
      return "REWIND";
    case TAV_POS_APPEND:
    case TAV_POS_WRITE:
      return "APPEND";
    case 0:
      return stream::tell(s) == 0 ? "REWIND" : "UNKNOWN";
    default:
      return "UNKNOWN";
  }
}

void answer_connected(int unit, const tav_unit_record &r, std::FILE *s, const InquireSpecs &q) {
  const bool sequential = r.access == TAV_ACCESS_SEQUENTIAL;
  const bool unf = r.unformatted != 0;
  set(q.opened, 1);
  set(q.exist, 1);
  set(q.number, unit);
  set(q.named, r.file_name != nullptr ? 1 : 0);
  set(q.name, r.file_name != nullptr ? r.file_name : "");
  set(q.access, sequential ? "SEQUENTIAL" : "DIRECT");
  set(q.sequential, yes_no(sequential));
  set(q.direct, yes_no(r.access == TAV_ACCESS_DIRECT));
  set(q.form, unf ? "UNFORMATTED" : "FORMATTED");
  set(q.formatted, yes_no(!unf));
  set(q.unformatted, yes_no(unf));
  set(q.recl, r.recl);
  set(q.nextrec, r.rec_number > 1 ? r.rec_number : 1);
  set(q.blank, unf ? "UNDEFINED" : keyword_of(r.blank == 1 ? 1 : 0, kBlankWords));
  set(q.position, position_word(r, s));
  const char *action = r.action == TAV_ACTION_READ ? "READ" : r.action == TAV_ACTION_WRITE ? "WRITE" : "READWRITE";
  set(q.action, action);
  set(q.read, (r.action & TAV_ACTION_READ) != 0 ? "YES" : "UNKNOWN");
  set(q.write, (r.action & TAV_ACTION_WRITE) != 0 ? "YES" : "UNKNOWN");
  set(q.readwrite, r.action == TAV_ACTION_READWRITE ? "YES" : "UNKNOWN");
  const char *delim = keyword_of(r.delim, kDelimWords);
  set(q.delim, unf ? "UNDEFINED" : delim != nullptr ? delim : "NONE");
  set(q.pad, yes_no(has_flag(r, TAV_FLAG_PAD_YES)));
}

// What is not connected: NAME, NAMED, RECL and NEXTREC are the caller's.
void answer_unconnected(const InquireSpecs &q, int exist) {
  set(q.opened, 0);
  set(q.exist, exist);
  set(q.number, -1);
  for (const CharSpec *c : {&q.access, &q.form, &q.blank, &q.position, &q.action, &q.delim}) set(*c, "UNDEFINED");
  for (const CharSpec *c : {&q.sequential, &q.direct, &q.formatted, &q.unformatted, &q.read, &q.write, &q.readwrite})
    set(*c, "UNKNOWN");
  set(q.pad, "YES");
}

int inquire_unit(int unit, const InquireSpecs &q) {
  lock_io();
  std::FILE **slot = nullptr;
  tav_unit_record *r = find_unit(unit, &slot);
  if (r != nullptr && slot != nullptr && *slot != nullptr) {
    answer_connected(unit, *r, *slot, q);
  } else {
    answer_unconnected(q, unit >= 0 ? 1 : 0);
    set(q.named, 0);
  }
  unlock_io();
  return 0;
}

int inquire_file(const char *file, int length, const InquireSpecs &q) {
  lock_io();
  while (length > 0 && file[length - 1] == ' ') --length;
  if (length < 0) length = 0;
  char name[kFileNameBuffer];
  int found = -1;
  const bool fits = length < kFileNameBuffer;
  if (fits) {
    std::memcpy(name, file, static_cast<std::size_t>(length));
    name[length] = '\0';
    for (int u = 0; u < 100 && found < 0; ++u) {
      const char *stored = __TAVf90_file_info[u].file_name;
      if (__TAVf90_file[u] != nullptr && stored != nullptr && std::strcmp(stored, name) == 0) found = u;
    }
    if (found < 0) found = __TAVf90_extended_unit_inquire_f(name);
  }
  unlock_io();
  if (found >= 0) return inquire_unit(found, q);
  // A name too long for any connection is looked up by no unit; it is
  // still asked of the file system.
  int exist = 0;
  if (fits) {
    exist = length > 0 && access(name, F_OK) == 0 ? 1 : 0;
  }
  answer_unconnected(q, exist);
  set(q.named, 1);
  if (fits) set(q.name, name);
  return 0;
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

#define TAV_INQUIRE_SPECS                                                                                  \
  InquireSpecs {                                                                                           \
    {access, access_len}, {action, action_len}, {blank, blank_len}, {delim, delim_len},                    \
        {direct, direct_len}, exist, {form, form_len}, {formatted, formatted_len}, opened,                 \
        {name, name_len}, named, nextrec, number, {pad, pad_len}, {position, position_len},                \
        {read, read_len}, {readwrite, readwrite_len}, recl, {sequential, sequential_len},                  \
        {unformatted, unformatted_len}, {write, write_len}                                                 \
  }

extern "C" {

int __TAVf90_inquire_u(int unit, TAV_INQUIRE_SPECIFIERS) { return inquire_unit(unit, TAV_INQUIRE_SPECS); }

int __TAVf90_inquire_f(const char *file, int file_len, TAV_INQUIRE_SPECIFIERS) {
  return inquire_file(file, file_len, TAV_INQUIRE_SPECS);
}

}  // extern "C"
