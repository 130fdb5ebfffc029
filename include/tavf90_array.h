/*
 * tavf90 array intrinsics: SUM, PRODUCT, COUNT, ANY and ALL along DIM (with
 * optional MASK), MAXVAL, MINVAL, MAXLOC and MINLOC along DIM, and the array
 * constructors PACK, RESHAPE, SPREAD, CSHIFT and EOSHIFT.
 *
 * Arrays arrive as pointer descriptors (character pointer descriptors for
 * CHARACTER data) with the rank as a separate argument.  Scalar integer
 * arguments -- rank, DIM, NCOPIES, a scalar SHIFT, element sizes and lens --
 * are passed by value, as DIM is for the bound inquiries; a scalar BOUNDARY
 * is passed by address.  Reductions return a new array temporary (free it
 * with the matching __TAVf90_freevec_<t>; locations and counts are default
 * INTEGER).  PACK, RESHAPE and SPREAD fill the vector descriptor whose
 * address comes first (free its base with __TAVf90_oDeAlloc); CSHIFT and
 * EOSHIFT write into storage the caller provides.  The word after the
 * ARRAY descriptor of PACK is not read.  Errors end the program through
 * __TAVf90_crash.
 */
#ifndef TAVF90_ARRAY_H
#define TAVF90_ARRAY_H

#ifndef TAVF90_H
#include "tavf90.h"
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Reductions along DIM: (rank, ARRAY, DIM); masked: (rank, ARRAY, DIM,
 * unread word, MASK or null). */
TAV_API tav_vector __TAVf90_dimsum_i1(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), INTEGER(1) */
TAV_API tav_vector __TAVf90_dimsum_i2(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), INTEGER(2) */
TAV_API tav_vector __TAVf90_dimsum_i(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), default INTEGER */
TAV_API tav_vector __TAVf90_dimsum_i4(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), INTEGER(8) */
TAV_API tav_vector __TAVf90_dimsum_r(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), REAL */
TAV_API tav_vector __TAVf90_dimsum_d(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), DOUBLE PRECISION */
TAV_API tav_vector __TAVf90_dimsum_c(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), COMPLEX */
TAV_API tav_vector __TAVf90_dimsum_dc(int rank, const tav_ptr_desc *array, int dim); /* SUM(ARRAY, DIM), double COMPLEX */
TAV_API tav_vector __TAVf90_dimsum_l1(int rank, const tav_ptr_desc *array, int dim); /* ANY(ARRAY, DIM), LOGICAL(1) */
TAV_API tav_vector __TAVf90_dimsum_l2(int rank, const tav_ptr_desc *array, int dim); /* ANY(ARRAY, DIM), LOGICAL(2) */
TAV_API tav_vector __TAVf90_dimsum_l(int rank, const tav_ptr_desc *array, int dim); /* ANY(ARRAY, DIM), default LOGICAL */
TAV_API tav_vector __TAVf90_dimsum_l4(int rank, const tav_ptr_desc *array, int dim); /* ANY(ARRAY, DIM), LOGICAL(8) */
TAV_API tav_vector __TAVf90_dimprod_i1(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), INTEGER(1) */
TAV_API tav_vector __TAVf90_dimprod_i2(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), INTEGER(2) */
TAV_API tav_vector __TAVf90_dimprod_i(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), default INTEGER */
TAV_API tav_vector __TAVf90_dimprod_i4(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), INTEGER(8) */
TAV_API tav_vector __TAVf90_dimprod_r(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), REAL */
TAV_API tav_vector __TAVf90_dimprod_d(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), DOUBLE PRECISION */
TAV_API tav_vector __TAVf90_dimprod_c(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), COMPLEX */
TAV_API tav_vector __TAVf90_dimprod_dc(int rank, const tav_ptr_desc *array, int dim); /* PRODUCT(ARRAY, DIM), double COMPLEX */
TAV_API tav_vector __TAVf90_dimprod_l1(int rank, const tav_ptr_desc *array, int dim); /* ALL(ARRAY, DIM), LOGICAL(1) */
TAV_API tav_vector __TAVf90_dimprod_l2(int rank, const tav_ptr_desc *array, int dim); /* ALL(ARRAY, DIM), LOGICAL(2) */
TAV_API tav_vector __TAVf90_dimprod_l(int rank, const tav_ptr_desc *array, int dim); /* ALL(ARRAY, DIM), default LOGICAL */
TAV_API tav_vector __TAVf90_dimprod_l4(int rank, const tav_ptr_desc *array, int dim); /* ALL(ARRAY, DIM), LOGICAL(8) */
TAV_API tav_vector __TAVf90_dimcount_l1(int rank, const tav_ptr_desc *mask, int dim); /* COUNT(MASK, DIM), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_dimcount_l2(int rank, const tav_ptr_desc *mask, int dim); /* COUNT(MASK, DIM), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_dimcount_l(int rank, const tav_ptr_desc *mask, int dim); /* COUNT(MASK, DIM), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_dimcount_l4(int rank, const tav_ptr_desc *mask, int dim); /* COUNT(MASK, DIM), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(1), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(2), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), default INTEGER, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(8), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), REAL, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), DOUBLE PRECISION, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), COMPLEX, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimsum_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), double COMPLEX, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), default INTEGER, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), REAL, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), COMPLEX, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimsum_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), double COMPLEX, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), default INTEGER, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), REAL, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), COMPLEX, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimsum_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), double COMPLEX, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), default INTEGER, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), REAL, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), COMPLEX, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimsum_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* SUM(ARRAY, DIM, MASK), double COMPLEX, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(1), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(2), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), default INTEGER, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(8), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), REAL, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), DOUBLE PRECISION, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), COMPLEX, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_dimprod_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), double COMPLEX, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), default INTEGER, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), REAL, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), COMPLEX, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_dimprod_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), double COMPLEX, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), default INTEGER, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), REAL, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), COMPLEX, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_dimprod_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), double COMPLEX, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), default INTEGER, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), REAL, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_c(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), COMPLEX, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_dimprod_dc(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* PRODUCT(ARRAY, DIM, MASK), double COMPLEX, LOGICAL(8) MASK */

