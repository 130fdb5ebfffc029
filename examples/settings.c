/* The calls a compiler makes for NAMELIST input and output, and for an
 * internal WRITE that builds a file name:
 *
 *   program settings                              ! settings.f90
 *     type point
 *       real :: x, y
 *     end type point
 *     integer :: steps, ios
 *     double precision :: tol(3)
 *     type(point) :: origin
 *     character(len=16) :: fname
 *     namelist /run/ steps, tol, origin
 *     steps = 10
 *     tol = (/ 1d-3, 1d-6, 1d-9 /)
 *     origin = point(0.5, -2.0)
 *     write (fname, '(A, I3.3, A)') 'run', steps, '.nml'   ! 'run010.nml'
 *     open (10, file=fname, status='replace')
 *     write (10, nml=run)
 *     close (10)
 *     write (6, nml=run)
 *     ! the file as someone edited it: a comment, lower case, a section,
 *     ! a repeat count, one component of the derived type
 *     open (11, file=fname, status='replace')
 *     write (11, '(A)') '! tuned by hand'
 *     write (11, '(A)') '&run steps = 25,'
 *     write (11, '(A)') '     tol(2:3) = 2*1.0d-12   origin%y = 4.25 /'
 *     write (11, '(A)') '&RUN stepz = 1 /'
 *     close (11)
 *     open (11, file=fname)
 *     read (11, nml=run)
 *     write (6, nml=run)
 *     read (11, nml=run, iostat=ios)           ! a misspelt name
 *     write (6, '(A, I4)') 'iostat =', ios
 *   end program settings
 */
#include "tavf90.h"

#define FMT(s) s, (int)(sizeof s - 1)
#define IOSTAT (-1)

struct point {
  float x, y;
};

static int steps, ios;
static double tol[3];
static struct point origin;
static char fname[16];

/* NAMELIST /run/ steps, tol, origin as static data. */
static const tav_nml_shape tol_shape = {8, 1, {{3, 1}}};
static const tav_nml_object point_components[] = {
    {"X", {.offset = 0}, 0, TAV_NML_REAL, 0, 0},
    {"Y", {.offset = 4}, 0, TAV_NML_REAL, 0, 0},
};
static const tav_nml_components point_type = {2, point_components};
static const tav_nml_object run_steps = {"STEPS", {.address = &steps}, 0, TAV_NML_I4, 0, 0};
static const tav_nml_object run_tol = {"TOL", {.address = tol}, &tol_shape, TAV_NML_DOUBLE, 0, 0};
static const tav_nml_object run_origin = {"ORIGIN", {.address = &origin}, 0, TAV_NML_DERIVED, 0, &point_type};
static const tav_nml_object *const run_objects[] = {&run_steps, &run_tol, &run_origin};
static const tav_nml_group run = {"RUN", run_objects, 3};

static void line(const char *text, int length) {
  if (__TAVf90_write(11, FMT("(A)"), 0, 0, 0) == 0 && __TAVf90_write_ch(text, length) == 0) __TAVf90_endwrite();
}

int main(int argc, char **argv) {
  f90_init(argc, argv);
  __TAVf90_filename = "settings.f90";

  steps = 10;
  tol[0] = 1e-3, tol[1] = 1e-6, tol[2] = 1e-9;
  origin.x = 0.5f, origin.y = -2.0f;
  __TAVf90_lineno = 15;
  if (__TAVf90_iwrites(fname, 16, FMT("(A, I3.3, A)"), 0) == 0 && __TAVf90_write_ch(FMT("run")) == 0 &&
      __TAVf90_write_i(steps) == 0 && __TAVf90_write_ch(FMT(".nml")) == 0)
    __TAVf90_endiwrite();
  __TAVf90_lineno = 16;
  __TAVf90_open(10, fname, 16, FMT("replace"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  __TAVf90_lineno = 17;
  __TAVf90_writen(10, &run, 0);
  __TAVf90_lineno = 18;
  __TAVf90_close(10, 0, 0, 0);
  __TAVf90_lineno = 19;
  __TAVf90_writen(6, &run, 0);

  __TAVf90_lineno = 22;
  __TAVf90_open(11, fname, 16, FMT("replace"), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  __TAVf90_lineno = 23;
  line(FMT("! tuned by hand"));
  line(FMT("&run steps = 25,"));
  line(FMT("     tol(2:3) = 2*1.0d-12   origin%y = 4.25 /"));
  line(FMT("&RUN stepz = 1 /"));
  __TAVf90_lineno = 27;
  __TAVf90_close(11, 0, 0, 0);
  __TAVf90_lineno = 28;
  __TAVf90_open(11, fname, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
  __TAVf90_lineno = 29;
  __TAVf90_readn(11, &run, 0); /* the whole statement, its end included */
  __TAVf90_lineno = 30;
  __TAVf90_writen(6, &run, 0);
  __TAVf90_lineno = 31;
  ios = __TAVf90_readn(11, &run, IOSTAT);
  __TAVf90_lineno = 32;
  if (__TAVf90_write(6, FMT("(A, I4)"), 0, 0, 0) == 0 && __TAVf90_write_ch(FMT("iostat =")) == 0 &&
      __TAVf90_write_i(ios) == 0)
    __TAVf90_endwrite();

  f90_finish(0);
}
