// Every check reporter ends the program with its own message; the shape
// check decides for itself.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame_support.h"
#include "support/child.h"
#include "tavf90.h"

namespace {

using frametest::fatal;

struct Case {
  const char *label;
  void (*report)();
  const char *message;
};

// clang-format off
const std::vector<Case> kCases = {
  {"badsub1", [] { __TAVf90_badsub1(2, "A", 11, 1, 10); }, "Subscript 2 of A (value 11) is out of range (1:10)"},
  {"badsub2", [] { __TAVf90_badsub2(1, "B", -3, 0); }, "Subscript 1 of B (value -3) is out of range (0:*)"},
  {"badsub3", [] { __TAVf90_badsub3(1, "C", 10, 1, 10); }, "Subscript 1 of C (value 11) is out of range (1:10)"},
  {"badsub3 below", [] { __TAVf90_badsub3(3, "C", -1, -5, 4); }, "Subscript 3 of C (value -6) is out of range (-5:-2)"},
  {"badsub3 wide", [] { __TAVf90_badsub3(1, "C", 2147483647, 1, 2147483647); },
   "Subscript 1 of C (value 2147483648) is out of range (1:2147483647)"},
  {"bad_ass_subscript", [] { __TAVf90_bad_ass_subscript("D", 9, 9); },
   "Subscript out of range for assumed-size array D -\nAccess to element 10 but actual argument has only 9 elements"},
  {"badvecsub", [] { __TAVf90_badvecsub(2, "V", 5, 6); }, "Vector subscript for rank 2 of V has extent 5 instead of 6"},
  {"badvecsub null", [] { __TAVf90_badvecsub(1, nullptr, 0, 1); },
   "Vector subscript for rank 1 of array operand has extent 0 instead of 1"},
  {"badshape", [] { __TAVf90_badshape(1, "S", 3, 4); }, "Rank 1 of S has extent 3 instead of 4"},
  {"badshape null", [] { __TAVf90_badshape(1, nullptr, 3, 4); }, "Rank 1 of array operand has extent 3 instead of 4"},
  {"badss1", [] { __TAVf90_badss1(0); }, "Out of range: substring starting position 0 is less than 1"},
  {"badss2", [] { __TAVf90_badss2(9, 8); }, "Out of range: substring ending position 9 is greater than length 8"},
  {"bad_dim", [] { __TAVf90_bad_dim(3, "SUM"); }, "DIM value 3 to SUM out of range"},
  {"too_small", [] { __TAVf90_too_small("W", 4, 10); }, "Actual argument for dummy array W too small -\n4 elements instead of 10"},
  {"not_contig", [] { __TAVf90_not_contig("Q"); }, "Assumed-shape array Q is not contiguous"},
  {"badptr0 set", [] { __TAVf90_badptr0(1); }, "Reference to uninitialised POINTER"},
  {"badptr0 clear", [] { __TAVf90_badptr0(0); }, "Reference to POINTER which is not ASSOCIATED"},
  {"badptr1 set", [] { __TAVf90_badptr1("P", -1); }, "Reference to uninitialised POINTER P"},
  {"badptr1 clear", [] { __TAVf90_badptr1("P", 0); }, "Reference to POINTER P which is not ASSOCIATED"},
  {"badptr2", [] { __TAVf90_badptr2(); }, "Uninitialised pointer used as argument to ASSOCIATED function"},
  {"already_allocated", [] { __TAVf90_already_allocated("X"); }, "ALLOCATABLE array X has already been ALLOCATEd"},
  {"not_allocated", [] { __TAVf90_not_allocated("X"); }, "ALLOCATABLE array X is not currently allocated"},
  {"not_present", [] { __TAVf90_not_present("OPT"); }, "Reference to OPTIONAL argument OPT which is not PRESENT"},
  {"absent", [] { __TAVf90_absent("Z"); }, "Reference to argument Z that is not in the current argument list"},
  {"arg_chrlen_shorter", [] { __TAVf90_arg_chrlen_shorter(3, 5); }, "CHARACTER actual arg LEN=3 shorter than dummy arg LEN=5"},
  {"bad_funarg_chrlen", [] { __TAVf90_bad_funarg_chrlen(4, 6); }, "Actual arg CHARACTER function LEN=4 but dummy fun LEN=6"},
  {"bad_ptrarg_chrlen", [] { __TAVf90_bad_ptrarg_chrlen(1, 2); }, "POINTER CHARACTER actual arg LEN=1 but dummy LEN=2"},
  {"bad_fun_chrlen", [] { __TAVf90_bad_fun_chrlen(8, 7); }, "CHARACTER function called with LEN=8 but should be LEN=7"},
  {"bad_allocarg_chrlen", [] { __TAVf90_bad_allocarg_chrlen(2, 3); }, "ALLOCATABLE CHARACTER actual arg LEN=2 but dummy LEN=3"},
  {"bad_shape_chrlen", [] { __TAVf90_bad_shape_chrlen(5, 4); }, "Assumed-shape CHARACTER actual arg LEN=5 but dummy LEN=4"},
  {"bad_ptrasgn_chrlen", [] { __TAVf90_bad_ptrasgn_chrlen(3, 4); }, "Unequal character lengths (3 and 4) in pointer assignment"},
  {"bad_arraycons_chrlen", [] { __TAVf90_bad_arraycons_chrlen(2, 1); }, "Unequal character lengths (2 and 1) in array constructor"},
  {"indeterminate_arraycons_chrlen", [] { __TAVf90_indeterminate_arraycons_chrlen(); },
   "Indeterminate-length array constructor has zero items"},
  {"bad_merge_chrlen", [] { __TAVf90_bad_merge_chrlen(6, 7); }, "Differing character lengths (6 and 7) in MERGE"},
  {"bad_ichar", [] { __TAVf90_bad_ichar(); }, "Argument to ICHAR/IACHAR must be of length 1"},
  {"bad_cdtype", [] { __TAVf90_bad_cdtype("X", 4, 3); },
   "Invalid procedure reference -\nActual argument for dummy argument X is INTEGER instead of REAL"},
  {"bad_cdtype 14", [] { __TAVf90_bad_cdtype("K", 3, 14); },
   "Invalid procedure reference -\nActual argument for dummy argument K is INTEGER(4) instead of INTEGER"},
  {"bad_cdtypeb 14", [] { __TAVf90_bad_cdtypeb("K", 3, 14); },
   "Invalid procedure reference -\nActual argument for dummy argument K is INTEGER(8) instead of INTEGER"},
  {"bad_cdtypeb 13", [] { __TAVf90_bad_cdtypeb("L", 13, 15); },
   "Invalid procedure reference -\nActual argument for dummy argument L is a label instead of LOGICAL(8)"},
  {"bad_cdtype 13", [] { __TAVf90_bad_cdtype("L", 13, 9); },
   "Invalid procedure reference -\nActual argument for dummy argument L is COMPLEX(KIND(0d0)) instead of LOGICAL(4)"},
  {"bad_cdtype out of table", [] { __TAVf90_bad_cdtype("Y", 16, -1); },
   "Invalid procedure reference -\nActual argument for dummy argument Y is ERROR instead of ERROR"},
  {"bad_rank", [] { __TAVf90_bad_rank("R"); }, "Invalid procedure reference -\nActual argument for dummy argument R has incorrect rank"},
  {"not_array", [] { __TAVf90_not_array("R"); }, "Invalid procedure reference -\nActual argument for dummy argument R is not an array"},
  {"not_scalar", [] { __TAVf90_not_scalar("R"); }, "Invalid procedure reference -\nActual argument for dummy argument R is not scalar"},
  {"not_proc", [] { __TAVf90_not_proc("F"); }, "Invalid procedure reference -\nActual argument for dummy argument F is not a procedure"},
  {"is_proc", [] { __TAVf90_is_proc("F"); }, "Invalid procedure reference -\nActual argument for dummy argument F is a procedure"},
  {"not_allocatable", [] { __TAVf90_not_allocatable("A"); }, "Missing or incorrect interface block -\nDummy argument A is an ALLOCATABLE array"},
  {"not_pointer", [] { __TAVf90_not_pointer("P"); }, "Missing or incorrect interface block\nDummy argument P is a POINTER"},
  {"not_shape", [] { __TAVf90_not_shape("S"); }, "Missing or incorrect interface block\nDummy argument S is an assumed-shape array"},
  {"not_value", [] { __TAVf90_not_value("V"); }, "Missing or incorrect interface block -\nDummy argument V has the VALUE attribute"},
  {"not_polymorphic", [] { __TAVf90_not_polymorphic("C"); }, "Missing or incorrect interface block\nDummy argument C is a CLASS variable"},
  {"not_polyptr", [] { __TAVf90_not_polyptr("C"); }, "Missing or incorrect interface block\nDummy argument C is a CLASS POINTER"},
  {"not_normal", [] { __TAVf90_not_normal("N"); }, "Incorrect interface block -\nDummy argument N is not allocatable/pointer/assumed-shape"},
  {"intent_inout_passed_expr", [] { __TAVf90_intent_inout_passed_expr("IO"); },
   "Actual argument for INTENT(INOUT) dummy argument IO is an expression"},
  {"intent_out_passed_expr", [] { __TAVf90_intent_out_passed_expr("O"); },
   "Actual argument for INTENT(OUT) dummy argument O is an expression"},
  {"pu_bad_cdtype both", [] { __TAVf90_pu_bad_cdtype("F", 5, 4); },
   "Invalid procedure reference -\nFunction F returns DOUBLE PRECISION not REAL"},
  {"pu_bad_cdtype as subroutine", [] { __TAVf90_pu_bad_cdtype("F", 10, 0); },
   "Invalid procedure reference -\nCHARACTER Function F called as subroutine"},
  {"pu_bad_cdtype subroutine", [] { __TAVf90_pu_bad_cdtype("S", 0, 4); },
   "Invalid procedure reference -\nSubroutine S called as REAL function"},
  {"pu_bad_cdtype 14", [] { __TAVf90_pu_bad_cdtype("G", 14, 3); },
   "Invalid procedure reference -\nFunction G returns INTEGER(4) not INTEGER"},
  {"pu_bad_cdtypeb 14", [] { __TAVf90_pu_bad_cdtypeb("G", 14, 3); },
   "Invalid procedure reference -\nFunction G returns INTEGER(8) not INTEGER"},
  {"pu_bad_cdtypeb subroutine", [] { __TAVf90_pu_bad_cdtypeb("S", 0, 13); },
   "Invalid procedure reference -\nSubroutine S called as LOGICAL(8) function"},
  {"pu_bad_nargs", [] { __TAVf90_pu_bad_nargs("P", 2, 3); },
   "Invalid procedure reference -\nProcedure P expects 2 arguments but was called with 3 arguments"},
  {"pu_bad_rank both", [] { __TAVf90_pu_bad_rank("F", 2, 1); },
   "Invalid procedure reference -\nFunction F returns a rank 2 array, not a rank 1 array"},
  {"pu_bad_rank array", [] { __TAVf90_pu_bad_rank("F", 1, 0); }, "Invalid procedure reference -\nFunction F returns an array, not a scalar"},
  {"pu_bad_rank scalar", [] { __TAVf90_pu_bad_rank("F", 0, 3); }, "Invalid procedure reference -\nFunction F returns a scalar, not an array"},
  {"pu_not_allocatable", [] { __TAVf90_pu_not_allocatable("F"); },
   "Missing or incorrect interface block -\nFunction F returns an ALLOCATABLE array"},
  {"pu_not_pointer", [] { __TAVf90_pu_not_pointer("F"); }, "Missing or incorrect interface block\nFunction F returns a POINTER"},
  {"pu_not_normal", [] { __TAVf90_pu_not_normal("F"); },
   "Incorrect interface block -\nFunction F does not return an allocatable array or pointer"},
  {"is_expr_asgn", [] { __TAVf90_is_expr_asgn("D"); }, "Dummy argument D is associated with an expression - cannot assign"},
  {"is_expr_assign", [] { __TAVf90_is_expr_assign("D"); }, "Dummy argument D is associated with an expression - cannot ASSIGN"},
  {"is_expr_read", [] { __TAVf90_is_expr_read("D"); }, "Dummy argument D is associated with an expression - cannot READ"},
  {"is_expr_stat", [] { __TAVf90_is_expr_stat("D"); },
   "Dummy argument D is associated with an expression -\nso it cannot be a STAT= variable"},
  {"is_expr_iostat", [] { __TAVf90_is_expr_iostat("D"); },
   "Dummy argument D is associated with an expression -\nso it cannot be an IOSTAT= variable"},
  {"is_expr_size", [] { __TAVf90_is_expr_size("D"); },
   "Dummy argument D is associated with an expression -\nso it cannot be a SIZE= variable"},
  {"is_expr_inquire", [] { __TAVf90_is_expr_inquire("D"); },
   "Dummy argument D is associated with an expression -\nso it cannot be an INQUIRE output variable"},
  {"is_expr_intent_out", [] { __TAVf90_is_expr_intent_out("D"); },
   "Dummy argument D is associated with an expression -\nso it cannot be passed to an INTENT(OUT) dummy argument"},
  {"is_expr_intent_inout", [] { __TAVf90_is_expr_intent_inout("D"); },
   "Dummy argument D is associated with an expression -\nso it cannot be passed to an INTENT(INOUT) dummy argument"},
  {"is_expr_ptrasgn", [] { __TAVf90_is_expr_ptrasgn("D"); }, "Dummy argument D is associated with an expression - cannot pointer-assign"},
  {"is_expr_nullify", [] { __TAVf90_is_expr_nullify("D"); }, "Dummy argument D is associated with an expression - cannot nullify"},
  {"is_expr_deallocate", [] { __TAVf90_is_expr_deallocate("D"); }, "Dummy argument D is associated with an expression - cannot deallocate"},
  {"bad_dostep", [] { __TAVf90_bad_dostep(); }, "DO step value is zero"},
  {"bad_as_fmt", [] { __TAVf90_bad_as_fmt("LBL"); }, "LBL has not yet been ASSIGNed a FORMAT label"},
  {"bad_matmul", [] { __TAVf90_bad_matmul(2, 3, 4, 5); }, "Incompatible argument shapes (2x3 and 4x5) to MATMUL"},
  {"bad_repeat", [] { __TAVf90_bad_repeat(-2); }, "REPEAT called with negative NCOPIES (-2)"},
  {"bad_reshape", [] { __TAVf90_bad_reshape(2); }, "Value no. 2 of SHAPE argument to RESHAPE is negative"},
  {"bad_transfer", [] { __TAVf90_bad_transfer(-1); }, "TRANSFER called with negative SIZE (-1)"},
  {"null name", [] { __TAVf90_not_allocated(nullptr); }, "ALLOCATABLE array ? is not currently allocated"},
};
// clang-format on

TEST(CheckReporters, EachEndsTheProgramWithItsMessage) {
  for (const Case &c : kCases) tavtest::expect_run(c.label, c.report, {tavtest::kAborted, "", fatal(c.message).c_str()});
}

tav_dim dim(intptr_t extent, intptr_t stride = 4, intptr_t lower = 1) { return tav_dim{extent, stride, lower}; }

TEST(CheckShapes, OnlyExtentsCountAndTheFirstDifferenceIsReported) {
  tavtest::expect_run("agree", [] {
    // Strides and lower bounds may differ; nothing is compared at rank 0 or
    // below.
    tav_dim a[3] = {dim(2, 4, 1), dim(3, 8, 0), dim(0)};
    tav_dim b[3] = {dim(2, 12, -4), dim(3, 4, 7), dim(0)};
    __TAVf90_check_shapes(a, b, 3);
    __TAVf90_check_shapes(a, b + 1, 0);
    __TAVf90_check_shapes(a, b + 1, -1);
    std::fputs("agreed\n", stdout);
  }, {0, "agreed\n", ""});
  std::string second = fatal("Shape mismatch: Dimension 2 extents are 3 and 4");
  tavtest::expect_run("second", [] {
    tav_dim a[3] = {dim(2), dim(3), dim(5)};
    tav_dim b[3] = {dim(2), dim(4), dim(6)};
    __TAVf90_check_shapes(a, b, 3);
  }, {tavtest::kAborted, nullptr, second.c_str()});
  std::string seventh = fatal("Shape mismatch: Dimension 7 extents are 7 and 0");
  tavtest::expect_run("seventh", [] {
    tav_dim a[7], b[7];
    for (int i = 0; i < 7; ++i) a[i] = b[i] = dim(i + 1);
    b[6] = dim(0);
    __TAVf90_check_shapes(a, b, 7);
  }, {tavtest::kAborted, nullptr, seventh.c_str()});
}

}  // namespace
