// tavfmt: what a Fortran format does to values.  It runs one WRITE to unit 6
// through the library's entry points, exactly as a compiled program does
// (begin call, one item call per value, end call), so its output is the
// output of that WRITE byte for byte; with --read, one internal READ of
// items from records, and shows what it stored (read.cpp).  An error in the
// format or the values ends it through the library's own fatal I/O path,
// with the library's message.
#include <dlfcn.h>
#include <unistd.h>

#include <cfenv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "read.h"
#include "tavf90.h"
#include "value.h"

namespace {

// Exit statuses.
constexpr int kWritten = 0;
constexpr int kLibraryError = 1;  // the library ended the WRITE with an error
constexpr int kUsageError = 2;    // bad option or value: nothing was written

const char kHelp[] =
    R"(Usage: tavfmt [OPTION]... FORMAT [VALUE]...
       tavfmt --read [--kind KIND[,KIND]...] FORMAT RECORD...
Writes the values as WRITE (6, FORMAT) would, through the tavf90 library.
FORMAT is a format specification such as '(ES12.4, 1X, G10.3)', or * for
list-directed output.  With --read, reads items from the text RECORDs as
READ (RECORDS, FORMAT) would and shows each value stored and its bits.

A value's type comes from its spelling:
  42  -7              INTEGER (4 bytes)
  1.5  2e3  .5        REAL (4 bytes)
  1.5d0  2D-3         DOUBLE PRECISION
  inf  -inf  nan      REAL (with --kind real8: DOUBLE PRECISION)
  (1.5,-2)            COMPLEX; (1d0,2) is double COMPLEX
  .true.  .false.     LOGICAL (4 bytes)
  'it''s'  "x"        CHARACTER (the quotes are part of the argument)
or from --kind, for every value after it.

Options:
  --kind KIND      integer1 integer2 integer4 integer8, real4 real8 (double),
                   complex4 complex8, logical1 logical2 logical4 logical8,
                   character (the argument is the text, no quotes), auto.
                   The number is the size in bytes (of each part of a
                   complex); integer(8) and integer*8 are accepted too.
  --show-blanks    show each blank as '␣' and each record end as '$'
  --read           READ instead, from the records (a CHARACTER array when
                   there are several), one item per data edit descriptor:
                   I B O Z INTEGER(4), F E D G REAL(4), L LOGICAL(4), Aw
                   CHARACTER*w (A: as long as a record); list-directed, one
                   per value, typed by its spelling (T or F: LOGICAL, a
                   word: CHARACTER).  --kind K gives every item type K,
                   --kind K1,K2,... one type for each item (auto: its own).
                   An item a null value or a slash leaves alone shows as
                   "unchanged"
  --help           this text
  --version        the version of tavfmt and its library
  --               what follows is the format and values, even if it
                   begins with --

Exit status: 0 written (or read); 1 the library reported an error (its
message is on standard error); 2 a bad option or value (nothing written).

Examples:
  $ tavfmt '(ES12.4, 1X, G10.3)' 3.14159 0.000123
    3.1416E+00  0.123E-03
  $ tavfmt '*' 1.5d0 -7 .true. "'it''s'"
     1.5000000000000000 -7 T it's
  $ tavfmt --show-blanks '(I5, L3/A)' 42 .true. "'ab'"
  ␣␣␣42␣␣T$
  ab$
  $ tavfmt --kind integer1 '(Z4)' -1
    FF
  $ tavfmt --read '(F8.2)' '  123456'
  1234.56  (REAL(4) 0x449a51ec)
  $ tavfmt --read --kind real8 '*' '2*0.1d0'
  0.1  (REAL(8) 0x3fb999999999999a)
  0.1  (REAL(8) 0x3fb999999999999a)
  $ tavfmt --read '(I3/A)' ' 42' 'xy'
  42  (INTEGER(4) 0x0000002a)
  'xy '  (CHARACTER(3))
)";

// --show-blanks: unit 6 writes into a temporary file, which is shown on the
// real standard output when the program ends, normally or through the
// library's fatal path.
int captured_fd = -1;
int shown_fd = -1;

void write_all(int fd, const char *p, std::size_t n) {
  while (n > 0) {
    ssize_t k = write(fd, p, n);
    if (k <= 0) return;
    p += k;
    n -= static_cast<std::size_t>(k);
  }
}

