// Helpers for scenarios that drive formatted sequential statements through
// the public entry points and the character hooks a begin call installs.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include "tavf90.h"

namespace stmttest {

// READ flags words.
constexpr int kIostat = -1;
constexpr int kEnd = 1;
constexpr int kEor = 2;

inline int begin_read(int unit, bool advancing, int flags, int *size = nullptr, const char *format = nullptr) {
  return __TAVf90_read(unit, format, format != nullptr ? -1 : 0, advancing ? nullptr : "NO", advancing ? 0 : 2,
                       size, flags);
}

// "()" hands no data edit descriptor over, so the record is filled through
// the hooks directly.
inline int begin_write(int unit, bool advancing = true, int error_continue = 0, const char *format = "()") {
  return __TAVf90_write(unit, format, -1, advancing ? nullptr : "NO", advancing ? 0 : 2, error_continue);
}

inline int put(const std::string &s) {
  return __TAVf90_mystring(const_cast<char *>(s.data()), static_cast<int>(s.size()));
}

// Takes n characters one at a time; stops at the first condition, which is
// stored in *code.
inline std::string take(int n, int *code) {
  std::string s;
  *code = 0;
  for (int i = 0; i < n; ++i) {
    char c;
    if ((*code = __TAVf90_mygetc(&c)) != 0) break;
    s += c;
  }
  return s;
}

// An advancing READ of a whole record with IOSTAT=: the record's text, or
// "#<code>" for a condition.
inline std::string read_record(int unit = 5) {
  if (int code = begin_read(unit, true, kIostat)) return "#" + std::to_string(code);
  std::string s(static_cast<std::size_t>(__TAVf90_io_reclen), '\0');
  if (int code = __TAVf90_mystring(s.data(), __TAVf90_io_reclen)) return "#" + std::to_string(code);
  __TAVf90_endread();
  return s;
}

inline void say(const std::string &s) {
  std::fputs(s.c_str(), stdout);
  std::fputc('\n', stdout);
}

inline void open_file(int unit, const char *name, int error_continue = 0) {
  __TAVf90_open(unit, name, static_cast<int>(std::strlen(name)), nullptr, 0, nullptr, 0, nullptr, 0, nullptr,
                nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0, error_continue);
}

}  // namespace stmttest
