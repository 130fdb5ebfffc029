/*
 * tavf90 numeric intrinsics: elementary functions, powers and complex
 * division, kind selection, the real model, rounding and integer
 * intrinsics.  Included from tavf90.h.
 */
#ifndef TAVF90_NUMERIC_H
#define TAVF90_NUMERIC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#ifndef TAV_API
#define TAV_API __attribute__((visibility("default")))
#endif

/* COMPLEX and double COMPLEX values; returned by value through the hidden
 * result address that the callee removes. */
typedef struct tav_complex {
  float re, im;
} tav_complex;
typedef struct tav_dcomplex {
  double re, im;
} tav_dcomplex;

/* ---- Elementary functions, by reference (x87 extended precision) ---- */
TAV_API float __TAVf90_sqrt_r(const float *x); /* SQRT, REAL */
TAV_API double __TAVf90_sqrt_d(const double *x); /* SQRT, DOUBLE PRECISION */
TAV_API tav_complex __TAVf90_sqrt_c(const tav_complex *z); /* SQRT, COMPLEX */
TAV_API tav_dcomplex __TAVf90_sqrt_dc(const tav_dcomplex *z); /* SQRT, double COMPLEX */
TAV_API float __TAVf90_exp_r(const float *x); /* EXP, REAL */
TAV_API double __TAVf90_exp_d(const double *x); /* EXP, DOUBLE PRECISION */
TAV_API tav_complex __TAVf90_exp_c(const tav_complex *z); /* EXP, COMPLEX */
TAV_API tav_dcomplex __TAVf90_exp_dc(const tav_dcomplex *z); /* EXP, double COMPLEX */
TAV_API float __TAVf90_log_r(const float *x); /* LOG, REAL */
TAV_API double __TAVf90_log_d(const double *x); /* LOG, DOUBLE PRECISION */
TAV_API tav_complex __TAVf90_log_c(const tav_complex *z); /* LOG, COMPLEX */
TAV_API tav_dcomplex __TAVf90_log_dc(const tav_dcomplex *z); /* LOG, double COMPLEX */
TAV_API float __TAVf90_log10_r(const float *x); /* LOG10, REAL */
TAV_API double __TAVf90_log10_d(const double *x); /* LOG10, DOUBLE PRECISION */
TAV_API float __TAVf90_sin_r(const float *x); /* SIN, REAL */
TAV_API double __TAVf90_sin_d(const double *x); /* SIN, DOUBLE PRECISION */
TAV_API tav_complex __TAVf90_sin_c(const tav_complex *z); /* SIN, COMPLEX */
TAV_API tav_dcomplex __TAVf90_sin_dc(const tav_dcomplex *z); /* SIN, double COMPLEX */
TAV_API float __TAVf90_cos_r(const float *x); /* COS, REAL */
TAV_API double __TAVf90_cos_d(const double *x); /* COS, DOUBLE PRECISION */
TAV_API tav_complex __TAVf90_cos_c(const tav_complex *z); /* COS, COMPLEX */
TAV_API tav_dcomplex __TAVf90_cos_dc(const tav_dcomplex *z); /* COS, double COMPLEX */
TAV_API float __TAVf90_tan_r(const float *x); /* TAN, REAL */
TAV_API double __TAVf90_tan_d(const double *x); /* TAN, DOUBLE PRECISION */
TAV_API float __TAVf90_asin_r(const float *x); /* ASIN, REAL */
TAV_API double __TAVf90_asin_d(const double *x); /* ASIN, DOUBLE PRECISION */
TAV_API float __TAVf90_acos_r(const float *x); /* ACOS, REAL */
TAV_API double __TAVf90_acos_d(const double *x); /* ACOS, DOUBLE PRECISION */
TAV_API float __TAVf90_atan_r(const float *x); /* ATAN, REAL */
TAV_API double __TAVf90_atan_d(const double *x); /* ATAN, DOUBLE PRECISION */
TAV_API float __TAVf90_atan2_r(const float *y, const float *x); /* ATAN2, REAL */
TAV_API double __TAVf90_atan2_d(const double *y, const double *x); /* ATAN2, DOUBLE PRECISION */
TAV_API float __TAVf90_sinh_r(const float *x); /* SINH, REAL */
TAV_API double __TAVf90_sinh_d(const double *x); /* SINH, DOUBLE PRECISION */
TAV_API float __TAVf90_cosh_r(const float *x); /* COSH, REAL */
TAV_API double __TAVf90_cosh_d(const double *x); /* COSH, DOUBLE PRECISION */
TAV_API float __TAVf90_tanh_r(const float *x); /* TANH, REAL */
TAV_API double __TAVf90_tanh_d(const double *x); /* TANH, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_abs_i(const int32_t *i); /* ABS, INTEGER */
TAV_API int64_t __TAVf90_abs_i4(const int64_t *i); /* ABS, INTEGER(8) */
TAV_API float __TAVf90_abs_r(const float *x); /* ABS, REAL */
TAV_API double __TAVf90_abs_d(const double *x); /* ABS, DOUBLE PRECISION */
TAV_API float __TAVf90_abs_c(const tav_complex *z); /* ABS, COMPLEX */
TAV_API double __TAVf90_abs_dc(const tav_dcomplex *z); /* ABS, double COMPLEX */
/* Fortran 77 complex convention: result address removed by the caller. */
TAV_API void __TAVf90_sqrt_c77(tav_complex *result, const tav_complex *z); /* SQRT */
TAV_API void __TAVf90_exp_c77(tav_complex *result, const tav_complex *z);  /* EXP */
TAV_API void __TAVf90_log_c77(tav_complex *result, const tav_complex *z);  /* LOG */
TAV_API void __TAVf90_sin_c77(tav_complex *result, const tav_complex *z);  /* SIN */
TAV_API void __TAVf90_cos_c77(tav_complex *result, const tav_complex *z);  /* COS */

