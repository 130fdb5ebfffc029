// The connection keyword tables read both ways: the keyword reported for
// every code a unit record can hold decodes back to that code, in any case
// and with trailing blanks.
#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "io/keywords.h"

namespace {

using namespace tav::io;

template <std::size_t N>
void round_trip(const Keyword (&words)[N]) {
  for (const Keyword &k : words) {
    const char *word = keyword_of(k.code, words);
    ASSERT_NE(word, nullptr);
    std::string lower(word);
    for (char &c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    lower += "  ";
    EXPECT_EQ(decode(Specifier{lower.c_str(), static_cast<int>(lower.size())}, words), k.code) << word;
  }
  EXPECT_EQ(keyword_of(-7, words), nullptr);
}

TEST(Keywords, EveryCodeReadsBackAsItsKeyword) {
  round_trip(kStatusWords);
  round_trip(kAccessWords);
  round_trip(kFormWords);
  round_trip(kBlankWords);
  round_trip(kPositionWords);
  round_trip(kActionWords);
  round_trip(kDelimWords);
  round_trip(kPadWords);
}

}  // namespace
