// The lowerings of docs/abi.md, run: each does what the page says it does.
#include <cerrno>

#include "support/common.h"
extern "C" {
#include "abi_snippets.h"
}

namespace {

char program_name[] = "abi";
char *program_argv[] = {program_name, nullptr};

// Runs body as a main program with `input` on standard input (and FORT10
// unset): started, then ended normally unless body ends it; it must print
// `out` and nothing on standard error.
tavtest::Result run_program(const char *what, void (*body)(), const std::string &out, const char *input = "") {
  tavtest::Options options;
  options.stdin_data = input;
  options.unset_env = {"FORT10"};
  return tavtest::expect_run(
      what, [body] { f90_init1(1, program_argv), body(), f90_finish(0); }, {0, out.c_str(), ""}, options);
}

TEST(AbiDoc, MainProgramCallsAProcedureThatPrints) {
  tavtest::expect_run("main program", [] { abi_doc_main(1, program_argv); }, {0, "n = 3\n twice 6 T\n"});
}

// Pairs until the end of the input; a slash leaves x as it was.
TEST(AbiDoc, ListDirectedReadWithEnd) {
  run_program("read with end", [] {
    float total = -1;
    int count = -1;
    sum_input(&total, &count);
    std::printf("%g %d\n", total, count);
  }, "6.5 3\n", "2 1.5\n3, 0.5\n4 /\n");
}

// FILE= is read to its length, not to a NUL; STATUS='DELETE' removes the
// file; a missing directory is the system's ENOENT.  A WRITE with IOSTAT=
// leaves 0 on success; a condition comes back as the result and in iostat,
// with no message.
TEST(AbiDoc, OpenWriteWithIostatAndClose) {
  auto r = run_program("open, write and close", [] {
    int log = 20, gone = 21, bad = 22, ios[3] = {-1, -1, -1}, unit = 10, bad_unit = -3, n = 42;
    float x = 2.5f;
    open_log(&log, "log.txtIGNORED", &ios[0], 7);
    open_log(&gone, "gone.txt", &ios[1], 8);
    close_log(&gone);
    open_log(&bad, "no/such/dir", &ios[2], 11);
    const int ok = save_pair(&log, &n, &x) + save_pair(&unit, &n, &x), failed = save_pair(&bad_unit, &n, &x);
    std::printf("%d %d %d %d %d %d\n", ios[0], ios[1], ios[2], ok, failed, iostat);
  }, "0 0 " + std::to_string(ENOENT) + " 0 147 147\n");
  EXPECT_EQ(r.files(), (std::vector<std::string>{"fort.10", "log.txt"}));
  EXPECT_EQ(r.file("log.txt") + r.file("fort.10"), "   42   2.500\n   42   2.500\n");
}

// a(1:3, 0:2): element (i, j) is number (i - 1) + 3 * j in array-element
// order.
TEST(AbiDoc, AllocateWithStatAndElementAddress) {
  tav_ptr_desc a{};
  int n = 3, m = 2, ist = -1;
  make_grid(&a, &n, &m, &ist);
  ASSERT_EQ(ist, 0);
  ASSERT_NE(a.base, nullptr);
  const float *elements = reinterpret_cast<const float *>(a.base);
  struct { int i, j, index; } cells[] = {{1, 0, 0}, {3, 0, 2}, {1, 1, 3}, {3, 2, 8}};
  for (auto c : cells) {
    float x = 10.0f * c.i + c.j;
    set_grid(&a, &c.i, &c.j, &x);
    EXPECT_EQ(elements[c.index], x) << "a(" << c.i << ", " << c.j << ")";
  }
  free_grid(&a, &ist);
  EXPECT_EQ(ist, 0);
  EXPECT_EQ(a.base, nullptr);
  free_grid(&a, &ist);
  EXPECT_EQ(ist, 1) << "DEALLOCATE of an unallocated array with STAT=";
}

TEST(AbiDoc, SubscriptCheck) {
  float a[60] = {};
  a[2 + 10 * 5] = 4.5f;
  int i = 3, j = 5;
  EXPECT_EQ(pick(a, &i, &j), 4.5f);
  struct { int i, j; const char *message; } bad[] = {
      {3, 6, "Subscript 2 of A (value 6) is out of range (0:5)\n"},
      {0, 0, "Subscript 1 of A (value 0) is out of range (1:10)\n"}};
  for (auto b : bad) {
    const std::string err =
        std::string(b.message) + "Program terminated by fatal error\nIn PICK, line 5 of pick.f90\n";
    tavtest::expect_run(b.message, [&] { pick(a, &b.i, &b.j); }, {tavtest::kAborted, nullptr, err.c_str()});
  }
}

// The group's objects take what the input names, element by element; an
// unknown name is error 190 through IOSTAT=, after the pairs before it.
// The WRITE then shows the group as the READs left it.
TEST(AbiDoc, NamelistReadWithIostat) {
  run_program("namelist read", [] {
    int ios[2] = {-9, -9};
    read_config(&ios[0]);
    read_config(&ios[1]);
    std::printf("%d %d\n", ios[0], ios[1]);
    std::fflush(stdout);
    write_config(&ios[0]);
    f90_finish(ios[0]);
  }, "0 190\n"
     " &CFG STEPS = 4, TOL =   0.0000000E+00   0.5000000   2.5000000, LABEL = run1    /\n",
     "&cfg steps=3, tol(2:3)=0.5 2.5 label='run1' /\n&CFG STEPS=4 COLOUR=2 /\n");
}

}  // namespace
