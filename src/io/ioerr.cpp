#include "io/ioerr.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "io/settings.h"
#include "io/statement.h"
#include "io/unit.h"
#include "runtime/fatal.h"

extern "C" {
int iostat;
int __TAVf90_error_continue;
int __TAVf90_end_continue;
int __TAVf90_eor_continue;
}

namespace tav::io {
namespace {

// Texts of the library's own errors; code = 100 + index.
const char *const kTexts[] = {
    "Buffer overflow on output",
    "Internal file overflow",
    "Scale factor %d out of range for d=%d",
    "Exponent too large for %cw.d format",
    "Record too long for input buffer",
    "Zero repeat factor in list-directed input",
    "Invalid input for integer editing",
    "Input value too large for INTEGER(KIND=1)",
    "Input value too large for INTEGER(KIND=2)",
    "Repeat factor in list-directed input larger than HUGE(0)",
    "Input value too large for default INTEGER type",
    "Invalid input for real editing",
    "Invalid input for logical editing",
    "Invalid input for complex editing",
    "Invalid input for character editing",
    "Format specification begins with '%c' instead of left parenthesis",
    "Format specification does not end with a right parenthesis",
    "No data edit descriptor in tail of format specification after reversion",
    "Sub-format groups nested too deeply",
    "Unexpected end of format specification",
    "Expected integer literal constant in format specification",
    "Field/exponent width or repeat in format specification must be non-zero",
    "Expected decimal point in format specification",
    "Expected P following signed integer constant in format specification",
    "Expected N or Z following B in format specification but found '%c'",
    "Invalid edit descriptor beginning with '%c'",
    "No edit descriptor following repeat factor",
    "Repeat factor given for sign edit descriptor",
    "Repeat factor given for blank-interpretation edit descriptor",
    "Missing length of H edit descriptor",
    "Repeat factor given for character string edit descriptor",
    "No spacing specified for X edit descriptor",
    "Repeat factor given for position edit descriptor",
    "Character string edit descriptor used on input",
    "Invalid edit descriptor for real i/o-list item",
    "Invalid edit descriptor for integer i/o-list item",
    "Invalid edit descriptor for logical i/o-list item",
    "Character string edit descriptor does not terminate before format end",
    "Sign in a numeric input field not followed by any digits",
    "Invalid exponent in real input field",
    "Invalid character in real input field",
    "Invalid character in integer input field",
    "Invalid character in binary integer input field",
    "Invalid character in octal integer input field",
    "Invalid character in hexadecimal integer input field",
    "Invalid edit descriptor for character i/o-list item",
    "READ after WRITE with no intervening file positioning",
    "Unit number %d out of range",
    "Unit %d is not connected",
    "File connected to unit %d is not capable of BACKSPACE",
    "Unit %d is not connected for SEQUENTIAL i/o",
    "Unit %d is not connected for READ action",
    "Unit %d is not connected for FORMATTED i/o",
    "Unit %d is not connected for WRITE action",
    "Unit %d is not connected for UNFORMATTED i/o",
    "Unit %d is not connected on OPEN with STATUS='OLD' and no FILE= specifier",
    "FILE= specifier on OPEN with STATUS='SCRATCH'",
    "OPEN on connected unit %d with STATUS= specifier must have STATUS='OLD'",
    "OPEN on connected unit %d has different ACCESS= specifier",
    "OPEN on connected unit %d has different FORM= specifier",
    "OPEN on connected unit %d has different RECL= specifier",
    "OPEN on connected unit %d has different ACTION= specifier",
    "OPEN on connected unit %d has different POSITION= specifier",
    "Invalid value for STATUS= specifier",
    "Invalid value for ACCESS= specifier",
    "Invalid value for FORM= specifier",
    "Invalid value for BLANKS= specifier",
    "Invalid value for POSITION= specifier",
    "Invalid value for ACTION= specifier",
    "Invalid value for DELIM= specifier",
    "Invalid value for PAD= specifier",
    "The RECL= specifier must be given for DIRECT access OPEN",
    "STATUS='KEEP' is invalid for a SCRATCH file",
    "ENDFILE applied twice to unit %d with no intervening file positioning",
    "File name too long",
    "Cannot find OLD file",
    "NEW file already exists",
    "File connected to unit %d is not capable of REWIND",
    "BACKSPACE failed to find the beginning of the previous record",
    "Unit %d is not connected for DIRECT i/o",
    "Record number %d out of range",
    "Illegal character '%c' in LOGICAL input field",
    "No value found in LOGICAL input field",
    "Unknown OPEN failure on unit %d",
    "Expected '&' but found '%c' in NAMELIST input",
    "NAMELIST group name in input is too long",
    "Expected NAMELIST group /%s/ but found /%s/",
    "Invalid character '%c' in NAMELIST input",
    "NAMELIST group name in input of NAMELIST/%s/ is too long",
    "Expected '=' but found '%c' in NAMELIST input",
    "Unknown group object \"%s\" in input for NAMELIST/%s/",
    "Unexpected subscript for object %s of NAMELIST/%s/",
    "Unexpected component specifier for object %s of NAMELIST/%s/",
    "Component name too long in input for object %s of NAMELIST/%s/",
    "Unknown component \"%s\" in input for object %s of NAMELIST/%s/",
    "Array component of array parent in input for object %s of NAMELIST/%s/",
    "Invalid integer literal in input for object %s of NAMELIST/%s/",
    "Expected ':' but found '%c' in input for object %s of NAMELIST/%s/",
    "Substring has zero length in input for object %s of NAMELIST/%s/",
    "Substring (%d:%d) out of bounds in input for object %s of NAMELIST/%s/",
    "Expected ',' but found '%c' in input for object %s of NAMELIST/%s/",
    "Expected ')' but found '%c' in input for object %s of NAMELIST/%s/",
    "Subscript (%d) out of range in input for object %s of NAMELIST/%s/",
    "Array section has zero size in input for object %s of NAMELIST/%s/",
    "Section stride has value zero in input for object %s of NAMELIST/%s/",
    "Missing namelist group name in input of NAMELIST/%s/",
    "Input list bigger than record length in unformatted READ on unit %d",
    "Record too short for format requirement and PAD='NO' on unit %d",
    "Unformatted data file open on unit %d is corrupt",
    "File truncation on unit %d failed",
    "READ/WRITE attempted after ENDFILE on unit %d",
    "Input value too large for 64-bit integer",
    "No FILE= specifier with STATUS='REPLACE' or STATUS='NEW'",
    "Invalid value for RECL= specifier (must be positive)",
    "READ beyond end of direct access file on unit %d",
    "Floating overflow on real number input",
    "Direct access is incompatible with the POSITION= specifier",
    "Scale factor followed by repeat count",
};
constexpr int kTextCount = sizeof kTexts / sizeof kTexts[0];
static_assert(kTextCount == 118, "the I/O error table has 118 texts");

int fatal_io_entered;

// Prints the message of a fatal condition.  errno is read before anything
// is printed, so the system text is that of the failing call.
void print_message(int code, std::va_list args) {
  int saved_errno = errno;
  if (code == kEndOfFile) {
    int unit = va_arg(args, int);
    if (unit < 0)
      std::fputs("End of internal file", stderr);
    else
      std::fprintf(stderr, "End of file on unit %d", unit);
  } else if (code == kEndOfRecord || code == kPadNoEndOfRecord) {
    int unit = va_arg(args, int);
    if (unit < 0)
      std::fputs("End of record on internal file", stderr);
    else
      std::fprintf(stderr, "End of record on unit %d", unit);
  } else if (code < 100) {
    int unit = va_arg(args, int);
    std::fprintf(stderr, "I/O error on unit %d: %s", unit, std::strerror(saved_errno));
  } else if (const char *text = ioerr_text(code)) {
    std::vfprintf(stderr, text, args);
  } else {
    std::fprintf(stderr, "Unknown I/O error %d", code);
  }
  std::fputc('\n', stderr);
}

// The line after the message that tells where the statement was, as far as
// it knows: "  unit 10, file "data.txt", record 12, column 5, item 3".
// `w` and `column` (where the failing field began, or the record position,
// + 1) are as they were when the condition arose.  Nothing is printed outside a statement.
void print_location(const Where &w, long long column) {
  if (w.kind == Where::kNone) return;
  const char *separator = "  ";
  auto part = [&separator](const char *format, auto... args) {
    std::fputs(separator, stderr);
    std::fprintf(stderr, format, args...);
    separator = ", ";
  };
  std::int64_t record = w.record_is == Where::kNumbered ? w.record : 0;
  if (w.kind == Where::kUnit) {
    part("unit %d", w.unit);
    std::FILE **slot = nullptr;
    const tav_unit_record *r = find_unit(w.unit, &slot);
    const bool connected = r != nullptr && *slot != nullptr;
    if (connected && r->file_name != nullptr)
      part("file \"%s\"", r->file_name);
    else if (w.file != nullptr)
      part("file \"%s\"", w.file);
    if (connected && (w.record_is == Where::kUnitNext || w.record_is == Where::kUnitLast)) {
      const std::int64_t count = record_count(*r);
      if (count >= 0) record = w.record_is == Where::kUnitNext ? count + 1 : count;
    }
  } else {
    part("%s", "internal file");
  }
  if (record > 0) part("record %lld", static_cast<long long>(record));
  if (w.in_record) part("column %lld", column);
  if (w.list && w.item > 0) part("item %d", w.item);
  std::fputc('\n', stderr);
}

}  // namespace

static void print_message_of(int code, ...) {
  std::va_list args;
  va_start(args, code);
  print_message(code, args);
  va_end(args);
}

void print_condition(int code, int unit) {
  if (code > 0 && code < 100) errno = code;
  print_message_of(code, unit);
}

const char *ioerr_text(int code) {
  return code >= 100 && code < 100 + kTextCount ? kTexts[code - 100] : nullptr;
}

static int vioerr(int code, std::va_list args) {
  // Where the statement was, before its kind's abandon step (which may end
  // it) runs.
  const Where where = statement.where;
  // (in 64 bits: an X or T edit may have taken the position to INT_MAX)
  const long long column = (where.field >= 0 ? where.field : __TAVf90_io_position) + 1LL;
  abandon_statement();
  if ((code == kEndOfRecord && __TAVf90_eor_continue) || (code == kEndOfFile && __TAVf90_end_continue) ||
      __TAVf90_error_continue) {
    unlock_io();
    iostat = code;
    return code;
  }
  print_message(code, args);
  if (settings.error_location) print_location(where, column);
  if (fatal_io_entered) std::abort();
  fatal_io_entered = 1;
  std::fputs("Program terminated by fatal I/O error\n", stderr);
  rt::traceback_if_located();
  io_finish(true);
  std::abort();
}

int ioerr(int code, ...) {
  std::va_list args;
  va_start(args, code);
  int r = vioerr(code, args);
  va_end(args);
  return r;
}

int ioerr_at(int position, int code, ...) {
  statement.where.field = position;
  std::va_list args;
  va_start(args, code);
  int r = vioerr(code, args);
  va_end(args);
  return r;
}

}  // namespace tav::io

extern "C" {

int __TAVf90_ioerr(int code, ...) {
  std::va_list args;
  va_start(args, code);
  int r = tav::io::vioerr(code, args);
  va_end(args);
  return r;
}

int *__TAVf90_clear_iostat(void) {
  iostat = 0;
  return &iostat;
}

}  // extern "C"
