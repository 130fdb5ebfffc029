// OPEN and CLOSE: connecting a unit to a file, changing the changeable
// properties of a connection, and ending it.
#include "io/open_close.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/ioerr.h"
#include "io/keywords.h"
#include "io/statement.h"
#include "io/stream.h"
#include "io/unit.h"
#include "runtime/fatal.h"
#include "storage/work.h"

namespace tav::io {
namespace {

enum : int {
  kOldNotConnected = 155,
  kScratchWithFile = 156,
  kReopenStatus = 157,
  kReopenAccess = 158,
  kReopenForm = 159,
  kReopenRecl = 160,
  kReopenAction = 161,
  kReopenPosition = 162,
  kBadStatus = 163,
  kBadAccess = 164,
  kBadForm = 165,
  kBadBlank = 166,
  kBadPosition = 167,
  kBadAction = 168,
  kBadDelim = 169,
  kBadPad = 170,
  kDirectNeedsRecl = 171,
  kKeepScratch = 172,
  kOldMissing = 175,
  kNewExists = 176,
  kNoFileForNew = 212,
  kBadRecl = 213,
  kDirectPosition = 216,
};

enum class Disposition { kKeep, kDelete };

// Reports a system error: the text printed for it is that of errno, so
// errno is set to the code itself in case anything since has changed it.
int system_error(int code, int unit) {
  if (code == 0) return ioerr(kUnknownOpenFailure, unit);
  errno = code;
  return ioerr(code, unit);
}

int saved_errno_or_unknown() { return errno != 0 ? errno : kUnknownOpenFailure; }

// The decoded specifiers of one OPEN.
struct Decoded {
  int status = TAV_STATUS_UNKNOWN;
  int access = TAV_ACCESS_SEQUENTIAL;
  int unformatted = 0;
  int recl = kDefaultRecl;
  int blank = 0;
  int position = TAV_POS_ASIS;
  int action = TAV_ACTION_READWRITE;
  int delim = 0;
  int pad = 1;
};

// Decodes the specifiers in their fixed order.  Returns 0 or the error
// code of the first one that is invalid (crashes for DELIM=/PAD= on an
// unformatted connection).  `kept`: the unit's record when the OPEN keeps
// its connection, whose form then stands unless FORM= is given.
int decode_specs(const OpenSpecs &s, const tav_unit_record *kept, Decoded &d) {
  if (s.status.present() && (d.status = decode(s.status, kStatusWords)) < 0) return kBadStatus;
  if (s.access.present() && (d.access = decode(s.access, kAccessWords)) < 0) return kBadAccess;
  d.unformatted = kept != nullptr ? kept->unformatted : d.access == TAV_ACCESS_DIRECT ? 1 : 0;
  if (s.form.present() && (d.unformatted = decode(s.form, kFormWords)) < 0) return kBadForm;
  if (s.recl != nullptr) {
    if (*s.recl <= 0) return kBadRecl;
    d.recl = *s.recl;
  } else if (d.access == TAV_ACCESS_DIRECT) {
    return kDirectNeedsRecl;
  } else {
    d.recl = d.unformatted ? kDefaultUnformattedRecl : kDefaultRecl;
  }
  if (s.blank.present() && (d.blank = decode(s.blank, kBlankWords)) < 0) return kBadBlank;
  __TAVf90_io_blanks = d.blank;
  if (s.position.present()) {
    if (d.access == TAV_ACCESS_DIRECT) return kDirectPosition;
    if ((d.position = decode(s.position, kPositionWords)) < 0) return kBadPosition;
  }
  if (s.action.present() && (d.action = decode(s.action, kActionWords)) < 0) return kBadAction;
  if (s.delim.present()) {
    if (d.unformatted) rt::crash("The DELIM= specifier is not allowed for an UNFORMATTED file");
    if ((d.delim = decode(s.delim, kDelimWords)) < 0) return kBadDelim;
  }
  __TAVf90_io_delim = d.delim;
  if (s.pad.present()) {
    if (d.unformatted) rt::crash("The PAD= specifier is not allowed for an UNFORMATTED file");
    if ((d.pad = decode(s.pad, kPadWords)) < 0) return kBadPad;
  }
  __TAVf90_io_pad = d.pad;
  return 0;
}

// Length of a Fortran string without its trailing blanks.
int trimmed_length(Specifier s) {
  int n = s.length;
  while (n > 0 && s.text[n - 1] == ' ') --n;
  return n;
}

bool same_name(const char *connected, Specifier file, int length) {
  return connected != nullptr && std::strlen(connected) == static_cast<std::size_t>(length) &&
         std::memcmp(connected, file.text, static_cast<std::size_t>(length)) == 0;
}

// OPEN on a unit that stays connected to its file: only BLANK=, DELIM= and
// PAD= may change; the other specifiers must agree with the connection.
int change_properties(int unit, tav_unit_record &rec, FILE *stream, const OpenSpecs &s, const Decoded &d) {
  if (s.status.present() && d.status != TAV_STATUS_OLD) return ioerr(kReopenStatus, unit);
  if (s.access.present() && d.access != rec.access) return ioerr(kReopenAccess, unit);
  if (s.form.present() && d.unformatted != rec.unformatted) return ioerr(kReopenForm, unit);
  if (s.recl != nullptr && d.recl != rec.recl) return ioerr(kReopenRecl, unit);
  if (s.action.present() && d.action != rec.action) return ioerr(kReopenAction, unit);
  if (d.position == TAV_POS_REWIND) {
    if (stream::tell(stream) != 0) return ioerr(kReopenPosition, unit);
  } else if (d.position == TAV_POS_APPEND) {
    // At the end of the file: after a WRITE, or still where an OPEN with
    // POSITION='APPEND' left it.
    if (rec.position_state != TAV_POS_WRITE && rec.position_state != TAV_POS_APPEND)
      return ioerr(kReopenPosition, unit);
  }
  rec.blank = d.blank;
  rec.delim = d.delim;
  set_flag(rec, TAV_FLAG_PAD_YES, d.pad != 0);
  unlock_io();
  return 0;
}

const char *open_mode(int status, int action, bool exists, bool binary) {
  if (status == TAV_STATUS_NEW || status == TAV_STATUS_REPLACE) return binary ? "w+b" : "w+";
  if (action == TAV_ACTION_READ) return binary ? "rb" : "r";
  if ((status == TAV_STATUS_UNKNOWN && !exists) || status == TAV_STATUS_SCRATCH) return binary ? "w+b" : "w+";
  return binary ? "r+b" : "r+";
}

void release_storage(tav_unit_record &rec) {
  release_buffer(rec);
  if (rec.file_name != nullptr) storage::work_free(rec.file_name, std::strlen(rec.file_name) + 1);
  rec.file_name = nullptr;
}

// Makes a new connection of the selected unit, which is not connected, to
// the file `file` names (or to the unit's preconnected file), with the
// decoded specifiers: the one step every connection is made by.  The lock
// stays held: 0, or the condition with the statement ended.
int connect(int unit, const OpenSpecs &s, Decoded d, Specifier file, int file_length) {
  tav_unit_record &rec = current_record();
  FILE *&slot = current_stream();
  set_flag(rec, TAV_FLAG_CONNECTED_ONCE, true);
  connection(rec).form_open = false;

  char name[kFileNameBuffer];
  if (d.status == TAV_STATUS_SCRATCH) {
    std::snprintf(name, sizeof name, "/tmp/unit_%d.XXXXXX", unit);
  } else if (file.present()) {
    if (file_length >= kFileNameBuffer) return ioerr(kFileNameTooLong);
    std::memcpy(name, file.text, static_cast<std::size_t>(file_length));
    name[file_length] = '\0';
  } else if (int code = preconnect_name(unit, name)) {
    return ioerr(code);
  }
  statement.where.file = name;

  bool exists = false;
  if (d.status != TAV_STATUS_SCRATCH) {
    exists = access(name, F_OK) == 0;
    int why = exists ? 0 : errno;
    if (d.status == TAV_STATUS_OLD && !exists && why == ENOENT) return ioerr(kOldMissing);
    if (d.status == TAV_STATUS_NEW && exists) return ioerr(kNewExists);
    if (d.status == TAV_STATUS_REPLACE && exists && unlink(name) != 0) return system_error(errno, unit);
  }

  bool binary = d.unformatted != 0 || d.access == TAV_ACCESS_DIRECT;
  const char *mode = open_mode(d.status, d.action, exists, binary);
  if (d.status == TAV_STATUS_NEW || d.status == TAV_STATUS_REPLACE) d.status = TAV_STATUS_OLD;

  errno = 0;
  FILE *stream = nullptr;
  if (d.status == TAV_STATUS_SCRATCH) {
    int fd = mkstemp(name);
    if (fd < 0) return system_error(errno, unit);
    stream = stream::open_fd(fd, mode);
    if (stream == nullptr) {
      int code = saved_errno_or_unknown();
      close(fd);
      unlink(name);
      return system_error(code, unit);
    }
  } else {
    stream = stream::open(name, mode);
    if (stream == nullptr && errno == EACCES && !s.action.present() && exists && mode[0] == 'r') {
      // Without ACTION= an existing file that may not be written is
      // connected for reading only.  A file that was to be created keeps
      // its permission error: reading could not find it.
      d.action = TAV_ACTION_READ;
      mode = binary ? "rb" : "r";
      errno = 0;
      stream = stream::open(name, mode);
    }
    if (stream == nullptr) return system_error(errno, unit);
  }

  set_flag(rec, TAV_FLAG_RECL_GIVEN, s.recl != nullptr);
  rec.recl = d.recl;
  rec.rec_number = 0;
  rec.rec_length = -1;
  rec.rec_position = 0;
  rec.access = d.access;
  rec.action = d.action;
  rec.position_state = d.position;
  rec.delim = d.delim;
  rec.blank = d.blank;
  set_flag(rec, TAV_FLAG_PAD_YES, d.pad != 0);
  rec.unformatted = d.unformatted;
  rec.status = d.status;
  rec.buffer = static_cast<char *>(storage::work_zalloc(static_cast<std::size_t>(d.recl) + 1));
  std::size_t name_size = std::strlen(name) + 1;
  rec.file_name = static_cast<char *>(storage::work_zalloc(name_size));
  std::memcpy(rec.file_name, name, name_size);
  set_flag(rec, TAV_FLAG_PARTIAL_OUTPUT, false);
  set_flag(rec, TAV_FLAG_SEEKABLE, stream::seekable(stream));
  stream::prepare_file(file_of(rec, stream), binary ? stream::kBinaryBuffer : stream::kTextBuffer,
                       d.access == TAV_ACCESS_DIRECT ? stream::Framing::kFixed
                       : d.unformatted != 0          ? stream::Framing::kMarkers
                                                     : stream::Framing::kLines,
                       d.recl);

  if (d.position == TAV_POS_APPEND) {
    int code = 0;
    if (has_flag(rec, TAV_FLAG_SEEKABLE)) {
      if (stream::seek(file_of(rec, stream), 0, SEEK_END) != 0) code = saved_errno_or_unknown();
    } else {
      // A stream that cannot seek is opened again in append mode.
      stream::close(file_of(rec, stream));
      errno = 0;
      stream = stream::open(name, binary ? "a+b" : "a+");
      if (stream == nullptr) code = saved_errno_or_unknown();
    }
    if (code != 0) {
      if (stream != nullptr) stream::close(file_of(rec, stream));
      if (d.status == TAV_STATUS_SCRATCH) unlink(name);
      release_storage(rec);
      return system_error(code, unit);
    }
  }

  slot = stream;
  record_count(rec) = d.position == TAV_POS_APPEND ? -1 : 0;
  statement.where.file = nullptr;  // the connection names its file now
  return 0;
}

// The disposition CLOSE's STATUS= asks for (absent: the connection's own);
// false when it names none.
bool disposition_of(const tav_unit_record &rec, Specifier status, Disposition &disposition) {
  disposition = rec.status == TAV_STATUS_SCRATCH ? Disposition::kDelete : Disposition::kKeep;
  if (!status.present()) return true;
  if (keyword_match(status.text, status.length, "KEEP"))
    disposition = Disposition::kKeep;
  else if (keyword_match(status.text, status.length, "DELETE"))
    disposition = Disposition::kDelete;
  else
    return false;
  return true;
}

}  // namespace

int connect_unit(int unit, const OpenSpecs &s) {
  Decoded d;
  if (int code = decode_specs(s, nullptr, d)) return ioerr(code);
  return connect(unit, s, d, s.file, s.file.present() ? trimmed_length(s.file) : 0);
}

int open_unit(int unit, const OpenSpecs &s, int error_continue) {
  lock_io();
  __TAVf90_error_continue = error_continue;
  locate_unit(unit);
  if (unit < 0) return ioerr(kUnitOutOfRange, unit);
  select_unit(unit, true);
  connection(current_record()).form_open = false;

  Specifier file = s.file;
  int file_length = file.present() ? trimmed_length(file) : 0;

  // Connected, and no other file named: the OPEN only changes properties.
  const bool keeps = current_stream() != nullptr &&
                     (!file.present() || same_name(current_record().file_name, file, file_length));
  Decoded d;
  if (int code = decode_specs(s, keeps ? &current_record() : nullptr, d)) return ioerr(code);
  if (file.present() && d.status == TAV_STATUS_SCRATCH) return ioerr(kScratchWithFile);
  if (!file.present() && (d.status == TAV_STATUS_NEW || d.status == TAV_STATUS_REPLACE))
    return ioerr(kNoFileForNew, unit);

  if (current_stream() == nullptr) {
    if (!file.present() && d.status == TAV_STATUS_OLD) return ioerr(kOldNotConnected, unit);
  } else if (!keeps) {
    // Another file: the present connection ends first.
    if (int code = disconnect_unit(unit, Specifier{})) return code;
  } else {
    return change_properties(unit, current_record(), current_stream(), s, d);
  }
  if (int code = connect(unit, s, d, file, file_length)) return code;
  unlock_io();
  return 0;
}

int close_unit(int unit, Specifier status, int error_continue) {
  lock_io();
  __TAVf90_error_continue = error_continue;
  locate_unit(unit);
  if (unit < 0) return ioerr(kUnitOutOfRange, unit);
  if (select_unit(unit, false) && current_stream() != nullptr) {
    if (int code = disconnect_unit(unit, status)) return code;
  }
  unlock_io();
  return 0;
}

int disconnect_unit(int unit, Specifier status) {
  tav_unit_record &rec = current_record();
  FILE *&slot = current_stream();

  Disposition disposition;
  if (!disposition_of(rec, status, disposition)) return ioerr(kBadStatus);
  // A scratch file cannot outlive its connection; the unit stays connected.
  if (disposition == Disposition::kKeep && rec.status == TAV_STATUS_SCRATCH) return ioerr(kKeepScratch);

  if (__TAVf90_pcio_verbose && has_flag(rec, TAV_FLAG_CONNECTED_ONCE) && rec.file_name != nullptr)
    std::fprintf(stderr, "preconn_io: Logical unit %d closed (file %s)\n", unit, rec.file_name);

  const stream::File stream = file_of(rec, slot);
  int code = 0;
  if (disposition == Disposition::kDelete) {
    if (stream::close(stream) != 0) code = saved_errno_or_unknown();
    if (rec.file_name != nullptr && unlink(rec.file_name) != 0 && code == 0) code = saved_errno_or_unknown();
  } else {
    // Held output is completed as a record of its own.
    if (has_flag(rec, TAV_FLAG_PARTIAL_OUTPUT)) code = partial_write(unit, true);
    if (rec.position_state == TAV_POS_WRITE) {
      if (int failed = stream::flush(stream); failed != 0 && code == 0) code = failed;
      // A sequential file rewritten from an earlier point ends after the
      // last record written.  Devices and the standard connections (NEW)
      // are left alone.
      if (code == 0 && rec.access == TAV_ACCESS_SEQUENTIAL && has_flag(rec, TAV_FLAG_SEEKABLE) &&
          rec.status != TAV_STATUS_NEW) {
        if (stream::truncate_here(stream.stream) != 0) code = saved_errno_or_unknown();
      }
    }
    errno = 0;
    if (stream::close(stream) != 0 && code == 0) code = saved_errno_or_unknown();
  }
  set_flag(rec, TAV_FLAG_PARTIAL_OUTPUT, false);
  slot = nullptr;
  release_storage(rec);
  // A failure to write out or close is this CLOSE's condition (ioerr
  // releases the lock); data is never lost silently.
  if (code != 0) return system_error(code, unit);
  return 0;
}

}  // namespace tav::io

using tav::io::Specifier;

namespace {
Specifier specifier(const char *text, int length) { return Specifier{text, text != nullptr && length > 0 ? length : 0}; }
}  // namespace

extern "C" {

int __TAVf90_open(int unit, const char *file, int file_length, const char *status, int status_length,
                  const char *access, int access_length, const char *form, int form_length, int *recl,
                  const char *blank, int blank_length, const char *position, int position_length,
                  const char *action, int action_length, const char *delim, int delim_length, const char *pad,
                  int pad_length, int error_continue) {
  tav::io::OpenSpecs s;
  s.file = specifier(file, file_length);
  s.status = specifier(status, status_length);
  s.access = specifier(access, access_length);
  s.form = specifier(form, form_length);
  s.recl = recl;
  s.blank = specifier(blank, blank_length);
  s.position = specifier(position, position_length);
  s.action = specifier(action, action_length);
  s.delim = specifier(delim, delim_length);
  s.pad = specifier(pad, pad_length);
  return tav::io::open_unit(unit, s, error_continue);
}

int __TAVf90_close(int unit, const char *status, int status_length, int error_continue) {
  return tav::io::close_unit(unit, specifier(status, status_length), error_continue);
}

}  // extern "C"
