// OPEN and CLOSE.
#pragma once

namespace tav::io {

// A Fortran character specifier: address and length; absent when null.
struct Specifier {
  const char *text = nullptr;
  int length = 0;
  bool present() const { return text != nullptr; }
};

struct OpenSpecs {
  Specifier file, status, access, form;
  int *recl = nullptr;
  Specifier blank, position, action, delim, pad;
};

// The OPEN and CLOSE statements: each takes the I/O lock and releases it.
// Returns 0 or the condition (with the statement ended).
int open_unit(int unit, const OpenSpecs &specs, int error_continue);
int close_unit(int unit, Specifier status, int error_continue);

// The steps they are made of, for a statement in progress (the lock held)
// on the selected unit.  Each returns 0 with the lock still held, or the
// condition with the statement ended.
//
// connect_unit connects the unit, which is not connected, as an OPEN with
// these specifiers does: OPEN and the implicit connection of a unit by a
// data-transfer or REWIND statement both connect through it.
int connect_unit(int unit, const OpenSpecs &specs);
// disconnect_unit ends the unit's connection as CLOSE with STATUS= (absent:
// the connection's own disposition) does: held output is completed as a
// record, the file written out, and the unit's storage released.
int disconnect_unit(int unit, Specifier status);

}  // namespace tav::io
