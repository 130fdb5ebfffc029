#include "fake_clock.h"

#include <sys/time.h>
#include <sys/times.h>

namespace fake_clock {

State state;

void set(long seconds, long microseconds) {
  state.active = true;
  state.seconds = seconds;
  state.microseconds = microseconds;
  state.time_result = seconds;
}

}  // namespace fake_clock

using fake_clock::state;

extern "C" {

time_t time(time_t *t) noexcept {
  time_t now;
  if (state.active) {
    now = static_cast<time_t>(state.time_result);
  } else {
    timespec ts;
    clock_gettime(CLOCK_REALTIME, &ts);
    now = ts.tv_sec;
  }
  if (t != nullptr) *t = now;
  return now;
}

int gettimeofday(struct timeval *__restrict tv, void *__restrict) noexcept {
  if (state.active) {
    tv->tv_sec = state.seconds;
    tv->tv_usec = state.microseconds;
    return 0;
  }
  timespec ts;
  clock_gettime(CLOCK_REALTIME, &ts);
  tv->tv_sec = ts.tv_sec;
  tv->tv_usec = ts.tv_nsec / 1000;
  return 0;
}

clock_t times(struct tms *t) noexcept {
  t->tms_utime = static_cast<clock_t>(state.user_ticks);
  t->tms_stime = static_cast<clock_t>(state.system_ticks);
  t->tms_cutime = t->tms_cstime = static_cast<clock_t>(state.child_ticks);
  return 0;
}

}  // extern "C"
