/* Compiled as C and as C++ by every compiler the suite finds: the public
   header must be usable from both languages with gcc and clang alike. */
#include "tavf90.h"

int header_use(int status) {
  if (status != 0) f90_finish(status);
  return __TAVf90_io_position;
}
