// The IEEE-family functions for use inside the library.
#pragma once

namespace tav::numeric {

double ieee_sin(double x);
double ieee_cos(double x);
double ieee_tan(double x);
double ieee_pow(double x, double y);
double ieee_tanh(double x);

}  // namespace tav::numeric
