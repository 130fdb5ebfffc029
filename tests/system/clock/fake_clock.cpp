// A clock the tests set: this program defines time, gettimeofday and times
// and exports them, so the library's calls reach these.  Until a test sets
// the clock they answer from the real one.
#include <sys/time.h>
#include <sys/times.h>

#include <ctime>

namespace fake_clock {
bool active = false;
long seconds = 0, microseconds = 0;
long time_result = 0;  // what time() answers; -1 is its failure
long user_ticks = 0, system_ticks = 0, child_ticks = 0;
}  // namespace fake_clock

using namespace fake_clock;

extern "C" {

time_t time(time_t *t) noexcept {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  time_t now = active ? static_cast<time_t>(time_result) : ts.tv_sec;
  if (t != nullptr) *t = now;
  return now;
}

int gettimeofday(struct timeval *__restrict tv, void *__restrict) noexcept {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tv->tv_sec = active ? seconds : ts.tv_sec;
  tv->tv_usec = active ? microseconds : ts.tv_nsec / 1000;
  return 0;
}

clock_t times(struct tms *t) noexcept {
  t->tms_utime = static_cast<clock_t>(user_ticks);
  t->tms_stime = static_cast<clock_t>(system_ticks);
  t->tms_cutime = t->tms_cstime = static_cast<clock_t>(child_ticks);
  return 0;
}

}  // extern "C"
