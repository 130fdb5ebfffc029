/*
 * tavf90 -- NAMELIST input and output.  READ(u, NML=g) and WRITE(u, NML=g)
 * are one call each; the compiler describes the group as static, read-only
 * data in the layouts below (i386: every field is one 4-byte word).
 */
#ifndef TAVF90_NAMELIST_H
#define TAVF90_NAMELIST_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Type codes of objects and components. */
enum {
  TAV_NML_I1 = 1,         /* INTEGER(1) */
  TAV_NML_I2 = 2,         /* INTEGER(2) */
  TAV_NML_I4 = 3,         /* default INTEGER */
  TAV_NML_REAL = 4,       /* REAL */
  TAV_NML_DOUBLE = 5,     /* DOUBLE PRECISION */
  TAV_NML_L1 = 6,         /* LOGICAL(1) */
  TAV_NML_L4 = 7,         /* default LOGICAL */
  TAV_NML_COMPLEX = 8,    /* COMPLEX */
  TAV_NML_DCOMPLEX = 9,   /* double COMPLEX */
  TAV_NML_CHARACTER = 10, /* CHARACTER, length in the entry */
  TAV_NML_DERIVED = 11,   /* derived type, components in the entry */
  TAV_NML_L2 = 12,        /* LOGICAL(2) */
  TAV_NML_L8 = 13,        /* 8-byte LOGICAL */
  TAV_NML_I8 = 14         /* 8-byte INTEGER */
};

/* Shape of an array object or component: byte distance between consecutive
   elements, rank 1..7, then (extent, lower bound) per dimension; only the
   first `rank` pairs need be present. */
typedef struct tav_nml_shape {
  int32_t stride;
  int32_t rank;
  struct {
    int32_t extent;
    int32_t lower;
  } dim[7];
} tav_nml_shape;

struct tav_nml_components;

/* An object of the group, or a component of a derived type (then `where`
   holds its byte offset within the derived-type value). */
typedef struct tav_nml_object {
  const char *name; /* NUL-terminated, upper case */
  union {
    void *address;  /* object: the variable, its first element for an array */
    intptr_t offset; /* component: byte offset in the derived-type value */
  } where;
  const tav_nml_shape *shape; /* null for a scalar */
  int32_t type;               /* TAV_NML_* */
  int32_t length;             /* CHARACTER length */
  const struct tav_nml_components *components; /* TAV_NML_DERIVED */
} tav_nml_object;

/* The components of a derived type, stored one after another. */
typedef struct tav_nml_components {
  int32_t count;
  const tav_nml_object *entries;
} tav_nml_components;

/* The group: its name (NUL-terminated, upper case) and its objects in the
   order of the NAMELIST statement. */
typedef struct tav_nml_group {
  const char *name;
  const tav_nml_object *const *objects;
  int32_t count;
} tav_nml_group;

/* READ(unit, NML=group); flags: -1 for IOSTAT=, else 1 for END=, 2 for EOR=.
   Returns 0 or the I/O status of the condition met. */
TAV_API int __TAVf90_readn(int32_t unit, const tav_nml_group *group, int32_t flags);
/* End of a namelist READ: the rest of the record is dropped; returns 0. */
TAV_API int __TAVf90_nendread(void);
/* WRITE(unit, NML=group); flags non-zero with IOSTAT= or ERR=. */
TAV_API int __TAVf90_writen(int32_t unit, const tav_nml_group *group, int32_t flags);

#ifdef __cplusplus
}
#endif

#if defined(__i386__)
#ifdef __cplusplus
#define TAV_NML_ASSERT static_assert
#else
#define TAV_NML_ASSERT _Static_assert
#endif
TAV_NML_ASSERT(sizeof(tav_nml_group) == 12, "group: name, objects, count");
TAV_NML_ASSERT(sizeof(tav_nml_object) == 24, "object entry is six words");
TAV_NML_ASSERT(offsetof(tav_nml_object, type) == 12, "type code is word 4");
TAV_NML_ASSERT(offsetof(tav_nml_object, components) == 20, "component list is word 6");
TAV_NML_ASSERT(sizeof(tav_nml_components) == 8, "component list: count, entries");
TAV_NML_ASSERT(offsetof(tav_nml_shape, dim) == 8 && sizeof(tav_nml_shape) == 16 * 4,
               "shape: stride, rank, (extent, lower) pairs");
#undef TAV_NML_ASSERT
#endif

#endif /* TAVF90_NAMELIST_H */
