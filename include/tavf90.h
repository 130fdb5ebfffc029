/*
 * tavf90 -- run-time support library of the tav Fortran 90/95 compiler.
 *
 * This header declares every entry point and exported variable of the
 * library as compiled code sees it, with the exact record layouts of the
 * i386 ABI.  Everything here has default visibility; everything else in the
 * library is hidden.
 */
#ifndef TAVF90_H
#define TAVF90_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The GNU spelling: it may follow TAV_API in C and C++ with gcc and clang
   alike (clang refuses a standard attribute list after a GNU attribute). */
#define TAV_NORETURN __attribute__((__noreturn__))

#define TAV_API __attribute__((visibility("default")))
#define TAV_PRINTF(f, a) __attribute__((format(printf, f, a)))

/* ------------------------------------------------------------------------
 * Records
 * ---------------------------------------------------------------------- */

/* State of one Fortran unit.  Every field is one 32-bit word on i386. */
typedef struct tav_unit_record {
  char *buffer;           /* record buffer, recl + 1 bytes */
  char *file_name;        /* heap copy of the file name, or null */
  int32_t recl;           /* capacity of buffer */
  int32_t rec_number;     /* direct access: current record number */
  int32_t rec_length;     /* characters held in buffer; -1 = none */
  int32_t rec_position;   /* where the statement after a non-advancing one continues */
  int32_t access;         /* TAV_ACCESS_* */
  int32_t action;         /* TAV_ACTION_* bits */
  int32_t position_state; /* TAV_POS_* */
  int32_t delim;          /* 0 NONE, 1 QUOTE, 2 APOSTROPHE */
  int32_t blank;          /* 0 NULL, 1 ZERO */
  int32_t unformatted;    /* 0 FORMATTED, 1 UNFORMATTED */
  int32_t status;         /* TAV_STATUS_* */
  uint8_t flags;          /* TAV_FLAG_* */
} tav_unit_record;

enum {
  TAV_ACCESS_SEQUENTIAL = 1,
  TAV_ACCESS_DIRECT = 2,

  TAV_ACTION_READ = 1,
  TAV_ACTION_WRITE = 2,
  TAV_ACTION_READWRITE = 3,

  TAV_POS_READ = 1,    /* last statement was a READ */
  TAV_POS_WRITE = 2,   /* last statement was a WRITE */
  TAV_POS_ASIS = 3,
  TAV_POS_EOF = 4,     /* at end of file */
  TAV_POS_REWIND = 5,
  TAV_POS_APPEND = 6,

  TAV_STATUS_UNKNOWN = 0,
  TAV_STATUS_OLD = 1,
  TAV_STATUS_NEW = 2,
  TAV_STATUS_SCRATCH = 3,
  TAV_STATUS_REPLACE = 4,

  TAV_FLAG_PAD_YES = 1,
  TAV_FLAG_SEEKABLE = 2,
  TAV_FLAG_PARTIAL_OUTPUT = 4,
  TAV_FLAG_CONNECTED_ONCE = 8,
  TAV_FLAG_RECL_GIVEN = 16
};

/* One dimension of a pointer descriptor or info record. */
typedef struct tav_dim {
  intptr_t extent;
  intptr_t stride; /* bytes (pointer descriptors) or elements (info) */
  intptr_t lower;
} tav_dim;

/* Pointer descriptor: base, offset, then rank triples.  Compiled code
 * allocates only 2 + 3 * rank words; the library never reads past the rank
 * it is given. */
typedef struct tav_ptr_desc {
  char *base;
  intptr_t offset;
  tav_dim dim[7];
} tav_ptr_desc;

/* Character pointer descriptor: base, len, offset, rank triples. */
typedef struct tav_cptr_desc {
  char *base;
  intptr_t len;
  intptr_t offset;
  tav_dim dim[7];
} tav_cptr_desc;

/* Info record: 23 words, passed by value. */
typedef struct tav_info {
  intptr_t rank;
  intptr_t offset;
  tav_dim dim[7];
} tav_info;

/* Vector descriptor: 8 words, passed and returned by value. */
typedef struct tav_vector {
  char *base;
  intptr_t extent[7];
} tav_vector;

/* Character vector descriptor: 9 words, passed and returned by value. */
typedef struct tav_cvector {
  char *base;
  intptr_t len;
  intptr_t extent[7];
} tav_cvector;

/* The undefined-pointer value: base of a POINTER never associated. */
#define TAV_UNDEFINED_POINTER ((char *)~(uintptr_t)0)

/* List of array temporaries: one word, passed and returned by value. */
typedef struct tav_atmp_node tav_atmp_node;
typedef struct tav_atmplist {
  tav_atmp_node *first;
} tav_atmplist;

/* Character hooks of the current I/O statement. */
typedef int (*tav_char_hook)(char c);
typedef int (*tav_string_hook)(char *s, int n); /* put: s is only read */
typedef int (*tav_getc_hook)(char *c);
typedef int (*tav_endrec_hook)(void);

/* ------------------------------------------------------------------------
 * Start-up and termination
 * ---------------------------------------------------------------------- */
TAV_API extern int __TAVf90_argc;
TAV_API extern char **__TAVf90_argv;

/* Program start-up: arguments, signal handlers, preconnected units. */
TAV_API void f90_init(int argc, char **argv);
/* First half of start-up (before the program's own initialisation). */
TAV_API void f90_init1(int argc, char **argv);
/* Second half of start-up. */
TAV_API void f90_init2(int argc, char **argv);
/* Normal termination with the given exit status: units closed, buffers written. */
TAV_API TAV_NORETURN void f90_finish(int status);
/* STOP statement: prints the code when given, then terminates. */
TAV_API TAV_NORETURN void __TAVf90_stop(const char *code);
/* PAUSE statement: prints the text and waits for a line on standard input. */
TAV_API void __TAVf90_pause(const char *text);
/* Handler of fatal signals: message, traceback, abort. */
TAV_API TAV_NORETURN void __TAVf90_signal_handler(int sig);

/* ------------------------------------------------------------------------
 * Program-unit stack, traceback, fatal errors
 * ---------------------------------------------------------------------- */
