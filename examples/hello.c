/* The calls a compiler makes for:
 *
 *   program hello                          ! hello.f90
 *     integer :: n = 3
 *     print '(A, I0, A)', 'Hello, world! (', n, ' items)'
 *     print *, 'list-directed:', n, 2.5, .true.
 *   end program hello
 */
#include "tavf90.h"

int main(int argc, char **argv) {
  int n = 3;
  f90_init(argc, argv);
  __TAVf90_filename = "hello.f90";

  __TAVf90_lineno = 3;
  if (__TAVf90_write(6, "(A, I0, A)", 10, 0, 0, 0) == 0 &&
      __TAVf90_write_ch("Hello, world! (", 15) == 0 && __TAVf90_write_i(n) == 0 &&
      __TAVf90_write_ch(" items)", 7) == 0)
    __TAVf90_endwrite();

  __TAVf90_lineno = 4;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_ch("list-directed:", 14) == 0 &&
      __TAVf90_lwrite_i(n) == 0 && __TAVf90_lwrite_r(2.5f) == 0 && __TAVf90_lwrite_l(1) == 0)
    __TAVf90_endwrite();

  f90_finish(0);
}