/* Extremes and their locations along DIM: the same arguments. */
TAV_API tav_vector __TAVf90_maxv_dim_i1(int rank, const tav_ptr_desc *array, int dim); /* MAXVAL(ARRAY, DIM), INTEGER(1) */
TAV_API tav_vector __TAVf90_maxv_dim_i2(int rank, const tav_ptr_desc *array, int dim); /* MAXVAL(ARRAY, DIM), INTEGER(2) */
TAV_API tav_vector __TAVf90_maxv_dim_i(int rank, const tav_ptr_desc *array, int dim); /* MAXVAL(ARRAY, DIM), default INTEGER */
TAV_API tav_vector __TAVf90_maxv_dim_i4(int rank, const tav_ptr_desc *array, int dim); /* MAXVAL(ARRAY, DIM), INTEGER(8) */
TAV_API tav_vector __TAVf90_maxv_dim_r(int rank, const tav_ptr_desc *array, int dim); /* MAXVAL(ARRAY, DIM), REAL */
TAV_API tav_vector __TAVf90_maxv_dim_d(int rank, const tav_ptr_desc *array, int dim); /* MAXVAL(ARRAY, DIM), DOUBLE PRECISION */
TAV_API tav_vector __TAVf90_minv_dim_i1(int rank, const tav_ptr_desc *array, int dim); /* MINVAL(ARRAY, DIM), INTEGER(1) */
TAV_API tav_vector __TAVf90_minv_dim_i2(int rank, const tav_ptr_desc *array, int dim); /* MINVAL(ARRAY, DIM), INTEGER(2) */
TAV_API tav_vector __TAVf90_minv_dim_i(int rank, const tav_ptr_desc *array, int dim); /* MINVAL(ARRAY, DIM), default INTEGER */
TAV_API tav_vector __TAVf90_minv_dim_i4(int rank, const tav_ptr_desc *array, int dim); /* MINVAL(ARRAY, DIM), INTEGER(8) */
TAV_API tav_vector __TAVf90_minv_dim_r(int rank, const tav_ptr_desc *array, int dim); /* MINVAL(ARRAY, DIM), REAL */
TAV_API tav_vector __TAVf90_minv_dim_d(int rank, const tav_ptr_desc *array, int dim); /* MINVAL(ARRAY, DIM), DOUBLE PRECISION */
TAV_API tav_vector __TAVf90_maxl_dim_i1(int rank, const tav_ptr_desc *array, int dim); /* MAXLOC(ARRAY, DIM), INTEGER(1) */
TAV_API tav_vector __TAVf90_maxl_dim_i2(int rank, const tav_ptr_desc *array, int dim); /* MAXLOC(ARRAY, DIM), INTEGER(2) */
TAV_API tav_vector __TAVf90_maxl_dim_i(int rank, const tav_ptr_desc *array, int dim); /* MAXLOC(ARRAY, DIM), default INTEGER */
TAV_API tav_vector __TAVf90_maxl_dim_i4(int rank, const tav_ptr_desc *array, int dim); /* MAXLOC(ARRAY, DIM), INTEGER(8) */
TAV_API tav_vector __TAVf90_maxl_dim_r(int rank, const tav_ptr_desc *array, int dim); /* MAXLOC(ARRAY, DIM), REAL */
TAV_API tav_vector __TAVf90_maxl_dim_d(int rank, const tav_ptr_desc *array, int dim); /* MAXLOC(ARRAY, DIM), DOUBLE PRECISION */
TAV_API tav_vector __TAVf90_minl_dim_i1(int rank, const tav_ptr_desc *array, int dim); /* MINLOC(ARRAY, DIM), INTEGER(1) */
TAV_API tav_vector __TAVf90_minl_dim_i2(int rank, const tav_ptr_desc *array, int dim); /* MINLOC(ARRAY, DIM), INTEGER(2) */
TAV_API tav_vector __TAVf90_minl_dim_i(int rank, const tav_ptr_desc *array, int dim); /* MINLOC(ARRAY, DIM), default INTEGER */
TAV_API tav_vector __TAVf90_minl_dim_i4(int rank, const tav_ptr_desc *array, int dim); /* MINLOC(ARRAY, DIM), INTEGER(8) */
TAV_API tav_vector __TAVf90_minl_dim_r(int rank, const tav_ptr_desc *array, int dim); /* MINLOC(ARRAY, DIM), REAL */
TAV_API tav_vector __TAVf90_minl_dim_d(int rank, const tav_ptr_desc *array, int dim); /* MINLOC(ARRAY, DIM), DOUBLE PRECISION */
TAV_API tav_vector __TAVf90_m_l_maxvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(1), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(2), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), default INTEGER, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(8), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), REAL, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l1_maxvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), default INTEGER, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), REAL, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), default INTEGER, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), REAL, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), default INTEGER, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), REAL, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l_minvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(1), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(2), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), default INTEGER, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(8), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), REAL, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l1_minvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), default INTEGER, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), REAL, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l2_minvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), default INTEGER, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), REAL, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l4_minvd_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minvd_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minvd_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), default INTEGER, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minvd_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minvd_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), REAL, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minvd_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINVAL(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l_maxld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(1), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(2), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), default INTEGER, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(8), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), REAL, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_maxld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l1_maxld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), default INTEGER, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), REAL, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_maxld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), default INTEGER, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), REAL, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_maxld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), default INTEGER, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), REAL, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_maxld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MAXLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l_minld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(1), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(2), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), default INTEGER, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(8), default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), REAL, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l_minld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, default LOGICAL MASK */
TAV_API tav_vector __TAVf90_m_l1_minld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), default INTEGER, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), REAL, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l1_minld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(1) MASK */
TAV_API tav_vector __TAVf90_m_l2_minld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), default INTEGER, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), REAL, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l2_minld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(2) MASK */
TAV_API tav_vector __TAVf90_m_l4_minld_i1(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(1), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minld_i2(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(2), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minld_i(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), default INTEGER, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minld_i4(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), INTEGER(8), LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minld_r(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), REAL, LOGICAL(8) MASK */
TAV_API tav_vector __TAVf90_m_l4_minld_d(int rank, const tav_ptr_desc *array, int dim, int unread, const tav_ptr_desc *mask); /* MINLOC(ARRAY, DIM, MASK), DOUBLE PRECISION, LOGICAL(8) MASK */

/* PACK(ARRAY, MASK, VECTOR): result, rank, ARRAY, unread word, MASK, VECTOR
 * or null (, element size). */
TAV_API void __TAVf90_pack(tav_vector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, numeric or LOGICAL, default LOGICAL MASK */
TAV_API void __TAVf90_dtpack(tav_cvector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, derived type, default LOGICAL MASK */
TAV_API void __TAVf90_chpack(tav_cvector *result, int rank, const tav_cptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_cptr_desc *vector); /* PACK, CHARACTER, default LOGICAL MASK */
TAV_API void __TAVf90_l1_pack(tav_vector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, numeric or LOGICAL, LOGICAL(1) MASK */
TAV_API void __TAVf90_l1_dtpack(tav_cvector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, derived type, LOGICAL(1) MASK */
TAV_API void __TAVf90_l1_chpack(tav_cvector *result, int rank, const tav_cptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_cptr_desc *vector); /* PACK, CHARACTER, LOGICAL(1) MASK */
TAV_API void __TAVf90_l2_pack(tav_vector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, numeric or LOGICAL, LOGICAL(2) MASK */
TAV_API void __TAVf90_l2_dtpack(tav_cvector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, derived type, LOGICAL(2) MASK */
TAV_API void __TAVf90_l2_chpack(tav_cvector *result, int rank, const tav_cptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_cptr_desc *vector); /* PACK, CHARACTER, LOGICAL(2) MASK */
TAV_API void __TAVf90_l4_pack(tav_vector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, numeric or LOGICAL, LOGICAL(8) MASK */
TAV_API void __TAVf90_l4_dtpack(tav_cvector *result, int rank, const tav_ptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_ptr_desc *vector, int element_size); /* PACK, derived type, LOGICAL(8) MASK */
TAV_API void __TAVf90_l4_chpack(tav_cvector *result, int rank, const tav_cptr_desc *array, int unread, const tav_ptr_desc *mask, const tav_cptr_desc *vector); /* PACK, CHARACTER, LOGICAL(8) MASK */

/* RESHAPE(SOURCE, SHAPE, PAD, ORDER): result, SOURCE rank, SOURCE, SHAPE,
 * PAD rank, PAD or null, ORDER or null (, element size).  SHAPE and ORDER
 * are default INTEGER. */
TAV_API void __TAVf90_reshape(tav_vector *result, int rank, const tav_ptr_desc *source, const tav_ptr_desc *shape, int pad_rank, const tav_ptr_desc *pad, const tav_ptr_desc *order, int element_size); /* RESHAPE, numeric or LOGICAL */
TAV_API void __TAVf90_dtreshape(tav_cvector *result, int rank, const tav_ptr_desc *source, const tav_ptr_desc *shape, int pad_rank, const tav_ptr_desc *pad, const tav_ptr_desc *order, int element_size); /* RESHAPE, derived type */
TAV_API void __TAVf90_chreshape(tav_cvector *result, int rank, const tav_cptr_desc *source, const tav_ptr_desc *shape, int pad_rank, const tav_cptr_desc *pad, const tav_ptr_desc *order); /* RESHAPE, CHARACTER */

/* SPREAD(SOURCE, DIM, NCOPIES): result, SOURCE rank, SOURCE, DIM, NCOPIES
 * (, element size). */
TAV_API void __TAVf90_spread(tav_vector *result, int rank, const tav_ptr_desc *source, int dim, int ncopies, int element_size); /* SPREAD, numeric or LOGICAL */
TAV_API void __TAVf90_dtspread(tav_cvector *result, int rank, const tav_ptr_desc *source, int dim, int ncopies, int element_size); /* SPREAD, derived type */
TAV_API void __TAVf90_chspread(tav_cvector *result, int rank, const tav_cptr_desc *source, int dim, int ncopies); /* SPREAD, CHARACTER */

/* CSHIFT and EOSHIFT write the result, in array element order with ARRAY's
 * shape, to `dest`.  An array SHIFT has elements of shift_width bytes (1, 2
 * or 4; anything else reads 4), read as signed integers. */
TAV_API void __TAVf90_cshift_a(int rank, const tav_ptr_desc *array, int shift, int dim, void *dest, int element_size); /* CSHIFT, scalar SHIFT */
TAV_API void __TAVf90_cshift_aa(int rank, const tav_ptr_desc *array, int shift_rank, const tav_ptr_desc *shift, int dim, void *dest, int element_size, int shift_width); /* CSHIFT, array SHIFT */
TAV_API void __TAVf90_cshift_ca(int rank, const tav_cptr_desc *array, int shift, int dim, void *dest, int len); /* CSHIFT of CHARACTER, scalar SHIFT */
TAV_API void __TAVf90_cshift_caa(int rank, const tav_cptr_desc *array, int shift_rank, const tav_ptr_desc *shift, int dim, void *dest, int len, int shift_width); /* CSHIFT of CHARACTER, array SHIFT */
TAV_API void __TAVf90_eoshift_as(int rank, const tav_ptr_desc *array, int shift, int dim, const void *boundary, void *dest, int element_size); /* EOSHIFT, scalar SHIFT, scalar BOUNDARY */
TAV_API void __TAVf90_eoshift_aa(int rank, const tav_ptr_desc *array, int shift, int dim, int boundary_rank, const tav_ptr_desc *boundary, void *dest, int element_size); /* EOSHIFT, scalar SHIFT, array BOUNDARY */
TAV_API void __TAVf90_eoshift_aas(int rank, const tav_ptr_desc *array, int shift_rank, const tav_ptr_desc *shift, int dim, const void *boundary, void *dest, int element_size, int shift_width); /* EOSHIFT, array SHIFT, scalar BOUNDARY */
TAV_API void __TAVf90_eoshift_aaa(int rank, const tav_ptr_desc *array, int shift_rank, const tav_ptr_desc *shift, int dim, int boundary_rank, const tav_ptr_desc *boundary, void *dest, int element_size, int shift_width); /* EOSHIFT, array SHIFT, array BOUNDARY */
TAV_API void __TAVf90_eoshift_cas(int rank, const tav_cptr_desc *array, int shift, int dim, const char *boundary, int boundary_len, void *dest, int len); /* EOSHIFT of CHARACTER, scalar SHIFT, scalar BOUNDARY */
TAV_API void __TAVf90_eoshift_caa(int rank, const tav_cptr_desc *array, int shift, int dim, int boundary_rank, const tav_cptr_desc *boundary, void *dest, int len); /* EOSHIFT of CHARACTER, scalar SHIFT, array BOUNDARY */
TAV_API void __TAVf90_eoshift_caas(int rank, const tav_cptr_desc *array, int shift_rank, const tav_ptr_desc *shift, int dim, const char *boundary, int boundary_len, void *dest, int len, int shift_width); /* EOSHIFT of CHARACTER, array SHIFT, scalar BOUNDARY */
TAV_API void __TAVf90_eoshift_caaa(int rank, const tav_cptr_desc *array, int shift_rank, const tav_ptr_desc *shift, int dim, int boundary_rank, const tav_cptr_desc *boundary, void *dest, int len, int shift_width); /* EOSHIFT of CHARACTER, array SHIFT, array BOUNDARY */

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVF90_ARRAY_H */
