// Files the peer runtime wrote (tests/io/files_data, made by peer_write.f90)
// read by the library: the record layout is the same both ways.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "io/files_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using namespace filetest;

std::string data_file(const char *name) { return std::string(TAV_SOURCE_DIR "/tests/io/files_data/") + name; }

TEST(Interchange, PeerSequentialFile) {
  const std::string path = data_file("peer_seq.unf");
  tavtest::expect_run("peer_seq.unf", [&path] {
    f90_io_init();
    put_file("peer_seq.unf", slurp(path.c_str()));
    open_unf(10, "peer_seq.unf");
    int32_t five[5];
    double d[4];
    char hello[6] = {};
    int16_t k2[3];
    int32_t flag;
    std::printf("%d:", __TAVf90_readu_opt(10, 0, five, 20));
    for (int v : five) std::printf("%d", v);
    __TAVf90_readu(10, 0);
    __TAVf90_uread(d, 32);
    __TAVf90_uread(hello, 5);
    std::printf(" %d %g %g %g %g %s", __TAVf90_endreadu(), d[0], d[1], d[2], d[3], hello);
    std::printf(" %d", __TAVf90_readu_opt(10, 0, nullptr, 0));
    __TAVf90_readu(10, 0);
    __TAVf90_uread(k2, 6);
    __TAVf90_uread(&flag, 4);
    __TAVf90_endreadu();
    std::printf(" %d %d %d %d", k2[0], k2[1], k2[2], flag);
    std::printf(" %d", __TAVf90_readu(10, kIostat));
    __TAVf90_backspace(10, 0);
    __TAVf90_backspace(10, 0);
    std::printf(" %s\n", hex(read_record(10, 10)).c_str());
  }, {0, "0:12345 0 1.5 -0.25 1e+300 3 hello 0 -1 2 300 1 -1 ffff02002c0101000000\n"});
}

TEST(Interchange, PeerDirectFile) {
  const std::string path = data_file("peer_direct.unf");
  tavtest::expect_run("peer_direct.unf", [&path] {
    f90_io_init();
    put_file("peer_direct.unf", slurp(path.c_str()));
    open(11, "peer_direct.unf", "UNFORMATTED", "DIRECT", 12);
    for (int rec : {3, 2, 1}) {
      int32_t a = -1, c = -1;
      float b = -1;
      __TAVf90_dreadu(11, rec, 0);
      __TAVf90_uread(&a, 4);
      __TAVf90_uread(&b, 4);
      __TAVf90_uread(&c, 4);
      __TAVf90_enddreadu();
      std::printf("%d %g %d|", a, b, c);
    }
    std::printf("%d\n", __TAVf90_dreadu(11, 4, -1));
  }, {0, "333 3.5 0|0 0 0|111 1.5 7|214\n"});
}

}  // namespace
