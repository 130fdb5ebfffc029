/* The calls a compiler makes for formatted and list-directed input:
 *
 *   program readdata                       ! readdata.f90
 *     integer :: n, k, ios
 *     double precision :: x, total
 *     character(len=8) :: name
 *     real :: v(3)
 *     complex :: z
 *     logical :: flag
 *     open (11, file='readdata.dat')
 *     write (11, '(A)') 'alpha      3   2.50'
 *     write (11, '(A)') 'beta      -1   1250'
 *     write (11, '(A)') '3*0.5 (1.5,'
 *     write (11, '(A)') '  -2) .true.  ! the rest of a record is skipped'
 *     close (11)
 *     open (10, file='readdata.dat')
 *     total = 0
 *     do k = 1, 2
 *       read (10, '(A8, I4, F7.2)') name, n, x     ! 1250 under F7.2 is 12.50
 *       total = total + n * x
 *       write (6, '(A, I4, F8.3)') name, n, x
 *     end do
 *     read (10, *) v, z, flag                     ! a value may span records
 *     write (6, *) v, z, flag
 *     read (10, *, iostat=ios) n
 *     write (6, '(A, I3, F10.3)') 'end of file: iostat =', ios, total
 *   end program readdata
 */
#include "tavf90.h"

#define FMT(s) s, (int)(sizeof s - 1)
#define IOSTAT (-1)

static void line(const char *text, int length) {
  if (__TAVf90_write(11, FMT("(A)"), 0, 0, 0) == 0 && __TAVf90_write_ch(text, length) == 0) __TAVf90_endwrite();
}

int main(int argc, char **argv) {
  f90_init(argc, argv);
  __TAVf90_filename = "readdata.f90";

  __TAVf90_lineno = 9;
  __TAVf90_open(11, FMT("readdata.dat"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  __TAVf90_lineno = 10;
  line(FMT("alpha      3   2.50"));
  line(FMT("beta      -1   1250"));
  line(FMT("3*0.5 (1.5,"));
  line(FMT("  -2) .true.  ! the rest of a record is skipped"));
  __TAVf90_lineno = 14;
  __TAVf90_close(11, 0, 0, 0);
  __TAVf90_lineno = 15;
  __TAVf90_open(10, FMT("readdata.dat"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);

  double total = 0;
  for (int k = 1; k <= 2; ++k) {
    char name[8];
    int n;
    double x;
    __TAVf90_lineno = 18;
    if (__TAVf90_read(10, FMT("(A8, I4, F7.2)"), 0, 0, 0, 0) == 0 && __TAVf90_read_ch(name, 8) == 0 &&
        __TAVf90_read_i(&n) == 0 && __TAVf90_read_d(&x) == 0)
      __TAVf90_endread();
    total = total + n * x;
    __TAVf90_lineno = 20;
    if (__TAVf90_write(6, FMT("(A, I4, F8.3)"), 0, 0, 0) == 0 && __TAVf90_write_ch(name, 8) == 0 &&
        __TAVf90_write_i(n) == 0 && __TAVf90_write_d(x) == 0)
      __TAVf90_endwrite();
  }

  float v[3], z[2];
  int flag;
  __TAVf90_lineno = 22;
  if (__TAVf90_read(10, 0, 0, 0, 0, 0, 0) == 0 && __TAVf90_lread_r(&v[0]) == 0 && __TAVf90_lread_r(&v[1]) == 0 &&
      __TAVf90_lread_r(&v[2]) == 0 && __TAVf90_lread_c(z) == 0 && __TAVf90_lread_l(&flag) == 0)
    __TAVf90_endread();
  __TAVf90_lineno = 23;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_r(v[0]) == 0 && __TAVf90_lwrite_r(v[1]) == 0 &&
      __TAVf90_lwrite_r(v[2]) == 0 && __TAVf90_lwrite_c(z[0], z[1]) == 0 && __TAVf90_lwrite_l(flag) == 0)
    __TAVf90_endwrite();

  int n = 0, ios = 0;
  __TAVf90_lineno = 24;
  ios = __TAVf90_read(10, 0, 0, 0, 0, 0, IOSTAT);
  if (ios == 0) {
    ios = __TAVf90_lread_i(&n);
    if (ios == 0) __TAVf90_endread();
  }
  __TAVf90_lineno = 25;
  if (__TAVf90_write(6, FMT("(A, I3, F10.3)"), 0, 0, 0) == 0 &&
      __TAVf90_write_ch(FMT("end of file: iostat =")) == 0 && __TAVf90_write_i(ios) == 0 &&
      __TAVf90_write_d(total) == 0)
    __TAVf90_endwrite();

  f90_finish(0);
}
