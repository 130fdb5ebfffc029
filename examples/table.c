/* The calls a compiler makes for a formatted table:
 *
 *   program table                          ! table.f90
 *     integer :: i
 *     double precision :: x
 *     write (6, '(A, T12, A, T26, A, T40, A)') 'n', 'sqrt(n)', 'exp(n)', 'scaled'
 *     do i = 1, 5
 *       x = dble(i)
 *       write (6, '(I3, SP, F16.9, SS, ES14.4E3, 1P, E14.4, 0P, Z6.4)') &
 *             i, sqrt(x), exp(x * 40), x / 7, i * 4099
 *     end do
 *     ! reversion: four items per record from a format that holds two
 *     write (6, '(''pairs:'', 2(1X, I4, L2))') 1, .true., 2, .false., 3, .true., 4, .false.
 *     write (6, '(F0.3, 1X, EN12.3, 1X, G12.5, 1X, B0, 1X, O0)') 0.125d0, 12345.678d0, 0.000123d0, 10, 64
 *   end program table
 */
#include <math.h>

#include "tavf90.h"

#define FMT(s) s, (int)(sizeof s - 1)

int main(int argc, char **argv) {
  f90_init(argc, argv);
  __TAVf90_filename = "table.f90";

  __TAVf90_lineno = 4;
  if (__TAVf90_write(6, FMT("(A, T12, A, T26, A, T40, A)"), 0, 0, 0) == 0 &&
      __TAVf90_write_ch("n", 1) == 0 && __TAVf90_write_ch("sqrt(n)", 7) == 0 &&
      __TAVf90_write_ch("exp(n)", 6) == 0 && __TAVf90_write_ch("scaled", 6) == 0)
    __TAVf90_endwrite();

  for (int i = 1; i <= 5; ++i) {
    double x = i;
    __TAVf90_lineno = 7;
    if (__TAVf90_write(6, FMT("(I3, SP, F16.9, SS, ES14.4E3, 1P, E14.4, 0P, Z6.4)"), 0, 0, 0) == 0 &&
        __TAVf90_write_i(i) == 0 && __TAVf90_write_d(sqrt(x)) == 0 && __TAVf90_write_d(exp(x * 40)) == 0 &&
        __TAVf90_write_d(x / 7) == 0 && __TAVf90_write_i(i * 4099) == 0)
      __TAVf90_endwrite();
  }

  __TAVf90_lineno = 11;
  if (__TAVf90_write(6, FMT("('pairs:', 2(1X, I4, L2))"), 0, 0, 0) == 0) {
    int ok = 1;
    for (int i = 1; i <= 4 && ok; ++i) ok = __TAVf90_write_i(i) == 0 && __TAVf90_write_l(i % 2) == 0;
    if (ok) __TAVf90_endwrite();
  }

  __TAVf90_lineno = 12;
  if (__TAVf90_write(6, FMT("(F0.3, 1X, EN12.3, 1X, G12.5, 1X, B0, 1X, O0)"), 0, 0, 0) == 0 &&
      __TAVf90_write_d(0.125) == 0 && __TAVf90_write_d(12345.678) == 0 && __TAVf90_write_d(0.000123) == 0 &&
      __TAVf90_write_i(10) == 0 && __TAVf90_write_i(64) == 0)
    __TAVf90_endwrite();

  f90_finish(0);
}
