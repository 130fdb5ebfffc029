// NAMELIST input against one group holding an object of every type code,
// arrays (lower bounds 0 and negative among them) and derived types (see
// Objects).  Each case reads a file with IOSTAT= and shows the objects the
// READ changed.
#include "io/io_support.h"

namespace {

struct Point {
  float x;
  int32_t v[3];
  char n[4];
};

struct Objects {
  int8_t b1;
  int16_t h2;
  int32_t i, tf;
  int64_t k8;
  float r;
  double d;
  int8_t lb;
  int16_t lh;
  int32_t l;
  int64_t lk;
  float c[2];
  double z[2];
  char s[5];
  char sa[2][3];
  int32_t ia[2][3];  // IA(0:2, 2)
  int32_t la[3];
  Point p, ps[2];
  int32_t na[3];  // NA(-2:0)
  Point pn[2];    // PN(-3:-2)
} obj;

const Objects kInitial = {1, 2, 3, 4, 5, 6.5f, 7.25, 0, 0, 0, 0, {1, 2}, {3, 4}, {'h', 'e', 'l', 'l', 'o'},
                          {{'a', 'b', 'c'}, {'d', 'e', 'f'}}, {{0, 0, 0}, {0, 0, 0}}, {0, 0, 0},
                          {1.5f, {1, 2, 3}, {'w', 'x', 'y', 'z'}},
                          {{0, {0, 0, 0}, {'.', '.', '.', '.'}}, {0, {0, 0, 0}, {'.', '.', '.', '.'}}},
                          {0, 0, 0},
                          {{0, {0, 0, 0}, {'.', '.', '.', '.'}}, {0, {0, 0, 0}, {'.', '.', '.', '.'}}}};

constexpr tav_nml_shape shape(int32_t stride, int32_t extent, int32_t lower = 1) {
  return {stride, 1, {{extent, lower}}};
}
const tav_nml_shape kV = shape(4, 3), kSA = shape(3, 2), kLA = shape(4, 3), kPS = shape(sizeof(Point), 2);
const tav_nml_shape kNA = shape(4, 3, -2), kPN = shape(sizeof(Point), 2, -3);
const tav_nml_shape kIA = {4, 2, {{3, 0}, {2, 1}}};
const tav_nml_object kPointParts[] = {
    {"X", {.offset = offsetof(Point, x)}, nullptr, TAV_NML_REAL, 0, nullptr},
    {"V", {.offset = offsetof(Point, v)}, &kV, TAV_NML_I4, 0, nullptr},
    {"N", {.offset = offsetof(Point, n)}, nullptr, TAV_NML_CHARACTER, 4, nullptr}};
const tav_nml_components kPoint = {3, kPointParts};

#define OBJ(name, field, shape, type, len, comps) {name, {&obj.field}, shape, type, len, comps}
const tav_nml_object kObjects[] = {
    OBJ("B1", b1, nullptr, TAV_NML_I1, 0, nullptr),     OBJ("H2", h2, nullptr, TAV_NML_I2, 0, nullptr),
    OBJ("I", i, nullptr, TAV_NML_I4, 0, nullptr),       OBJ("TF", tf, nullptr, TAV_NML_I4, 0, nullptr),
    OBJ("K8", k8, nullptr, TAV_NML_I8, 0, nullptr),     OBJ("R", r, nullptr, TAV_NML_REAL, 0, nullptr),
    OBJ("D", d, nullptr, TAV_NML_DOUBLE, 0, nullptr),   OBJ("LB", lb, nullptr, TAV_NML_L1, 0, nullptr),
    OBJ("LH", lh, nullptr, TAV_NML_L2, 0, nullptr),     OBJ("L", l, nullptr, TAV_NML_L4, 0, nullptr),
    OBJ("LK", lk, nullptr, TAV_NML_L8, 0, nullptr),     OBJ("C", c, nullptr, TAV_NML_COMPLEX, 0, nullptr),
    OBJ("Z", z, nullptr, TAV_NML_DCOMPLEX, 0, nullptr), OBJ("S", s, nullptr, TAV_NML_CHARACTER, 5, nullptr),
    OBJ("SA", sa, &kSA, TAV_NML_CHARACTER, 3, nullptr), OBJ("IA", ia, &kIA, TAV_NML_I4, 0, nullptr),
    OBJ("LA", la, &kLA, TAV_NML_L4, 0, nullptr),        OBJ("P", p, nullptr, TAV_NML_DERIVED, 0, &kPoint),
    OBJ("PS", ps, &kPS, TAV_NML_DERIVED, 0, &kPoint),   OBJ("NA", na, &kNA, TAV_NML_I4, 0, nullptr),
    OBJ("PN", pn, &kPN, TAV_NML_DERIVED, 0, &kPoint)};
const tav_nml_object *const kList[] = {&kObjects[0],  &kObjects[1],  &kObjects[2],  &kObjects[3],  &kObjects[4],
                                       &kObjects[5],  &kObjects[6],  &kObjects[7],  &kObjects[8],  &kObjects[9],
                                       &kObjects[10], &kObjects[11], &kObjects[12], &kObjects[13], &kObjects[14],
                                       &kObjects[15], &kObjects[16], &kObjects[17], &kObjects[18],
                                       &kObjects[19], &kObjects[20]};
const tav_nml_group kGroup = {"NML", kList, 21};

std::string num(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.17g", v);
  return buf;
}
std::string ints(const int32_t *v, int n) {
  std::string s;
  for (int k = 0; k < n; ++k) s += (k ? "," : "") + std::to_string(v[k]);
  return s;
}
std::string point(const Point &p) {
  return "(" + num(p.x) + ";" + ints(p.v, 3) + ";" + std::string(p.n, 4) + ")";
}

// The objects whose bytes differ from their initial values, as NAME=value.
std::string changed() {
  std::string out;
  auto show = [&](const char *name, const void *now, const void *was, std::size_t n, const std::string &text) {
    if (std::memcmp(now, was, n) != 0) out += std::string(out.empty() ? "" : " ") + name + "=" + text;
  };
#define SHOW(name, field, text) show(name, &obj.field, &kInitial.field, sizeof obj.field, text)
  SHOW("B1", b1, std::to_string(obj.b1));
  SHOW("H2", h2, std::to_string(obj.h2));
  SHOW("I", i, std::to_string(obj.i));
  SHOW("TF", tf, std::to_string(obj.tf));
  SHOW("K8", k8, std::to_string(obj.k8));
  SHOW("R", r, num(obj.r));
  SHOW("D", d, num(obj.d));
  SHOW("LB", lb, std::to_string(obj.lb));
  SHOW("LH", lh, std::to_string(obj.lh));
  SHOW("L", l, std::to_string(obj.l));
  SHOW("LK", lk, std::to_string(obj.lk));
  SHOW("C", c, "(" + num(obj.c[0]) + "," + num(obj.c[1]) + ")");
  SHOW("Z", z, "(" + num(obj.z[0]) + "," + num(obj.z[1]) + ")");
  SHOW("S", s, std::string(obj.s, 5));
  SHOW("SA", sa, std::string(obj.sa[0], 3) + "," + std::string(obj.sa[1], 3));
  SHOW("IA", ia, ints(obj.ia[0], 6));
  SHOW("LA", la, ints(obj.la, 3));
  SHOW("P", p, point(obj.p));
  SHOW("PS", ps, point(obj.ps[0]) + point(obj.ps[1]));
  SHOW("NA", na, ints(obj.na, 3));
  SHOW("PN", pn, point(obj.pn[0]) + point(obj.pn[1]));
  return out;
}

// OPEN(10, FILE='in') over `text`, then each READ(10, NML=NML, IOSTAT=) in
// turn: what changed, then "#code" after a condition.
std::string read_cases(const std::string &text, long reads = 1, int flags = iotest::kIostat) {
  std::memcpy(&obj, &kInitial, sizeof obj);
  iotest::put_file("in", text);
  iotest::open(10, "in", nullptr, nullptr, 0, nullptr, nullptr, 0);
  std::string out;
  for (long k = 0; k < reads; ++k) {
    int code = __TAVf90_readn(10, &kGroup, flags);
    out += (k ? " | " : "") + changed() + (code ? " #" + std::to_string(code) : "");
    std::memcpy(&obj, &kInitial, sizeof obj);
  }
  __TAVf90_close(10, nullptr, 0, 0);
  return out;
}

// Every row of data/nml_read.tsv in one child (a row of n READs shows n
// results, " | " between them), then the unit checks of every formatted
// READ, whose code the group's READ passes on; then each row that has a
// message again without IOSTAT=, in a child of its own.
TEST(NamelistRead, Table) {
  const auto rows = iotest::table("nml_read.tsv", 3);
  std::string want;
  for (const auto &row : rows) want += row[1] + "\n";
  tavtest::expect_run("table", [&] {
    f90_io_init();
    for (const auto &row : rows)
      iotest::say(read_cases(row[0], 1 + std::count(row[1].begin(), row[1].end(), '|')));
    std::printf("%d\n", __TAVf90_readn(-3, &kGroup, -1));
  }, {0, (want + "147\n").c_str()});
  for (const auto &row : rows) {
    if (row[2].empty()) continue;
    tavtest::expect_run(row[0], [&] {
      f90_io_init();
      read_cases(row[0], 1, 0);
    }, {tavtest::kAborted, "", iotest::fatal_io(row[2]).c_str()});
  }
}

// A group as the peer runtime writes it (files_data/peer_nml.txt): elements
// of arrays with negative lower bounds named with their signed subscripts,
// negative zeros.  The same file with CR LF line endings reads the same.
// Last, a group on one line longer than the default record length.
TEST(NamelistRead, PeerFileAndLongLine) {
  const std::string lf = iotest::slurp(TAV_SOURCE_DIR "/tests/io/files_data/peer_nml.txt");
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  const std::string want = "R=-0 C=(-0,1.5) LA=1,0,1 NA=4,-5,6 PN=(2.5;1,2,3;ab  )(-0;-1,0,7;wxyz)\n";
  tavtest::expect_run("peer file", [&] {
    f90_io_init();
    iotest::say(read_cases(lf));
    iotest::say(read_cases(crlf));
    iotest::say(read_cases("&NML" + std::string(3000, ' ') + "I=5 /"));
  }, {0, (want + want + "I=5\n").c_str(), ""});
}

// With TAVF90_NAMELIST_SEARCH the READ looks for its group past stray
// records and other groups and takes &END as "/"; without it the same files
// give the errors they always did (data/nml_search.tsv).
TEST(NamelistRead, Search) {
  const auto rows = iotest::table("nml_search.tsv", 3);
  for (int setting : {1, 0}) {
    std::string want;
    for (const auto &row : rows) want += row[2 - setting] + "\n";
    tavtest::Options options;
    options.env = {{"TAVF90_NAMELIST_SEARCH", std::to_string(setting)}};
    tavtest::expect_run("setting " + std::to_string(setting), [&] {
      f90_io_init();
      for (const auto &row : rows)
        iotest::say(read_cases(row[0], 1 + std::count(row[1].begin(), row[1].end(), '|')));
    }, {0, want.c_str(), ""}, options);
  }
}

// A type code the reader does not know is a fault of the compiled program.
TEST(NamelistRead, UnknownTypeCodeIsFatal) {
  tavtest::expect_fatal([] {
    static int32_t x;
    static const tav_nml_object bad = {"X", {&x}, nullptr, 15, 0, nullptr};
    static const tav_nml_object *const list[] = {&bad};
    static const tav_nml_group group = {"G", list, 1};
    f90_io_init();
    iotest::put_file("in", "&G X=1 /");
    iotest::open(10, "in", nullptr, nullptr, 0, nullptr, nullptr, 0);
    __TAVf90_readn(10, &group, -1);
  }, "Impossible error in NAMELIST input");
}

}  // namespace
