// The character hooks of a record held in memory (statement.record.data):
// the unit's buffer of an external sequential or direct-access statement,
// or the variable of an internal one.  Every such record puts and takes
// characters alike; the kinds differ only in what refuses output before it
// is stored (`Refused`: a code, or 0) and in what running off the end of
// the record on input reports (`EndOfRecord`).
#pragma once

#include "io/ioerr.h"
#include "io/record.h"
#include "io/statement.h"

namespace tav::io::memory_hooks {

inline int never_refused() { return 0; }

template <int (*Refused)() = never_refused>
int putc(char c) {
  if (int code = Refused()) return code;
  const int pos = __TAVf90_io_position;
  if (pos < 0 || pos >= __TAVf90_io_buflen) return ioerr(kBufferOverflow);
  statement.record.data[pos] = c;
  __TAVf90_io_position = pos + 1;
  return 0;
}

// Stores what fits; the characters before the first that does not fit stay
// in the record.
template <int (*Refused)() = never_refused>
int puts(char *s, int n) {
  if (n <= 0) return 0;
  if (int code = Refused()) return code;
  return Record::move_run(s, n, __TAVf90_io_buflen, true) < n ? ioerr(kBufferOverflow) : 0;
}

template <int (*EndOfRecord)()>
int getc(char *c) {
  const int pos = __TAVf90_io_position;
  if (pos < 0 || pos >= __TAVf90_io_reclen) return EndOfRecord();
  *c = statement.record.data[pos];
  __TAVf90_io_position = pos + 1;
  ++statement.size;
  return 0;
}

// Copies what the record still holds; running out is reported after the
// characters before the end have been taken.
template <int (*EndOfRecord)()>
int gets(char *dst, int n) {
  if (n <= 0) return 0;
  const int k = Record::move_run(dst, n, __TAVf90_io_reclen, false);
  statement.size += k;
  return k < n ? EndOfRecord() : 0;
}

}  // namespace tav::io::memory_hooks
