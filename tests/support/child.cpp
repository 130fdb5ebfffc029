#include "support/child.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cfenv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace tavtest {
namespace {

std::string slurp(const std::string &path, bool *exists) {
  std::ifstream in(path, std::ios::binary);
  if (exists != nullptr) *exists = static_cast<bool>(in);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const std::string &path, const std::string &data) {
  std::ofstream out(path, std::ios::binary);
  out << data;
}

void remove_tree(const std::string &path) {
  std::error_code ignored;
  if (!path.empty()) std::filesystem::remove_all(path, ignored);
}

// When the tests run under a user-mode emulator, a child that dies by a
// signal gets one line of the emulator's own appended to its standard error
// ("qemu: uncaught target signal 6 (Aborted) - core dumped"); the library
// never writes it.  Only that line, at the very end, is dropped.
void drop_emulator_line(std::string &err) {
  static const std::regex line("qemu: uncaught target signal [0-9]+ \\([^)\n]*\\)( - core dumped)?\n$");
  std::smatch m;
  if (std::regex_search(err, m, line)) err.erase(static_cast<std::size_t>(m.position(0)));
}

[[noreturn]] void die(const char *what) {
  std::perror(what);
  _exit(120);
}

}  // namespace

Result::Result(Result &&o) noexcept
    : out(std::move(o.out)), err(std::move(o.err)), exit_code(o.exit_code), signal(o.signal), dir(std::move(o.dir)) {
  o.dir.clear();
}

Result::~Result() {
  remove_tree(dir);
  if (!dir.empty()) remove_tree(dir + ".io");
}

std::string Result::file(const std::string &name, bool *exists) const { return slurp(dir + "/" + name, exists); }

bool Result::has_file(const std::string &name) const { return access((dir + "/" + name).c_str(), F_OK) == 0; }

std::vector<std::string> Result::files() const {
  std::vector<std::string> names;
  std::error_code ignored;
  for (const auto &e : std::filesystem::directory_iterator(dir, ignored)) names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

std::string Result::describe() const {
  std::ostringstream s;
  if (signal != 0)
    s << "signal " << signal;
  else
    s << "exit " << exit_code;
  s << "\n--- stdout ---\n" << out << "\n--- stderr ---\n" << err;
  return s.str();
}

Result run(const std::function<void()> &body, const Options &options) {
  char tmpl[] = "/tmp/tavtest.XXXXXX";
  if (mkdtemp(tmpl) == nullptr) die("mkdtemp");
  Result r;
  r.dir = tmpl;
  // Captured streams live beside the working directory, not in it.
  std::string io = r.dir + ".io";
  mkdir(io.c_str(), 0700);
  spit(io + "/stdin", options.stdin_data);
  for (const auto &[name, data] : options.files) spit(r.dir + "/" + name, data);

  int pipefd[2] = {-1, -1};
  if (options.stdout_pipe && pipe(pipefd) != 0) die("pipe");

  std::fflush(nullptr);
  pid_t pid = fork();
  if (pid < 0) die("fork");
  if (pid == 0) {
    if (chdir(r.dir.c_str()) != 0) die("chdir");
    int in = open((io + "/stdin").c_str(), O_RDONLY);
    int err = open((io + "/stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int out = options.stdout_pipe ? pipefd[1] : open((io + "/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int fds[3] = {in, out, err};
    for (int fd = 0; fd < 3; ++fd)
      if (fds[fd] < 0 || dup2(fds[fd], fd) < 0 || close(fds[fd]) != 0) die("open");
    if (options.stdout_pipe) close(pipefd[0]);
    for (const auto &[k, v] : options.env) setenv(k.c_str(), v.c_str(), 1);
    for (const auto &k : options.unset_env) unsetenv(k.c_str());
    alarm(options.timeout);
    // Exception flags raised by earlier tests in this process would be
    // reported at the scenario's normal end as if it had raised them.
    std::feclearexcept(FE_ALL_EXCEPT);
    body();
    std::exit(0);
  }
  if (options.stdout_pipe) {
    close(pipefd[1]);
    char buf[4096];
    ssize_t n;
    while ((n = read(pipefd[0], buf, sizeof buf)) > 0) r.out.append(buf, static_cast<std::size_t>(n));
    close(pipefd[0]);
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
  }
  if (WIFSIGNALED(status))
    r.signal = WTERMSIG(status);
  else
    r.exit_code = WEXITSTATUS(status);
  if (!options.stdout_pipe) r.out = slurp(io + "/stdout", nullptr);
  r.err = slurp(io + "/stderr", nullptr);
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
  bool ended = ending.status < 0 ? r.signal == -ending.status : r.exited(ending.status);
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
