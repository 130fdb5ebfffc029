// List-directed output.
#pragma once

#include <cstdint>

namespace tav::io {

// Resets the list-directed output state at the begin call of every
// list-directed WRITE.
int init_loutput();

// The item routines (the __TAVf90_lwrite_* entries call these; namelist
// output calls them directly).  Each writes its separator blank and the
// value through the statement's hooks and returns 0 or the hook's status.
int list_integer(std::int32_t value);
int list_integer8(std::int64_t value);
int list_logical(std::int32_t value);
int list_real(float value);
int list_double(double value);
int list_complex(float re, float im);
int list_dcomplex(double re, double im);
int list_character(const char *text, std::int32_t length);

}  // namespace tav::io
