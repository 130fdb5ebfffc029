// The keywords of the connection specifiers and the codes the unit record
// stores for them.  OPEN decodes specifiers with these tables; INQUIRE
// answers from the same tables in the other direction.
#pragma once

#include <cstddef>

#include "io/open_close.h"
#include "io/unit.h"
#include "tavf90.h"

namespace tav::io {

struct Keyword {
  const char *word;
  int code;
};

// Tried in order; the first match wins.  The first entry for a code is
// the keyword INQUIRE reports for it.
inline constexpr Keyword kStatusWords[] = {{"OLD", TAV_STATUS_OLD},
                                    {"NEW", TAV_STATUS_NEW},
                                    {"SCRATCH", TAV_STATUS_SCRATCH},
                                    {"REPLACE", TAV_STATUS_REPLACE},
                                    {"UNKNOWN", TAV_STATUS_UNKNOWN}};
inline constexpr Keyword kAccessWords[] = {{"SEQUENTIAL", TAV_ACCESS_SEQUENTIAL}, {"DIRECT", TAV_ACCESS_DIRECT}};
inline constexpr Keyword kFormWords[] = {{"FORMATTED", 0}, {"UNFORMATTED", 1}};
inline constexpr Keyword kBlankWords[] = {{"NULL", 0}, {"ZERO", 1}};
inline constexpr Keyword kPositionWords[] = {{"ASIS", TAV_POS_ASIS}, {"REWIND", TAV_POS_REWIND}, {"APPEND", TAV_POS_APPEND}};
inline constexpr Keyword kActionWords[] = {
    {"READWRITE", TAV_ACTION_READWRITE}, {"READ", TAV_ACTION_READ}, {"WRITE", TAV_ACTION_WRITE}};
inline constexpr Keyword kDelimWords[] = {{"NONE", 0}, {"APOSTROPHE", 2}, {"QUOTE", 1}};
inline constexpr Keyword kPadWords[] = {{"YES", 1}, {"NO", 0}};

// Decodes a present specifier: its code, or -1 when no keyword matches.
template <std::size_t N>
int decode(Specifier value, const Keyword (&words)[N]) {
  for (const Keyword &k : words)
    if (keyword_match(value.text, value.length, k.word)) return k.code;
  return -1;
}

// The keyword of a stored code, or null when the table has none.
template <std::size_t N>
const char *keyword_of(int code, const Keyword (&words)[N]) {
  for (const Keyword &k : words)
    if (k.code == code) return k.word;
  return nullptr;
}

}  // namespace tav::io
