#include "support/child.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tavtest {
namespace {

std::string slurp(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const std::string &path, const std::string &data) { std::ofstream(path, std::ios::binary) << data; }

// When the tests run under a user-mode emulator, a child that dies by a
// signal gets one line of the emulator's own appended to its standard error
// ("qemu: uncaught target signal 6 (Aborted) - core dumped"); the library
// never writes it.  Only that line, at the very end, is dropped.
void drop_emulator_line(std::string &err) {
  const std::size_t at = err.rfind("qemu: uncaught target signal ");
  if (at != std::string::npos && err.find('\n', at) == err.size() - 1) err.erase(at);
}

[[noreturn]] void die(const char *what) {
  std::perror(what);
  _exit(120);
}

}  // namespace

std::string Result::file(const std::string &name) const { return slurp(dir + "/" + name); }


std::vector<std::string> Result::files() const {
  std::vector<std::string> names;
  for (const auto &e : std::filesystem::directory_iterator(dir)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Result::describe() const {
  std::string s = signal != 0 ? "signal " + std::to_string(signal) : "exit " + std::to_string(exit_code);
  return s + "\n--- stdout ---\n" + out + "\n--- stderr ---\n" + err;
}

Result run(const std::function<void()> &body, const Options &options) {
  char tmpl[] = "/tmp/tavtest.XXXXXX";
  if (mkdtemp(tmpl) == nullptr) die("mkdtemp");
  Result r;
  r.dir = tmpl;
  // Captured streams live beside the working directory, not in it.
  const std::string io = r.dir + ".io";
  r.cleanup = std::shared_ptr<void>(nullptr, [dir = r.dir, io](void *) {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    std::filesystem::remove_all(io, ignored);
  });
  std::filesystem::create_directory(io);
  spit(io + "/stdin", options.stdin_data);
  for (const auto &[name, data] : options.files) spit(r.dir + "/" + name, data);
  int pipefd[2] = {-1, -1};
  if (options.stdout_pipe && pipe(pipefd) != 0) die("pipe");

  std::fflush(nullptr);
  const pid_t pid = fork();
  if (pid < 0) die("fork");
  if (pid == 0) {
    if (chdir(r.dir.c_str()) != 0) die("chdir");
    const int flags = O_WRONLY | O_CREAT | O_TRUNC;
    const int fds[3] = {open((io + "/stdin").c_str(), O_RDONLY),
                        options.stdout_pipe ? pipefd[1] : open((io + "/stdout").c_str(), flags, 0600),
                        open((io + "/stderr").c_str(), flags, 0600)};
    for (int fd = 0; fd < 3; ++fd)
      if (fds[fd] < 0 || dup2(fds[fd], fd) < 0 || close(fds[fd]) != 0) die("open");
    if (options.stdout_pipe) close(pipefd[0]);
    for (const auto &[k, v] : options.env) setenv(k.c_str(), v.c_str(), 1);
    for (const auto &k : options.unset_env) unsetenv(k.c_str());
    alarm(30);  // a scenario that hangs ends by SIGALRM
    // Exception flags raised by earlier tests in this process would be
    // reported at the scenario's normal end as if it had raised them.
    std::feclearexcept(FE_ALL_EXCEPT);
    body();
    std::exit(0);
  }
  if (options.stdout_pipe) {
    close(pipefd[1]);
    char buf[4096];
    for (ssize_t n; (n = read(pipefd[0], buf, sizeof buf)) > 0;)
      r.out.append(buf, static_cast<std::size_t>(n));
    close(pipefd[0]);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) continue;
  r.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  r.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  if (!options.stdout_pipe) r.out = slurp(io + "/stdout");
  r.err = slurp(io + "/stderr");
  if (r.signal != 0) drop_emulator_line(r.err);
  return r;
}

bool emulated() {
  const char *e = std::getenv("TAV_EMULATED");
  return e != nullptr && *e != '\0';
}

Result expect_run(const std::string &what, const std::function<void()> &body, const Ending &ending,
                  const Options &options) {
  Result r = run(body, options);
  const bool ended = ending.status < 0 ? r.signal == -ending.status : r.exited(ending.status);
  EXPECT_TRUE(ended) << what << ": " << r.describe();
  if (ending.out != nullptr) {
    EXPECT_EQ(r.out, ending.out) << what;
  }
  if (ending.err != nullptr) {
    EXPECT_EQ(r.err, ending.err) << what;
  }
  return r;
}

void expect_fatal(const std::function<void()> &body, const std::string &message) {
  expect_run(message, body, {kAborted, nullptr, (message + "\nProgram terminated by fatal error\n").c_str()});
}

}  // namespace tavtest
