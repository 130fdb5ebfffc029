// Helpers for scenarios on files: OPEN with the few specifiers these tests
// vary, the bytes of a file as hex, and INQUIRE answers as text.
#pragma once

#include <cstdio>
#include <cstring>
#include <string>

#include "tavf90.h"

namespace filetest {

constexpr int kIostat = -1;  // READ flags: IOSTAT= given

inline int slen(const char *s) { return s != nullptr ? static_cast<int>(std::strlen(s)) : 0; }

// OPEN(unit, FILE=file, FORM=form, ACCESS=access, RECL=recl, ACTION=action, IOSTAT=).
inline int open(int unit, const char *file, const char *form = nullptr, const char *access = nullptr,
                int recl = 0, const char *action = nullptr, const char *status = nullptr) {
  int r = recl;
  return __TAVf90_open(unit, file, slen(file), status, slen(status), access, slen(access), form, slen(form),
                       recl > 0 ? &r : nullptr, nullptr, 0, nullptr, 0, action, slen(action), nullptr, 0, nullptr, 0,
                       1);
}
inline int open_unf(int unit, const char *file, int recl = 0) { return open(unit, file, "UNFORMATTED", nullptr, recl); }
inline int close_unit(int unit) { return __TAVf90_close(unit, nullptr, 0, 1); }

inline std::string hex(const std::string &bytes) {
  std::string s;
  char b[4];
  for (unsigned char c : bytes) {
    std::snprintf(b, sizeof b, "%02x", c);
    s += b;
  }
  return s;
}

inline std::string slurp(const char *name) {
  std::string s;
  if (std::FILE *f = std::fopen(name, "rb")) {
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) s.append(buf, n);
    std::fclose(f);
  }
  return s;
}

inline void put_file(const char *name, const std::string &bytes) {
  std::FILE *f = std::fopen(name, "wb");
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// A record as the file holds it: markers around the data.
inline std::string record(const std::string &data) {
  auto n = static_cast<int>(data.size());
  std::string m(reinterpret_cast<const char *>(&n), 4);
  return m + data + m;
}

// Writes a formatted record through the hooks of a WRITE begun with "()".
inline int write_line(int unit, const std::string &s, bool advancing = true) {
  if (int c = __TAVf90_write(unit, "()", -1, advancing ? nullptr : "NO", advancing ? 0 : 2, 1)) return c;
  if (int c = __TAVf90_mystring(const_cast<char *>(s.data()), static_cast<int>(s.size()))) return c;
  return __TAVf90_endwrite();
}

// An advancing formatted READ of a whole record: its text, or "#code".
inline std::string read_line(int unit) {
  if (int code = __TAVf90_read(unit, nullptr, 0, nullptr, 0, nullptr, -1)) return "#" + std::to_string(code);
  std::string s(static_cast<std::size_t>(__TAVf90_io_reclen), '\0');
  if (int code = __TAVf90_mystring(s.data(), __TAVf90_io_reclen)) return "#" + std::to_string(code);
  __TAVf90_endread();
  return s;
}

// An unformatted READ of one whole record of known length: data or "#code".
inline std::string read_record(int unit, int n) {
  std::string s(static_cast<std::size_t>(n), '\0');
  if (int code = __TAVf90_readu(unit, kIostat)) return "#" + std::to_string(code);
  if (int code = __TAVf90_uread(s.data(), n)) return "#" + std::to_string(code);
  if (int code = __TAVf90_endreadu()) return "#" + std::to_string(code);
  return s;
}

inline int write_record(int unit, const std::string &data) {
  return __TAVf90_writeu_opt(unit, 1, data.data(), static_cast<int>(data.size()));
}

}  // namespace filetest
