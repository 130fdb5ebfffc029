// DATE_AND_TIME, CPU_TIME and SYSTEM_CLOCK.
#include <sys/time.h>
#include <sys/times.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "runtime/fatal.h"
#include "tavf90_system.h"

namespace tav::system {
namespace {

constexpr std::int32_t kZoneUnknown = static_cast<std::int32_t>(0x80000001u);
constexpr std::int32_t kZoneUnavailable = 0x7FFFFFFF;

// The local time zone as DATE_AND_TIME reports it, worked out on the first
// call of an entry and kept for the life of the process: minutes west of
// UTC, and ZONE's text (+hhmm / -hhmm east of UTC; blank when unavailable).
struct ZoneCache {
  std::int32_t value = kZoneUnknown;
  char text[5] = {' ', ' ', ' ', ' ', ' '};

  void compute() {
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &tm) == nullptr) {
      value = kZoneUnavailable;
      return;
    }
    long east = tm.tm_gmtoff / 60;
    value = static_cast<std::int32_t>(-east);
    long a = east < 0 ? -east : east;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%c%02d%02d", east < 0 ? '-' : '+', static_cast<int>(a / 60 % 100),
                  static_cast<int>(a % 60));
    std::memcpy(text, buf, 5);
  }
};

ZoneCache zone_default, zone_i4;

template <class V>
void date_and_time(ZoneCache &zone, char *date, char *time, char *zone_out, const tav_ptr_desc *values, int date_len,
                   int time_len, int zone_len) {
  // Every argument is checked before any is written.
  if (date != nullptr && date_len < 8)
    rt::crash("DATE argument to DATE_AND_TIME is too short (LEN=%d)", date_len);
  if (time != nullptr && time_len < 10)
    rt::crash("TIME argument to DATE_AND_TIME is too short (LEN=%d)", time_len);
  if (zone_out != nullptr && zone_len < 5)
    rt::crash("ZONE argument to DATE_AND_TIME is too short (LEN=%d)", zone_len);
  if (values != nullptr && values->dim[0].extent < 8)
    rt::crash("VALUES argument to DATE_AND_TIME is too small (%d elements)", static_cast<int>(values->dim[0].extent));

  timeval tv{};
  gettimeofday(&tv, nullptr);
  std::time_t secs = tv.tv_sec;
  std::tm tm{};
  localtime_r(&secs, &tm);
  if (zone.value == kZoneUnknown) zone.compute();

  int us = static_cast<int>(tv.tv_usec);
  char buf[48];
  if (date != nullptr) {
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
    std::memcpy(date, buf, 8);
  }
  if (time != nullptr) {
    std::snprintf(buf, sizeof buf, "%02d%02d%02d.%02d", tm.tm_hour, tm.tm_min, tm.tm_sec, us / 10000);
    buf[9] = static_cast<char>('0' + us / 1000 % 10);
    std::memcpy(time, buf, 10);
  }
  if (zone_out != nullptr) std::memcpy(zone_out, zone.text, 5);
  if (values != nullptr) {
    const std::int32_t v[8] = {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, -zone.value,
                               tm.tm_hour,        tm.tm_min,     tm.tm_sec,  us / 1000};
    char *at = values->base;
    for (std::int32_t x : v) {
      V wide = x;
      std::memcpy(at, &wide, sizeof wide);
      at += values->dim[0].stride;
    }
  }
}

// User plus system time of this process (not of its children), in seconds.
double cpu_seconds() {
  tms t{};
  times(&t);
  return static_cast<double>(t.tms_utime + t.tms_stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

}  // namespace
}  // namespace tav::system

using namespace tav::system;

extern "C" {

void __TAVf90_date_and_time(char *date, char *time, char *zone, const tav_ptr_desc *values, int date_len,
                            int time_len, int zone_len) {
  date_and_time<std::int32_t>(zone_default, date, time, zone, values, date_len, time_len, zone_len);
}

void __TAVf90_date_and_time_i4(char *date, char *time, char *zone, const tav_ptr_desc *values, int date_len,
                               int time_len, int zone_len) {
  date_and_time<std::int64_t>(zone_i4, date, time, zone, values, date_len, time_len, zone_len);
}

void __TAVf90_cpu_time(float *time) { *time = static_cast<float>(cpu_seconds()); }
void __TAVf90_cpu_time_d(double *time) { *time = cpu_seconds(); }

// Milliseconds since the start of the current UTC day.
void __TAVf90_system_clock(int *count, int *count_rate, int *count_max) {
  if (count != nullptr) {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    *count = static_cast<int>(tv.tv_sec % 86400 * 1000 + tv.tv_usec / 1000);
  }
  if (count_rate != nullptr) *count_rate = 1000;
  if (count_max != nullptr) *count_max = 86399999;
}

}  // extern "C"
