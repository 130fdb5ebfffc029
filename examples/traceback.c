/* The calls a compiler makes, with run-time checks and line numbers, for:
 *
 *   program main                           ! main.f90
 *     real :: a(10)
 *     call fill(a, 11)                     ! line 12
 *   end program main
 *
 *   subroutine fill(a, n)                  ! fill.f90
 *     real :: a(10)
 *     integer :: n, i
 *     do i = 1, n
 *       a(i) = i                           ! line 30: fails when i = 11
 *     end do
 *   end subroutine fill
 *
 * The program ends with the subscript message and a traceback on standard
 * error, and aborts.
 */
#include "tavf90.h"

static void fill(float *a, int n) {
  __TAVf90_enter_pu("FILL");
  __TAVf90_filename = "fill.f90";
  for (int i = 1; i <= n; ++i) {
    __TAVf90_lineno = 30;
    if (i < 1 || i > 10) __TAVf90_badsub1(1, "A", i, 1, 10);
    a[i - 1] = (float)i;
  }
  __TAVf90_exit_pu();
}

int main(int argc, char **argv) {
  float a[10];
  f90_init(argc, argv);
  __TAVf90_enter_pu("MAIN");
  __TAVf90_filename = "main.f90";
  __TAVf90_lineno = 12;
  fill(a, 11);
  __TAVf90_exit_pu();
  f90_finish(0);
}
