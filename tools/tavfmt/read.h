// tavfmt --read: what one READ of items from records stores.
#pragma once

#include <string>
#include <vector>

#include "value.h"

namespace tavfmt {

// The items a READ under `format` ("*": list-directed) of `records` stores
// into when --kind does not say: one per data edit descriptor of the format
// (repeat counts expanded, no reversion), or, list-directed, one per value
// of the records up to a slash, typed by its spelling (at least one).  For
// CHARACTER, bytes is the item's length.
std::vector<Kind> read_kinds(const std::string &format, const std::vector<std::string> &records);

// The length of the longest record: the internal file's record length.
int record_length(const std::vector<std::string> &records);

// READ (file, format) items, as compiled code does it for an internal file:
// the one record, or a CHARACTER array of the records; prints a line per
// item, the value stored and its bits, or "unchanged", and returns 0.  An
// error ends the program through the library's fatal I/O path.
int read_and_show(const std::string &format, const std::vector<std::string> &records, const std::vector<Kind> &items);

}  // namespace tavfmt
