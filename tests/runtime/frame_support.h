// Helpers shared by the runtime-frame scenarios: starting a program as
// compiled code does, and reaching the x87 control and status words.
#pragma once

#include <cstdint>
#include <string>

#include "tavf90.h"

namespace frametest {

// The standard units are connected at start-up; these scenarios look at the
// frame's own output only, so they take the units out of the table again and
// the end of the program does not depend on how units are closed.
inline void detach_standard_units() {
  __TAVf90_file[0] = nullptr;
  __TAVf90_file[5] = nullptr;
  __TAVf90_file[6] = nullptr;
}

inline void start(void (*init)(int, char **)) {
  static char prog[] = "prog";
  static char *argv[] = {prog, nullptr};
  init(1, argv);
  detach_standard_units();
}

#if defined(__i386__) || defined(__x86_64__)
#define FRAMETEST_X87 1
inline std::uint16_t control_word() {
  std::uint16_t cw;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
}
inline void set_control_word(std::uint16_t cw) { __asm__ volatile("fldcw %0" : : "m"(cw)); }
inline void clear_exception_flags() { __asm__ volatile("fnclex"); }
#endif

inline std::string fatal(const std::string &message) { return message + "\nProgram terminated by fatal error\n"; }

}  // namespace frametest
