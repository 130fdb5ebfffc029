// The IEEE-family functions for use inside the library.
#pragma once

namespace tav::numeric {

// Hidden: position-independent i386 code then calls them directly, without
// loading the GOT pointer first (the by-reference entries call them only for
// exceptional arguments, but would set that register up on every call).
#pragma GCC visibility push(hidden)
double ieee_sin(double x);
double ieee_cos(double x);
double ieee_tan(double x);
double ieee_pow(double x, double y);
double ieee_tanh(double x);
#pragma GCC visibility pop

}  // namespace tav::numeric