TAV_API extern const char *__TAVf90_filename;
TAV_API extern int __TAVf90_lineno;
TAV_API extern const char *__TAV_f90_line_info;

/* Pushes a program unit on the traceback stack (at its entry). */
TAV_API void __TAVf90_enter_pu(const char *routine_name);
/* Pops the current program unit (at its return). */
TAV_API void __TAVf90_exit_pu(void);
/* Prints the traceback of program units to standard error. */
TAV_API void __TAVf90_dump_gline_stack(void);
/* Empties the traceback stack. */
TAV_API void __TAVf90_delete_gline_stack(void);
/* Fatal run-time error: message, traceback, abort. */
TAV_API TAV_NORETURN void __TAVf90_crash(const char *format, ...) TAV_PRINTF(1, 2);

/* ------------------------------------------------------------------------
 * Run-time check reporters (none returns)
 * ---------------------------------------------------------------------- */
TAV_API TAV_NORETURN void __TAVf90_badsub1(int sub, const char *array, int value, int lower, int upper);
/* Reports (fatal): Subscript %d of %s (value %d) is out of range (%d:*). */
TAV_API TAV_NORETURN void __TAVf90_badsub2(int sub, const char *array, int value, int lower);
/* Reports (fatal): Subscript %d of %s (value %d) is out of range (%d:%d). */
TAV_API TAV_NORETURN void __TAVf90_badsub3(int sub, const char *array, int offset, int lower, int extent);
/* Reports (fatal): an element beyond the actual argument of an assumed-size array (index from 0). */
TAV_API TAV_NORETURN void __TAVf90_bad_ass_subscript(const char *array, int index, int count);
/* Reports (fatal): Vector subscript for rank %d of %s has extent %d instead of %d. */
TAV_API TAV_NORETURN void __TAVf90_badvecsub(int dim, const char *array, int extent, int required);
/* Reports (fatal): Rank %d of %s has extent %d instead of %d. */
TAV_API TAV_NORETURN void __TAVf90_badshape(int dim, const char *array, int extent, int required);
/* Reports (fatal): Out of range: substring starting position %d is less than 1. */
TAV_API TAV_NORETURN void __TAVf90_badss1(int start);
/* Reports (fatal): Out of range: substring ending position %d is greater than length %d. */
TAV_API TAV_NORETURN void __TAVf90_badss2(int end, int length);
/* Reports (fatal): DIM value %d to %s out of range. */
TAV_API TAV_NORETURN void __TAVf90_bad_dim(int dim, const char *intrinsic);
/* Reports (fatal): Actual argument for dummy array %s too small: %d elements instead of %d. */
TAV_API TAV_NORETURN void __TAVf90_too_small(const char *array, int actual, int required);
/* Reports (fatal): Assumed-shape array %s is not contiguous. */
TAV_API TAV_NORETURN void __TAVf90_not_contig(const char *array);
/* Reports (fatal): Reference to POINTER which is not ASSOCIATED (or uninitialised). */
TAV_API TAV_NORETURN void __TAVf90_badptr0(int flag);
/* Reports (fatal): Reference to POINTER %s which is not ASSOCIATED (or uninitialised). */
TAV_API TAV_NORETURN void __TAVf90_badptr1(const char *pointer, int flag);
/* Reports (fatal): Uninitialised pointer used as argument to ASSOCIATED function. */
TAV_API TAV_NORETURN void __TAVf90_badptr2(void);
/* Reports (fatal): ALLOCATABLE array %s has already been ALLOCATEd. */
TAV_API TAV_NORETURN void __TAVf90_already_allocated(const char *array);
/* Reports (fatal): ALLOCATABLE array %s is not currently allocated. */
TAV_API TAV_NORETURN void __TAVf90_not_allocated(const char *array);
/* Reports (fatal): Reference to OPTIONAL argument %s which is not PRESENT. */
TAV_API TAV_NORETURN void __TAVf90_not_present(const char *arg);
/* Reports (fatal): Reference to argument %s that is not in the current argument list. */
TAV_API TAV_NORETURN void __TAVf90_absent(const char *arg);
/* Reports (fatal): CHARACTER actual arg LEN=%d shorter than dummy arg LEN=%d. */
TAV_API TAV_NORETURN void __TAVf90_arg_chrlen_shorter(int actual, int dummy);
/* Reports (fatal): Actual arg CHARACTER function LEN=%d but dummy fun LEN=%d. */
TAV_API TAV_NORETURN void __TAVf90_bad_funarg_chrlen(int actual, int dummy);
/* Reports (fatal): POINTER CHARACTER actual arg LEN=%d but dummy LEN=%d. */
TAV_API TAV_NORETURN void __TAVf90_bad_ptrarg_chrlen(int actual, int dummy);
/* Reports (fatal): CHARACTER function called with LEN=%d but should be LEN=%d. */
TAV_API TAV_NORETURN void __TAVf90_bad_fun_chrlen(int called, int declared);
/* Reports (fatal): ALLOCATABLE CHARACTER actual arg LEN=%d but dummy LEN=%d. */
TAV_API TAV_NORETURN void __TAVf90_bad_allocarg_chrlen(int actual, int dummy);
/* Reports (fatal): Assumed-shape CHARACTER actual arg LEN=%d but dummy LEN=%d. */
TAV_API TAV_NORETURN void __TAVf90_bad_shape_chrlen(int actual, int dummy);
/* Reports (fatal): Unequal character lengths (%d and %d) in pointer assignment. */
TAV_API TAV_NORETURN void __TAVf90_bad_ptrasgn_chrlen(int len1, int len2);
/* Reports (fatal): Unequal character lengths (%d and %d) in array constructor. */
TAV_API TAV_NORETURN void __TAVf90_bad_arraycons_chrlen(int len1, int len2);
/* Reports (fatal): Indeterminate-length array constructor has zero items. */
TAV_API TAV_NORETURN void __TAVf90_indeterminate_arraycons_chrlen(void);
/* Reports (fatal): Differing character lengths (%d and %d) in MERGE. */
TAV_API TAV_NORETURN void __TAVf90_bad_merge_chrlen(int len1, int len2);
/* Reports (fatal): Argument to ICHAR/IACHAR must be of length 1. */
TAV_API TAV_NORETURN void __TAVf90_bad_ichar(void);
/* Reports (fatal): Actual argument for dummy argument %s is %s instead of %s (bad call). */
TAV_API TAV_NORETURN void __TAVf90_bad_cdtype(const char *dummy, int expected, int actual);
/* The same, naming the 8-byte kinds INTEGER(8) and LOGICAL(8). */
TAV_API TAV_NORETURN void __TAVf90_bad_cdtypeb(const char *dummy, int expected, int actual);
/* Reports (fatal): Actual argument for dummy argument %s has incorrect rank (bad call). */
TAV_API TAV_NORETURN void __TAVf90_bad_rank(const char *dummy);
/* Reports (fatal): Actual argument for dummy argument %s is not an array (bad call). */
TAV_API TAV_NORETURN void __TAVf90_not_array(const char *dummy);
/* Reports (fatal): Actual argument for dummy argument %s is not scalar (bad call). */
TAV_API TAV_NORETURN void __TAVf90_not_scalar(const char *dummy);
/* Reports (fatal): Actual argument for dummy argument %s is not a procedure (bad call). */
TAV_API TAV_NORETURN void __TAVf90_not_proc(const char *dummy);
/* Reports (fatal): Actual argument for dummy argument %s is a procedure (bad call). */
TAV_API TAV_NORETURN void __TAVf90_is_proc(const char *dummy);
/* Reports (fatal): Dummy argument %s is an ALLOCATABLE array (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_allocatable(const char *dummy);
/* Reports (fatal): Dummy argument %s is a POINTER (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_pointer(const char *dummy);
/* Reports (fatal): Dummy argument %s is an assumed-shape array (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_shape(const char *dummy);
/* Reports (fatal): Dummy argument %s has the VALUE attribute (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_value(const char *dummy);
/* Reports (fatal): Dummy argument %s is a CLASS variable (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_polymorphic(const char *dummy);
/* Reports (fatal): Dummy argument %s is a CLASS POINTER (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_polyptr(const char *dummy);
/* Reports (fatal): Dummy argument %s is not allocatable/pointer/assumed-shape (interface). */
TAV_API TAV_NORETURN void __TAVf90_not_normal(const char *dummy);
/* Reports (fatal): Actual argument for INTENT(INOUT) dummy argument %s is an expression. */
TAV_API TAV_NORETURN void __TAVf90_intent_inout_passed_expr(const char *dummy);
/* Reports (fatal): Actual argument for INTENT(OUT) dummy argument %s is an expression. */
TAV_API TAV_NORETURN void __TAVf90_intent_out_passed_expr(const char *dummy);
/* Reports (fatal): a function result or subroutine called as the wrong type. */
TAV_API TAV_NORETURN void __TAVf90_pu_bad_cdtype(const char *proc, int result, int expected);
/* The same, naming 8-byte kinds as INTEGER(8) and LOGICAL(8). */
TAV_API TAV_NORETURN void __TAVf90_pu_bad_cdtypeb(const char *proc, int result, int expected);
/* Reports (fatal): Procedure %s expects %d arguments but was called with %d arguments (bad call). */
TAV_API TAV_NORETURN void __TAVf90_pu_bad_nargs(const char *proc, int expected, int passed);
/* Reports (fatal): a function result of the wrong rank for its caller. */
TAV_API TAV_NORETURN void __TAVf90_pu_bad_rank(const char *func, int result_rank, int expected_rank);
/* Reports (fatal): Function %s returns an ALLOCATABLE array (interface). */
TAV_API TAV_NORETURN void __TAVf90_pu_not_allocatable(const char *func);
/* Reports (fatal): Function %s returns a POINTER (interface). */
TAV_API TAV_NORETURN void __TAVf90_pu_not_pointer(const char *func);
/* Reports (fatal): Function %s does not return an allocatable array or pointer (interface). */
TAV_API TAV_NORETURN void __TAVf90_pu_not_normal(const char *func);
/* Reports (fatal): Dummy argument %s is associated with an expression: cannot assign. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_asgn(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: cannot ASSIGN. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_assign(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: cannot READ. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_read(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: not a STAT= variable. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_stat(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: not an IOSTAT= variable. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_iostat(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: not a SIZE= variable. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_size(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: not an INQUIRE output variable. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_inquire(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: not for INTENT(OUT). */
TAV_API TAV_NORETURN void __TAVf90_is_expr_intent_out(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: not for INTENT(INOUT). */
TAV_API TAV_NORETURN void __TAVf90_is_expr_intent_inout(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: cannot pointer-assign. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_ptrasgn(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: cannot nullify. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_nullify(const char *dummy);
/* Reports (fatal): Dummy argument %s is associated with an expression: cannot deallocate. */
TAV_API TAV_NORETURN void __TAVf90_is_expr_deallocate(const char *dummy);
/* Reports (fatal): DO step value is zero. */
TAV_API TAV_NORETURN void __TAVf90_bad_dostep(void);
/* Reports (fatal): %s has not yet been ASSIGNed a FORMAT label. */
TAV_API TAV_NORETURN void __TAVf90_bad_as_fmt(const char *variable);
/* Reports (fatal): Incompatible argument shapes (%dx%d and %dx%d) to MATMUL. */
TAV_API TAV_NORETURN void __TAVf90_bad_matmul(int rows1, int cols1, int rows2, int cols2);
/* Reports (fatal): REPEAT called with negative NCOPIES (%d). */
TAV_API TAV_NORETURN void __TAVf90_bad_repeat(int ncopies);
/* Reports (fatal): Value no. %d of SHAPE argument to RESHAPE is negative. */
TAV_API TAV_NORETURN void __TAVf90_bad_reshape(int element);
/* Reports (fatal): TRANSFER called with negative SIZE (%d). */
TAV_API TAV_NORETURN void __TAVf90_bad_transfer(int size);
/* Returns when the extents agree; the tables are the per-dimension parts of
 * two pointer descriptors. */
TAV_API void __TAVf90_check_shapes(const tav_dim *a, const tav_dim *b, int rank);

/* ------------------------------------------------------------------------
 * Unit table and preconnection
 * ---------------------------------------------------------------------- */
TAV_API extern tav_unit_record __TAVf90_file_info[100];
TAV_API extern FILE *__TAVf90_file[100];
TAV_API extern tav_unit_record *__TAVf90_cur_finfo;
TAV_API extern FILE **__TAVf90_cur_fptr;
TAV_API extern int __TAVf90_current_unit;
TAV_API extern char __TAVf90_pcio_prefix[31];
TAV_API extern char __TAVf90_pcio_position[7];
TAV_API extern char __TAVf90_pcio_blank[5];
TAV_API extern int __TAVf90_pcio_verbose;

/* Connects units 0, 5 and 6 to standard error, input and output (start-up). */
TAV_API void f90_io_init(void);
/* Closes every unit, held output written (termination). */
TAV_API void f90_io_finish(void);
/* Makes a unit above 99 current, creating its record. */
TAV_API void __TAVf90_estab_runit(int unit);
/* Makes a unit above 99 current if it has a record, else null. */
TAV_API void __TAVf90_estab_runit_no_create(int unit);
/* The unit above 99 connected to a file name, made current; -1 if none. */
TAV_API int __TAVf90_extended_unit_inquire_f(const char *name);
/* Closes every connected unit above 99. */
TAV_API void __TAVf90_close_extended_units(void);
/* Removes the current unit record above 99. */
TAV_API void __TAVf90_close_real_unit(void);
/* Implicit OPEN of a unit never connected, for a data transfer. */
TAV_API int __TAVf90_preconnect_open(int unit, int unformatted);
/* Case-insensitive keyword match of a specifier value, trailing blanks allowed. */
TAV_API int __TAVf90_cidata_match(const char *value, int len, const char *keyword);

/* ------------------------------------------------------------------------
 * I/O errors
 * ---------------------------------------------------------------------- */
TAV_API extern int iostat;
TAV_API extern int __TAVf90_error_continue;
TAV_API extern int __TAVf90_end_continue;
TAV_API extern int __TAVf90_eor_continue;

/* Records an I/O condition: returns it (IOSTAT=/ERR=/END=/EOR=) or ends the program. */
TAV_API int __TAVf90_ioerr(int code, ...);
/* Clears iostat and returns its address. */
TAV_API int *__TAVf90_clear_iostat(void);

/* ------------------------------------------------------------------------
 * Statement protocol (formatted sequential READ and WRITE)
 * ---------------------------------------------------------------------- */
TAV_API extern int __TAVf90_io_lock;
TAV_API extern int __TAVf90_io_buflen;
TAV_API extern int __TAVf90_io_position;
TAV_API extern int __TAVf90_io_reclen;
TAV_API extern int __TAVf90_io_top;
TAV_API extern int __TAVf90_left_tab_limit;
TAV_API extern int __TAVf90_io_pad;
TAV_API extern int __TAVf90_io_blanks;
TAV_API extern int __TAVf90_io_delim;
TAV_API extern int __TAVf90_io_nonadvance_read;
TAV_API extern int __TAVf90_read_kluge;
TAV_API extern int __TAVf90_field_status;

TAV_API extern tav_char_hook __TAVf90_mychar;
TAV_API extern tav_string_hook __TAVf90_mystring;
TAV_API extern tav_getc_hook __TAVf90_mygetc;
TAV_API extern tav_endrec_hook __TAVf90_myendrec;

/* Begins a formatted or list-directed WRITE on an external unit. */
TAV_API int __TAVf90_write(int unit, const char *format, int format_length,
                           const char *advance, int advance_length, int error_continue);
/* Begins a formatted or list-directed READ on an external unit. */
TAV_API int __TAVf90_read(int unit, const char *format, int format_length,
                          const char *advance, int advance_length, int *size, int flags);
/* Ends a WRITE: writes out or holds the record, releases the lock. */
TAV_API int __TAVf90_endwrite(void);
/* Ends a READ: SIZE=, where the next READ continues, releases the lock. */
TAV_API int __TAVf90_endread(void);
/* Takes the I/O lock; a statement already in progress is fatal. */
TAV_API void __TAVf90_lock_io(void);
/* Writes out the record a non-advancing WRITE left held on a unit. */
TAV_API int __TAVf90_partial_write(int unit, int newline);

/* ------------------------------------------------------------------------
 * Format interpreter and the current edit
 * ---------------------------------------------------------------------- */
enum { TAV_MODE_INPUT = 1, TAV_MODE_OUTPUT = 2 };

TAV_API extern char __TAVf90_current_edit[2];
TAV_API extern int __TAVf90_w;
TAV_API extern int __TAVf90_d;
TAV_API extern int __TAVf90_e;
TAV_API extern int __TAVf90_m;
TAV_API extern int __TAVf90_k;
TAV_API extern int __TAVf90_current_scale;
TAV_API extern int __TAVf90_compulsory_plus;

/* Starts format control for a statement, up to the first data edit. */
TAV_API int __TAVf90_establish_format(const char *text, int length, int mode);
/* Runs the format on to the next data edit, colon or end (no reversion). */
TAV_API int __TAVf90_maybe_next_edit(int mode);
/* Runs the format on to the next data edit, reverting at its end. */
TAV_API int __TAVf90_definitely_next_edit(int mode);
/* The next character of an input field (blanks past a padded record). */
TAV_API int __TAVf90_get_within_field(int *remaining, char *out);

/* ------------------------------------------------------------------------
 * Formatted output editing and the formatted write entries
 * ---------------------------------------------------------------------- */
/* Writes one Fw.d field under the current scale factor and modes. */
TAV_API int __TAVf90_format_F(double value, int w, int d);
/* Writes one Ew.d[Ee] field under the current scale factor and modes. */
TAV_API int __TAVf90_format_E(double value, int w, int d, int e);
/* Writes one Aw field of a character value. */
TAV_API int __TAVf90_format_A(const char *address, int w, int length);
/* Writes w asterisks. */
TAV_API int __TAVf90_stars(int w);

/* Formatted WRITE item: default INTEGER. */
TAV_API int __TAVf90_write_i(int32_t value);
/* Formatted WRITE item: INTEGER(1). */
TAV_API int __TAVf90_write_i1(int8_t value);
/* Formatted WRITE item: INTEGER(2). */
TAV_API int __TAVf90_write_i2(int16_t value);
/* Formatted WRITE item: INTEGER(8). */
TAV_API int __TAVf90_write_i4(int64_t value);
/* Formatted WRITE item: REAL. */
TAV_API int __TAVf90_write_r(float value);
/* Formatted WRITE item: DOUBLE PRECISION. */
TAV_API int __TAVf90_write_d(double value);
/* Formatted WRITE item: COMPLEX. */
TAV_API int __TAVf90_write_c(float re, float im);
/* Formatted WRITE item: double COMPLEX. */
TAV_API int __TAVf90_write_dc(double re, double im);
/* Formatted WRITE item: default LOGICAL. */
TAV_API int __TAVf90_write_l(int32_t value);
/* Formatted WRITE item: LOGICAL(1). */
TAV_API int __TAVf90_write_l1(int8_t value);
/* Formatted WRITE item: LOGICAL(2). */
TAV_API int __TAVf90_write_l2(int16_t value);
/* Formatted WRITE item: LOGICAL(8). */
TAV_API int __TAVf90_write_l4(int64_t value);
/* Formatted WRITE item: CHARACTER. */
TAV_API int __TAVf90_write_ch(const char *address, int length);

/* Formatted WRITE item, also under A (the bytes of its storage): default INTEGER. */
TAV_API int __TAVf90_dusty_write_i(int32_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): INTEGER(1). */
TAV_API int __TAVf90_dusty_write_i1(int8_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): INTEGER(2). */
TAV_API int __TAVf90_dusty_write_i2(int16_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): INTEGER(8). */
TAV_API int __TAVf90_dusty_write_i4(int64_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): REAL. */
TAV_API int __TAVf90_dusty_write_r(float value);
/* Formatted WRITE item, also under A (the bytes of its storage): DOUBLE PRECISION. */
TAV_API int __TAVf90_dusty_write_d(double value);
/* Formatted WRITE item, also under A (the bytes of its storage): COMPLEX. */
TAV_API int __TAVf90_dusty_write_c(float re, float im);
/* Formatted WRITE item, also under A (the bytes of its storage): double COMPLEX. */
TAV_API int __TAVf90_dusty_write_dc(double re, double im);
/* Formatted WRITE item, also under A (the bytes of its storage): default LOGICAL. */
TAV_API int __TAVf90_dusty_write_l(int32_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): LOGICAL(1). */
TAV_API int __TAVf90_dusty_write_l1(int8_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): LOGICAL(2). */
TAV_API int __TAVf90_dusty_write_l2(int16_t value);
/* Formatted WRITE item, also under A (the bytes of its storage): LOGICAL(8). */
TAV_API int __TAVf90_dusty_write_l4(int64_t value);

/* ------------------------------------------------------------------------
 * List-directed output
 * ---------------------------------------------------------------------- */
TAV_API extern int __TAVf90_noseparator;
TAV_API extern int __TAVf90_last_was_char;

/* Resets the list-directed output flags for a new statement. */
TAV_API int __TAVf90_init_loutput(void);
/* List-directed WRITE item: default INTEGER. */
TAV_API int __TAVf90_lwrite_i(int32_t value);
/* List-directed WRITE item: INTEGER(1). */
TAV_API int __TAVf90_lwrite_i1(int8_t value);
/* List-directed WRITE item: INTEGER(2). */
TAV_API int __TAVf90_lwrite_i2(int16_t value);
/* List-directed WRITE item: INTEGER(8). */
TAV_API int __TAVf90_lwrite_i4(int64_t value);
/* List-directed WRITE item: default LOGICAL. */
TAV_API int __TAVf90_lwrite_l(int32_t value);
/* List-directed WRITE item: LOGICAL(1). */
TAV_API int __TAVf90_lwrite_l1(int8_t value);
/* List-directed WRITE item: LOGICAL(2). */
TAV_API int __TAVf90_lwrite_l2(int16_t value);
/* List-directed WRITE item: LOGICAL(8). */
TAV_API int __TAVf90_lwrite_l4(int64_t value);
/* List-directed WRITE item: REAL. */
TAV_API int __TAVf90_lwrite_r(float value);
/* List-directed WRITE item: DOUBLE PRECISION. */
TAV_API int __TAVf90_lwrite_d(double value);
/* List-directed WRITE item: COMPLEX. */
TAV_API int __TAVf90_lwrite_c(float re, float im);
/* List-directed WRITE item: double COMPLEX. */
TAV_API int __TAVf90_lwrite_dc(double re, double im);
/* List-directed WRITE item: CHARACTER. */
TAV_API int __TAVf90_lwrite_ch(const char *text, int32_t length);
/* The separator before a list-directed value of n characters. */
TAV_API int __TAVf90_value_separator(int32_t n);
/* The decimal text of a 64-bit integer into buf; returns its length. */
TAV_API int __TAVf90_putlls(int64_t value, char *buf);

/* ------------------------------------------------------------------------
 * OPEN and CLOSE
 * ---------------------------------------------------------------------- */
/* OPEN statement. */
TAV_API int __TAVf90_open(int unit, const char *file, int file_length,
                          const char *status, int status_length,
                          const char *access, int access_length,
                          const char *form, int form_length, int *recl,
                          const char *blank, int blank_length,
                          const char *position, int position_length,
                          const char *action, int action_length,
                          const char *delim, int delim_length,
                          const char *pad, int pad_length, int error_continue);
/* CLOSE statement. */
TAV_API int __TAVf90_close(int unit, const char *status, int status_length, int error_continue);

/* ------------------------------------------------------------------------
 * Storage primitives (default definitions; a program may supply its own)
 * ---------------------------------------------------------------------- */
TAV_API void *__TAVf90_oAlloc(size_t bytes);
/* Zero-filled object storage. */
TAV_API void *__TAVf90_zoAlloc(size_t bytes);
/* Releases object storage. */
TAV_API void __TAVf90_oDeAlloc(void *address, size_t bytes);
/* Resizes an allocation of old_count elements to new_count. */
TAV_API void *__TAVf90_ReAlloc_90(void *address, size_t element_size, size_t old_count, size_t new_count);
/* Storage for a POINTER target. */
TAV_API void *__TAVf90_pAlloc(size_t bytes);
/* Zero-filled storage for a POINTER target. */
TAV_API void *__TAVf90_zpAlloc(size_t bytes);
/* Releases POINTER target storage; STAT= when stat is not null. */
TAV_API void __TAVf90_pDeAlloc(void *address, size_t bytes, int *stat);
/* Storage for an array temporary. */
TAV_API void *__TAVf90_aAlloc(size_t bytes);
/* Zero-filled storage for an array temporary. */
TAV_API void *__TAVf90_zaAlloc(size_t bytes);
/* Releases an array temporary. */
TAV_API void __TAVf90_aDeAlloc(void *address, size_t bytes);
/* Releases object or temporary storage, whichever it is. */
TAV_API void __TAVf90_oaDeAlloc(void *address, size_t bytes);

/* ------------------------------------------------------------------------
 * ALLOCATE, DEALLOCATE, temporaries, ASSOCIATED, page colours.
 * Bounds follow as int pairs (lower, upper) per dimension; STAT is an
 * int * (null when absent) after them.
 * ---------------------------------------------------------------------- */
TAV_API void __TAVf90_Allocate_a(tav_ptr_desc *desc, int element_size, int rank, ...);
/* The same, zero-filled. */
TAV_API void __TAVf90_Allocate_za(tav_ptr_desc *desc, int element_size, int rank, ...);
/* ALLOCATE of a CHARACTER array through its descriptor. */
TAV_API void __TAVf90_Allocate_ca(tav_cptr_desc *desc, int len, int rank, ...);
/* DEALLOCATE of an array through its descriptor. */
TAV_API void __TAVf90_Deallocate_a(int rank, int element_size, tav_ptr_desc *desc, int *stat);
/* DEALLOCATE of a CHARACTER array through its descriptor. */
TAV_API void __TAVf90_Deallocate_ca(int rank, tav_cptr_desc *desc, int *stat);
/* ALLOCATE of a scalar POINTER. */
TAV_API void *__TAVf90_Allocate_s(int bytes, int *stat);
/* The same, zero-filled. */
TAV_API void *__TAVf90_Allocate_zs(int bytes, int *stat);
/* DEALLOCATE of a scalar POINTER. */
TAV_API void __TAVf90_Deallocate_s(void *address, int bytes, int *stat);
/* An info record from rank and (lower, upper) bound pairs. */
TAV_API tav_info __TAVf90_make_info(int rank, ...);
/* ALLOCATE of an array described by an info record. */
TAV_API void *__TAVf90_Allocate_i(tav_info info, int element_size, int *stat);
/* The same, zero-filled. */
TAV_API void *__TAVf90_Allocate_zi(tav_info info, int element_size, int *stat);
/* DEALLOCATE of an array described by an info record. */
TAV_API void __TAVf90_Deallocate_i(void *address, tav_info info, int element_size, int *stat);
/* ALLOCATE of an automatic array. */
TAV_API void *__TAVf90_Allocate_aa(int bytes, int *stat);
/* Release of an automatic array. */
TAV_API void __TAVf90_Deallocate_aa(void *address, const tav_dim *dims, int rank, int element_size, int *stat);
/* Storage for an info-described array; exhaustion is fatal. */
TAV_API void *__TAVf90_Alloc_i(tav_info info, int element_size);
/* The same, zero-filled. */
TAV_API void *__TAVf90_Alloc_zi(tav_info info, int element_size);
/* Storage for a scalar; exhaustion is fatal. */
TAV_API void *__TAVf90_Alloc_s(int bytes);
/* The same, zero-filled. */
TAV_API void *__TAVf90_Alloc_zs(int bytes);
/* Releases storage from the Alloc_ family. */
TAV_API void __TAVf90_DeAlloc(void *address, int bytes);

/* Array temporaries: rank, then rank extents (mkatmp_ch: then len). */
TAV_API tav_vector __TAVf90_mkatmp_i1(int rank, ...);
/* An array temporary of INTEGER(2). */
TAV_API tav_vector __TAVf90_mkatmp_i2(int rank, ...);
/* An array temporary of default INTEGER. */
TAV_API tav_vector __TAVf90_mkatmp_i(int rank, ...);
/* An array temporary of INTEGER(8). */
TAV_API tav_vector __TAVf90_mkatmp_i4(int rank, ...);
/* An array temporary of REAL. */
TAV_API tav_vector __TAVf90_mkatmp_r(int rank, ...);
/* An array temporary of DOUBLE PRECISION. */
TAV_API tav_vector __TAVf90_mkatmp_d(int rank, ...);
/* An array temporary of COMPLEX. */
TAV_API tav_vector __TAVf90_mkatmp_c(int rank, ...);
/* An array temporary of double COMPLEX. */
TAV_API tav_vector __TAVf90_mkatmp_dc(int rank, ...);
/* An array temporary of default LOGICAL. */
TAV_API tav_vector __TAVf90_mkatmp_l(int rank, ...);
/* An array temporary of LOGICAL(1). */
TAV_API tav_vector __TAVf90_mkatmp_l1(int rank, ...);
/* An array temporary of LOGICAL(2). */
TAV_API tav_vector __TAVf90_mkatmp_l2(int rank, ...);
/* An array temporary of LOGICAL(8). */
TAV_API tav_vector __TAVf90_mkatmp_l4(int rank, ...);
/* An array temporary of CHARACTER. */
TAV_API tav_cvector __TAVf90_mkatmp_ch(int rank, ...);
/* Frees an array temporary of INTEGER(1). */
TAV_API void __TAVf90_freevec_i1(tav_vector v);
/* Frees an array temporary of INTEGER(2). */
TAV_API void __TAVf90_freevec_i2(tav_vector v);
/* Frees an array temporary of default INTEGER. */
TAV_API void __TAVf90_freevec_i(tav_vector v);
/* Frees an array temporary of INTEGER(8). */
TAV_API void __TAVf90_freevec_i4(tav_vector v);
/* Frees an array temporary of REAL. */
TAV_API void __TAVf90_freevec_r(tav_vector v);
/* Frees an array temporary of DOUBLE PRECISION. */
TAV_API void __TAVf90_freevec_d(tav_vector v);
/* Frees an array temporary of COMPLEX. */
TAV_API void __TAVf90_freevec_c(tav_vector v);
/* Frees an array temporary of double COMPLEX. */
TAV_API void __TAVf90_freevec_dc(tav_vector v);
/* Frees an array temporary of default LOGICAL. */
TAV_API void __TAVf90_freevec_l(tav_vector v);
/* Frees an array temporary of LOGICAL(1). */
TAV_API void __TAVf90_freevec_l1(tav_vector v);
/* Frees an array temporary of LOGICAL(2). */
TAV_API void __TAVf90_freevec_l2(tav_vector v);
/* Frees an array temporary of LOGICAL(8). */
TAV_API void __TAVf90_freevec_l4(tav_vector v);
/* Frees an array temporary of CHARACTER. */
TAV_API void __TAVf90_freevec_ch(tav_cvector v);

/* ASSOCIATED(pointer, target) for arrays. */
TAV_API int __TAVf90_assoc_aa(int rank, const tav_ptr_desc *pointer, int ignored, const tav_ptr_desc *target);
/* ASSOCIATED(pointer, target) for CHARACTER arrays. */
TAV_API int __TAVf90_assoc_ch_aa(int rank, const tav_cptr_desc *pointer, int ignored, const tav_cptr_desc *target);
/* ASSOCIATED(pointer, target) for scalars. */
TAV_API int __TAVf90_assoc_ss(const void *pointer, const void *target);
/* ASSOCIATED(pointer, target) for CHARACTER scalars. */
TAV_API int __TAVf90_assoc_ch_ss(const void *pointer, const void *target, int pointer_len, int target_len);
/* Then rank lower bounds as ints. */
TAV_API void __TAVf90_assume_shape(tav_ptr_desc *dst, const tav_ptr_desc *actual, int rank, ...);
/* The same for a CHARACTER array. */
TAV_API void __TAVf90_assume_chshape(tav_cptr_desc *dst, const tav_cptr_desc *actual, int rank, ...);

/* An empty list of array temporaries. */
TAV_API tav_atmplist __TAVf90_atmplist_create(void);
/* Appends a temporary to the list; returns its node. */
TAV_API tav_atmp_node *__TAVf90_atmplist_append(tav_atmplist *list, const tav_vector *v);
/* Appends a CHARACTER temporary to the list. */
TAV_API tav_atmp_node *__TAVf90_atmplist_append_ch(tav_atmplist *list, const tav_cvector *v);
/* Takes the next temporary of the list. */
TAV_API void __TAVf90_atmplist_step(tav_atmplist *list, tav_vector *out);
/* Takes the next CHARACTER temporary of the list. */
TAV_API void __TAVf90_atmplist_step_ch(tav_atmplist *list, tav_cvector *out);
/* The n-th temporary of the list. */
TAV_API void __TAVf90_atmplist_elt(tav_atmplist list, tav_vector *out, int n);
/* Frees every temporary of the list and the list. */
TAV_API void __TAVf90_atmplist_finish(tav_atmplist list);

/* Page-aligned storage of the given page colour. */
TAV_API void *__TAVf90_getmem(size_t bytes, int colour);
/* Releases storage from getmem. */
TAV_API int __TAVf90_freemem(void *address, size_t bytes);
/* The page colour of an address range. */
TAV_API int __TAVf90_pagecolour(const void *address, size_t bytes);

/* ------------------------------------------------------------------------
 * Bound and shape inquiries
 * ---------------------------------------------------------------------- */
TAV_API int __TAVf90_lbound_ptr(int rank, const tav_ptr_desc *desc, int dim);
/* LBOUND(array, DIM) from a CHARACTER pointer descriptor. */
TAV_API int __TAVf90_lbound_cptr(int rank, const tav_cptr_desc *desc, int dim);
/* LBOUND(array, DIM) from an info record. */
TAV_API int __TAVf90_lbound_info(tav_info info, int dim);
/* LBOUND(array, DIM) of an explicit-shape array: bound pairs follow. */
TAV_API int __TAVf90_lbound_fixed(int dim, int rank, ...);
/* UBOUND(array, DIM) from a pointer descriptor. */
TAV_API int __TAVf90_ubound_ptr(int rank, const tav_ptr_desc *desc, int dim);
/* UBOUND(array, DIM) from a CHARACTER pointer descriptor. */
TAV_API int __TAVf90_ubound_cptr(int rank, const tav_cptr_desc *desc, int dim);
/* UBOUND(array, DIM) from an info record. */
TAV_API int __TAVf90_ubound_info(tav_info info, int dim);
/* UBOUND(array, DIM) of an assumed-size array from its info record. */
TAV_API int __TAVf90_ubound_ainfo(tav_info info, int dim);
/* UBOUND(array, DIM) of an explicit-shape array: bound pairs follow. */
TAV_API int __TAVf90_ubound_fixed(int dim, int rank, ...);
/* UBOUND(array, DIM) of an assumed-size explicit-bound array. */
TAV_API int __TAVf90_ubound_afixed(int dim, int rank, ...);
/* UBOUND(array, DIM) of a temporary from its extents. */
TAV_API int __TAVf90_ubound_vector(int rank, const intptr_t *extents, int dim);
/* UBOUND(array) from a pointer descriptor, as a vector. */
TAV_API void __TAVf90_vubound_ptr(tav_vector *result, int rank, const tav_ptr_desc *desc);
/* UBOUND(array) from a CHARACTER pointer descriptor, as a vector. */
TAV_API void __TAVf90_vubound_cptr(tav_vector *result, int rank, const tav_cptr_desc *desc);
/* UBOUND(array) from an info record, as a vector. */
TAV_API void __TAVf90_vubound_info(tav_vector *result, tav_info info);
/* UBOUND(array) of a temporary from its extents, as a vector. */
TAV_API void __TAVf90_vubound_vector(tav_vector *result, int rank, const intptr_t *extents);
/* SIZE(array, DIM) from a pointer descriptor. */
TAV_API int __TAVf90_extent_ptr(int rank, const tav_ptr_desc *desc, int dim);
/* SIZE(array, DIM) from a CHARACTER pointer descriptor. */
TAV_API int __TAVf90_extent_cptr(int rank, const tav_cptr_desc *desc, int dim);
/* SIZE(array, DIM) from an info record. */
TAV_API int __TAVf90_extent_info(tav_info info, int dim);
/* SIZE(array, DIM) of a vector descriptor. */
TAV_API int __TAVf90_extent_vector(tav_vector v, int dim);
/* SIZE(array, DIM) of a CHARACTER vector descriptor. */
TAV_API int __TAVf90_extent_cvector(tav_cvector v, int dim);
/* SIZE(array, DIM) of an explicit-shape array: bound pairs follow. */
TAV_API int __TAVf90_extent_fixed(int dim, int rank, ...);
/* SIZE(array) from a pointer descriptor. */
TAV_API int __TAVf90_size_ptr(int rank, const tav_ptr_desc *desc);
/* SIZE(array) from a CHARACTER pointer descriptor. */
TAV_API int __TAVf90_size_cptr(int rank, const tav_cptr_desc *desc);
/* SIZE(array) from an info record. */
TAV_API int __TAVf90_size_info(tav_info info);
/* SIZE(array) of a vector descriptor. */
TAV_API int __TAVf90_size_vector(tav_vector v);
/* SIZE(array) of a CHARACTER vector descriptor. */
TAV_API int __TAVf90_size_cvector(tav_cvector v);
/* The product of seven extents. */
TAV_API int __TAVf90_vector_size(const intptr_t *extents);
/* SHAPE(array) from a pointer descriptor, default INTEGER. */
TAV_API tav_vector __TAVf90_shape_ptr(int rank, const tav_ptr_desc *desc);
/* SHAPE(array) from a pointer descriptor, INTEGER(8). */
TAV_API tav_vector __TAVf90_shape_ptr_i4(int rank, const tav_ptr_desc *desc);
/* SHAPE(array) from a CHARACTER pointer descriptor, default INTEGER. */
TAV_API tav_vector __TAVf90_shape_cptr(int rank, const tav_cptr_desc *desc);
/* SHAPE(array) from a CHARACTER pointer descriptor, INTEGER(8). */
TAV_API tav_vector __TAVf90_shape_cptr_i4(int rank, const tav_cptr_desc *desc);
/* base, rank, then rank extents (vdescribe_ch: base, len, rank, extents). */
TAV_API tav_vector __TAVf90_vdescribe_i1(void *base, int rank, ...);
/* A vector descriptor over INTEGER(2) storage. */
TAV_API tav_vector __TAVf90_vdescribe_i2(void *base, int rank, ...);
/* A vector descriptor over default INTEGER storage. */
TAV_API tav_vector __TAVf90_vdescribe_i(void *base, int rank, ...);
/* A vector descriptor over INTEGER(8) storage. */
TAV_API tav_vector __TAVf90_vdescribe_i4(void *base, int rank, ...);
/* A vector descriptor over REAL storage. */
TAV_API tav_vector __TAVf90_vdescribe_r(void *base, int rank, ...);
/* A vector descriptor over DOUBLE PRECISION storage. */
TAV_API tav_vector __TAVf90_vdescribe_d(void *base, int rank, ...);
/* A vector descriptor over COMPLEX storage. */
TAV_API tav_vector __TAVf90_vdescribe_c(void *base, int rank, ...);
/* A vector descriptor over double COMPLEX storage. */
TAV_API tav_vector __TAVf90_vdescribe_dc(void *base, int rank, ...);
/* A vector descriptor over default LOGICAL storage. */
TAV_API tav_vector __TAVf90_vdescribe_l(void *base, int rank, ...);
/* A vector descriptor over LOGICAL(1) storage. */
TAV_API tav_vector __TAVf90_vdescribe_l1(void *base, int rank, ...);
/* A vector descriptor over LOGICAL(2) storage. */
TAV_API tav_vector __TAVf90_vdescribe_l2(void *base, int rank, ...);
/* A vector descriptor over LOGICAL(8) storage. */
TAV_API tav_vector __TAVf90_vdescribe_l4(void *base, int rank, ...);
/* A vector descriptor over CHARACTER storage. */
TAV_API tav_cvector __TAVf90_vdescribe_ch(void *base, int len, int rank, ...);

#ifdef __cplusplus
} /* extern "C" */
#endif

#if defined(__i386__)
/* The i386 layouts compiled code relies on. */
#ifdef __cplusplus
#define TAV_STATIC_ASSERT static_assert
#else
#define TAV_STATIC_ASSERT _Static_assert
#endif
TAV_STATIC_ASSERT(sizeof(tav_unit_record) == 56, "unit record is 14 words");
TAV_STATIC_ASSERT(offsetof(tav_unit_record, recl) == 8, "recl is word 3");
TAV_STATIC_ASSERT(offsetof(tav_unit_record, rec_length) == 16, "rec_length is word 5");
TAV_STATIC_ASSERT(offsetof(tav_unit_record, access) == 24, "access is word 7");
TAV_STATIC_ASSERT(offsetof(tav_unit_record, status) == 48, "status is word 13");
TAV_STATIC_ASSERT(offsetof(tav_unit_record, flags) == 52, "flags is word 14");
TAV_STATIC_ASSERT(sizeof(tav_dim) == 12, "dimension triple");
TAV_STATIC_ASSERT(offsetof(tav_ptr_desc, dim) == 8, "pointer descriptor: base, offset, dims");
TAV_STATIC_ASSERT(offsetof(tav_cptr_desc, dim) == 12, "character pointer descriptor: base, len, offset, dims");
TAV_STATIC_ASSERT(sizeof(tav_info) == 23 * 4, "info record is 23 words");
TAV_STATIC_ASSERT(sizeof(tav_vector) == 8 * 4, "vector descriptor is 8 words");
TAV_STATIC_ASSERT(sizeof(tav_cvector) == 9 * 4, "character vector descriptor is 9 words");
TAV_STATIC_ASSERT(sizeof(tav_atmplist) == 4, "atmp list is one word");
#undef TAV_STATIC_ASSERT
#endif

#include "tavf90_character.h"
#include "tavf90_system.h"
#include "tavf90_numeric.h"
#include "tavf90_array.h"
#include "tavf90_input.h"
#include "tavf90_internal.h"
#include "tavf90_files.h"
#include "tavf90_namelist.h"

#endif /* TAVF90_H */
