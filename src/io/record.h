// The current statement's record as the editing code sees it: the record
// position globals and the character hooks the statement's begin call
// installed.  Editing code never names the exported globals directly.
#pragma once

#include <cstdint>
#include <cstring>

#include "io/copy.h"
#include "io/statement.h"
#include "tavf90.h"

namespace tav::io {

struct Record {
  // Position of the next character in the record, from 0.
  static int &position() { return __TAVf90_io_position; }
  // Capacity of the record buffer.
  static int &buflen() { return __TAVf90_io_buflen; }
  // Input: characters in the current record.
  static int &reclen() { return __TAVf90_io_reclen; }
  // Output: rightmost position reached; -1 when not tracked (input).
  static int &top() { return __TAVf90_io_top; }
  static int &left_tab_limit() { return __TAVf90_left_tab_limit; }
  static int &pad() { return __TAVf90_io_pad; }
  static int &blanks() { return __TAVf90_io_blanks; }
  static int &delim() { return __TAVf90_io_delim; }
  static int &nonadvance_read() { return __TAVf90_io_nonadvance_read; }
  static int &field_status() { return __TAVf90_field_status; }

  static int put(char c) { return __TAVf90_mychar(c); }
  static int put(const char *s, int n) {
    return n > 0 ? __TAVf90_mystring(const_cast<char *>(s), n) : 0;
  }
  // put(s, n) for output editing: the same result, without the hook's call
  // when the run fits in the statement's record in memory.
  static int put_run(const char *s, int n) {
    if (char *dst = reserve(n)) {
      copy_bytes(dst, s, n);
      __TAVf90_io_position += n;
      return 0;
    }
    return put(s, n);
  }
  // Room for a run of n characters at the position in the statement's
  // record in memory (see RecordBuffer), or null (the run then goes
  // through put).  The caller writes all n characters there and then calls
  // advance(n): the result is that of put.
  static char *reserve(int n) {
    const RecordBuffer &rec = statement.record;
    if (__TAVf90_mystring != rec.put_n || rec.data == nullptr) return nullptr;
    int pos = __TAVf90_io_position;
    if (pos < 0 || n <= 0 || n > __TAVf90_io_buflen - pos) return nullptr;
    return rec.data + pos;
  }
  static void advance(int n) { __TAVf90_io_position += n; }

  static int get(char *c) { return __TAVf90_mygetc(c); }
  static int get(char *dst, int n) { return n > 0 ? __TAVf90_mystring(dst, n) : 0; }
  // Input: the next n characters of the statement's record in memory when
  // the record still holds them and the take hook is the record's own,
  // else null (they are then taken through get).  The caller takes them
  // with consume(n), which counts them for SIZE= as the hook would.
  static const char *peek(int n) {
    const RecordBuffer &rec = statement.record;
    if (__TAVf90_mystring != rec.take_n || rec.data == nullptr) return nullptr;
    int pos = __TAVf90_io_position;
    if (pos < 0 || n <= 0 || n > __TAVf90_io_reclen - pos) return nullptr;
    return rec.data + pos;
  }
  static void consume(int n) {
    __TAVf90_io_position += n;
    statement.size += n;
  }

  // The run of the string hooks of a record in memory: moves as many of n
  // characters as lie between the position and `limit` (the buffer length
  // on output, the record length on input) from `other` into the record or
  // out of it into `other`, and advances the position past them.  Returns
  // how many moved; the hook reports the rest as its condition.
  static int move_run(char *other, int n, int limit, bool into_record) {
    const int pos = __TAVf90_io_position;
    const int room = pos < 0 || limit < pos ? 0 : limit - pos;
    const int k = n < room ? n : room;
    if (k > 0) {
      char *at = statement.record.data + pos;
      std::memcpy(into_record ? at : other, into_record ? other : at, static_cast<std::size_t>(k));
      __TAVf90_io_position = pos + k;
    }
    return k;
  }
  static int end_record() { return __TAVf90_myendrec(); }
};

// Assembles an output field in a small local buffer and hands it to the
// put-string hook in runs, so that no character costs an indirect call.
// Counts may be as large as an int allows; the buffer is flushed in chunks.
// The first nonzero status stops all further output and is what finish()
// returns.  A put-string hook stores the characters that fit before it
// fails, so a field that overflows the record leaves its leading part
// stored, as character-at-a-time output would.
class FieldWriter {
 public:
  FieldWriter() = default;
  FieldWriter(const FieldWriter &) = delete;
  FieldWriter &operator=(const FieldWriter &) = delete;

  void put(char c) {
    if (n_ == kSize) flush();
    buf_[n_++] = c;
  }
  void fill(char c, std::int64_t count) {
    while (count > 0 && status_ == 0) {
      if (n_ == kSize) flush();
      int room = kSize - n_;
      int k = count < room ? static_cast<int>(count) : room;
      for (int i = 0; i < k; ++i) buf_[n_ + i] = c;
      n_ += k;
      count -= k;
    }
  }
  void text(const char *s, std::int64_t count) {
    while (count > 0 && status_ == 0) {
      if (n_ == kSize) flush();
      int room = kSize - n_;
      int k = count < room ? static_cast<int>(count) : room;
      for (int i = 0; i < k; ++i) buf_[n_ + i] = s[i];
      n_ += k;
      s += k;
      count -= k;
    }
  }
  // Flushes what is buffered; returns 0 or the first nonzero status.
  int finish() {
    flush();
    return status_;
  }

 private:
  static constexpr int kSize = 256;
  void flush() {
    if (status_ == 0 && n_ > 0) status_ = Record::put_run(buf_, n_);
    n_ = 0;
  }
  char buf_[kSize];
  int n_ = 0;
  int status_ = 0;
};

}  // namespace tav::io
