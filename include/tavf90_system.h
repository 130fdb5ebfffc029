/*
 * tavf90 -- RANDOM_NUMBER, RANDOM_SEED, DATE_AND_TIME, CPU_TIME and
 * SYSTEM_CLOCK.
 *
 * Array arguments are pointer descriptors: the harvest of RANDOM_NUMBER
 * preceded by its rank, the rank-1 PUT, GET and VALUES arguments alone.
 * Absent optional arguments are null addresses.  Character arguments of
 * DATE_AND_TIME are addresses with their lengths at the end.
 */
#ifndef TAVF90_SYSTEM_H
#define TAVF90_SYSTEM_H

#include "tavf90.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The next number of the generator as REAL (in [0, 1)) and as DOUBLE
 * PRECISION (two names, one entry). */
TAV_API float __TAVf90_random90_r(void);
TAV_API double __TAVf90_random90_d(void);
TAV_API double __TAVf90_random90(void);
/* Fills n consecutive elements from `first` (n by value). */
TAV_API void __TAVf90_random90v_r(float *first, int n);
TAV_API void __TAVf90_random90v_d(double *first, int n);
/* Fills every element of an array or section, in array element order. */
TAV_API void __TAVf90_random90a_r(int rank, const tav_ptr_desc *harvest);
TAV_API void __TAVf90_random90a_d(int rank, const tav_ptr_desc *harvest);
/* RANDOM_SEED(SIZE=, PUT=, GET=): at most one argument present. */
TAV_API void __TAVf90_random_seed(int *size, const tav_ptr_desc *put, const tav_ptr_desc *get);
/* RANDOM_SEED(SIZE=size): stores 1 and returns size. */
TAV_API int *__TAVf90_random_seed_size(int *size);
/* RANDOM_SEED(PUT=put). */
TAV_API void __TAVf90_put_random_seed(const tav_ptr_desc *put);
/* RANDOM_SEED(GET=get); returns the seed stored. */
TAV_API int __TAVf90_get_random_seed(const tav_ptr_desc *get);
/* Seeds the generator from the clock. */
TAV_API void __TAVf90_init_random(void);

/* DATE_AND_TIME with default INTEGER VALUES, and with 8-byte INTEGER VALUES. */
TAV_API void __TAVf90_date_and_time(char *date, char *time, char *zone, const tav_ptr_desc *values, int date_len,
                                    int time_len, int zone_len);
TAV_API void __TAVf90_date_and_time_i4(char *date, char *time, char *zone, const tav_ptr_desc *values,
                                       int date_len, int time_len, int zone_len);
/* CPU_TIME as REAL and as DOUBLE PRECISION. */
TAV_API void __TAVf90_cpu_time(float *time);
TAV_API void __TAVf90_cpu_time_d(double *time);
/* SYSTEM_CLOCK(COUNT=, COUNT_RATE=, COUNT_MAX=), default INTEGER. */
TAV_API void __TAVf90_system_clock(int *count, int *count_rate, int *count_max);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVF90_SYSTEM_H */
