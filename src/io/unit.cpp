#include "io/unit.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "io/ioerr.h"
#include "io/open_close.h"
#include "io/settings.h"
#include "io/statement.h"
#include "io/stream.h"
#include "storage/work.h"

extern "C" {
tav_unit_record __TAVf90_file_info[100];
FILE *__TAVf90_file[100];
tav_unit_record *__TAVf90_cur_finfo;
FILE **__TAVf90_cur_fptr;
int __TAVf90_current_unit;
char __TAVf90_pcio_prefix[31] = "FORT";
char __TAVf90_pcio_position[7] = "REWIND";
char __TAVf90_pcio_blank[5] = "NULL";
int __TAVf90_pcio_verbose;
}

namespace tav::io {
namespace {

// A unit above 99.
struct ExtNode {
  int unit;
  ExtNode *next;
  tav_unit_record record;
  FILE *stream;
  Connection connection;
};

std::int32_t &grown_of(const tav_unit_record &r) { return connection(r).grown; }

ExtNode *ext_finfo;      // head of the list; new nodes go first
ExtNode *cur_extfinfo;   // node last found or created
int io_initialised;

void point_at(tav_unit_record *rec, FILE **stream) {
  __TAVf90_cur_finfo = rec;
  __TAVf90_cur_fptr = stream;
}

ExtNode *find_node(int unit) {
  for (ExtNode *n = ext_finfo; n != nullptr; n = n->next)
    if (n->unit == unit) return n;
  return nullptr;
}

void connect_standard(int unit, FILE *stream, int action, int status, bool pad) {
  tav_unit_record &r = __TAVf90_file_info[unit];
  __TAVf90_file[unit] = stream;
  r.file_name = nullptr;
  r.recl = kDefaultRecl;
  r.buffer = static_cast<char *>(storage::work_zalloc(kDefaultRecl + 1));
  r.rec_number = 0;
  r.rec_length = -1;
  r.rec_position = 0;
  r.access = TAV_ACCESS_SEQUENTIAL;
  r.action = action;
  r.position_state = TAV_POS_ASIS;
  r.delim = 0;
  r.blank = 0;
  r.unformatted = 0;
  r.status = status;
  r.flags = TAV_FLAG_CONNECTED_ONCE;
  set_flag(r, TAV_FLAG_PAD_YES, pad);
  set_flag(r, TAV_FLAG_SEEKABLE, stream::seekable(stream));
  record_count(r) = 0;
}

}  // namespace

Connection unit_connections[100];

Connection &extended_connection(const tav_unit_record &r) {
  auto *node = reinterpret_cast<ExtNode *>(reinterpret_cast<std::uintptr_t>(&r) - offsetof(ExtNode, record));
  return node->connection;
}

int buffer_capacity(const tav_unit_record &r) {
  const std::int32_t grown = grown_of(r);
  return grown > r.recl ? grown : r.recl;
}

int grow_buffer(tav_unit_record &r, int keep) {
  const int capacity = buffer_capacity(r);
  if (capacity > (INT32_MAX - 1) / 2) return 0;
  const int bigger = 2 * capacity;
  auto *buffer = static_cast<char *>(storage::work_alloc(static_cast<std::size_t>(bigger) + 1));
  if (keep > 0) std::memcpy(buffer, r.buffer, static_cast<std::size_t>(keep));
  storage::work_free(r.buffer, static_cast<std::size_t>(capacity) + 1);
  r.buffer = buffer;
  grown_of(r) = bigger;
  return bigger;
}

void release_buffer(tav_unit_record &r) {
  if (r.buffer != nullptr) storage::work_free(r.buffer, static_cast<std::size_t>(buffer_capacity(r)) + 1);
  r.buffer = nullptr;
  grown_of(r) = 0;
}

bool select_unit(int unit, bool create) {
  if (unit < 100) {
    point_at(&__TAVf90_file_info[unit], &__TAVf90_file[unit]);
    return true;
  }
  if (create) {
    __TAVf90_estab_runit(unit);
    return true;
  }
  __TAVf90_estab_runit_no_create(unit);
  return __TAVf90_cur_finfo != nullptr;
}

tav_unit_record *find_unit(int unit, FILE ***stream) {
  if (unit < 0) return nullptr;
  if (unit < 100) {
    if (stream != nullptr) *stream = &__TAVf90_file[unit];
    return &__TAVf90_file_info[unit];
  }
  ExtNode *n = find_node(unit);
  if (n == nullptr) return nullptr;
  if (stream != nullptr) *stream = &n->stream;
  return &n->record;
}

bool keyword_match(const char *value, int length, const char *keyword) {
  int k = static_cast<int>(std::strlen(keyword));
  if (length < k) return false;
  for (int i = 0; i < k; ++i) {
    unsigned char c = static_cast<unsigned char>(value[i]);
    if (c != static_cast<unsigned char>(keyword[i]) &&
        !(c >= 'a' && c <= 'z' && c - 'a' + 'A' == keyword[i]))
      return false;
  }
  for (int i = k; i < length; ++i)
    if (value[i] != ' ') return false;
  return true;
}

int preconnect_name(int unit, char *dst) {
  dst[0] = '\0';
  if (__TAVf90_pcio_prefix[0] != '\0') {
    char var[64];
    std::snprintf(var, sizeof var, "%.30s%02d", __TAVf90_pcio_prefix, unit);
    if (const char *value = std::getenv(var)) {
      // A name that does not fit is refused rather than cut to another name.
      if (std::strlen(value) >= static_cast<std::size_t>(kFileNameBuffer)) return kFileNameTooLong;
      std::strcpy(dst, value);
    } else if (__TAVf90_pcio_verbose) {
      std::fprintf(stderr, "preconn_io: No initialisation found for %s\n", var);
    }
  }
  if (dst[0] == '\0') std::snprintf(dst, kFileNameBuffer, "fort.%d", unit);
  if (__TAVf90_pcio_verbose) std::fprintf(stderr, "preconn_io: Logical unit %i opened to %s\n", unit, dst);
  return 0;
}

namespace {

// The specifiers of the implicit connection of a unit to the file `name`.
OpenSpecs implicit_specs(const char *name, bool unformatted) {
  OpenSpecs specs;
  specs.file = {name, static_cast<int>(std::strlen(name))};
  if (unformatted) specs.form = {"UNFORMATTED", 11};
  specs.blank = {__TAVf90_pcio_blank, static_cast<int>(std::strlen(__TAVf90_pcio_blank))};
  specs.position = {__TAVf90_pcio_position, static_cast<int>(std::strlen(__TAVf90_pcio_position))};
  return specs;
}

}  // namespace

int preconnect(int unit, bool unformatted) {
  char name[kFileNameBuffer];
  if (int code = preconnect_name(unit, name)) return ioerr(code);
  return connect_unit(unit, implicit_specs(name, unformatted));
}

int select_and_connect(int unit, bool may_connect, bool unformatted, bool *connected) {
  if (unit < 0) return ioerr(kUnitOutOfRange, unit);
  select_unit(unit, true);
  if (current_stream() != nullptr) return 0;
  if (!may_connect || has_flag(current_record(), TAV_FLAG_CONNECTED_ONCE)) return ioerr(kUnitNotConnected, unit);
  if (int code = preconnect(unit, unformatted)) return code;
  if (connected != nullptr) *connected = true;
  return 0;
}

int decide_form(int unit, bool unformatted) {
  tav_unit_record &r = current_record();
  Connection &c = connection(r);
  c.form_open = false;
  if ((r.unformatted != 0) == unformatted) return 0;
  // Nothing was transferred: the unit stands at the start of its file,
  // which it is connected to again with the other form, quietly (the
  // program sees one connection), keeping the state positioning left.
  char name[kFileNameBuffer];
  std::snprintf(name, sizeof name, "%s", r.file_name);
  const std::int32_t state = r.position_state;
  const int verbose = __TAVf90_pcio_verbose;
  __TAVf90_pcio_verbose = 0;
  const int closed = disconnect_unit(unit, Specifier{});
  __TAVf90_pcio_verbose = verbose;
  if (closed != 0) return closed;
  if (int code = connect_unit(unit, implicit_specs(name, unformatted))) return code;
  r.position_state = state;
  c.records = 0;
  if (stream::seek(current_file(), 0, SEEK_SET) != 0) {
    const int code = stream::error();
    return ioerr(code, unit);
  }
  return 0;
}

void io_finish(bool fatal_path) {
  __TAVf90_io_lock = 0;
  io_initialised = 0;
  auto close_one = [fatal_path](int unit) {
    if (int code = close_unit(unit, Specifier{}, fatal_path ? 1 : 0)) print_condition(code, unit);
  };
  for (ExtNode *n = ext_finfo; n != nullptr; n = n->next)
    if (n->stream != nullptr) close_one(n->unit);
  for (int u = 1; u < 100; ++u)
    if (__TAVf90_file[u] != nullptr) close_one(u);
  if (__TAVf90_file[0] != nullptr) close_one(0);
}

}  // namespace tav::io