// Only read and write: this also runs in the abort handler, where on i386
// the stack may be aligned to 4 bytes only; the copying loop uses SSE, so
// the function realigns it.
__attribute__((force_align_arg_pointer)) void show_captured() {
  if (captured_fd < 0) return;
  int fd = captured_fd;
  captured_fd = -1;
  static const char kBlank[] = "\u2423";
  char in[4096], out[4 * sizeof in];
  off_t at = 0;
  ssize_t n;
  while ((n = pread(fd, in, sizeof in, at)) > 0) {
    at += n;
    std::size_t len = 0;
    for (ssize_t i = 0; i < n; ++i) {
      if (in[i] == ' ') {
        std::memcpy(out + len, kBlank, sizeof kBlank - 1);
        len += sizeof kBlank - 1;
      } else {
        if (in[i] == '\n') out[len++] = '$';
        out[len++] = in[i];
      }
    }
    write_all(shown_fd, out, len);
  }
}

void at_exit() { show_captured(); }

// The library's fatal paths end in abort() once they have written their
// message and closed every unit; tavfmt turns that into an exit status.
extern "C" void on_abort(int) {
  show_captured();
  _exit(kLibraryError);
}

bool capture_output() {
  std::FILE *file = std::tmpfile();
  if (file == nullptr) return false;
  std::fflush(stdout);
  shown_fd = dup(1);
  captured_fd = dup(fileno(file));
  if (shown_fd < 0 || captured_fd < 0 || dup2(captured_fd, 1) < 0) return false;
  std::atexit(at_exit);
  return true;
}

// The version of the library this tavfmt runs with, from the name of the
// file the loader mapped it from (libtavf90.so.1 is a link to
// libtavf90.so.1.0.0).
std::string library_version() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void *>(&f90_init1), &info) == 0 || info.dli_fname == nullptr) return "unknown";
  std::error_code error;
  const std::string name = std::filesystem::canonical(info.dli_fname, error).filename().string();
  const std::size_t so = name.find(".so.");
  return error || so == std::string::npos ? "unknown" : name.substr(so + 4);
}

int usage_error(const std::string &message) {
  std::fprintf(stderr, "tavfmt: %s\nTry 'tavfmt --help'.\n", message.c_str());
  return kUsageError;
}

using tavfmt::Type;
using tavfmt::Value;

// One item of a formatted WRITE.
int write_formatted(const Value &v) {
  const int bytes = v.kind.bytes;
  switch (v.kind.type) {
    case Type::Integer:
      return bytes == 1   ? __TAVf90_write_i1(static_cast<int8_t>(v.integer))
             : bytes == 2 ? __TAVf90_write_i2(static_cast<int16_t>(v.integer))
             : bytes == 4 ? __TAVf90_write_i(static_cast<int32_t>(v.integer))
                          : __TAVf90_write_i4(v.integer);
    case Type::Logical:
      return bytes == 1   ? __TAVf90_write_l1(static_cast<int8_t>(v.integer))
             : bytes == 2 ? __TAVf90_write_l2(static_cast<int16_t>(v.integer))
             : bytes == 4 ? __TAVf90_write_l(static_cast<int32_t>(v.integer))
                          : __TAVf90_write_l4(v.integer);
    case Type::Real:
      return bytes == 4 ? __TAVf90_write_r(v.real4[0]) : __TAVf90_write_d(v.real8[0]);
    case Type::Complex:
      return bytes == 4 ? __TAVf90_write_c(v.real4[0], v.real4[1]) : __TAVf90_write_dc(v.real8[0], v.real8[1]);
    case Type::Character:
      return __TAVf90_write_ch(v.text.data(), static_cast<int>(v.text.size()));
    case Type::Auto:
      break;
  }
  return 0;
}

