// DATE_AND_TIME, SYSTEM_CLOCK, CPU_TIME and seeding from the clock, at
// instants the test sets.  Every scenario runs in a child: the time-zone
// caches and the generator are process-wide, and the zone comes from a
// fixed-offset TZ in the child's environment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <string>

#include "fake_clock.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

// 2026-03-04 05:06:07 UTC.
constexpr long kInstant = 1772600767;

tavtest::Options zone(const char *tz) {
  tavtest::Options o;
  o.env = {{"TZ", tz}};
  return o;
}

// DATE (into 12 characters), TIME, ZONE and VALUES of one call, as one
// line; default INTEGER VALUES are every other element of an array.
std::string date_and_time(bool wide) {
  char date[13] = "############", time[11], zone[6] = {};
  std::int64_t v8[8];
  std::int32_t v4[16];
  tav_ptr_desc values = wide ? tav_ptr_desc{reinterpret_cast<char *>(v8), 0, {{8, 8, 1}}}
                             : tav_ptr_desc{reinterpret_cast<char *>(v4), 0, {{8, 8, 1}}};
  (wide ? __TAVf90_date_and_time_i4 : __TAVf90_date_and_time)(date, time, zone, &values, 12, 10, 5);
  std::string s = std::string(date, 12) + " " + std::string(time, 10) + " '" + zone + "'";
  for (int i = 0; i < 8; ++i) s += " " + std::to_string(wide ? v8[i] : v4[2 * i]);
  return s + "\n";
}

void print(const std::string &s) { std::fputs(s.c_str(), stdout); }

TEST(DateAndTime, FixedOffsetZones) {
  const struct {
    const char *tz;
    long seconds, micro;
    const char *out;
  } cases[] = {
      {"EST5", kInstant, 891234, "20260304#### 000607.891 '-0500' 2026 3 4 -300 0 6 7 891\n"},
      {"IST-5:30", kInstant, 891234, "20260304#### 103607.891 '+0530' 2026 3 4 330 10 36 7 891\n"},
      {"UTC0", kInstant, 5000, "20260304#### 050607.005 '+0000' 2026 3 4 0 5 6 7 5\n"},
      {"XYZ11", 946684799, 999999, "19991231#### 125959.999 '-1100' 1999 12 31 -660 12 59 59 999\n"},
  };
  for (const auto &c : cases)
    for (bool wide : {false, true})
      tavtest::expect_run(std::string(c.tz) + (wide ? " _i4" : ""),
                          [&] {
                            fake_clock::set(c.seconds, c.micro);
                            print(date_and_time(wide));
                          },
                          {0, c.out, ""}, zone(c.tz));
}

TEST(DateAndTime, ZoneWorkedOutOncePerEntry) {
  // The zone of each entry stays what it was at that entry's first call;
  // a failing time() leaves it blank and VALUES(4) -HUGE.
  tavtest::expect_run("cache",
                      [] {
                        fake_clock::set(kInstant, 0);
                        print(date_and_time(false));
                        setenv("TZ", "EST5", 1);
                        tzset();
                        print(date_and_time(false));
                        fake_clock::state.time_result = -1;
                        print(date_and_time(true));
                        print(date_and_time(false));
                      },
                      {0,
                       "20260304#### 050607.000 '+0000' 2026 3 4 0 5 6 7 0\n"
                       "20260304#### 000607.000 '+0000' 2026 3 4 0 0 6 7 0\n"
                       "20260304#### 000607.000 '     ' 2026 3 4 -2147483647 0 6 7 0\n"
                       "20260304#### 000607.000 '+0000' 2026 3 4 0 0 6 7 0\n",
                       ""},
                      zone("UTC0"));
  // Absent arguments are skipped; lengths beyond the minimum keep their
  // tails.
  tavtest::expect_run("partial",
                      [] {
                        fake_clock::set(kInstant, 120000);
                        char time[13] = "............";
                        __TAVf90_date_and_time(nullptr, time, nullptr, nullptr, 0, 12, 0);
                        print(std::string(time) + "\n");
                      },
                      {0, "050607.120..\n", ""}, zone("UTC0"));
}

