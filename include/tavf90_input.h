/*
 * tavf90 -- formatted and list-directed input: the item entries of READ
 * statements.  Every entry takes the item's address and returns 0 or the
 * I/O status of the condition met (IOSTAT=, END=, EOR=, ERR=).
 */
#ifndef TAVF90_INPUT_H
#define TAVF90_INPUT_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Formatted input items: I/B/O/Z/G into integers, F/E/D/G into reals,
 * L/G into logicals, A/G into characters. */
TAV_API int __TAVf90_read_i(int32_t *item);     /* default INTEGER */
TAV_API int __TAVf90_read_i1(int8_t *item);     /* INTEGER(1) */
TAV_API int __TAVf90_read_i2(int16_t *item);    /* INTEGER(2) */
TAV_API int __TAVf90_read_i4(int64_t *item);    /* 8-byte INTEGER */
TAV_API int __TAVf90_read_r(float *item);       /* REAL */
TAV_API int __TAVf90_read_d(double *item);      /* DOUBLE PRECISION */
TAV_API int __TAVf90_read_c(float *item);       /* COMPLEX: two REAL fields */
TAV_API int __TAVf90_read_dc(double *item);     /* double COMPLEX */
TAV_API int __TAVf90_read_l(int32_t *item);     /* default LOGICAL */
TAV_API int __TAVf90_read_l1(int8_t *item);     /* LOGICAL(1) */
TAV_API int __TAVf90_read_l2(int16_t *item);    /* LOGICAL(2) */
TAV_API int __TAVf90_read_l4(int64_t *item);    /* 8-byte LOGICAL */
TAV_API int __TAVf90_read_ch(char *item, int length); /* CHARACTER*length */

/* As above, and A also reads the bytes of a numeric or logical item. */
TAV_API int __TAVf90_dusty_read_i(int32_t *item);
TAV_API int __TAVf90_dusty_read_i1(int8_t *item);
TAV_API int __TAVf90_dusty_read_i2(int16_t *item);
TAV_API int __TAVf90_dusty_read_i4(int64_t *item);
TAV_API int __TAVf90_dusty_read_r(float *item);
TAV_API int __TAVf90_dusty_read_d(double *item);
TAV_API int __TAVf90_dusty_read_c(float *item);
TAV_API int __TAVf90_dusty_read_dc(double *item);
TAV_API int __TAVf90_dusty_read_l(int32_t *item);
TAV_API int __TAVf90_dusty_read_l1(int8_t *item);
TAV_API int __TAVf90_dusty_read_l2(int16_t *item);
TAV_API int __TAVf90_dusty_read_l4(int64_t *item);

/* Aw input of one field into length characters at address. */
TAV_API int __TAVf90_input_format_A(char *address, int w, int length);

/* List-directed input: the scanner's start, one entry per item kind (a
 * null value leaves the item unchanged), and the namelist hand-over of the
 * lookahead character. */
TAV_API int __TAVf90_init_linput(void);
TAV_API int __TAVf90_lread_i(int32_t *item);
TAV_API int __TAVf90_lread_i1(int8_t *item);
TAV_API int __TAVf90_lread_i2(int16_t *item);
TAV_API int __TAVf90_lread_i4(int64_t *item);
TAV_API int __TAVf90_lread_r(float *item);
TAV_API int __TAVf90_lread_d(double *item);
TAV_API int __TAVf90_lread_c(float *item);      /* two floats, real part first */
TAV_API int __TAVf90_lread_dc(double *item);    /* two doubles, real part first */
TAV_API int __TAVf90_lread_l(int32_t *item);
TAV_API int __TAVf90_lread_l1(int8_t *item);
TAV_API int __TAVf90_lread_l2(int16_t *item);
TAV_API int __TAVf90_lread_l4(int64_t *item);
TAV_API int __TAVf90_lread_ch(char *item, int32_t length);
TAV_API int __TAVf90_lread_nl_ch(char *item, int32_t length); /* only a quoted value */
TAV_API int __TAVf90_insync_namelist(char c);                 /* lookahead in */
TAV_API int __TAVf90_outsync_namelist(int32_t *repeat);       /* lookahead out */

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVF90_INPUT_H */