/* ---- Elementary functions, IEEE family (double by value) ---- */
TAV_API double __TAVf90_sin(double x);            /* SIN */
TAV_API double __TAVf90_cos(double x);            /* COS */
TAV_API double __TAVf90_tan(double x);            /* TAN */
TAV_API double __TAVf90_exp(double x);            /* EXP */
TAV_API double __TAVf90_log(double x);            /* LOG */
TAV_API double __TAVf90_log10(double x);          /* LOG10 */
TAV_API double __TAVf90_pow(double x, double y);  /* x ** y */
TAV_API double __TAVf90_atan(double x);           /* ATAN */
TAV_API double __TAVf90_atan2(double y, double x); /* ATAN2 */
TAV_API double __TAVf90_sinh(double x);           /* SINH */
TAV_API double __TAVf90_cosh(double x);           /* COSH */
TAV_API double __TAVf90_tanh(double x);           /* TANH */
/* x - n*pi/2 as y[0] + y[1]; returns n. */
TAV_API int __TAVf90_rem_pio2(double x, double *y);
/* The table-driven reduction of a large argument cut into nx 24-bit pieces
 * x[] with exponent e0; prec 0..3 selects 24, 53, 64 or 113 bits. */
TAV_API int __TAVf90_krem_pio2(double *x, double *y, int e0, int nx, int prec, const int *ipio2);
/* sin(x + y) on [-pi/4, pi/4]; iy = 0 when y is zero. */
TAV_API double __TAVf90_ksin(double x, double y, int iy);
/* cos(x + y) on [-pi/4, pi/4]. */
TAV_API double __TAVf90_kcos(double x, double y);

/* ---- Powers (operands by value) ---- */
TAV_API int32_t __TAVf90_ipowi(int32_t base, int32_t n);        /* INTEGER ** INTEGER */
TAV_API int64_t __TAVf90_i4powi4(int64_t base, int64_t n);      /* INTEGER(8) ** INTEGER(8) */
TAV_API float __TAVf90_fpowi(float base, int32_t n);            /* REAL ** INTEGER */
TAV_API float __TAVf90_fpowi4(float base, int64_t n);           /* REAL ** INTEGER(8) */
TAV_API double __TAVf90_dpowi(double base, int32_t n);          /* DOUBLE ** INTEGER */
TAV_API double __TAVf90_dpowi4(double base, int64_t n);         /* DOUBLE ** INTEGER(8) */
TAV_API float __TAVf90_rpowr(float base, float y);              /* REAL ** REAL */
TAV_API float __TAVf90_ipowr(int32_t base, float y);            /* INTEGER ** REAL */
TAV_API float __TAVf90_i4powr(int64_t base, float y);           /* INTEGER(8) ** REAL */
TAV_API double __TAVf90_ipowd(int32_t base, double y);          /* INTEGER ** DOUBLE */
TAV_API double __TAVf90_i4powd(int64_t base, double y);         /* INTEGER(8) ** DOUBLE */
TAV_API tav_complex __TAVf90_cpowi(float re, float im, int32_t n);      /* COMPLEX ** INTEGER */
TAV_API tav_complex __TAVf90_cpowi4(float re, float im, int64_t n);     /* COMPLEX ** INTEGER(8) */
TAV_API tav_dcomplex __TAVf90_dcpowi(double re, double im, int32_t n);  /* double COMPLEX ** INTEGER */
TAV_API tav_dcomplex __TAVf90_dcpowi4(double re, double im, int64_t n); /* double COMPLEX ** INTEGER(8) */
TAV_API tav_complex __TAVf90_cpowc(float re, float im, float wre, float wim);        /* COMPLEX ** COMPLEX */
TAV_API tav_dcomplex __TAVf90_dcpowdc(double re, double im, double wre, double wim); /* double COMPLEX ** same */

