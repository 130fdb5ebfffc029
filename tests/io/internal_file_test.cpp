// READ and WRITE on CHARACTER variables: records in the variable's own
// storage and the conditions of running out of a record or of the file,
// with IOSTAT= and without.
#include "io/io_support.h"

namespace {

std::vector<std::intptr_t> numbers(const std::string &field) {
  std::vector<std::intptr_t> v;
  std::istringstream in(field == "-" ? "" : field);
  for (std::intptr_t x; in >> x;) v.push_back(x);
  return v;
}

// One row of data/rec_internal.tsv, with IOSTAT= (`conditions` -1) or
// without (0).
void run_row(const std::vector<std::string> &r, int conditions) {
  const int len = std::stoi(r[2]), items = std::stoi(r[7]);
  const std::vector<std::intptr_t> extents = numbers(r[4]), strides = numbers(r[5]), values = numbers(r[8]);
  const char *f = r[6] == "*" ? nullptr : r[6].c_str();
  const bool write = r[1] == "W";
  std::string store = write ? std::string(static_cast<std::size_t>(len * std::stoi(r[3])), '*') : r[9];
  tav_cptr_desc d{store.data(), len, 0, {}};
  for (std::size_t k = 0; k < extents.size(); ++k) d.dim[k] = {extents[k], strides[k] * len, 1};
  const int rank = static_cast<int>(extents.size());
  std::vector<std::intptr_t> got;
  int s;
  if (write) {
    s = rank == 0 ? __TAVf90_iwrites(store.data(), len, f, iotest::slen(f), -conditions)
                  : __TAVf90_iwritea(rank, &d, f, iotest::slen(f), -conditions);
    for (int i = 0; s == 0 && i < items; ++i) {
      auto x = static_cast<std::int32_t>(values[static_cast<std::size_t>(i)]);
      s = f ? __TAVf90_write_i(x) : __TAVf90_lwrite_i(x);
    }
    if (s == 0) s = __TAVf90_endiwrite();
    EXPECT_EQ(store, r[9]) << r[0];
  } else {
    s = rank == 0 ? __TAVf90_ireads(store.data(), len, f, iotest::slen(f), nullptr, conditions)
                  : __TAVf90_ireada(rank, &d, f, iotest::slen(f), nullptr, conditions);
    for (int i = 0; s == 0 && i < items; ++i) {
      std::int32_t x = -7;
      s = f ? __TAVf90_read_i(&x) : __TAVf90_lread_i(&x);
      got.push_back(x);
    }
    if (s == 0) s = __TAVf90_endiread();
    EXPECT_EQ(got, values) << r[0];
  }
  EXPECT_EQ(s, std::stoi(r[10])) << r[0];
  EXPECT_EQ(__TAVf90_io_lock, 0) << r[0];
}

// Every row with IOSTAT=; then those with a message again without it, each
// in a child: the condition ends the program.
TEST(InternalFile, ReadAndWrite) {
  const auto rows = iotest::table("rec_internal.tsv", 12);
  for (const auto &r : rows) run_row(r, iotest::kIostat);
  for (const auto &r : rows) {
    const std::string err = iotest::fatal_io(r[11]);
    if (!r[11].empty())
      tavtest::expect_run(r[0], [&] { run_row(r, 0); }, {tavtest::kAborted, "", err.c_str()});
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
  tav_cptr_desc d{in, 2, 0, {{2, 2, 1}}};
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
}

}  // namespace
