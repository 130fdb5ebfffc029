/* The calls a compiler makes for intrinsics and operators it does not
 * expand inline:
 *
 *   program numeric                        ! numeric.f90
 *     integer :: i = 31
 *     double precision :: x = 1.0d22
 *     complex :: z
 *     write (6, '(A, F20.16)') 'sin(1d22)    = ', sin(x)
 *     write (6, '(A, F20.16)') 'x87 sin      = ', dsin(x)
 *     write (6, '(A, I12)') '2**31        = ', 2**i
 *     z = (1.0, 1.0) / (1.0, -1.0)
 *     write (6, '(A, 2F8.3)') '(1+i)/(1-i)  = ', z
 *     write (6, '(A, 2F8.3)') 'sqrt((-4,0)) = ', sqrt((-4.0, 0.0))
 *     write (6, '(A, 2I4)') 'mod, modulo  = ', mod(-7, 3), modulo(-7, 3)
 *     write (6, '(A, 2I4)') 'nint(+-2.5)  = ', nint(2.5), nint(-2.5)
 *     write (6, '(A, ES14.6)') 'spacing(1.0) = ', spacing(1.0)
 *     write (6, '(A, I4)') 'ishftc       = ', ishftc(1, -1, 3)
 *   end program numeric
 */
#include "tavf90.h"

#define FMT(s) s, (int)(sizeof s - 1)

int main(int argc, char **argv) {
  f90_init(argc, argv);
  __TAVf90_filename = "numeric.f90";
  int i = 31, m7 = -7, three = 3;
  double x = 1.0e22;
  float f25 = 2.5f, fm25 = -2.5f, one = 1.0f;

  __TAVf90_lineno = 5;
  if (__TAVf90_write(6, FMT("(A, F20.16)"), 0, 0, 0) == 0 && __TAVf90_write_ch("sin(1d22)    = ", 15) == 0 &&
      __TAVf90_write_d(__TAVf90_sin(x)) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 6;
  if (__TAVf90_write(6, FMT("(A, F20.16)"), 0, 0, 0) == 0 && __TAVf90_write_ch("x87 sin      = ", 15) == 0 &&
      __TAVf90_write_d(__TAVf90_sin_d(&x)) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 7;
  if (__TAVf90_write(6, FMT("(A, I12)"), 0, 0, 0) == 0 && __TAVf90_write_ch("2**31        = ", 15) == 0 &&
      __TAVf90_write_i(__TAVf90_ipowi(2, i)) == 0)
    __TAVf90_endwrite();

  __TAVf90_lineno = 8;
  tav_complex z = __TAVf90_cdivc(1.0f, 1.0f, 1.0f, -1.0f);
  __TAVf90_lineno = 9;
  if (__TAVf90_write(6, FMT("(A, 2F8.3)"), 0, 0, 0) == 0 && __TAVf90_write_ch("(1+i)/(1-i)  = ", 15) == 0 &&
      __TAVf90_write_c(z.re, z.im) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 10;
  tav_complex m4 = {-4.0f, 0.0f};
  tav_complex r = __TAVf90_sqrt_c(&m4);
  if (__TAVf90_write(6, FMT("(A, 2F8.3)"), 0, 0, 0) == 0 && __TAVf90_write_ch("sqrt((-4,0)) = ", 15) == 0 &&
      __TAVf90_write_c(r.re, r.im) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 11;
  if (__TAVf90_write(6, FMT("(A, 2I4)"), 0, 0, 0) == 0 && __TAVf90_write_ch("mod, modulo  = ", 15) == 0 &&
      __TAVf90_write_i(__TAVf90_mod_i(&m7, &three)) == 0 && __TAVf90_write_i(__TAVf90_modulo_i(&m7, &three)) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 12;
  if (__TAVf90_write(6, FMT("(A, 2I4)"), 0, 0, 0) == 0 && __TAVf90_write_ch("nint(+-2.5)  = ", 15) == 0 &&
      __TAVf90_write_i(__TAVf90_nint_r_i(&f25)) == 0 && __TAVf90_write_i(__TAVf90_nint_r_i(&fm25)) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 13;
  if (__TAVf90_write(6, FMT("(A, ES14.6)"), 0, 0, 0) == 0 && __TAVf90_write_ch("spacing(1.0) = ", 15) == 0 &&
      __TAVf90_write_r(__TAVf90_spacing_r(&one)) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 14;
  if (__TAVf90_write(6, FMT("(A, I4)"), 0, 0, 0) == 0 && __TAVf90_write_ch("ishftc       = ", 15) == 0 &&
      __TAVf90_write_i(__TAVf90_ishftc(1, -1, 3, 32)) == 0)
    __TAVf90_endwrite();

  f90_finish(0);
}
