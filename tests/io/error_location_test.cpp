// The line a fatal I/O error adds after its message when
// TAVF90_ERROR_LOCATION is set: one scenario per kind of statement, each
// ending by the fatal path, its whole standard error compared.
#include "io/io_support.h"

namespace {

// A READ of n default integers (IOSTAT= only when flags say): formatted,
// or list-directed when `format` is null.
void read_ints(int unit, const char *format, int n, int flags = 0) {
  if (__TAVf90_read(unit, format, iotest::slen(format), nullptr, 0, nullptr, flags) != 0) return;
  for (int k = 0, v; k < n; ++k) format != nullptr ? __TAVf90_read_i(&v) : __TAVf90_lread_i(&v);
  __TAVf90_endread();
}
void read1(int unit) { read_ints(unit, "(I1)", 1); }
void write_ints(int unit, const char *format, std::initializer_list<int> values) {
  __TAVf90_write(unit, format, iotest::slen(format), nullptr, 0, 0);
  for (int v : values) __TAVf90_write_i(v);
  __TAVf90_endwrite();
}
// OPEN without IOSTAT=.
void open(int unit, const char *file, const char *access = nullptr, int recl = 0, const char *action = nullptr,
          const char *status = nullptr) {
  iotest::open(unit, file, access != nullptr ? "FORMATTED" : nullptr, access, recl, action, status, 0);
}

int32_t nml_i, v;
const tav_nml_object kI = {"I", {&nml_i}, nullptr, TAV_NML_I4, 0, nullptr};
const tav_nml_object *const kList[] = {&kI};
const tav_nml_group kNml = {"NML", kList, 1};

struct Scenario {
  const char *what;
  std::map<std::string, std::string> files;
  void (*body)();
  const char *message;   // the message as it always was
  const char *location;  // the line after it (none outside a statement)
};

const Scenario kScenarios[] = {
    {"formatted READ after REWIND and BACKSPACE", {{"data.txt", "1\n2\n3 x\n"}}, [] {
       open(10, "data.txt"), read1(10), read1(10), __TAVf90_rewind(10, 0), read1(10), read1(10);
       __TAVf90_backspace(10, 0), read1(10), read_ints(10, "(I2,I2)", 2);
     }, "Invalid character in integer input field", "unit 10, file \"data.txt\", record 3, column 3, item 2"},
    {"formatted WRITE, a complex item", {}, [] {
       open(11, "out.txt", nullptr, 10), write_ints(11, "(I3)", {1});
       __TAVf90_write(11, "(2F4.1,I3)", 10, nullptr, 0, 0), __TAVf90_write_c(1, 2), __TAVf90_write_i(7);
     }, "Buffer overflow on output", "unit 11, file \"out.txt\", record 2, column 11, item 2"},
    {"formatted WRITE, preconnected with POSITION='APPEND'", {}, [] {
       std::strcpy(__TAVf90_pcio_position, "APPEND");
       write_ints(12, "(I2,F3.1)", {1, 2});
     }, "Invalid edit descriptor for integer i/o-list item", "unit 12, file \"app.txt\", column 3, item 2"},
    {"list-directed READ, standard input", {}, [] { read_ints(5, nullptr, 2), read_ints(5, nullptr, 2); },
     "Invalid input for integer editing", "unit 5, record 2, column 3, item 2"},
    {"end of file, standard input", {}, [] { read1(5), read1(5), read1(5); }, "End of file on unit 5",
     "unit 5, record 3"},
    {"internal list-directed WRITE", {}, [] {
       char s[5];
       __TAVf90_iwrites(s, 5, nullptr, 0, 0), __TAVf90_lwrite_i(1), __TAVf90_lwrite_i(2), __TAVf90_lwrite_i(3);
     }, "Internal file overflow", "internal file, record 2, item 3"},
    {"internal formatted READ", {}, [] {
       char a[] = "  12ab  ";
       tav_cptr_desc d = {a, 4, 0, {{2, 4, 1}}};
       __TAVf90_ireada(1, &d, "(I4/I4)", 7, nullptr, 0), __TAVf90_read_i(&v), __TAVf90_read_i(&v);
     }, "Invalid character in integer input field", "internal file, record 2, column 1, item 2"},
    {"namelist READ", {{"n.txt", "\n&nml i=1 j=2 /\n"}}, [] { open(13, "n.txt"), __TAVf90_readn(13, &kNml, 0); },
     "Unknown group object \"J\" in input for NAMELIST/NML/", "unit 13, file \"n.txt\", record 2, column 10"},
    {"namelist WRITE", {}, [] { open(13, "w.txt", nullptr, 3), __TAVf90_writen(13, &kNml, 0); },
     "Buffer overflow on output", "unit 13, file \"w.txt\""},
    {"unformatted sequential READ", {{"u.dat", iotest::record("abcd") + iotest::record("efgh")}}, [] {
       iotest::open_unf(14, "u.dat"), iotest::read_record(14, 4);
       __TAVf90_readu(14, 0), __TAVf90_uread(&v, 4), __TAVf90_uread(&v, 4);
     }, "Input list bigger than record length in unformatted READ on unit 14",
     "unit 14, file \"u.dat\", record 2, item 2"},
    {"unformatted sequential WRITE", {}, [] {
       iotest::open_unf(14, "u.dat", 4), iotest::write_record(14, "abcd");
       __TAVf90_writeu(14, 0), __TAVf90_uwrite(&v, 4), __TAVf90_uwrite(&v, 4);
     }, "Buffer overflow on output", "unit 14, file \"u.dat\", record 2, item 2"},
    {"direct access, formatted READ", {{"d.txt", "  12abcd"}}, [] {
       open(15, "d.txt", "DIRECT", 4), __TAVf90_dread(15, "(I4)", 4, 2, nullptr, 0), __TAVf90_read_i(&v);
     }, "Invalid character in integer input field", "unit 15, file \"d.txt\", record 2, column 1, item 1"},
    {"direct access, unformatted READ", {{"d.bin", "abcdefgh"}}, [] {
       iotest::open(16, "d.bin", nullptr, "DIRECT", 4, nullptr, nullptr, 0), __TAVf90_dreadu(16, 3, 0);
     }, "READ beyond end of direct access file on unit 16", "unit 16, file \"d.bin\", record 3"},
    {"OPEN of another file", {}, [] { open(17, "x.txt"), open(17, "nosuch.txt", nullptr, 0, nullptr, "OLD"); },
     "Cannot find OLD file", "unit 17, file \"nosuch.txt\""},
    {"CLOSE", {}, [] { open(18, "c.txt"), __TAVf90_close(18, "GONE", 4, 0); },
     "Invalid value for STATUS= specifier", "unit 18, file \"c.txt\""},
    {"BACKSPACE", {}, [] { open(15, "d.txt", "DIRECT", 4), __TAVf90_backspace(15, 0); },
     "Unit 15 is not connected for SEQUENTIAL i/o", "unit 15, file \"d.txt\""},
    {"ENDFILE", {{"r.txt", ""}}, [] { open(19, "r.txt", nullptr, 0, "READ"), __TAVf90_endfile(19, 0); },
     "Unit 19 is not connected for WRITE action", "unit 19, file \"r.txt\""},
    {"REWIND", {}, [] { open(20, "x.txt"), iotest::close_unit(20), __TAVf90_rewind(20, 0); },
     "Unit 20 is not connected", "unit 20"},
    {"output lost at STOP", {}, [] {
       read1(5), std::freopen("/dev/full", "w", stdout), write_ints(6, "(I1)", {1}), __TAVf90_stop(nullptr);
     }, "I/O error on unit 6: No space left on device", "unit 6"},
    {"a condition outside any statement", {}, [] { read1(5), __TAVf90_ioerr(148, 33); }, "Unit 33 is not connected",
     nullptr},
};

// A bad value at the start, the middle and the end of a record: the column
// is where the field or value begins.
enum Kind { kFormatted, kListed, kInternal, kNamelist };
const struct {
  Kind kind;
  const char *text, *location, *message = nullptr;  // (the kind's, when null)
} kBadValues[] = {
    {kFormatted, "  x  1  2", "unit 10, file \"b.txt\", record 1, column 1, item 1"},
    {kFormatted, "  1  x  2", "unit 10, file \"b.txt\", record 1, column 4, item 2"},
    {kFormatted, "  1  2  x", "unit 10, file \"b.txt\", record 1, column 7, item 3"},
    {kListed, "x  1  2", "unit 10, file \"b.txt\", record 1, column 1, item 1"},
    {kListed, "  1 2*x  2", "unit 10, file \"b.txt\", record 1, column 5, item 2"},
    {kListed, "  1  2  x", "unit 10, file \"b.txt\", record 1, column 9, item 3"},
    {kInternal, "9999999999  1  2", "internal file, record 1, column 1, item 1"},
    {kInternal, "  1 -9999999999 2", "internal file, record 1, column 5, item 2"},
    {kInternal, "  1  2 9999999999", "internal file, record 1, column 8, item 3"},
    {kNamelist, "&nml i=1\n# /", "unit 10, file \"b.txt\", record 2, column 1",
     "Invalid character '#' in NAMELIST input"},
    {kNamelist, "&nml i=1.5 /", "unit 10, file \"b.txt\", record 1, column 8"},
    {kNamelist, "&nml i= 1.5\n/", "unit 10, file \"b.txt\", record 1, column 9"},
};

tavtest::Options options(const Scenario &s, const char *setting) {
  tavtest::Options o = iotest::with_files(s.files);
  o.stdin_data = "1 2\n3 x\n";
  o.env = {{"TAVF90_ERROR_LOCATION", setting}, {"FORT12", "app.txt"}};
  return o;
}

// Set: the message, the location line, the closing line.  Set to "0": the
// message alone, as always (one scenario; the other messages are the
// existing tests').  An error that an IOSTAT= takes prints nothing.
TEST(ErrorLocation, EveryStatementKind) {
  for (const Scenario &s : kScenarios) {
    const std::string err = iotest::fatal_io(s.message + (s.location ? "\n  " + std::string(s.location) : ""));
    tavtest::expect_run(s.what, [&s] { f90_io_init(), s.body(); }, {tavtest::kAborted, nullptr, err.c_str()},
                        options(s, "1"));
  }
  for (const auto &b : kBadValues) {
    const char *message = b.message != nullptr   ? b.message
                          : b.kind == kFormatted ? kScenarios[0].message
                          : b.kind == kInternal  ? "Input value too large for default INTEGER type"
                                                 : kScenarios[3].message;
    const Scenario s = {b.text, {{"b.txt", std::string(b.text) + "\n"}}, nullptr, message, b.location};
    const std::string err = iotest::fatal_io(message + ("\n  " + std::string(b.location)));
    tavtest::expect_run(b.text, [&b] {
      f90_io_init();
      if (b.kind == kNamelist) return open(10, "b.txt"), void(__TAVf90_readn(10, &kNml, 0));
      if (b.kind != kInternal) return open(10, "b.txt"), read_ints(10, b.kind == kFormatted ? "(3I3)" : nullptr, 3);
      std::string record = b.text;
      __TAVf90_ireads(record.data(), static_cast<int>(record.size()), nullptr, 0, nullptr, 0);
      for (int k = 0; k < 3; ++k) __TAVf90_lread_i(&v);
    }, {tavtest::kAborted, nullptr, err.c_str()}, options(s, "1"));
  }
  const Scenario &first = kScenarios[0];
  tavtest::expect_run("unset", [&first] { f90_io_init(), first.body(); },
                      {tavtest::kAborted, nullptr, iotest::fatal_io(first.message).c_str()}, options(first, "0"));
  tavtest::expect_run("IOSTAT=", [] {
    f90_io_init();
    for (int k = 0; k < 3; ++k) read_ints(5, "(I1)", 1, iotest::kIostat);
  }, {0, "", ""}, options(first, "1"));
}

}  // namespace
