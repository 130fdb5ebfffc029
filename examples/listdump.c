/* The calls a compiler makes for a list-directed dump of every type:
 *
 *   program listdump                       ! listdump.f90
 *     integer(1) :: i1 = -128
 *     integer(2) :: i2 = 32767
 *     integer    :: i  = -2147483647 - 1
 *     integer(8) :: i8 = -9223372036854775807_8 - 1
 *     logical(1) :: l1 = .true.
 *     logical    :: l  = .false.
 *     real       :: r  = 3.14159265
 *     double precision :: d = 1.0d-100
 *     complex    :: c  = (1.0, -2.5)
 *     complex(kind(0d0)) :: z = (0.0d0, 1.0d0)
 *     character(len=5) :: s = 'it''s '
 *     print *, i1, i2, i, i8
 *     print *, l1, l, r, d
 *     print *, c, z
 *     print *, s, 'joined', s
 *     open (10, file='listdump.out', delim='apostrophe')
 *     write (10, *) s, 'x'
 *     close (10)
 *   end program listdump
 */
#include <stdint.h>

#include "tavf90.h"

#define STR(s) s, (int)(sizeof s - 1)

int main(int argc, char **argv) {
  int8_t i1 = -128;
  int16_t i2 = 32767;
  int32_t i = INT32_MIN;
  int64_t i8 = INT64_MIN;
  int8_t l1 = 1;
  int32_t l = 0;
  float r = 3.14159265f;
  double d = 1.0e-100;
  const char s[5] = {'i', 't', '\'', 's', ' '};

  f90_init(argc, argv);
  __TAVf90_filename = "listdump.f90";

  __TAVf90_lineno = 13;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_i1(i1) == 0 && __TAVf90_lwrite_i2(i2) == 0 &&
      __TAVf90_lwrite_i(i) == 0 && __TAVf90_lwrite_i4(i8) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 14;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_l1(l1) == 0 && __TAVf90_lwrite_l(l) == 0 &&
      __TAVf90_lwrite_r(r) == 0 && __TAVf90_lwrite_d(d) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 15;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_c(1.0f, -2.5f) == 0 &&
      __TAVf90_lwrite_dc(0.0, 1.0) == 0)
    __TAVf90_endwrite();
  __TAVf90_lineno = 16;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_ch(s, 5) == 0 &&
      __TAVf90_lwrite_ch(STR("joined")) == 0 && __TAVf90_lwrite_ch(s, 5) == 0)
    __TAVf90_endwrite();

  __TAVf90_lineno = 17;
  if (__TAVf90_open(10, STR("listdump.out"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, STR("apostrophe"), 0, 0, 0) ==
      0) {
    __TAVf90_lineno = 18;
    if (__TAVf90_write(10, 0, 0, 0, 0, 0) == 0 && __TAVf90_lwrite_ch(s, 5) == 0 && __TAVf90_lwrite_ch(STR("x")) == 0)
      __TAVf90_endwrite();
    __TAVf90_lineno = 19;
    __TAVf90_close(10, 0, 0, 0);
  }
  f90_finish(0);
}
