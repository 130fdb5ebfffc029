/* The calls a compiler makes for character comparison and concatenation,
 * INDEX, SCAN and VERIFY, a seeded RANDOM_NUMBER and DATE_AND_TIME:
 *
 *   program strings                        ! strings.f90
 *     character(len=8) :: names(4) = (/ 'pear    ', 'apple   ', 'fig     ', 'banana  ' /)
 *     character(len=8) :: t, date
 *     character(len=24) :: line
 *     character(len=10) :: time
 *     character(len=5) :: zone
 *     integer :: values(8), seed(1), i, j
 *     real :: r(4)
 *     do i = 2, 4                          ! insertion sort by character comparison
 *       t = names(i)
 *       do j = i - 1, 1, -1
 *         if (names(j) <= t) exit
 *         names(j + 1) = names(j)
 *       end do
 *       names(j + 1) = t
 *     end do
 *     do i = 1, 4
 *       line = trim(names(i)) // ' <' // adjustr(names(i)) // '>'
 *       write (6, '(A, 3I3)') line, index(names(i), 'an'), &
 *             scan(names(i), 'aeiou', back=.true.), verify(names(i), 'abnp')
 *     end do
 *     seed = 20260304
 *     call random_seed(put=seed)
 *     call random_number(r)
 *     write (6, '(4F10.7)') r
 *     call date_and_time(date, time, zone, values)
 *     write (6, '(A, 1X, A, 1X, A, I6)') date, time, zone, values(4)
 *   end program strings
 */
#include <string.h>

#include "tavf90.h"

#define FMT(s) s, (int)(sizeof s - 1)

int main(int argc, char **argv) {
  f90_init(argc, argv);
  __TAVf90_filename = "strings.f90";
  char names[4][8];
  memcpy(names, "pear    apple   fig     banana  ", 32);
  char t[8], date[8], time[10], zone[5], line[24];
  int values[8], seed[1];
  float r[4];
  const int32_t back = 1;

  __TAVf90_lineno = 9;
  for (int i = 2; i <= 4; ++i) {
    __TAVf90_chasgn(t, 8, names[i - 1], 8);
    int j;
    for (j = i - 1; j >= 1; --j) {
      if (__TAVf90_charcmp(names[j - 1], t, 8, 8) <= 0) break;
      __TAVf90_chasgn(names[j], 8, names[j - 1], 8);
    }
    __TAVf90_chasgn(names[j], 8, t, 8);
  }

  for (int i = 1; i <= 4; ++i) {
    const char *name = names[i - 1];
    __TAVf90_lineno = 18;
    tav_chtmp a, b, c, d;
    __TAVf90_chcat(&a, name, __TAVf90_len_trim(name, 8), " <", 2);
    __TAVf90_adjustr_ch(&b, name, 8);
    __TAVf90_chcat(&c, a.address, (int)a.length, b.address, (int)b.length);
    __TAVf90_chcat(&d, c.address, (int)c.length, ">", 1);
    __TAVf90_chasgn(line, 24, d.address, (int)d.length);
    __TAVf90_chfree(&a), __TAVf90_chfree(&b), __TAVf90_chfree(&c), __TAVf90_chfree(&d);
    __TAVf90_lineno = 19;
    if (__TAVf90_write(6, FMT("(A, 3I3)"), 0, 0, 0) == 0 && __TAVf90_write_ch(line, 24) == 0 &&
        __TAVf90_write_i(__TAVf90_charindex(name, "an", 8, 2)) == 0 &&
        __TAVf90_write_i(__TAVf90_scan3(name, "aeiou", &back, 8, 5)) == 0 &&
        __TAVf90_write_i(__TAVf90_verify(name, "abnp", 8, 4)) == 0)
      __TAVf90_endwrite();
  }

  __TAVf90_lineno = 23;
  seed[0] = 20260304;
  tav_ptr_desc put = {(char *)seed, -4, {{1, 4, 1}}};
  __TAVf90_random_seed(0, &put, 0);
  __TAVf90_lineno = 24;
  __TAVf90_random90v_r(r, 4);
  __TAVf90_lineno = 25;
  if (__TAVf90_write(6, FMT("(4F10.7)"), 0, 0, 0) == 0) {
    int ok = 1;
    for (int i = 0; i < 4 && ok; ++i) ok = __TAVf90_write_r(r[i]) == 0;
    if (ok) __TAVf90_endwrite();
  }

  __TAVf90_lineno = 26;
  tav_ptr_desc vals = {(char *)values, -4, {{8, 4, 1}}};
  __TAVf90_date_and_time(date, time, zone, &vals, 8, 10, 5);
  __TAVf90_lineno = 27;
  if (__TAVf90_write(6, FMT("(A, 1X, A, 1X, A, I6)"), 0, 0, 0) == 0 && __TAVf90_write_ch(date, 8) == 0 &&
      __TAVf90_write_ch(time, 10) == 0 && __TAVf90_write_ch(zone, 5) == 0 && __TAVf90_write_i(values[3]) == 0)
    __TAVf90_endwrite();

  f90_finish(0);
}
