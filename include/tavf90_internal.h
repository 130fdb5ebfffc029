/*
 * tavf90 -- internal files: READ and WRITE on a CHARACTER scalar (one
 * record) or a CHARACTER array (one record per element, in array element
 * order).  The item entries are those of external statements.  A null
 * format is list-directed transfer.  Each begin call returns 0 or the I/O
 * status of the condition met; the end call releases the statement.
 */
#ifndef TAVF90_INTERNAL_H
#define TAVF90_INTERNAL_H

#ifdef __cplusplus
extern "C" {
#endif

/* READ from a scalar; flags: -1 for IOSTAT=, else 1 for END=, 2 for EOR=. */
TAV_API int __TAVf90_ireads(char *variable, int length, const char *format, int format_length, int *size,
                            int flags);
/* READ from a CHARACTER array of the given rank, by its pointer descriptor. */
TAV_API int __TAVf90_ireada(int rank, tav_cptr_desc *array, const char *format, int format_length, int *size,
                            int flags);
/* End of an internal READ: stores SIZE= when given; returns 0. */
TAV_API int __TAVf90_endiread(void);
/* WRITE to a scalar; error_continue is 1 with IOSTAT= or ERR=. */
TAV_API int __TAVf90_iwrites(char *variable, int length, const char *format, int format_length,
                             int error_continue);
/* WRITE to a CHARACTER array of the given rank, by its pointer descriptor. */
TAV_API int __TAVf90_iwritea(int rank, tav_cptr_desc *array, const char *format, int format_length,
                             int error_continue);
/* End of an internal WRITE: blanks the rest of the record in hand; returns 0. */
TAV_API int __TAVf90_endiwrite(void);

#ifdef __cplusplus
}
#endif

#endif /* TAVF90_INTERNAL_H */
