/* The calls a compiler makes for unformatted and direct-access files:
 *
 *   program files                                     ! files.f90
 *     integer :: i, n, a(100), r, next
 *     double precision :: x(10)
 *     character(len=8) :: name
 *     n = 4
 *     name = 'squares'
 *     a = (/ (i, i = 1, 100) /)
 *     open (10, file='table.unf', form='unformatted', status='replace')
 *     write (10) n, name
 *     do i = 1, n
 *       write (10) dble(i)**2 / 8
 *     end do
 *     write (10) a
 *     rewind (10)
 *     read (10) n, name
 *     read (10) x(1)
 *     backspace (10)
 *     do i = 1, n
 *       read (10) x(i)
 *     end do
 *     read (10) a(1:50:2)
 *     write (6, '(I0, 1X, A)') n, trim(name)
 *     write (6, '(10F8.3)') x(1:n)
 *     write (6, '(I0)') sum(a)
 *     close (10)
 *     open (11, file='table.dir', form='unformatted', access='direct', recl=8, status='replace')
 *     do r = 1, 3
 *       write (11, rec=r) r, r * r
 *     end do
 *     do r = 3, 1, -1
 *       read (11, rec=r) i, n
 *       write (6, '(I0, 1X, I0)') i, n
 *     end do
 *     inquire (11, nextrec=next)
 *     write (6, '(A, I0)') 'next record: ', next
 *     close (11)
 *   end program files
 */
#include <string.h>

#include "tavf90.h"

#define FMT(s) s, (int)(sizeof s - 1)
#define STR(s) s, (int)(sizeof s - 1)

int main(int argc, char **argv) {
  int i, n, a[100], r, next = 0;
  double x[10];
  char name[8];
  f90_init(argc, argv);
  __TAVf90_filename = "files.f90";

  n = 4;
  memcpy(name, "squares ", 8);
  for (i = 1; i <= 100; ++i) a[i - 1] = i;
  __TAVf90_lineno = 9;
  __TAVf90_open(10, STR("table.unf"), STR("replace"), 0, 0, STR("unformatted"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                0);
  __TAVf90_lineno = 10;
  if (__TAVf90_writeu(10, 0) == 0 && __TAVf90_uwrite(&n, 4) == 0 && __TAVf90_uwrite(name, 8) == 0)
    __TAVf90_endwriteu();
  for (i = 1; i <= n; ++i) {
    double v = (double)i * i / 8;
    __TAVf90_lineno = 12;
    __TAVf90_writeu_opt(10, 0, &v, 8);
  }
  __TAVf90_lineno = 14;
  __TAVf90_writeu_opt(10, 0, a, sizeof a);
  __TAVf90_lineno = 15;
  __TAVf90_rewind(10, 0);
  __TAVf90_lineno = 16;
  if (__TAVf90_readu(10, 0) == 0 && __TAVf90_uread(&n, 4) == 0 && __TAVf90_uread(name, 8) == 0)
    __TAVf90_endreadu();
  __TAVf90_lineno = 17;
  __TAVf90_readu_opt(10, 0, &x[0], 8);
  __TAVf90_lineno = 18;
  __TAVf90_backspace(10, 0);
  for (i = 1; i <= n; ++i) {
    __TAVf90_lineno = 20;
    __TAVf90_readu_opt(10, 0, &x[i - 1], 8);
  }
  {
    /* a(1:50:2): 25 elements, every second one */
    tav_ptr_desc d;
    memset(&d, 0, sizeof d);
    d.base = (char *)a;
    d.dim[0].extent = 25;
    d.dim[0].stride = 8;
    d.dim[0].lower = 1;
    __TAVf90_lineno = 22;
    if (__TAVf90_readu(10, 0) == 0 && __TAVf90_ureada(1, &d, 4) == 0) __TAVf90_endreadu();
  }
  {
    int name_len = 8, sum = 0;
    while (name_len > 0 && name[name_len - 1] == ' ') --name_len;
    __TAVf90_lineno = 23;
    if (__TAVf90_write(6, FMT("(I0, 1X, A)"), 0, 0, 0) == 0 && __TAVf90_write_i(n) == 0 &&
        __TAVf90_write_ch(name, name_len) == 0)
      __TAVf90_endwrite();
    __TAVf90_lineno = 24;
    if (__TAVf90_write(6, FMT("(10F8.3)"), 0, 0, 0) == 0) {
      int ok = 1;
      for (i = 0; i < n && ok; ++i) ok = __TAVf90_write_d(x[i]) == 0;
      if (ok) __TAVf90_endwrite();
    }
    for (i = 0; i < 100; ++i) sum += a[i];
    __TAVf90_lineno = 25;
    if (__TAVf90_write(6, FMT("(I0)"), 0, 0, 0) == 0 && __TAVf90_write_i(sum) == 0) __TAVf90_endwrite();
  }
  __TAVf90_lineno = 26;
  __TAVf90_close(10, 0, 0, 0);

  {
    int recl = 8;
    __TAVf90_lineno = 27;
    __TAVf90_open(11, STR("table.dir"), STR("replace"), STR("direct"), STR("unformatted"), &recl, 0, 0, 0, 0, 0, 0,
                  0, 0, 0, 0, 0);
  }
  for (r = 1; r <= 3; ++r) {
    int sq = r * r;
    __TAVf90_lineno = 29;
    if (__TAVf90_dwriteu(11, r, 0) == 0 && __TAVf90_uwrite(&r, 4) == 0 && __TAVf90_uwrite(&sq, 4) == 0)
      __TAVf90_enddwriteu();
  }
  for (r = 3; r >= 1; --r) {
    __TAVf90_lineno = 32;
    if (__TAVf90_dreadu(11, r, 0) == 0 && __TAVf90_uread(&i, 4) == 0 && __TAVf90_uread(&n, 4) == 0)
      __TAVf90_enddreadu();
    __TAVf90_lineno = 33;
    if (__TAVf90_write(6, FMT("(I0, 1X, I0)"), 0, 0, 0) == 0 && __TAVf90_write_i(i) == 0 &&
        __TAVf90_write_i(n) == 0)
      __TAVf90_endwrite();
  }
  __TAVf90_lineno = 35;
  __TAVf90_inquire_u(11, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, &next, 0, 0, 0, 0, 0, 0, 0, 0,
                     0, 0, 0, 0, 0, 0, 0, 0);
  __TAVf90_lineno = 36;
  if (__TAVf90_write(6, FMT("(A, I0)"), 0, 0, 0) == 0 && __TAVf90_write_ch("next record: ", 13) == 0 &&
      __TAVf90_write_i(next) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 37;
  __TAVf90_close(11, STR("keep"), 0);
  f90_finish(0);
}