// One item of a list-directed WRITE.
int write_listed(const Value &v) {
  const int bytes = v.kind.bytes;
  switch (v.kind.type) {
    case Type::Integer:
      return bytes == 1   ? __TAVf90_lwrite_i1(static_cast<int8_t>(v.integer))
             : bytes == 2 ? __TAVf90_lwrite_i2(static_cast<int16_t>(v.integer))
             : bytes == 4 ? __TAVf90_lwrite_i(static_cast<int32_t>(v.integer))
                          : __TAVf90_lwrite_i4(v.integer);
    case Type::Logical:
      return bytes == 1   ? __TAVf90_lwrite_l1(static_cast<int8_t>(v.integer))
             : bytes == 2 ? __TAVf90_lwrite_l2(static_cast<int16_t>(v.integer))
             : bytes == 4 ? __TAVf90_lwrite_l(static_cast<int32_t>(v.integer))
                          : __TAVf90_lwrite_l4(v.integer);
    case Type::Real:
      return bytes == 4 ? __TAVf90_lwrite_r(v.real4[0]) : __TAVf90_lwrite_d(v.real8[0]);
    case Type::Complex:
      return bytes == 4 ? __TAVf90_lwrite_c(v.real4[0], v.real4[1]) : __TAVf90_lwrite_dc(v.real8[0], v.real8[1]);
    case Type::Character:
      return __TAVf90_lwrite_ch(v.text.data(), static_cast<int32_t>(v.text.size()));
    case Type::Auto:
      break;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  bool show_blanks = false;
  bool read = false;
  bool kind_given = false;
  std::vector<std::string> records;
  bool have_format = false;
  bool options_done = false;
  std::string format;
  tavfmt::Kind kind;
  std::vector<tavfmt::Kind> kinds;  // the last --kind, a list of kinds for --read
  std::vector<Value> values;

  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!options_done && arg.size() > 2 && arg.substr(0, 2) == "--") {
      std::string_view name = arg.substr(2), inline_value;
      bool has_inline = false;
      if (std::size_t eq = name.find('='); eq != std::string_view::npos) {
        inline_value = name.substr(eq + 1);
        name = name.substr(0, eq);
        has_inline = true;
      }
      if (name == "help" && !has_inline) {
        std::fputs(kHelp, stdout);
        return kWritten;
      }
      if (name == "version" && !has_inline) {
        std::printf("tavfmt %s (libtavf90 %s)\n", TAVFMT_VERSION, library_version().c_str());
        return kWritten;
      }
      if (name == "show-blanks" && !has_inline) {
        show_blanks = true;
      } else if (name == "read" && !has_inline) {
        read = true;
      } else if (name == "kind") {
        kind_given = true;
        if (!has_inline) {
          if (++i == argc) return usage_error("--kind needs a kind");
          inline_value = argv[i];
        }
        kinds.clear();
        for (std::string_view rest = inline_value;;) {
          const std::size_t comma = rest.find(',');
          if (!tavfmt::parse_kind(rest.substr(0, comma), kind))
            return usage_error("unknown kind '" + std::string(rest.substr(0, comma)) + "'");
          kinds.push_back(kind);
          if (comma == std::string_view::npos) break;
          rest.remove_prefix(comma + 1);
        }
      } else {
        return usage_error("unknown option '" + std::string(arg) + "'");
      }
    } else if (!options_done && (arg == "--" || arg == "-h")) {
      if (arg == "-h") {
        std::fputs(kHelp, stdout);
        return kWritten;
      }
      options_done = true;
    } else if (!have_format) {
      format = arg;
      have_format = true;
    } else if (read) {
      records.emplace_back(arg);
    } else {
      Value v;
      std::string error;
      if (!tavfmt::parse_value(arg, kind, v, error)) return usage_error(error);
      values.push_back(std::move(v));
    }
  }
  if (!have_format) return usage_error("no format given");
  if (kinds.size() > 1 && !read) return usage_error("a list of kinds is for --read only");
  if (read && records.empty()) return usage_error("--read takes a format and at least one record");
  if (show_blanks && !capture_output()) return usage_error("cannot capture the output for --show-blanks");
  std::signal(SIGABRT, on_abort);

  // Reading the values may have raised floating-point flags (an underflow,
  // say) that the end of the program would report as the WRITE's.
  std::feclearexcept(FE_ALL_EXCEPT);
  f90_init1(argc, argv);
  if (read) {
    // The items: those of the list of kinds, or as many as the format or
    // the records give, each of --kind's type or of its own.  CHARACTER:
    // as long as the A edit, or the record.
    const std::vector<tavfmt::Kind> inferred = tavfmt::read_kinds(format, records);
    std::vector<tavfmt::Kind> items = kinds.size() > 1 ? kinds : std::vector<tavfmt::Kind>(inferred.size(), kind);
    for (std::size_t k = 0; k < items.size(); ++k) {
      const tavfmt::Kind own = k < inferred.size() ? inferred[k] : tavfmt::Kind{Type::Real, 4};
      if (!kind_given || items[k].type == Type::Auto) items[k] = own;
      if (items[k].type == Type::Character)
        items[k].bytes = own.type == Type::Character ? own.bytes : tavfmt::record_length(records);
    }
    const int status = tavfmt::read_and_show(format, records, items);
    f90_finish(status == 0 ? kWritten : kLibraryError);
  }
  const bool listed = format == "*";
  int status = listed ? __TAVf90_write(6, nullptr, 0, nullptr, 0, 0)
                      : __TAVf90_write(6, format.data(), static_cast<int>(format.size()), nullptr, 0, 0);
  for (const Value &v : values) {
    if (status != 0) break;
    status = listed ? write_listed(v) : write_formatted(v);
  }
  if (status == 0) status = __TAVf90_endwrite();
  f90_finish(status == 0 ? kWritten : kLibraryError);
}
