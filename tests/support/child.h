// Runs a scenario in a forked child with its own working directory, standard
// input, output and error, and reports what it did: output, exit status or
// terminating signal, and the files it left.
#pragma once

#include <csignal>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace tavtest {

struct Options {
  std::string stdin_data;
  // Environment variables set, then those removed, in the child (before the
  // scenario runs).
  std::vector<std::pair<std::string, std::string>> env;
  std::vector<std::string> unset_env;
  // Files created in the child's working directory beforehand.
  std::map<std::string, std::string> files;
  // Standard output goes to a pipe instead of a regular file.
  bool stdout_pipe = false;
};

struct Result {
  std::string out;     // standard output
  std::string err;     // standard error
  int exit_code = -1;  // when the child exited
  int signal = 0;      // when a signal ended it (it is killed after 30 s)
  std::string dir;     // its working directory, removed with the last copy of the Result
  std::shared_ptr<void> cleanup;

  bool exited(int code) const { return signal == 0 && exit_code == code; }
  // Contents of a file the child left in its directory ("" when missing).
  std::string file(const std::string &name) const;
  // Names of the files in the directory, sorted.
  std::vector<std::string> files() const;
  // A description for assertion messages.
  std::string describe() const;
};

// Runs body() in a child process.  When body returns the child calls
// exit(0), so C streams are flushed as at a normal end.
Result run(const std::function<void()> &body, const Options &options = {});

// How a scenario is expected to end: `status` is its exit code, or minus
// the signal that ended it (kAborted); a null `out` or `err` is not compared.
constexpr int kAborted = -SIGABRT;
struct Ending {
  int status;
  const char *out = nullptr;
  const char *err = nullptr;
};
// Runs body in a child and checks its ending (as gtest failures labelled
// with `what`); returns the result for further checks.
Result expect_run(const std::string &what, const std::function<void()> &body, const Ending &ending,
                  const Options &options = {});
// Runs body in a child that must end by the fatal path after printing
// exactly `message` and the closing line (nothing located: no traceback).
void expect_fatal(const std::function<void()> &body, const std::string &message);

// True when the test programs run under a user-mode emulator (the build
// sets TAV_EMULATED in the tests' environment).  The emulator reproduces
// everything the tests check but two things of the hardware: x87
// exceptions that trap, and the exact bits of x87 transcendental
// instructions.  Tests of those two skip there, saying why; the suite runs
// the trap tests on an emulated i386 kernel instead (tests/CMakeLists.txt).
bool emulated();

}  // namespace tavtest

#define TAV_SKIP_WHEN_EMULATED(why)                                          \
  do {                                                                       \
    if (::tavtest::emulated()) GTEST_SKIP() << "under emulation: " << (why); \
  } while (0)
