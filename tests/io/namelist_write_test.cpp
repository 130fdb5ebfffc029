// WRITE(u, NML=group): the records of groups of every type on units of
// various record lengths and delimiters, record breaks, held output, and
// the errors through IOSTAT= and the fatal path.
#include "io/io_support.h"

namespace {

using namespace iotest;

tav_nml_object entry(const char *name, const void *at, int type, const tav_nml_shape *shape = nullptr,
                     int length = 0, const tav_nml_components *comps = nullptr) {
  return {name, {.address = const_cast<void *>(at)}, shape, type, length, comps};
}
tav_nml_object component(const char *name, intptr_t offset, int type, const tav_nml_shape *shape = nullptr,
                         int length = 0) {
  return {name, {.offset = offset}, shape, type, length, nullptr};
}

// A group over its own object entries (the descriptor is built at use).
struct Group {
  const char *name;
  std::vector<tav_nml_object> objects;
  std::vector<const tav_nml_object *> pointers = {};
  tav_nml_group g = {};
  const tav_nml_group *desc() {
    pointers.clear();
    for (const auto &o : objects) pointers.push_back(&o);
    g = {name, pointers.data(), static_cast<int32_t>(objects.size())};
    return &g;
  }
};

void open_unit(int unit, const char *file, int recl, const char *delim) {
  EXPECT_EQ(__TAVf90_open(unit, file, slen(file), nullptr, 0, nullptr, 0, nullptr, 0, recl ? &recl : nullptr, nullptr,
                          0, nullptr, 0, nullptr, 0, delim, slen(delim), nullptr, 0, 0), 0);
}

// Values of the groups below (static: the child writes them).
int32_t i_one = 1, i_seven = 7, i_big = 123456789, a3[3] = {1, 2, 3}, a6[6] = {1, 2, 3, 4, 5, 6};
int32_t a22[4] = {1, 2, 3, 4}, gapped[6] = {1, 99, 2, 99, 3, 99};
float x = 2.5f, pt[2] = {1.0f, 2.0f};
int8_t b1 = -5, l1 = 1;
int16_t b2 = -300, l2 = 256;  // LOGICAL(2) is shown by its lowest-addressed byte
int32_t l4 = 1;
int64_t l8 = 1, k8 = 10000000000LL;
float c[2] = {1.0f, 2.0f};
double z[2] = {0.0, 1.0}, d = 0.1;
char text[] = "it's", ab[] = "ab'cd", chars[] = "abcd", long_text[] = "abcdefghijklmnopqrst";
struct Q {
  int32_t n;
  char s[4];
  int32_t v[2];
} q[2] = {{1, {'a', 'b'}, {3, 4}}, {5, {'c', 'd'}, {6, 7}}};

const tav_nml_shape shape3{4, 1, {{3, 1}}}, shape6{4, 1, {{6, 1}}}, shape22{4, 2, {{2, 1}, {2, 1}}};
const tav_nml_shape gapped3{8, 1, {{3, 1}}}, chars2{2, 1, {{2, 1}}}, v2{4, 1, {{2, 1}}}, q2{16, 1, {{2, 1}}};
const tav_nml_object pt_parts[] = {component("X", 0, TAV_NML_REAL), component("Y", 4, TAV_NML_REAL)};
const tav_nml_components pt_type{2, pt_parts};
const tav_nml_object q_parts[] = {component("N", 0, TAV_NML_I4), component("S", 4, TAV_NML_CHARACTER, nullptr, 2),
                                  component("V", 8, TAV_NML_I4, &v2)};
const tav_nml_components q_type{3, q_parts};

// The objects of the groups of data/nml_write.tsv, by key.
const std::map<std::string, tav_nml_object> kCatalogue = {
    {"I1", entry("I", &i_one, TAV_NML_I4)},     {"I7", entry("I", &i_seven, TAV_NML_I4)},
    {"ZBIG", entry("Z", &i_big, TAV_NML_I4)},   {"X", entry("X", &x, TAV_NML_REAL)},
    {"A", entry("A", a3, TAV_NML_I4, &shape3)}, {"A6", entry("A", a6, TAV_NML_I4, &shape6)},
    {"M", entry("M", a22, TAV_NML_I4, &shape22)}, {"G", entry("G", gapped, TAV_NML_I4, &gapped3)},
    {"B1", entry("B1", &b1, TAV_NML_I1)},       {"B2", entry("B2", &b2, TAV_NML_I2)},
    {"L1", entry("L1", &l1, TAV_NML_L1)},       {"L2", entry("L2", &l2, TAV_NML_L2)},
    {"L4", entry("L4", &l4, TAV_NML_L4)},       {"L8", entry("L8", &l8, TAV_NML_L8)},
    {"C", entry("C", c, TAV_NML_COMPLEX)},      {"Z", entry("Z", z, TAV_NML_DCOMPLEX)},
    {"D", entry("D", &d, TAV_NML_DOUBLE)},      {"K", entry("K", &k8, TAV_NML_I8)},
    {"TEXT", entry("C", text, TAV_NML_CHARACTER, nullptr, 4)},
    {"CH", entry("CH", chars, TAV_NML_CHARACTER, &chars2, 2)},
    {"LONG", entry("C", long_text, TAV_NML_CHARACTER, nullptr, 20)},
    {"CHV", entry("CH", long_text, TAV_NML_CHARACTER, &v2, 4)},
    {"AB", entry("C", ab, TAV_NML_CHARACTER, nullptr, 5)},
    {"P", entry("P", pt, TAV_NML_DERIVED, nullptr, 0, &pt_type)},
    {"Q", entry("Q", q, TAV_NML_DERIVED, &q2, 0, &q_type)},
};

TEST(NamelistWrite, Records) {
  const auto rows = table("nml_write.tsv", 5);
  auto r = tavtest::expect_run("groups", [&] {
    f90_io_init();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      Group g{rows[i][0].c_str(), {}};
      std::istringstream keys(rows[i][1]);
      for (std::string k; keys >> k;) g.objects.push_back(kCatalogue.at(k));
      const std::string name = "case" + std::to_string(i);
      open_unit(10, name.c_str(), std::stoi(rows[i][2]), rows[i][3] == "-" ? nullptr : rows[i][3].c_str());
      EXPECT_EQ(__TAVf90_writen(10, g.desc(), 0), 0) << name;
      __TAVf90_close(10, nullptr, 0, 0);
    }
    f90_io_finish();
  }, {0, "", ""});
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(r.file("case" + std::to_string(i)), rows[i][4]) << "case " << i;
}