using namespace tav::io;

extern "C" {

void f90_io_init(void) {
  // Read on every call: a process that starts the I/O system again (a
  // forked child) goes by its own environment.
  settings.read_environment();
  if (io_initialised) return;
  stream::check_buffer_access();
  for (int u = 0; u < 100; ++u) {
    __TAVf90_file[u] = nullptr;
    set_flag(__TAVf90_file_info[u], TAV_FLAG_CONNECTED_ONCE, false);
  }
  connect_standard(0, stderr, TAV_ACTION_WRITE, TAV_STATUS_NEW, false);
  connect_standard(5, stdin, TAV_ACTION_READ, TAV_STATUS_OLD, true);
  connect_standard(6, stdout, TAV_ACTION_WRITE, TAV_STATUS_NEW, false);
  io_initialised = 1;
}

void f90_io_finish(void) { io_finish(false); }

void __TAVf90_estab_runit(int unit) {
  ExtNode *n = find_node(unit);
  if (n == nullptr) {
    n = new (tav::storage::work_zalloc(sizeof(ExtNode))) ExtNode{};
    n->unit = unit;
    n->stream = nullptr;
    n->next = ext_finfo;
    ext_finfo = n;
  }
  cur_extfinfo = n;
  point_at(&n->record, &n->stream);
}

void __TAVf90_estab_runit_no_create(int unit) {
  ExtNode *n = find_node(unit);
  cur_extfinfo = n;
  if (n != nullptr)
    point_at(&n->record, &n->stream);
  else
    point_at(nullptr, nullptr);
}

int __TAVf90_extended_unit_inquire_f(const char *name) {
  for (ExtNode *n = ext_finfo; n != nullptr; n = n->next) {
    if (n->stream == nullptr || n->record.file_name == nullptr) continue;
    if (std::strcmp(n->record.file_name, name) == 0) {
      cur_extfinfo = n;
      point_at(&n->record, &n->stream);
      return n->unit;
    }
  }
  return -1;
}

void __TAVf90_close_extended_units(void) {
  for (ExtNode *n = ext_finfo; n != nullptr; n = n->next)
    if (n->stream != nullptr) close_unit(n->unit, Specifier{}, 0);
}

void __TAVf90_close_real_unit(void) {
  ExtNode *n = cur_extfinfo;
  if (n == nullptr) return;
  // The predecessor is looked up again: the one remembered by the last
  // search without creation belongs to whatever node that search found,
  // which need not be the current node any more.
  ExtNode **link = &ext_finfo;
  while (*link != nullptr && *link != n) link = &(*link)->next;
  if (*link == n) *link = n->next;
  tav::storage::work_free(n, sizeof(ExtNode));
  cur_extfinfo = nullptr;
  point_at(nullptr, nullptr);
}

int __TAVf90_preconnect_open(int unit, int unformatted) { return preconnect(unit, unformatted != 0); }

int __TAVf90_cidata_match(const char *value, int len, const char *keyword) {
  return keyword_match(value, len, keyword) ? 1 : 0;
}

}  // extern "C"
