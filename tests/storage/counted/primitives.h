// Storage primitives that record what the library asks for.  Blocks are
// tracked from request to release, so a release with another byte count or
// through the wrong family is seen.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace counted {

struct Call {
  std::string entry;  // "pAlloc", "zoAlloc", "pDeAlloc", ...
  void *address;      // result of a request, argument of a release
  std::size_t bytes;
  int *stat;          // pDeAlloc only
};

// Every primitive call since the last reset().
const std::vector<Call> &calls();
// Forget the log; requests succeed again.
void reset();
// The next `n` requests succeed, the one after answers null (and so do the
// rest while `all` is set).
void fail_after(int n, bool all = false);
// Releases that did not match a live block of their family and size.
const std::vector<std::string> &mismatches();

}  // namespace counted