TEST(NamelistWrite, HeldOutputAndTheUnitAfterwards) {
  auto r = tavtest::expect_run("held", [] {
    f90_io_init();
    Group g{"G", {entry("I", &i_seven, TAV_NML_I4)}};
    // The group goes on where a non-advancing WRITE left off, the rest of
    // what it holds after the group.
    open_unit(10, "held.txt", 0, nullptr);
    begin_write(10, false, 0, "('xxxxxxxxxxxxxxxxxx', T1)"), put("ab"), __TAVf90_endwrite();
    EXPECT_EQ(__TAVf90_writen(10, g.desc(), 0), 0);
    // The unit holds no record and its last transfer was a WRITE.
    begin_write(10, false), put("cd"), __TAVf90_endwrite();
    __TAVf90_partial_write(10, 1);
    EXPECT_EQ(begin_read(10, true, kIostat), 146);
    __TAVf90_close(10, nullptr, 0, 0);
    // After a READ the group goes where the next record would be read.
    open_unit(11, "read.txt", 0, nullptr);
    EXPECT_EQ(read_line(11), "line1");
    EXPECT_EQ(__TAVf90_writen(11, g.desc(), 0), 0);
    __TAVf90_close(11, nullptr, 0, 0);
    f90_io_finish();
  }, {0, "", ""}, with_files({{"read.txt", "line1\nline2\nline3\n"}}));
  EXPECT_EQ(r.file("held.txt"), "ab &G I = 7/xxxxxx\ncd\n");
  EXPECT_EQ(r.file("read.txt").substr(0, 17), "line1\n &G I = 7/\n");
}

TEST(NamelistWrite, Errors) {
  auto r = tavtest::expect_run("errors", [] {
    f90_io_init();
    Group g{"G", {entry("LONGNM", &i_one, TAV_NML_I4)}};
    // A name that cannot fit even a record of its own: nothing goes out,
    // not even what the unit held, which the next WRITE continues.
    open_unit(15, "short.txt", 8, nullptr);
    begin_write(15, false), put("ab"), __TAVf90_endwrite();
    EXPECT_EQ(__TAVf90_writen(15, g.desc(), 1), 100);
    begin_write(15), put("c"), __TAVf90_endwrite();
    // A value wider than a record: it is tried on a record of its own, so
    // the record before (the name) is out; the value's is not.
    Group wide{"G", {entry("I", &i_one, TAV_NML_I4), entry("D", &d, TAV_NML_DOUBLE)}};
    open_unit(16, "wide.txt", 12, nullptr);
    EXPECT_EQ(__TAVf90_writen(16, wide.desc(), 1), 100);
    // After ENDFILE the group is refused like any WRITE, and nothing goes
    // out until the unit is positioned again.
    open_unit(17, "eof.txt", 0, nullptr);
    begin_write(17), put("x"), __TAVf90_endwrite();
    EXPECT_EQ(__TAVf90_endfile(17, 1), 0);
    EXPECT_EQ(__TAVf90_writen(17, g.desc(), 1), 210);
    f90_io_finish();
  }, {0, "", ""});
  EXPECT_EQ(r.file("short.txt"), "abc\n");
  EXPECT_EQ(r.file("wide.txt"), " &G I = 1, \n D =\n");
  EXPECT_EQ(r.file("eof.txt"), "x\n");
  // Without IOSTAT= an error is fatal; the unit checks are those of every
  // formatted WRITE.
  tavtest::expect_run("fatal", [] {
    f90_io_init();
    Group g{"G", {entry("I", &i_one, TAV_NML_I4)}};
    __TAVf90_writen(-1, g.desc(), 0);
  }, {tavtest::kAborted, "", fatal_io("Unit number -1 out of range").c_str()});
}

}  // namespace
