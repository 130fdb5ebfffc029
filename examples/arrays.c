/* The calls a compiler makes for array intrinsics with DIM, MASK and ORDER:
 *
 *   program arrays                         ! arrays.f90
 *     integer :: a(3, 4)
 *     integer, allocatable :: p(:), r(:, :)
 *     a = reshape((/ 3, -1, 4, -1, -5, -9, 2, 6, -5, 3, 5, -8 /), (/ 3, 4 /))
 *     print *, sum(a, dim=2)
 *     print *, maxloc(a, dim=1, mask=a > 0)
 *     p = pack(a, a > 0)
 *     print *, p
 *     r = reshape(p, (/ 2, 3 /), order=(/ 2, 1 /))
 *     print *, r
 *     print *, cshift(p, 2)
 *   end program arrays
 */
#include <stdint.h>

#include "tavf90.h"

/* Descriptor of a whole contiguous default INTEGER array, lower bounds 1. */
static tav_ptr_desc whole(void *base, int rank, const int *extents) {
  tav_ptr_desc d = {0};
  intptr_t stride = 4;
  d.base = (char *)base;
  for (int k = 0; k < rank; ++k) {
    d.dim[k].extent = extents[k];
    d.dim[k].stride = stride;
    d.dim[k].lower = 1;
    d.offset -= stride;
    stride *= extents[k];
  }
  return d;
}

static void print_ints(int line, const int32_t *v, int n) {
  __TAVf90_lineno = line;
  if (__TAVf90_write(6, 0, 0, 0, 0, 0) != 0) return;
  for (int i = 0; i < n; ++i)
    if (__TAVf90_lwrite_i(v[i]) != 0) return;
  __TAVf90_endwrite();
}

int main(int argc, char **argv) {
  static const int32_t init[12] = {3, -1, 4, -1, -5, -9, 2, 6, -5, 3, 5, -8};
  int32_t a[12];
  const int a_shape[2] = {3, 4};

  f90_init(argc, argv);
  __TAVf90_filename = "arrays.f90";

  /* Line 4: RESHAPE of a constant to the shape of a is done at compile time. */
  for (int i = 0; i < 12; ++i) a[i] = init[i];
  tav_ptr_desc ad = whole(a, 2, a_shape);

  /* Line 5: SUM(a, DIM=2). */
  __TAVf90_lineno = 5;
  tav_vector sum = __TAVf90_dimsum_i(2, &ad, 2);
  print_ints(5, (const int32_t *)sum.base, __TAVf90_size_vector(sum));
  __TAVf90_freevec_i(sum);

  /* Line 6: the mask a > 0 is an expression temporary. */
  __TAVf90_lineno = 6;
  tav_vector mask = __TAVf90_mkatmp_l(2, 3, 4);
  for (int i = 0; i < 12; ++i) ((int32_t *)mask.base)[i] = a[i] > 0;
  tav_ptr_desc md = whole(mask.base, 2, a_shape);
  tav_vector loc = __TAVf90_m_l_maxld_i(2, &ad, 1, 2, &md);
  print_ints(6, (const int32_t *)loc.base, __TAVf90_size_vector(loc));
  __TAVf90_freevec_i(loc);

  /* Line 7: p = PACK(a, a > 0); p takes over the result's storage. */
  __TAVf90_lineno = 7;
  tav_vector p = {0};
  __TAVf90_pack(&p, 2, &ad, 2, &md, 0, 4);
  __TAVf90_freevec_l(mask);
  int p_extent = (int)p.extent[0];
  print_ints(8, (const int32_t *)p.base, p_extent);

  /* Line 9: r = RESHAPE(p, (/ 2, 3 /), ORDER=(/ 2, 1 /)). */
  __TAVf90_lineno = 9;
  int32_t shape[2] = {2, 3}, order[2] = {2, 1};
  const int two = 2;
  tav_ptr_desc pd = whole(p.base, 1, &p_extent), sd = whole(shape, 1, &two), od = whole(order, 1, &two);
  tav_vector r = {0};
  __TAVf90_reshape(&r, 1, &pd, &sd, 0, 0, &od, 4);
  print_ints(10, (const int32_t *)r.base, __TAVf90_size_vector(r));

  /* Line 11: CSHIFT(p, 2) into a temporary of p's shape. */
  __TAVf90_lineno = 11;
  tav_vector c = __TAVf90_mkatmp_i(1, p_extent);
  __TAVf90_cshift_a(1, &pd, 2, 1, c.base, 4);
  print_ints(11, (const int32_t *)c.base, p_extent);
  __TAVf90_freevec_i(c);

  __TAVf90_freevec_i(r);
  __TAVf90_freevec_i(p);
  f90_finish(0);
}
