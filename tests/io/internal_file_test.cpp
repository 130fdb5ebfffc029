// READ and WRITE on CHARACTER variables: records in the variable's own
// storage, the conditions of running out of a record or of the file, and
// internal statements between external ones.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "io/io_support.h"
#include "support/child.h"

namespace {

int flen(const char *f) { return f ? static_cast<int>(std::strlen(f)) : 0; }

// A CHARACTER*len array of n elements, filled with '*', seen through a
// rank-r descriptor (extents and element strides given; strides in units
// of one element).  rank 0 means a scalar of the whole storage's first len
// characters.
struct Var {
  int len;
  std::vector<std::intptr_t> extents, strides;
  std::string store;
  tav_cptr_desc d{};
  Var(int len_, int n, std::vector<std::intptr_t> ext = {}, std::vector<std::intptr_t> str = {})
      : len(len_), extents(ext), strides(str), store(static_cast<std::size_t>(len_ * n), '*') {
    d.base = store.data();
    d.len = len;
    for (std::size_t k = 0; k < ext.size(); ++k) d.dim[k] = {ext[k], str[k] * len, 1};
  }
  int rank() const { return static_cast<int>(extents.size()); }
};

struct WriteCase {
  const char *what;
  Var var;
  const char *format;  // null: list-directed
  std::vector<int> values;
  const char *store;  // the variable's storage afterwards
  int status;         // of the first call that fails
};

int internal_write(Var &v, const char *format, const std::vector<int> &values) {
  v.d.base = v.store.data();
  int s = v.rank() == 0 ? __TAVf90_iwrites(v.store.data(), v.len, format, flen(format), 1)
                        : __TAVf90_iwritea(v.rank(), &v.d, format, flen(format), 1);
  if (s) return s;
  for (int x : values)
    if ((s = format ? __TAVf90_write_i(x) : __TAVf90_lwrite_i(x))) return s;
  return __TAVf90_endiwrite();
}

TEST(InternalFile, Write) {
  WriteCase cases[] = {
      {"I3 into CHARACTER*8", Var(8, 1), "(I3)", {42}, " 42     ", 0},
      {"field wider than the record", Var(4, 1), "(I6)", {123456}, "1234", 100},
      {"reversion past the last element", Var(4, 3, {3}, {1}), "(I4)", {1, 2, 3, 4, 5}, "   1   2   3", 101},
      {"slash: records ended are blanked, the rest untouched", Var(4, 3, {3}, {1}), "('ab',/,'cd')", {},
       "ab  cd  ****", 0},
      {"leftward tab keeps what was written", Var(8, 1), "('abcdef',T2,'X')", {}, "aXcdef  ", 0},
      {"strided section: only the selected elements", Var(3, 4, {2}, {2}), "(I3)", {7, 8}, "  7***  8***", 0},
      {"rank 2, first subscript fastest", Var(2, 4, {2, 2}, {2, 1}), "(I2)", {1, 2, 3, 4}, " 1 3 2 4", 0},
      {"list-directed", Var(10, 1), nullptr, {1, -23}, " 1 -23    ", 0},
      {"list-directed: values that do not fit move on", Var(4, 2, {2}, {1}), nullptr, {12, 34}, " 12  34 ", 0},
      {"list-directed: no record left", Var(4, 1), nullptr, {12, 34}, " 12 ", 101},
      {"zero-sized array holds nothing", Var(4, 1, {0}, {1}), "(I4)", {1}, "****", 101},
  };
  for (WriteCase &c : cases) {
    EXPECT_EQ(internal_write(c.var, c.format, c.values), c.status) << c.what;
    EXPECT_EQ(c.var.store, c.store) << c.what;
    EXPECT_EQ(__TAVf90_io_lock, 0) << c.what;
  }
}

struct ReadCase {
  const char *what;
  Var var;
  const char *text;    // the variable's storage
  const char *format;  // null: list-directed
  int items;
  std::vector<int> values;  // after each item call (-7: not stored)
  int status;
};

TEST(InternalFile, Read) {
  ReadCase cases[] = {
      {"blanks are null (BN)", Var(5, 1), "12   ", "(I5)", 1, {12}, 0},
      {"positions beyond the record read as blanks", Var(3, 1), "123", "(I5)", 1, {123}, 0},
      {"slash past the only record", Var(4, 1), "1234", "(I2,/,I2)", 2, {12}, -1},
      {"reversion through the elements", Var(2, 3, {3}, {1}), "112233", "(I2)", 5, {11, 22, 33, -7}, -1},
      {"strided section", Var(2, 4, {2}, {2}), "1 xx2 yy", "(I2)", 2, {1, 2}, 0},
      {"list-directed across elements", Var(4, 2, {2}, {1}), "1,2 3   ", nullptr, 3, {1, 2, 3}, 0},
      {"list-directed past the end", Var(3, 1), "1 2", nullptr, 3, {1, 2, -7}, -1},
      {"list-directed slash ends the list", Var(6, 1), "5 / 6 ", nullptr, 2, {5, -7}, 0},
      {"zero-sized array", Var(2, 1, {0}, {1}), "12", "(I2)", 1, {}, -1},
  };
  for (ReadCase &c : cases) {
    c.var.store = c.text;
    c.var.d.base = c.var.store.data();
    Var &v = c.var;
    const char *f = c.format;
    std::vector<int> got;
    int s = v.rank() == 0 ? __TAVf90_ireads(v.store.data(), v.len, f, flen(f), nullptr, iotest::kIostat)
                          : __TAVf90_ireada(v.rank(), &v.d, f, flen(f), nullptr, iotest::kIostat);
    for (int i = 0; s == 0 && i < c.items; ++i) {
      int x = -7;
      s = f ? __TAVf90_read_i(&x) : __TAVf90_lread_i(&x);
      got.push_back(x);
    }
    if (s == 0) s = __TAVf90_endiread();
    EXPECT_EQ(s, c.status) << c.what;
    EXPECT_EQ(got, c.values) << c.what;
    EXPECT_EQ(__TAVf90_io_lock, 0) << c.what;
  }
}

// The hooks themselves: the record's bounds, the end of the file and the
// characters counted for SIZE=.
TEST(InternalFile, HooksReportEveryCondition) {
  char out[2] = {'*', '*'};
  ASSERT_EQ(__TAVf90_iwrites(out, 2, nullptr, 0, 1), 0);
  EXPECT_EQ(iotest::put("ab"), 0);
  EXPECT_EQ(__TAVf90_mychar('c'), 100);
  EXPECT_EQ(__TAVf90_myendrec(), 0);  // the last record ended: no error yet
  EXPECT_EQ(__TAVf90_mychar('d'), 101);
  EXPECT_EQ(iotest::put("e"), 101);
  EXPECT_EQ(__TAVf90_myendrec(), 101);
  __TAVf90_endiwrite();
  EXPECT_EQ(std::string(out, 2), "ab");

  char in[4] = {'w', 'x', 'y', 'z'};
  tav_cptr_desc d{};
  d.base = in;
  d.len = 2;
  d.dim[0] = {2, 2, 1};
  int size = -1;
  ASSERT_EQ(__TAVf90_ireada(1, &d, "()", 2, &size, iotest::kIostat), 0);
  int code;
  EXPECT_EQ(iotest::take(3, &code), "wx");
  EXPECT_EQ(code, -2);
  EXPECT_EQ(__TAVf90_myendrec(), 0);
  char buf[3] = {};
  EXPECT_EQ(__TAVf90_mystring(buf, 3), -2);
  EXPECT_EQ(std::string(buf, 2), "yz");
  EXPECT_EQ(__TAVf90_myendrec(), -1);
  __TAVf90_endiread();
  EXPECT_EQ(size, 4);

  // An A field wider than the record is padded, as every field is: the
  // item gets the field's last characters, blanks here.
  char ch[2] = {'*', '*'};
  ASSERT_EQ(__TAVf90_ireads(in, 2, "(A5)", 4, nullptr, iotest::kIostat), 0);
  EXPECT_EQ(__TAVf90_read_ch(ch, 2), 0);
  __TAVf90_endiread();
  EXPECT_EQ(std::string(ch, 2), "  ");
}

TEST(InternalFile, UnhandledConditionsAreFatal) {
  struct {
    const char *what;
    std::function<void()> body;
    const char *message;
  } cases[] = {
      {"overflow",
       [] {
         char v[2];
         __TAVf90_iwrites(v, 2, "(I2,/,I2)", 9, 0);
         __TAVf90_write_i(1);
         __TAVf90_write_i(2);
       },
       "Internal file overflow\nProgram terminated by fatal I/O error\n"},
      {"end of file",
       [] {
         char v[2] = {'1', '2'};
         int x;
         __TAVf90_ireads(v, 2, nullptr, 0, nullptr, 0);
         __TAVf90_lread_i(&x);
         __TAVf90_lread_i(&x);
       },
       "End of internal file\nProgram terminated by fatal I/O error\n"},
      {"internal WRITE inside another statement",
       [] {
         char v[2];
         f90_io_init();
         __TAVf90_write(6, "(I2)", 4, nullptr, 0, 0);
         __TAVf90_iwrites(v, 2, "(I2)", 4, 0);
       },
       "Recursive I/O reference"},
  };
  for (auto &c : cases) {
    tavtest::Result r = tavtest::run(c.body);
    EXPECT_TRUE(r.aborted()) << c.what << r.describe();
    EXPECT_NE(r.err.find(c.message), std::string::npos) << c.what << r.describe();
  }
}

// Internal statements between external ones: nothing either kind sets
// reaches the next statement.
TEST(InternalFile, BetweenExternalStatements) {
  tavtest::Result r = tavtest::run([] {
    f90_io_init();
    char v[6];
    int x = 0;
    std::string got;
    // In order: statement by statement, item by item.
    for (int status : {__TAVf90_write(6, "(SP,I3)", 7, nullptr, 0, 1), __TAVf90_write_i(1), __TAVf90_endwrite(),
                       __TAVf90_iwrites(v, 6, "(I3)", 4, 1), __TAVf90_write_i(2), __TAVf90_endiwrite(),
                       // The slash runs past the only record once the first item is in.
                       __TAVf90_ireads(v, 6, "(I2,/,I2)", 9, nullptr, iotest::kIostat), __TAVf90_read_i(&x),
                       __TAVf90_endiread(), __TAVf90_write(6, "(I3,A)", 6, nullptr, 0, 1), __TAVf90_write_i(3),
                       __TAVf90_write_ch(v, 6), __TAVf90_endwrite()})
      got += std::to_string(status);
    std::fflush(stdout);
    std::fputs(got.c_str(), stderr);
    f90_io_finish();
  });
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, " +1\n  3  2   \n");
  EXPECT_EQ(r.err, "0000000-100000");
}

}  // namespace
