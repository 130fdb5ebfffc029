// Internal files: READ and WRITE on a CHARACTER scalar (one record) or a
// CHARACTER array (one record per element, in array element order).  The
// records are the variable's own storage: the hooks read and write it
// directly and nothing is buffered.  The item entries are those of
// external statements; only the begin and end calls and the hooks are here.
#include <cstdint>
#include <cstring>

#include "io/format.h"
#include "io/ioerr.h"
#include "io/memory_hooks.h"
#include "io/list_write.h"
#include "io/record.h"
#include "io/scan.h"
#include "io/statement.h"
#include "tavf90.h"

namespace tav::io {
namespace {

constexpr int kInternalUnit = -1;  // the unit of the conditions' messages

// The internal file is part of the statement state.
constexpr InternalFile &file = statement.internal;

// For the diagnostics: an internal statement starts in the variable's first
// record, when it has one (a zero-sized array has none).
void locate_internal(bool has_record) {
  statement.where.kind = Where::kInternal;
  statement.where.record_is = has_record ? Where::kNumbered : Where::kNoRecord;
  statement.where.record = 1;
  statement.where.in_record = has_record;
}

// --- Reading -------------------------------------------------------------

int end_of_record() { return ioerr(kEndOfRecord, kInternalUnit); }

int f90_iendrec_read() {
  ++statement.where.record;
  if (!file.next_record()) {
    statement.where.in_record = false;
    return ioerr(kEndOfFile, kInternalUnit);
  }
  statement.record.data = file.current_rec;
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  return 0;
}

int begin_iread(const char *format, int format_length, int *size) {
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  __TAVf90_io_buflen = __TAVf90_io_reclen = file.length;
  statement.size_ptr = size;
  install_input(file.current_rec, memory_hooks::getc<end_of_record>, memory_hooks::gets<end_of_record>,
                f90_iendrec_read);
  __TAVf90_io_delim = 0;
  __TAVf90_io_blanks = 0;  // BN
  __TAVf90_io_pad = 1;     // PAD='YES'
  locate_internal(!file.empty);
  // A zero-sized array holds no record to read from.
  if (file.empty) return ioerr(kEndOfFile, kInternalUnit);
  if (format != nullptr) return establish_format(format, format_length, TAV_MODE_INPUT);
  __TAVf90_io_top = -1;
  return init_linput();
}

// --- Writing -------------------------------------------------------------

// Output beyond the last record of the variable.
int past_the_end() { return file.past_end ? ioerr(kInternalFileOverflow) : 0; }

// Blanks the record in hand from the position to its end.
void blank_rest() {
  int pos = __TAVf90_io_position;
  if (pos < 0) pos = 0;
  if (pos < file.length)
    std::memset(file.current_rec + pos, ' ', static_cast<std::size_t>(file.length - pos));
}

int f90_iendrec_write() {
  if (file.past_end) return ioerr(kInternalFileOverflow);
  blank_rest();
  ++statement.where.record;
  if (file.next_record()) {
    statement.record.data = file.current_rec;
  } else {
    // The error comes only if more is written or another record ended.
    file.past_end = true;
    statement.record.data = nullptr;
    statement.where.in_record = false;
  }
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  return 0;
}

int begin_iwrite(const char *format, int format_length) {
  file.past_end = file.empty;
  locate_internal(!file.past_end);
  __TAVf90_io_buflen = file.length;
  install_output(file.past_end ? nullptr : file.current_rec, memory_hooks::putc<past_the_end>,
                 memory_hooks::puts<past_the_end>, f90_iendrec_write);
  __TAVf90_io_delim = 0;
  __TAVf90_io_blanks = 0;
  __TAVf90_io_pad = 1;
  __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
  if (format != nullptr) return establish_format(format, format_length, TAV_MODE_OUTPUT);
  return init_loutput();
}

int end_iwrite() {
  if (__TAVf90_io_top > __TAVf90_io_position) __TAVf90_io_position = __TAVf90_io_top;
  if (!file.past_end) blank_rest();
  return end_statement();
}

}  // namespace
}  // namespace tav::io

using namespace tav::io;

extern "C" {

int __TAVf90_ireads(char *variable, int length, const char *format, int format_length, int *size, int flags) {
  begin_statement(flags == -1 ? 1 : 0, flags & 1, flags & 2);
  file.describe_scalar(variable, length);
  return begin_iread(format, format_length, size);
}

int __TAVf90_ireada(int rank, tav_cptr_desc *array, const char *format, int format_length, int *size, int flags) {
  begin_statement(flags == -1 ? 1 : 0, flags & 1, flags & 2);
  file.describe_array(rank, array);
  return begin_iread(format, format_length, size);
}

int __TAVf90_endiread(void) { return end_input(); }

int __TAVf90_iwrites(char *variable, int length, const char *format, int format_length, int error_continue) {
  begin_statement(error_continue, 0, 0);
  file.describe_scalar(variable, length);
  return begin_iwrite(format, format_length);
}

int __TAVf90_iwritea(int rank, tav_cptr_desc *array, const char *format, int format_length, int error_continue) {
  begin_statement(error_continue, 0, 0);
  file.describe_array(rank, array);
  return begin_iwrite(format, format_length);
}

int __TAVf90_endiwrite(void) { return end_iwrite(); }

}  // extern "C"
