/* tavf90: unformatted sequential and direct-access statements, INQUIRE and
 * file positioning.  Included from tavf90.h. */
#ifndef TAVF90_FILES_H
#define TAVF90_FILES_H

#ifdef __cplusplus
extern "C" {
#endif

/* Unformatted sequential statements: records framed by 4-byte length markers. */
/* Begins an unformatted sequential WRITE on a unit. */
TAV_API int __TAVf90_writeu(int unit, int flags);
/* Appends n bytes to the record of an unformatted WRITE. */
TAV_API int __TAVf90_uwrite(const void *src, int n);
/* Appends every element of a non-character array, in array element order. */
TAV_API int __TAVf90_uwritea(int rank, tav_ptr_desc *d, int elemsize);
/* Appends every element of a CHARACTER array (element size factor * len). */
TAV_API int __TAVf90_uwritecha(int rank, tav_cptr_desc *d, int factor);
/* Ends an unformatted WRITE: the record goes to the file. */
TAV_API int __TAVf90_endwriteu(void);
/* Begins an unformatted sequential READ: the next record. */
TAV_API int __TAVf90_readu(int unit, int flags);
/* Takes the next n bytes of the record of an unformatted READ. */
TAV_API int __TAVf90_uread(void *dst, int n);
/* Fills every element of a non-character array from the record. */
TAV_API int __TAVf90_ureada(int rank, tav_ptr_desc *d, int elemsize);
/* Fills every element of a CHARACTER array from the record. */
TAV_API int __TAVf90_ureadcha(int rank, tav_cptr_desc *d, int factor);
/* Ends an unformatted READ: the rest of the record is skipped. */
TAV_API int __TAVf90_endreadu(void);
/* A whole unformatted WRITE of one block of n bytes. */
TAV_API int __TAVf90_writeu_opt(int unit, int flags, const void *src, int n);
/* A whole unformatted READ of one block of n bytes. */
TAV_API int __TAVf90_readu_opt(int unit, int flags, void *dst, int n);

/* Direct access: fixed records of RECL bytes, REC= from 1. */
/* Begins a formatted direct-access WRITE of record rec. */
TAV_API int __TAVf90_dwrite(int unit, const char *fmt, int fmt_len, int rec, int flags);
/* Ends a formatted direct-access WRITE: the last record is written. */
TAV_API int __TAVf90_enddwrite(void);
/* Begins a formatted direct-access READ of record rec (SIZE= in *size). */
TAV_API int __TAVf90_dread(int unit, const char *fmt, int fmt_len, int rec, int *size, int flags);
/* Ends a formatted direct-access READ. */
TAV_API int __TAVf90_enddread(void);
/* Begins an unformatted direct-access WRITE of record rec; items by __TAVf90_uwrite*. */
TAV_API int __TAVf90_dwriteu(int unit, int rec, int flags);
/* Ends an unformatted direct-access WRITE: RECL bytes, zero-padded. */
TAV_API int __TAVf90_enddwriteu(void);
/* Begins an unformatted direct-access READ of record rec; items by __TAVf90_uread*. */
TAV_API int __TAVf90_dreadu(int unit, int rec, int flags);
/* Ends an unformatted direct-access READ. */
TAV_API int __TAVf90_enddreadu(void);

/* INQUIRE: each character specifier is an address followed by its length,
 * each other one the address of an int; a null address is not asked. */
#define TAV_INQUIRE_SPECIFIERS                                                                               \
  char *access, int access_len, char *action, int action_len, char *blank, int blank_len, char *delim,       \
      int delim_len, char *direct, int direct_len, int *exist, char *form, int form_len, char *formatted,    \
      int formatted_len, int *opened, char *name, int name_len, int *named, int *nextrec, int *number,        \
      char *pad, int pad_len, char *position, int position_len, char *read, int read_len, char *readwrite,   \
      int readwrite_len, int *recl, char *sequential, int sequential_len, char *unformatted,                 \
      int unformatted_len, char *write, int write_len
/* INQUIRE by unit. */
TAV_API int __TAVf90_inquire_u(int unit, TAV_INQUIRE_SPECIFIERS);
/* INQUIRE by file name (trailing blanks ignored). */
TAV_API int __TAVf90_inquire_f(const char *file, int file_len, TAV_INQUIRE_SPECIFIERS);

/* File positioning on sequential units. */
/* REWIND. */
TAV_API int __TAVf90_rewind(int unit, int error_continue);
/* BACKSPACE: to the start of the previous record. */
TAV_API int __TAVf90_backspace(int unit, int error_continue);
/* ENDFILE: the file ends at the current position. */
TAV_API int __TAVf90_endfile(int unit, int error_continue);
/* Cuts the file of a unit's stream at the stream's position. */
TAV_API int __TAVf90_truncate(int unit, FILE **stream);

#ifdef __cplusplus
} /* extern "C" */
#endif

#endif /* TAVF90_FILES_H */