/* ---- Complex division (operands by value) ---- */
TAV_API tav_complex __TAVf90_cdivc(float a, float b, float c, float d);     /* COMPLEX / COMPLEX */
TAV_API tav_dcomplex __TAVf90_cdivdc(float a, float b, double c, double d);  /* COMPLEX / double COMPLEX */
TAV_API tav_dcomplex __TAVf90_dcdivc(double a, double b, float c, float d);  /* double COMPLEX / COMPLEX */
TAV_API tav_dcomplex __TAVf90_dcdivdc(double a, double b, double c, double d); /* double COMPLEX / same */
TAV_API tav_complex __TAVf90_rdivc(float a, float c, float d);              /* REAL / COMPLEX */
TAV_API tav_dcomplex __TAVf90_dpdivc(double a, float c, float d);           /* DOUBLE / COMPLEX */
TAV_API tav_dcomplex __TAVf90_dpdivdc(double a, double c, double d);        /* DOUBLE / double COMPLEX */

/* ---- Kind selection ---- */
TAV_API int32_t __TAVf90_rselect(int32_t p, int32_t r);       /* SELECTED_REAL_KIND, kinds 1, 2 */
TAV_API int32_t __TAVf90_rselectb(int32_t p, int32_t r);      /* SELECTED_REAL_KIND, kinds 4, 8 */
TAV_API int32_t __TAVf90_ieee_rselect(int32_t p, int32_t r);  /* as rselect */
TAV_API int32_t __TAVf90_ieee_rselectb(int32_t p, int32_t r); /* as rselectb */
TAV_API int32_t __TAVf90_iselect(int32_t r);                  /* SELECTED_INT_KIND, kinds 1..4 */
TAV_API int32_t __TAVf90_iselectb(int32_t r);                 /* SELECTED_INT_KIND, kinds 1, 2, 4, 8 */

/* ---- Real model ---- */
TAV_API int32_t __TAVf90_exponent_r(const float *x); /* EXPONENT, REAL */
TAV_API int32_t __TAVf90_exponent_d(const double *x); /* EXPONENT, DOUBLE PRECISION */
TAV_API float __TAVf90_spacing_r(const float *x); /* SPACING, REAL */
TAV_API double __TAVf90_spacing_d(const double *x); /* SPACING, DOUBLE PRECISION */
TAV_API float __TAVf90_rrspacing_r(const float *x); /* RRSPACING, REAL */
TAV_API double __TAVf90_rrspacing_d(const double *x); /* RRSPACING, DOUBLE PRECISION */
TAV_API float __TAVf90_nearest_r(float x, double s); /* NEAREST, REAL */
TAV_API double __TAVf90_nearest_d(double x, double s); /* NEAREST, DOUBLE PRECISION */
TAV_API float __TAVf90_scale_r(float x, int32_t i); /* SCALE, REAL */
TAV_API double __TAVf90_scale_d(double x, int32_t i); /* SCALE, DOUBLE PRECISION */
TAV_API float __TAVf90_setexp_r(float x, int32_t i); /* SET_EXPONENT, REAL */
TAV_API double __TAVf90_setexp_d(double x, int32_t i); /* SET_EXPONENT, DOUBLE PRECISION */

/* ---- Rounding ---- */
TAV_API float __TAVf90_aint_r(const float *x); /* AINT, REAL */
TAV_API double __TAVf90_aint_d(const double *x); /* AINT, DOUBLE PRECISION */
TAV_API float __TAVf90_anint_r(const float *x); /* ANINT, REAL */
TAV_API double __TAVf90_anint_d(const double *x); /* ANINT, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_nint_r_i(const float *x); /* NINT, REAL to INTEGER */
TAV_API int32_t __TAVf90_nint_d_i(const double *x); /* NINT, DOUBLE PRECISION to INTEGER */

