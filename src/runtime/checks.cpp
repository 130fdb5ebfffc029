// Reporters for the run-time checks that compiled code plants.  Each one
// formats its message and ends the program through the fatal path;
// check_shapes does its own test.
#include <cstdint>

#include "runtime/fatal.h"
#include "tavf90.h"

namespace tav::rt {
namespace {

// Type and kind names by type code.  The second table serves programs
// compiled with byte-size kind numbers; they differ in codes 13 and 14.
constexpr int kTypeCodes = 16;
const char *const cdtype_name[kTypeCodes] = {
    "ERROR",   "INTEGER(1)", "INTEGER(2)",         "INTEGER",   "REAL",         "DOUBLE PRECISION",
    "LOGICAL(1)", "LOGICAL", "COMPLEX",            "COMPLEX(KIND(0d0))",        "CHARACTER",
    "derived-type", "LOGICAL(2)", "LOGICAL(4)",    "INTEGER(4)", "a label"};
const char *const cdtype_name_b[kTypeCodes] = {
    "ERROR",   "INTEGER(1)", "INTEGER(2)",         "INTEGER",   "REAL",         "DOUBLE PRECISION",
    "LOGICAL(1)", "LOGICAL", "COMPLEX",            "COMPLEX(KIND(0d0))",        "CHARACTER",
    "derived-type", "LOGICAL(2)", "LOGICAL(8)",    "INTEGER(8)", "a label"};

// A code outside the table comes from a damaged call; it is named as the
// error entry rather than read past the table.
const char *type_name(const char *const (&table)[kTypeCodes], int code) {
  return code >= 0 && code < kTypeCodes ? table[code] : table[0];
}

// Names come from compiled code; a null one must not reach %s.
const char *name(const char *s) { return s != nullptr ? s : "?"; }
const char *operand(const char *s) { return s != nullptr ? s : "array operand"; }

[[noreturn]] void bad_cdtype(const char *const (&table)[kTypeCodes], const char *dummy, int expected, int actual) {
  crash("Invalid procedure reference -\nActual argument for dummy argument %s is %s instead of %s", name(dummy),
        type_name(table, actual), type_name(table, expected));
}

[[noreturn]] void pu_bad_cdtype(const char *const (&table)[kTypeCodes], const char *proc, int result, int expected) {
  if (result != 0 && expected != 0)
    crash("Invalid procedure reference -\nFunction %s returns %s not %s", name(proc), type_name(table, result),
          type_name(table, expected));
  if (result != 0)
    crash("Invalid procedure reference -\n%s Function %s called as subroutine", type_name(table, result), name(proc));
  crash("Invalid procedure reference -\nSubroutine %s called as %s function", name(proc), type_name(table, expected));
}

}  // namespace
}  // namespace tav::rt

using tav::rt::crash;
using tav::rt::name;
using tav::rt::operand;

