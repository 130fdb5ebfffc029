// A clock the test sets.  While `active` is false the replaced functions
// answer from the real clock.
#pragma once

#include <ctime>

namespace fake_clock {

struct State {
  bool active = false;
  long seconds = 0;       // gettimeofday
  long microseconds = 0;
  long time_result = 0;   // time(); -1 makes it fail
  long user_ticks = 0, system_ticks = 0, child_ticks = 0;  // times()
};
extern State state;

// gettimeofday and time at `seconds` (UTC) plus `microseconds`.
void set(long seconds, long microseconds);

}  // namespace fake_clock