/* ---- MOD, MODULO, SIGN, DIM, DPROD, AIMAG, CONJG (by address) ---- */
TAV_API int32_t __TAVf90_mod_i(const int32_t *a, const int32_t *p); /* MOD, INTEGER */
TAV_API int64_t __TAVf90_mod_i4(const int64_t *a, const int64_t *p); /* MOD, INTEGER(8) */
TAV_API float __TAVf90_mod_r(const float *a, const float *p); /* MOD, REAL */
TAV_API double __TAVf90_mod_d(const double *a, const double *p); /* MOD, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_modulo_i(const int32_t *a, const int32_t *p); /* MODULO, INTEGER */
TAV_API int8_t __TAVf90_modulo_i1(const int8_t *a, const int8_t *p); /* MODULO, INTEGER(1) */
TAV_API int16_t __TAVf90_modulo_i2(const int16_t *a, const int16_t *p); /* MODULO, INTEGER(2) */
TAV_API int64_t __TAVf90_modulo_i4(const int64_t *a, const int64_t *p); /* MODULO, INTEGER(8) */
TAV_API float __TAVf90_modulo_r(const float *a, const float *p); /* MODULO, REAL */
TAV_API double __TAVf90_modulo_d(const double *a, const double *p); /* MODULO, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_sign_i(const int32_t *a, const int32_t *b); /* SIGN, INTEGER */
TAV_API int64_t __TAVf90_sign_i4(const int64_t *a, const int64_t *b); /* SIGN, INTEGER(8) */
TAV_API float __TAVf90_sign_r(const float *a, const float *b); /* SIGN, REAL */
TAV_API double __TAVf90_sign_d(const double *a, const double *b); /* SIGN, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_dim_i(const int32_t *x, const int32_t *y); /* DIM, INTEGER */
TAV_API int64_t __TAVf90_dim_i4(const int64_t *x, const int64_t *y); /* DIM, INTEGER(8) */
TAV_API float __TAVf90_dim_r(const float *x, const float *y); /* DIM, REAL */
TAV_API double __TAVf90_dim_d(const double *x, const double *y); /* DIM, DOUBLE PRECISION */
TAV_API double __TAVf90_dprod(const float *x, const float *y);        /* DPROD */
TAV_API double __TAVf90_dprod_r8(float x, float y);                   /* DPROD, operands by value */
TAV_API float __TAVf90_aimag_r(const tav_complex *z); /* AIMAG, COMPLEX */
TAV_API double __TAVf90_aimag_d(const tav_dcomplex *z); /* AIMAG, double COMPLEX */
TAV_API tav_complex __TAVf90_conjg_r(const tav_complex *z); /* CONJG, COMPLEX */
TAV_API tav_dcomplex __TAVf90_conjg_d(const tav_dcomplex *z); /* CONJG, double COMPLEX */

/* ---- MAX and MIN of n values (REAL values passed as double) ---- */
TAV_API int32_t __TAVf90_max_i(int n, ...); /* MAX, INTEGER */
TAV_API int8_t __TAVf90_max_i1(int n, ...); /* MAX, INTEGER(1) */
TAV_API int16_t __TAVf90_max_i2(int n, ...); /* MAX, INTEGER(2) */
TAV_API int64_t __TAVf90_max_i4(int n, ...); /* MAX, INTEGER(8) */
TAV_API float __TAVf90_max_r(int n, ...); /* MAX, REAL */
TAV_API double __TAVf90_max_d(int n, ...); /* MAX, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_max1(int n, ...);    /* MAX1: REAL values, INTEGER result */
TAV_API float __TAVf90_amax0(int n, ...);     /* AMAX0: INTEGER values, REAL result */
TAV_API int32_t __TAVf90_min_i(int n, ...); /* MIN, INTEGER */
TAV_API int8_t __TAVf90_min_i1(int n, ...); /* MIN, INTEGER(1) */
TAV_API int16_t __TAVf90_min_i2(int n, ...); /* MIN, INTEGER(2) */
TAV_API int64_t __TAVf90_min_i4(int n, ...); /* MIN, INTEGER(8) */
TAV_API float __TAVf90_min_r(int n, ...); /* MIN, REAL */
TAV_API double __TAVf90_min_d(int n, ...); /* MIN, DOUBLE PRECISION */
TAV_API int32_t __TAVf90_min1(int n, ...);    /* MIN1 */
TAV_API float __TAVf90_amin0(int n, ...);     /* AMIN0 */