// The first line of what a fatal scenario printed, and that it ended by
// the fatal path.
void expect_fatal(const std::function<void()> &body, const std::string &message) {
  auto r = tavtest::run(body);
  EXPECT_TRUE(r.aborted()) << message << ": " << r.describe();
  EXPECT_EQ(r.err.substr(0, r.err.find('\n')), message);
  EXPECT_EQ(r.err.find("\nProgram terminated by fatal error\n"), message.size());
}

TEST(DateAndTime, ArgumentsTooSmall) {
  char text[16];
  std::int32_t v[8];
  tav_ptr_desc seven{reinterpret_cast<char *>(v), 0, {{7, 4, 1}}}, eight{reinterpret_cast<char *>(v), 0, {{8, 4, 1}}};
  const struct {
    std::function<void()> body;
    const char *message;
  } cases[] = {
      {[&] { __TAVf90_date_and_time(text, nullptr, nullptr, &seven, 7, 0, 0); },
       "DATE argument to DATE_AND_TIME is too short (LEN=7)"},
      {[&] { __TAVf90_date_and_time(text, text, text, &eight, 8, 9, 4); },
       "TIME argument to DATE_AND_TIME is too short (LEN=9)"},
      {[&] { __TAVf90_date_and_time_i4(nullptr, nullptr, text, nullptr, 0, 0, 4); },
       "ZONE argument to DATE_AND_TIME is too short (LEN=4)"},
      {[&] { __TAVf90_date_and_time_i4(text, text, text, &seven, 8, 10, 5); },
       "VALUES argument to DATE_AND_TIME is too small (7 elements)"},
  };
  for (const auto &c : cases) expect_fatal(c.body, c.message);
}

TEST(Clocks, SystemClockAndCpuTime) {
  tavtest::expect_run("clocks",
                      [] {
                        int count = -1, rate = -1, max = -1;
                        fake_clock::set(1, 500000);  // 00:00:01.5 UTC
                        __TAVf90_system_clock(&count, &rate, &max);
                        std::printf("%d %d %d\n", count, rate, max);
                        fake_clock::set(kInstant, 999);  // 05:06:07.000999
                        __TAVf90_system_clock(&count, nullptr, nullptr);
                        std::printf("%d\n", count);
                        // Children's times are not counted.
                        fake_clock::state.user_ticks = 3 * sysconf(_SC_CLK_TCK) / 2;
                        fake_clock::state.system_ticks = sysconf(_SC_CLK_TCK) / 4;
                        fake_clock::state.child_ticks = 1000;
                        float r;
                        double d;
                        __TAVf90_cpu_time(&r);
                        __TAVf90_cpu_time_d(&d);
                        std::printf("%a %a\n", r, d);
                      },
                      {0, "1500 1000 86399999\n18367000\n0x1.cp+0 0x1.cp+0\n", ""});
}

TEST(Clocks, SeedingFromTheClock) {
  // ((t + seedings so far) * 16807 + 1) mod 2^31, with 0 and 2^31 - 1
  // replaced by 1.
  tavtest::expect_run("seeds",
                      [] {
                        std::int32_t s;
                        tav_ptr_desc g{reinterpret_cast<char *>(&s), 0, {{1, 4, 1}}};
                        auto line = [&] { std::printf("%d\n", __TAVf90_get_random_seed(&g)); };
                        fake_clock::set(1000000, 0);
                        line();                                    // GET seeds first
                        __TAVf90_init_random(), line();            // same second, next seeding
                        __TAVf90_random_seed(nullptr, nullptr, nullptr), line();
                        fake_clock::set(868985320, 0);
                        __TAVf90_random_seed(nullptr, &g, nullptr);  // PUT: one seeding
                        __TAVf90_init_random(), line();            // (t + 1) * 16807 + 1 = 2^31 k
                        fake_clock::set(1737970640, 0);
                        __TAVf90_init_random(), line();            // 2^31 - 1
                      },
                      {0, "1774614465\n1774631272\n1774648079\n1\n1\n", ""});
  // The first number seeds from the clock when nothing else did.
  tavtest::expect_run("first number",
                      [] {
                        fake_clock::set(1000000, 0);
                        std::printf("%a\n", __TAVf90_random90_d());
                      },
                      {0, "0x1.9381589f2702bp-1\n", ""});
}

}  // namespace