extern "C" {

// Subscripts, substrings and shapes.

void __TAVf90_badsub1(int sub, const char *array, int value, int lower, int upper) {
  crash("Subscript %d of %s (value %d) is out of range (%d:%d)", sub, name(array), value, lower, upper);
}

void __TAVf90_badsub2(int sub, const char *array, int value, int lower) {
  crash("Subscript %d of %s (value %d) is out of range (%d:*)", sub, name(array), value, lower);
}

void __TAVf90_badsub3(int sub, const char *array, int offset, int lower, int extent) {
  // Computed wide: a subscript near the end of the integer range must be
  // shown as it is, not wrapped.
  long long value = static_cast<long long>(lower) + offset;
  long long upper = static_cast<long long>(lower) + extent - 1;
  crash("Subscript %d of %s (value %lld) is out of range (%d:%lld)", sub, name(array), value, lower, upper);
}

void __TAVf90_bad_ass_subscript(const char *array, int index, int count) {
  crash("Subscript out of range for assumed-size array %s -\nAccess to element %lld but actual argument has only %d "
        "elements",
        name(array), static_cast<long long>(index) + 1, count);
}

void __TAVf90_badvecsub(int dim, const char *array, int extent, int required) {
  crash("Vector subscript for rank %d of %s has extent %d instead of %d", dim, operand(array), extent, required);
}

void __TAVf90_badshape(int dim, const char *array, int extent, int required) {
  crash("Rank %d of %s has extent %d instead of %d", dim, operand(array), extent, required);
}

void __TAVf90_badss1(int start) { crash("Out of range: substring starting position %d is less than 1", start); }

void __TAVf90_badss2(int end, int length) {
  crash("Out of range: substring ending position %d is greater than length %d", end, length);
}

void __TAVf90_bad_dim(int dim, const char *intrinsic) { crash("DIM value %d to %s out of range", dim, name(intrinsic)); }

void __TAVf90_too_small(const char *array, int actual, int required) {
  crash("Actual argument for dummy array %s too small -\n%d elements instead of %d", name(array), actual, required);
}

void __TAVf90_not_contig(const char *array) { crash("Assumed-shape array %s is not contiguous", name(array)); }

// Pointers, allocation and optional arguments.

void __TAVf90_badptr0(int flag) {
  if (flag != 0) crash("Reference to uninitialised POINTER");
  crash("Reference to POINTER which is not ASSOCIATED");
}

void __TAVf90_badptr1(const char *pointer, int flag) {
  if (flag != 0) crash("Reference to uninitialised POINTER %s", name(pointer));
  crash("Reference to POINTER %s which is not ASSOCIATED", name(pointer));
}

void __TAVf90_badptr2(void) { crash("Uninitialised pointer used as argument to ASSOCIATED function"); }

void __TAVf90_already_allocated(const char *array) {
  crash("ALLOCATABLE array %s has already been ALLOCATEd", name(array));
}

void __TAVf90_not_allocated(const char *array) { crash("ALLOCATABLE array %s is not currently allocated", name(array)); }

void __TAVf90_not_present(const char *arg) { crash("Reference to OPTIONAL argument %s which is not PRESENT", name(arg)); }

void __TAVf90_absent(const char *arg) {
  crash("Reference to argument %s that is not in the current argument list", name(arg));
}

// Character lengths.

void __TAVf90_arg_chrlen_shorter(int actual, int dummy) {
  crash("CHARACTER actual arg LEN=%d shorter than dummy arg LEN=%d", actual, dummy);
}

void __TAVf90_bad_funarg_chrlen(int actual, int dummy) {
  crash("Actual arg CHARACTER function LEN=%d but dummy fun LEN=%d", actual, dummy);
}

void __TAVf90_bad_ptrarg_chrlen(int actual, int dummy) {
  crash("POINTER CHARACTER actual arg LEN=%d but dummy LEN=%d", actual, dummy);
}

void __TAVf90_bad_fun_chrlen(int called, int declared) {
  crash("CHARACTER function called with LEN=%d but should be LEN=%d", called, declared);
}

void __TAVf90_bad_allocarg_chrlen(int actual, int dummy) {
  crash("ALLOCATABLE CHARACTER actual arg LEN=%d but dummy LEN=%d", actual, dummy);
}

void __TAVf90_bad_shape_chrlen(int actual, int dummy) {
  crash("Assumed-shape CHARACTER actual arg LEN=%d but dummy LEN=%d", actual, dummy);
}

void __TAVf90_bad_ptrasgn_chrlen(int len1, int len2) {
  crash("Unequal character lengths (%d and %d) in pointer assignment", len1, len2);
}

void __TAVf90_bad_arraycons_chrlen(int len1, int len2) {
  crash("Unequal character lengths (%d and %d) in array constructor", len1, len2);
}

void __TAVf90_indeterminate_arraycons_chrlen(void) { crash("Indeterminate-length array constructor has zero items"); }

void __TAVf90_bad_merge_chrlen(int len1, int len2) {
  crash("Differing character lengths (%d and %d) in MERGE", len1, len2);
}

void __TAVf90_bad_ichar(void) { crash("Argument to ICHAR/IACHAR must be of length 1"); }

// Procedure references, argument side.

void __TAVf90_bad_cdtype(const char *dummy, int expected, int actual) {
  tav::rt::bad_cdtype(tav::rt::cdtype_name, dummy, expected, actual);
}

void __TAVf90_bad_cdtypeb(const char *dummy, int expected, int actual) {
  tav::rt::bad_cdtype(tav::rt::cdtype_name_b, dummy, expected, actual);
}

void __TAVf90_bad_rank(const char *dummy) {
  crash("Invalid procedure reference -\nActual argument for dummy argument %s has incorrect rank", name(dummy));
}

void __TAVf90_not_array(const char *dummy) {
  crash("Invalid procedure reference -\nActual argument for dummy argument %s is not an array", name(dummy));
}

void __TAVf90_not_scalar(const char *dummy) {
  crash("Invalid procedure reference -\nActual argument for dummy argument %s is not scalar", name(dummy));
}

void __TAVf90_not_proc(const char *dummy) {
  crash("Invalid procedure reference -\nActual argument for dummy argument %s is not a procedure", name(dummy));
}

void __TAVf90_is_proc(const char *dummy) {
  crash("Invalid procedure reference -\nActual argument for dummy argument %s is a procedure", name(dummy));
}

void __TAVf90_not_allocatable(const char *dummy) {
  crash("Missing or incorrect interface block -\nDummy argument %s is an ALLOCATABLE array", name(dummy));
}

void __TAVf90_not_pointer(const char *dummy) {
  crash("Missing or incorrect interface block\nDummy argument %s is a POINTER", name(dummy));
}

void __TAVf90_not_shape(const char *dummy) {
  crash("Missing or incorrect interface block\nDummy argument %s is an assumed-shape array", name(dummy));
}

void __TAVf90_not_value(const char *dummy) {
  crash("Missing or incorrect interface block -\nDummy argument %s has the VALUE attribute", name(dummy));
}

void __TAVf90_not_polymorphic(const char *dummy) {
  crash("Missing or incorrect interface block\nDummy argument %s is a CLASS variable", name(dummy));
}

void __TAVf90_not_polyptr(const char *dummy) {
  crash("Missing or incorrect interface block\nDummy argument %s is a CLASS POINTER", name(dummy));
}

void __TAVf90_not_normal(const char *dummy) {
  crash("Incorrect interface block -\nDummy argument %s is not allocatable/pointer/assumed-shape", name(dummy));
}

void __TAVf90_intent_inout_passed_expr(const char *dummy) {
  crash("Actual argument for INTENT(INOUT) dummy argument %s is an expression", name(dummy));
}

void __TAVf90_intent_out_passed_expr(const char *dummy) {
  crash("Actual argument for INTENT(OUT) dummy argument %s is an expression", name(dummy));
}

// Procedure references, procedure side.

void __TAVf90_pu_bad_cdtype(const char *proc, int result, int expected) {
  tav::rt::pu_bad_cdtype(tav::rt::cdtype_name, proc, result, expected);
}

void __TAVf90_pu_bad_cdtypeb(const char *proc, int result, int expected) {
  tav::rt::pu_bad_cdtype(tav::rt::cdtype_name_b, proc, result, expected);
}

void __TAVf90_pu_bad_nargs(const char *proc, int expected, int passed) {
  crash("Invalid procedure reference -\nProcedure %s expects %d arguments but was called with %d arguments",
        name(proc), expected, passed);
}

void __TAVf90_pu_bad_rank(const char *func, int result_rank, int expected_rank) {
  if (result_rank != 0 && expected_rank != 0)
    crash("Invalid procedure reference -\nFunction %s returns a rank %d array, not a rank %d array", name(func),
          result_rank, expected_rank);
  if (result_rank != 0) crash("Invalid procedure reference -\nFunction %s returns an array, not a scalar", name(func));
  crash("Invalid procedure reference -\nFunction %s returns a scalar, not an array", name(func));
}

void __TAVf90_pu_not_allocatable(const char *func) {
  crash("Missing or incorrect interface block -\nFunction %s returns an ALLOCATABLE array", name(func));
}

void __TAVf90_pu_not_pointer(const char *func) {
  crash("Missing or incorrect interface block\nFunction %s returns a POINTER", name(func));
}

void __TAVf90_pu_not_normal(const char *func) {
  crash("Incorrect interface block -\nFunction %s does not return an allocatable array or pointer", name(func));
}

// Dummy arguments associated with an expression.

void __TAVf90_is_expr_asgn(const char *dummy) {
  crash("Dummy argument %s is associated with an expression - cannot assign", name(dummy));
}

void __TAVf90_is_expr_assign(const char *dummy) {
  crash("Dummy argument %s is associated with an expression - cannot ASSIGN", name(dummy));
}

void __TAVf90_is_expr_read(const char *dummy) {
  crash("Dummy argument %s is associated with an expression - cannot READ", name(dummy));
}

void __TAVf90_is_expr_stat(const char *dummy) {
  crash("Dummy argument %s is associated with an expression -\nso it cannot be a STAT= variable", name(dummy));
}

void __TAVf90_is_expr_iostat(const char *dummy) {
  crash("Dummy argument %s is associated with an expression -\nso it cannot be an IOSTAT= variable", name(dummy));
}

void __TAVf90_is_expr_size(const char *dummy) {
  crash("Dummy argument %s is associated with an expression -\nso it cannot be a SIZE= variable", name(dummy));
}

void __TAVf90_is_expr_inquire(const char *dummy) {
  crash("Dummy argument %s is associated with an expression -\nso it cannot be an INQUIRE output variable",
        name(dummy));
}

void __TAVf90_is_expr_intent_out(const char *dummy) {
  crash("Dummy argument %s is associated with an expression -\nso it cannot be passed to an INTENT(OUT) dummy "
        "argument",
        name(dummy));
}

void __TAVf90_is_expr_intent_inout(const char *dummy) {
  crash("Dummy argument %s is associated with an expression -\nso it cannot be passed to an INTENT(INOUT) dummy "
        "argument",
        name(dummy));
}

void __TAVf90_is_expr_ptrasgn(const char *dummy) {
  crash("Dummy argument %s is associated with an expression - cannot pointer-assign", name(dummy));
}

void __TAVf90_is_expr_nullify(const char *dummy) {
  crash("Dummy argument %s is associated with an expression - cannot nullify", name(dummy));
}

void __TAVf90_is_expr_deallocate(const char *dummy) {
  crash("Dummy argument %s is associated with an expression - cannot deallocate", name(dummy));
}

// Other statements and intrinsics.

void __TAVf90_bad_dostep(void) { crash("DO step value is zero"); }

void __TAVf90_bad_as_fmt(const char *variable) {
  crash("%s has not yet been ASSIGNed a FORMAT label", name(variable));
}

void __TAVf90_bad_matmul(int rows1, int cols1, int rows2, int cols2) {
  crash("Incompatible argument shapes (%dx%d and %dx%d) to MATMUL", rows1, cols1, rows2, cols2);
}

void __TAVf90_bad_repeat(int ncopies) { crash("REPEAT called with negative NCOPIES (%d)", ncopies); }

void __TAVf90_bad_reshape(int element) { crash("Value no. %d of SHAPE argument to RESHAPE is negative", element); }

void __TAVf90_bad_transfer(int size) { crash("TRANSFER called with negative SIZE (%d)", size); }

void __TAVf90_check_shapes(const tav_dim *a, const tav_dim *b, int rank) {
  for (int d = 0; d < rank; ++d) {
    if (a[d].extent != b[d].extent)
      crash("Shape mismatch: Dimension %d extents are %jd and %jd", d + 1, static_cast<std::intmax_t>(a[d].extent),
            static_cast<std::intmax_t>(b[d].extent));
  }
}

}  // extern "C"