/* ---- ISHFTC (operands by value) and the byte bit-count table ---- */
TAV_API int32_t __TAVf90_ishftc(int32_t i, int32_t shift, int32_t size, int32_t bit_size);    /* ISHFTC */
TAV_API int64_t __TAVf90_ishftc_i4(int64_t i, int64_t shift, int32_t size, int32_t bit_size); /* ISHFTC, 8-byte */
TAV_API extern const int32_t __TAVf90_popcnt_table[256]; /* one bits of each byte value */

/* ---- Array forms: result descriptor filled with a new array temporary
 * (lower bounds 1), the rank, then the operand descriptors. ---- */
TAV_API void __TAVf90_exponent_ra(tav_ptr_desc *result, int rank, const tav_ptr_desc *x); /* EXPONENT, REAL array */
TAV_API void __TAVf90_exponent_da(tav_ptr_desc *result, int rank, const tav_ptr_desc *x); /* EXPONENT, DOUBLE PRECISION array */
TAV_API void __TAVf90_spacing_ra(tav_ptr_desc *result, int rank, const tav_ptr_desc *x); /* SPACING, REAL array */
TAV_API void __TAVf90_spacing_da(tav_ptr_desc *result, int rank, const tav_ptr_desc *x); /* SPACING, DOUBLE PRECISION array */
TAV_API void __TAVf90_rrspacing_ra(tav_ptr_desc *result, int rank, const tav_ptr_desc *x); /* RRSPACING, REAL array */
TAV_API void __TAVf90_rrspacing_da(tav_ptr_desc *result, int rank, const tav_ptr_desc *x); /* RRSPACING, DOUBLE PRECISION array */
/* MOD, REAL arrays */
TAV_API void __TAVf90_mod_ra(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MOD, DOUBLE PRECISION arrays */
TAV_API void __TAVf90_mod_da(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MODULO, INTEGER arrays */
TAV_API void __TAVf90_modulo_ia(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MODULO, INTEGER(1) arrays */
TAV_API void __TAVf90_modulo_i1a(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MODULO, INTEGER(2) arrays */
TAV_API void __TAVf90_modulo_i2a(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MODULO, INTEGER(8) arrays */
TAV_API void __TAVf90_modulo_i4a(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MODULO, REAL arrays */
TAV_API void __TAVf90_modulo_ra(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* MODULO, DOUBLE PRECISION arrays */
TAV_API void __TAVf90_modulo_da(tav_ptr_desc *result, int rank, const tav_ptr_desc *a, const tav_ptr_desc *p);
/* DPROD, REAL arrays */
TAV_API void __TAVf90_dproda(tav_ptr_desc *result, int rank, const tav_ptr_desc *x, const tav_ptr_desc *y);
/* MAX and MIN of n arrays: n, then n pairs (int rank, const tav_ptr_desc *). */
TAV_API tav_vector __TAVf90_max_ia(int n, ...); /* MAX, INTEGER array */
TAV_API tav_vector __TAVf90_max_i1a(int n, ...); /* MAX, INTEGER(1) array */
TAV_API tav_vector __TAVf90_max_i2a(int n, ...); /* MAX, INTEGER(2) array */
TAV_API tav_vector __TAVf90_max_i4a(int n, ...); /* MAX, INTEGER(8) array */
TAV_API tav_vector __TAVf90_max_ra(int n, ...); /* MAX, REAL array */
TAV_API tav_vector __TAVf90_max_da(int n, ...); /* MAX, DOUBLE PRECISION array */
TAV_API tav_vector __TAVf90_min_ia(int n, ...); /* MIN, INTEGER array */
TAV_API tav_vector __TAVf90_min_i1a(int n, ...); /* MIN, INTEGER(1) array */
TAV_API tav_vector __TAVf90_min_i2a(int n, ...); /* MIN, INTEGER(2) array */
TAV_API tav_vector __TAVf90_min_i4a(int n, ...); /* MIN, INTEGER(8) array */
TAV_API tav_vector __TAVf90_min_ra(int n, ...); /* MIN, REAL array */
TAV_API tav_vector __TAVf90_min_da(int n, ...); /* MIN, DOUBLE PRECISION array */

#ifdef __cplusplus
} /* extern "C" */
#endif

#if defined(__i386__)
#ifdef __cplusplus
static_assert(sizeof(tav_complex) == 8, "COMPLEX is two REALs");
static_assert(sizeof(tav_dcomplex) == 16 && alignof(tav_dcomplex) == 4, "double COMPLEX is two doubles, word aligned");
#else
_Static_assert(sizeof(tav_complex) == 8, "COMPLEX is two REALs");
_Static_assert(sizeof(tav_dcomplex) == 16, "double COMPLEX is two doubles");
#endif
#endif

#endif /* TAVF90_NUMERIC_H */
