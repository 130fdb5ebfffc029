/*
 * tavf90 -- character assignment, comparison, concatenation and the
 * character intrinsics.
 *
 * Character arguments are an address and a length in bytes; lengths follow
 * the other arguments unless the line says otherwise.  The BACK argument of
 * the three-argument forms is the address of a default LOGICAL (nonzero is
 * true).  Array operands are character pointer descriptors preceded by their
 * rank; array results are character vector descriptors from
 * __TAVf90_mkatmp_ch (default INTEGER vector descriptors from
 * __TAVf90_mkatmp_i for LEN_TRIM), released by the caller with the matching
 * __TAVf90_freevec_* entry.  Array operands of one call must have the same
 * shape ("Shape mismatch: ..."); an assignment whose source overlaps its
 * destination behaves as if the source had been copied first.
 */
#ifndef TAVF90_CHARACTER_H
#define TAVF90_CHARACTER_H

#include "tavf90.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Character temporary: returned through a result address, released with
 * __TAVf90_chfree.  A zero length has a null address. */
typedef struct tav_chtmp {
  char *address;
  intptr_t length;
} tav_chtmp;

/* dst(1:dlen) = src(1:slen), blank-padded or truncated; overlap allowed. */
TAV_API void __TAVf90_chasgn(char *dst, int dlen, const char *src, int slen);
/* -1, 0 or 1 as a is below, equal to or above b (shorter one blank-padded). */
TAV_API int __TAVf90_charcmp(const char *a, const char *b, int alen, int blen);
/* *result = a // b (lengths interleaved, as listed). */
TAV_API void __TAVf90_chcat(tav_chtmp *result, const char *a, int alen, const char *b, int blen);
/* Releases a temporary (nothing for a null address) and zeroes the pair. */
TAV_API void __TAVf90_chfree(tav_chtmp *pair);
/* LEN as default and as 8-byte INTEGER. */
TAV_API int __TAVf90_len(const char *s, int len);
TAV_API int64_t __TAVf90_len_i4(const char *s, int len);
/* LEN_TRIM of a scalar; of every element of an array (INTEGER result). */
TAV_API int __TAVf90_len_trim(const char *s, int len);
TAV_API tav_vector __TAVf90_len_trima(int rank, const tav_cptr_desc *s);
/* INDEX(s, sub), INDEX(s, sub, BACK), and the 8-byte INTEGER INDEX(s, sub). */
TAV_API int __TAVf90_charindex(const char *s, const char *sub, int slen, int sublen);
TAV_API int __TAVf90_charindex3(const char *s, const char *sub, const int32_t *back, int slen, int sublen);
TAV_API int64_t __TAVf90_charindex_i4(const char *s, const char *sub, int slen, int sublen);
/* SCAN(s, set) and SCAN(s, set, BACK). */
TAV_API int __TAVf90_scan(const char *s, const char *set, int slen, int setlen);
TAV_API int __TAVf90_scan3(const char *s, const char *set, const int32_t *back, int slen, int setlen);
/* VERIFY(s, set) and VERIFY(s, set, BACK). */
TAV_API int __TAVf90_verify(const char *s, const char *set, int slen, int setlen);
TAV_API int __TAVf90_verify3(const char *s, const char *set, const int32_t *back, int slen, int setlen);
/* *result = ADJUSTL(s), ADJUSTR(s). */
TAV_API void __TAVf90_adjustl_ch(tav_chtmp *result, const char *s, int len);
TAV_API void __TAVf90_adjustr_ch(tav_chtmp *result, const char *s, int len);
/* ADJUSTL, ADJUSTR of every element of an array. */
TAV_API tav_cvector __TAVf90_adjustl_cha(int rank, const tav_cptr_desc *s);
TAV_API tav_cvector __TAVf90_adjustr_cha(int rank, const tav_cptr_desc *s);
/* array // scalar, scalar // array, array // array (element length la + lb). */
TAV_API tav_cvector __TAVf90_chcat_as(int rank, const tav_cptr_desc *a, const char *b, int blen);
TAV_API tav_cvector __TAVf90_chcat_sa(int rank, const char *a, const tav_cptr_desc *b, int alen);
TAV_API tav_cvector __TAVf90_chcat_aa(int rank, const tav_cptr_desc *a, const tav_cptr_desc *b);
/* *result = every element of the array joined in array element order. */
TAV_API void __TAVf90_cat_a2s(tav_chtmp *result, int rank, const tav_cptr_desc *a);
/* dst = src element by element; the shapes must agree. */
TAV_API void __TAVf90_array_ch_asgn_array_ch(int rank, const tav_cptr_desc *dst, const tav_cptr_desc *src);
/* Every element of dst = the scalar. */
TAV_API void __TAVf90_array_ch_asgn_scalar_ch(int rank, const tav_cptr_desc *dst, const char *src, int slen);
/* The same with a contiguous destination whose seven extents are in dst. */
TAV_API void __TAVf90_vec_ch_asgn_array_ch(int rank, tav_cvector dst, const tav_cptr_desc *src);
TAV_API void __TAVf90_vec_ch_asgn_scalar_ch(tav_cvector dst, const char *src, int slen);

#ifdef __cplusplus
} /* extern "C" */
#endif

#if defined(__i386__)
#ifdef __cplusplus
static_assert(sizeof(tav_chtmp) == 8, "character temporary is address and length");
#else
_Static_assert(sizeof(tav_chtmp) == 8, "character temporary is address and length");
#endif
#endif

#endif /* TAVF90_CHARACTER_H */
