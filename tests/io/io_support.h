// Helpers shared by the io tests: statements driven through the public
// entry points and the character hooks a begin call installs, files as
// bytes, and case tables read from tests/io/data.
#pragma once

#include <fstream>
#include <initializer_list>
#include <utility>

#include "support/common.h"

namespace iotest {

constexpr int kIostat = -1, kEnd = 1, kEor = 2;  // READ flags words

inline int slen(const char *s) { return s != nullptr ? static_cast<int>(std::strlen(s)) : 0; }

inline int begin_read(int unit, bool advancing, int flags, int *size = nullptr, const char *format = nullptr) {
  return __TAVf90_read(unit, format, format != nullptr ? -1 : 0, advancing ? nullptr : "NO", advancing ? 0 : 2,
                       size, flags);
}

// "()" hands no data edit descriptor over: the record is filled through the
// hooks directly.
inline int begin_write(int unit, bool advancing = true, int error_continue = 0, const char *format = "()") {
  return __TAVf90_write(unit, format, -1, advancing ? nullptr : "NO", advancing ? 0 : 2, error_continue);
}

inline int put(const std::string &s) {
  return __TAVf90_mystring(const_cast<char *>(s.data()), static_cast<int>(s.size()));
}

// Takes n characters one at a time; stops at the first condition, stored
// in *code.
inline std::string take(int n, int *code) {
  std::string s;
  *code = 0;
  for (char c; static_cast<int>(s.size()) < n && (*code = __TAVf90_mygetc(&c)) == 0;) s += c;
  return s;
}

// An advancing formatted READ of a whole record (with IOSTAT= unless the
// flags say otherwise): its text, or "#code".
inline std::string read_line(int unit = 5, int flags = kIostat) {
  if (int code = begin_read(unit, true, flags)) return "#" + std::to_string(code);
  std::string s(static_cast<std::size_t>(__TAVf90_io_reclen), '\0');
  if (int code = __TAVf90_mystring(s.data(), __TAVf90_io_reclen)) return "#" + std::to_string(code);
  __TAVf90_endread();
  return s;
}

// A formatted WRITE of one record (held when not advancing), `s` put after
// the format's edits; without a format a list-directed one of `s`.
inline int write_line(int unit, const std::string &s, bool advancing = true, int error_continue = 1,
                      const char *format = "()") {
  if (int c = begin_write(unit, advancing, error_continue, format)) return c;
  if (int c = format != nullptr ? put(s) : __TAVf90_lwrite_ch(s.data(), static_cast<int>(s.size()))) return c;
  return __TAVf90_endwrite();
}

// A line on standard output.
inline void say(const std::string &s) { std::puts(s.c_str()); }

// OPEN(unit, FILE=, FORM=, ACCESS=, RECL=, ACTION=, STATUS=, IOSTAT= unless
// error_continue is 0).
inline int open(int unit, const char *file, const char *form = nullptr, const char *access = nullptr, int recl = 0,
                const char *action = nullptr, const char *status = nullptr, int error_continue = 1) {
  int r = recl;
  return __TAVf90_open(unit, file, slen(file), status, slen(status), access, slen(access), form, slen(form),
                       recl > 0 ? &r : nullptr, nullptr, 0, nullptr, 0, action, slen(action), nullptr, 0, nullptr, 0,
                       error_continue);
}
inline int open_unf(int unit, const char *file, int recl = 0) { return open(unit, file, "UNFORMATTED", nullptr, recl); }
inline int close_unit(int unit, const char *status = nullptr, int error_continue = 1) {
  return __TAVf90_close(unit, status, slen(status), error_continue);
}

inline std::string hex(const std::string &bytes) {
  std::string s;
  char b[4];
  for (unsigned char c : bytes) s += (std::snprintf(b, sizeof b, "%02x", c), b);
  return s;
}

inline std::string slurp(const std::string &name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void put_file(const char *name, const std::string &bytes) {
  std::ofstream(name, std::ios::binary) << bytes;
}

// An unformatted sequential record as the file holds it: markers around the
// data.
inline std::string record(const std::string &data) {
  auto n = static_cast<int>(data.size());
  std::string m(reinterpret_cast<const char *>(&n), 4);
  return m + data + m;
}

// An unformatted READ (rec not 0: of that record of a direct-access unit)
// into items given as (address, bytes), with IOSTAT= unless the flags say
// otherwise: the status of the first call that fails, else 0.
inline int read_items(int unit, int rec, std::initializer_list<std::pair<void *, int>> items, int flags = kIostat) {
  int code = rec != 0 ? __TAVf90_dreadu(unit, rec, flags) : __TAVf90_readu(unit, flags);
  for (const auto &[p, n] : items)
    if (code == 0) code = __TAVf90_uread(p, n);
  return code != 0 ? code : rec != 0 ? __TAVf90_enddreadu() : __TAVf90_endreadu();
}

// n bytes of a record read by read_items: the data or "#code".
inline std::string read_record(int unit, int n, int rec = 0, int flags = kIostat) {
  std::string s(static_cast<std::size_t>(n), '\0');
  const int code = read_items(unit, rec, {{s.data(), n}}, flags);
  return code != 0 ? "#" + std::to_string(code) : s;
}

// A record written by the one-call form (rec not 0: record rec of a
// direct-access unit), with IOSTAT= unless error_continue is 0.
inline int write_record(int unit, const std::string &data, int error_continue = 1, int rec = 0) {
  const int n = static_cast<int>(data.size());
  if (rec == 0) return __TAVf90_writeu_opt(unit, error_continue, data.data(), n);
  int code = __TAVf90_dwriteu(unit, rec, error_continue);
  if (code == 0) code = __TAVf90_uwrite(data.data(), n);
  return code != 0 ? code : __TAVf90_enddwriteu();
}

inline tavtest::Options with_stdin(std::string data) {
  tavtest::Options o;
  o.stdin_data = std::move(data);
  return o;
}
inline tavtest::Options with_files(std::map<std::string, std::string> files) {
  tavtest::Options o;
  o.files = std::move(files);
  return o;
}

inline std::string fatal_io(const std::string &message) {
  return message + "\nProgram terminated by fatal I/O error\n";
}

// The rows of tests/io/data/<name> (see tavtest::table).
inline std::vector<std::vector<std::string>> table(const std::string &name, std::size_t columns) {
  return tavtest::table("io/data/" + name, columns);
}

}  // namespace iotest
