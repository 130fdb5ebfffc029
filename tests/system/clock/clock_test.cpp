// DATE_AND_TIME, SYSTEM_CLOCK, CPU_TIME and seeding from the clock at
// instants the test sets.  Each scenario runs in a child: the zone caches
// and the generator are process-wide, and the zone comes from a
// fixed-offset TZ in the child's environment.
#include <ctime>
#include <sys/time.h>
#include <sys/times.h>
#include <unistd.h>

#include "support/common.h"

// A clock the tests set: this program defines time, gettimeofday and times
// and exports them, so the library's calls reach these.
namespace {
long seconds = 0, microseconds = 0;
long time_result = 0;  // what time() answers; -1 is its failure
long user_ticks = 0, system_ticks = 0, child_ticks = 0;
}  // namespace

extern "C" {

time_t time(time_t *) noexcept { return time_result; }  // the library asks with a null argument

int gettimeofday(struct timeval *__restrict tv, void *__restrict) noexcept {
  *tv = timeval{seconds, microseconds};
  return 0;
}

clock_t times(struct tms *t) noexcept {
  *t = tms{user_ticks, system_ticks, child_ticks, child_ticks};
  return 0;
}

}  // extern "C"

namespace {

constexpr long kInstant = 1772600767;  // 2026-03-04 05:06:07 UTC

void set_clock(long s, long us) {
  seconds = time_result = s;
  microseconds = us;
}

void run(const char *tz, const std::function<void()> &body, const char *out) {
  tavtest::Options o;
  o.env = {{"TZ", tz}};
  tavtest::expect_run(tz, body, {0, out, ""}, o);
}

// Prints DATE (into 12 characters), TIME, ZONE and VALUES of one call;
// default INTEGER VALUES go to every other element of an array.
void print_date_and_time(bool wide) {
  char date[13] = "############", time[11] = {}, zone[6] = {};
  std::int64_t v[8];
  tav_ptr_desc values{reinterpret_cast<char *>(v), 0, {{8, 8, 1}}};
  (wide ? __TAVf90_date_and_time_i4 : __TAVf90_date_and_time)(date, time, zone, &values, 12, 10, 5);
  std::printf("%s %s '%s'", date, time, zone);
  for (int i = 0; i < 8; ++i) std::printf(" %lld", wide ? v[i] : reinterpret_cast<std::int32_t *>(v)[2 * i]);
  std::printf("\n");
}

TEST(DateAndTime, FixedOffsetZones) {
  for (const auto &c : tavtest::table("system/data/zones.tsv", 4)) {
    auto body = [&] { set_clock(std::stol(c[1]), std::stol(c[2])), print_date_and_time(false); };
    run(c[0].c_str(), body, c[3].c_str());
  }
}

TEST(DateAndTime, ZoneWorkedOutOncePerEntry) {
  // Each entry keeps the zone of its first call; a failing time() leaves
  // the zone blank and VALUES(4) -HUGE.  Absent arguments are skipped.
  run("UTC0",
      [] {
        set_clock(kInstant, 120000);
        print_date_and_time(false);
        setenv("TZ", "EST5", 1), tzset();
        print_date_and_time(false);
        time_result = -1;
        print_date_and_time(true);
        char time[13] = "............";
        __TAVf90_date_and_time(nullptr, time, nullptr, nullptr, 0, 12, 0);
        std::printf("%s\n", time);
      },
      "20260304#### 050607.120 '+0000' 2026 3 4 0 5 6 7 120\n"
      "20260304#### 000607.120 '+0000' 2026 3 4 0 0 6 7 120\n"
      "20260304#### 000607.120 '     ' 2026 3 4 -2147483647 0 6 7 120\n"
      "000607.120..\n");
}

TEST(Clocks, SystemClockCpuTimeAndSeeding) {
  run("UTC0",
      [] {
        int count = -1, rate = -1, max = -1;
        set_clock(kInstant, 500999);  // 05:06:07.500999 UTC
        __TAVf90_system_clock(&count, &rate, &max);
        __TAVf90_system_clock(nullptr, nullptr, nullptr);
        std::printf("%d %d %d\n", count, rate, max);
        // 1.5 s of user and 0.25 s of system time; children's not counted.
        user_ticks = 3 * sysconf(_SC_CLK_TCK) / 2;
        system_ticks = sysconf(_SC_CLK_TCK) / 4;
        child_ticks = 1000;
        float r;
        double d;
        __TAVf90_cpu_time(&r), __TAVf90_cpu_time_d(&d);
        std::printf("%a %a\n", r, d);
        // Seed ((t + clock seedings so far) * 16807 + 1) mod 2^31, 0 and
        // 2^31 - 1 giving 1.
        std::int32_t s;
        tav_ptr_desc g{reinterpret_cast<char *>(&s), 0, {{1, 4, 1}}};
        auto seed = [&g](const char *end) { std::printf("%d%s", __TAVf90_get_random_seed(&g), end); };
        set_clock(1000000, 0);
        seed(" ");  // GET seeds when nothing did
        __TAVf90_init_random(), seed(" ");
        __TAVf90_random_seed(nullptr, nullptr, nullptr), seed(" ");
        __TAVf90_random_seed(nullptr, &g, nullptr);  // PUT sets the count of seedings to 1
        set_clock(868985320, 0), __TAVf90_init_random(), seed(" ");
        set_clock(1737970640, 0), __TAVf90_init_random(), seed("\n");
      },
      "18367500 1000 86399999\n0x1.cp+0 0x1.cp+0\n1774614465 1774631272 1774648079 1 1\n");
  // The first number seeds when nothing did.
  run("UTC0", [] { set_clock(1000000, 0), std::printf("%a\n", __TAVf90_random90_d()); }, "0x1.9381589f2702bp-1\n");
}

}  // namespace
