// Helpers shared by the runtime-frame scenarios: starting a program as
// compiled code does, and reaching the x87 control and status words.
#pragma once

#include <cstdint>
#include <string>

#include "tavf90.h"

namespace frametest {

inline void start(void (*init)(int, char **)) {
  static char prog[] = "prog";
  static char *argv[] = {prog, nullptr};
  init(1, argv);
}

// A non-advancing WRITE of `text` with the empty format: the characters
// stay held in the unit's record.
inline void write_held(int unit, const char *text, int length) {
  __TAVf90_write(unit, "()", -1, "NO", 2, 0);
  __TAVf90_mystring(const_cast<char *>(text), length);
  __TAVf90_endwrite();
}

#if defined(__i386__) || defined(__x86_64__)
#define FRAMETEST_X87 1
inline std::uint16_t control_word() {
  std::uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}
inline void set_control_word(std::uint16_t cw) { __asm__ volatile("fldcw %0" : : "m"(cw)); }
#endif

inline std::string fatal(const std::string &message) { return message + "\nProgram terminated by fatal error\n"; }

}  // namespace frametest
