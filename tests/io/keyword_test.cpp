#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "support/child.h"
#include "tavf90.h"

namespace {

int match(const char *value, const char *keyword) {
  return __TAVf90_cidata_match(value, static_cast<int>(std::strlen(value)), keyword);
}

TEST(Keyword, CaseAndTrailingBlanks) {
  // Only letters fold: a character that merely lies 32 below is no match.
  const std::tuple<const char *, const char *, int> cases[] = {
      {"REWIND", "REWIND", 1}, {"rewind", "REWIND", 1}, {"ReWiNd   ", "REWIND", 1}, {"no", "NO", 1},
      {"NO ", "NO", 1},        {" NO", "NO", 0},         {"NOX", "NO", 0},            {"N", "NO", 0},
      {"REWINDx", "REWIND", 0}, {"\x0e", ".", 0},
  };
  for (const auto &[value, keyword, matches] : cases) EXPECT_EQ(match(value, keyword), matches) << value;
  EXPECT_EQ(__TAVf90_cidata_match("YESNO", 3, "YES"), 1);
  EXPECT_EQ(__TAVf90_cidata_match("", 0, ""), 1);
}

TEST(Harness, ChildSeesItsOwnStreamsAndDirectory) {
  tavtest::Options o;
  o.stdin_data = "hello\n";
  o.env = {{"TAV_X", "1"}};
  auto r = tavtest::run(
      [] {
        char buf[16] = {};
        if (std::fgets(buf, sizeof buf, stdin) == nullptr) std::abort();
        std::printf("got %s", buf);
        std::fprintf(stderr, "env %s\n", std::getenv("TAV_X"));
        std::FILE *f = std::fopen("made.txt", "w");
        std::fputs("data", f);
        std::fclose(f);
      },
      o);
  EXPECT_TRUE(r.exited(0)) << r.describe();
  EXPECT_EQ(r.out, "got hello\n");
  EXPECT_EQ(r.err, "env 1\n");
  EXPECT_EQ(r.file("made.txt"), "data");
  auto aborted = tavtest::run([] { std::abort(); });
  EXPECT_TRUE(aborted.aborted());
}

}  // namespace
