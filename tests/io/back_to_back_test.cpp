// Statements of different kinds run one after another, with nothing reset
// between them but what the library's own begin calls reset: modes, flags
// and positions left by one statement (also by one that failed) must not
// reach the next.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "io/statement_support.h"
#include "support/child.h"

namespace {

using stmttest::kIostat;

struct DC {
  double re, im;
};
using Item = std::variant<int, float, double, DC, const char *>;

int put_formatted(const Item &item) {
  if (auto *i = std::get_if<int>(&item)) return __TAVf90_write_i(*i);
  if (auto *r = std::get_if<float>(&item)) return __TAVf90_write_r(*r);
  if (auto *d = std::get_if<double>(&item)) return __TAVf90_write_d(*d);
  if (auto *c = std::get_if<DC>(&item)) return __TAVf90_write_dc(c->re, c->im);
  const char *s = std::get<const char *>(item);
  return __TAVf90_write_ch(s, static_cast<int>(std::strlen(s)));
}

int put_listed(const Item &item) {
  if (auto *i = std::get_if<int>(&item)) return __TAVf90_lwrite_i(*i);
  if (auto *r = std::get_if<float>(&item)) return __TAVf90_lwrite_r(*r);
  if (auto *d = std::get_if<double>(&item)) return __TAVf90_lwrite_d(*d);
  if (auto *c = std::get_if<DC>(&item)) return __TAVf90_lwrite_dc(c->re, c->im);
  const char *s = std::get<const char *>(item);
  return __TAVf90_lwrite_ch(s, static_cast<int>(std::strlen(s)));
}

// WRITE(unit, format, IOSTAT=) items; a null format is list-directed.
// The status of the first call that fails, else 0.
int write_stmt(int unit, const char *format, const std::vector<Item> &items) {
  if (int s = __TAVf90_write(unit, format, format ? -1 : 0, nullptr, 0, 1)) return s;
  for (const Item &item : items)
    if (int s = format ? put_formatted(item) : put_listed(item)) return s;
  return __TAVf90_endwrite();
}

// READ(5, format, IOSTAT=) with no items.
int read_stmt(const char *format) {
  if (int s = stmttest::begin_read(5, true, kIostat, nullptr, format)) return s;
  return __TAVf90_endread();
}

struct Case {
  const char *what;
  std::function<std::vector<int>()> statements;  // their statuses
  const char *out;
  std::vector<int> statuses;
};

const Case kCases[] = {
    {"SP ends with its statement",
     [] {
       return std::vector{write_stmt(6, "(SP,I3)", {1}), write_stmt(6, nullptr, {1.0f, 2.0}),
                          write_stmt(6, "(SP,2P,F8.2)", {1.5}), write_stmt(6, "(F8.2,I3)", {1.5, 1}),
                          read_stmt("(SP)"), write_stmt(6, nullptr, {1.0f})};
     },
     " +1\n   1.0000000   2.0000000000000000\n +150.00\n    1.50  1\n   1.0000000\n",
     {0, 0, 0, 0, 0, 0}},
    {"a failed complex value leaves no field without its blanks",
     [] {
       int recl = 20;
       __TAVf90_open(10, "c.txt", 5, nullptr, 0, nullptr, 0, nullptr, 0, &recl, nullptr, 0, nullptr, 0,
                     nullptr, 0, nullptr, 0, nullptr, 0, 0);
       return std::vector{write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(F10.3)", {1.5}),
                          write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(E10.3)", {1.5}),
                          write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, nullptr, {1.5f}),
                          write_stmt(10, nullptr, {DC{1.0, 2.0}}), write_stmt(6, "(SP,2P,E12.3)", {1.5})};
     },
     "     1.500\n 0.150E+01\n   1.5000000\n  +15.00E-01\n", {100, 0, 100, 0, 100, 0, 100, 0}},
    {"character values and failed items between statements",
     [] {
       return std::vector{write_stmt(6, nullptr, {"ab"}), write_stmt(6, "(A)", {"cd"}),
                          write_stmt(6, nullptr, {"ef", "gh"}), write_stmt(6, "(SP,I3,F5.1)", {1, 2}),
                          write_stmt(6, "(I3)", {1}), write_stmt(6, nullptr, {"ij"})};
     },
     " ab\ncd\n efgh\n  1\n ij\n", {0, 0, 0, 135, 0, 0}},
};

TEST(BackToBack, NothingLeaksIntoTheNextStatement) {
  tavtest::Options o;
  o.stdin_data = "first\nsecond\n";
  for (const Case &c : kCases) {
    std::string codes;
    for (int s : c.statuses) codes += std::to_string(s) + " ";
    tavtest::expect_run(
        c.what,
        [&c] {
          f90_io_init();
          std::string got;
          for (int s : c.statements()) got += std::to_string(s) + " ";
          std::fflush(stdout);
          std::fputs(got.c_str(), stderr);
          f90_io_finish();
        },
        {0, c.out, codes.c_str()}, o);
  }
}

}  // namespace
