// tavfmt --read: what one READ of one item from a record stores.
#pragma once

#include <string>

#include "value.h"

namespace tavfmt {

// The item a READ under `format` ("*": list-directed) of `record` stores
// into when --kind does not say: from the first data edit descriptor of the
// format, or, list-directed, from the spelling of the record's first value.
// For CHARACTER, bytes is the item's length.
Kind read_kind(const std::string &format, const std::string &record);

// READ (record, format) of one item of the given kind, as compiled code does
// it for an internal file; prints the value stored and its bits and returns
// 0.  An error ends the program through the library's fatal I/O path.
int read_and_show(const std::string &format, std::string record, Kind kind);

}  // namespace tavfmt
