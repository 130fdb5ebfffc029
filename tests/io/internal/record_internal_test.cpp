// The statement's record in memory: runs moved straight into or out of it
// while the hooks the begin call installed are still in place, and through
// the hooks once something else is installed.  Each scenario in a child.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "io/record.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using tav::io::Record;

int through_hook(char *, int n) { return n == 3 ? 77 : 0; }

TEST(RecordInMemory, OutputRunsGoStraightIntoTheRecordOfTheHooks) {
  tavtest::expect_run("output", [] {
    f90_io_init();
    __TAVf90_write(6, "()", -1, nullptr, 0, 1);
    char *room = Record::reserve(3);
    std::printf("%d", room != nullptr);
    std::memcpy(room, "abc", 3);
    Record::advance(3);
    std::printf(" %d", Record::put_run("de", 2));
    std::printf(" %d", Record::reserve(1020) == nullptr);  // past the record
    tav_string_hook own = __TAVf90_mystring;
    __TAVf90_mystring = through_hook;
    std::printf(" %d %d", Record::reserve(1) == nullptr, Record::put_run("xyz", 3));
    __TAVf90_mystring = own;
    std::printf(" %d\n", __TAVf90_io_position);
    __TAVf90_endwrite();
    f90_io_finish();
  }, {0, "1 0 1 1 77 5\nabcde\n"});
}

TEST(RecordInMemory, InputRunsAreTakenFromTheRecordAndCountedForSize) {
  tavtest::Options o;
  o.stdin_data = "abcdef\n";
  tavtest::expect_run("input", [] {
    f90_io_init();
    int size = -1;
    __TAVf90_read(5, nullptr, 0, "NO", 2, &size, -1);
    const char *p = Record::peek(4);
    std::printf("%.4s", p);
    Record::consume(4);
    std::printf(" %d", Record::peek(3) == nullptr);  // two characters left
    char c;
    __TAVf90_mygetc(&c);
    std::printf(" %c", c);
    __TAVf90_endread();
    std::printf(" %d\n", size);
    f90_io_finish();
  }, {0, "abcd 1 e 5\n"}, o);
}

}  // namespace
