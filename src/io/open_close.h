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

int open_unit(int unit, const OpenSpecs &specs, int error_continue);
int close_unit(int unit, Specifier status, int error_continue);

}  // namespace tav::io
