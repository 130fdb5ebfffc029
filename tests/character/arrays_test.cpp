// Whole-array character operations over sections (reversed, strided,
// empty), their results as temporaries, overlapping assignment and the
// shape checks.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/child.h"
#include "tavf90.h"

namespace {

// Elements of `len` bytes stored one after the other.
std::string store(const std::vector<std::string> &elements) {
  std::string s;
  for (const auto &e : elements) s += e;
  return s;
}

// A section of the array stored in buf: starting at element `first`,
// dimension k has extent e and takes every step-th element (negative:
// backwards).
tav_cptr_desc section(std::string &buf, int len, int first, std::vector<std::pair<int, int>> extent_step) {
  tav_cptr_desc d{};
  d.base = buf.data() + first * len;
  d.len = len;
  for (std::size_t k = 0; k < extent_step.size(); ++k)
    d.dim[k] = tav_dim{extent_step[k].first, extent_step[k].second * len, 1};
  return d;
}

// The elements of a contiguous array, ','-separated.
std::string join(const char *base, std::intptr_t len, std::intptr_t count) {
  std::string s;
  for (std::intptr_t i = 0; i < count; ++i) s += (i ? "," : "") + std::string(base + i * len, len);
  return s;
}

// A temporary's elements and extents; the temporary is freed.
std::string elements(tav_cvector v) {
  std::string s = join(v.base, v.len, __TAVf90_size_cvector(v)) + " [";
  for (int k = 0; k < 7; ++k) s += std::to_string(v.extent[k]);
  __TAVf90_freevec_ch(v);
  return s + "]";
}

// Twelve 2-byte elements; the 2x3 section takes elements (1, 0), (5, 4),
// (9, 8): columns four apart, each read backwards.
std::string underlying() { return store({"a ", " b", "c ", "dd", "  ", "e ", "f ", " g", "hh", "i ", "  ", "j "}); }

TEST(ArrayForms, SectionsInElementOrder) {
  std::string buf = underlying();
  tav_cptr_desc a = section(buf, 2, 1, {{2, -1}, {3, 4}});
  EXPECT_EQ(elements(__TAVf90_chcat_as(2, &a, "*", 1)), " b*,a *,e *,  *,i *,hh* [2311111]");
  EXPECT_EQ(elements(__TAVf90_chcat_sa(2, "<", &a, 1)), "< b,<a ,<e ,<  ,<i ,<hh [2311111]");
  EXPECT_EQ(elements(__TAVf90_adjustl_cha(2, &a)), "b ,a ,e ,  ,i ,hh [2311111]");
  EXPECT_EQ(elements(__TAVf90_adjustr_cha(2, &a)), " b, a, e,  , i,hh [2311111]");
  std::string digits = "123456";
  tav_cptr_desc b = section(digits, 1, 0, {{2, 1}, {3, 2}});
  EXPECT_EQ(elements(__TAVf90_chcat_aa(2, &a, &b)), " b1,a 2,e 3,  4,i 5,hh6 [2311111]");
  tav_vector t = __TAVf90_len_trima(2, &a);
  const auto *lt = reinterpret_cast<const std::int32_t *>(t.base);
  EXPECT_EQ(std::vector<std::int32_t>(lt, lt + 6), (std::vector<std::int32_t>{2, 1, 1, 0, 1, 2}));
  __TAVf90_freevec_i(t);
  tav_chtmp all;
  __TAVf90_cat_a2s(&all, 2, &a);
  EXPECT_EQ(std::string(all.address, all.length), " ba e   i hh");
  __TAVf90_chfree(&all);
  EXPECT_EQ(buf, underlying());

  // An empty section: empty results, no joined text.
  tav_cptr_desc none = section(buf, 2, 0, {{2, 1}, {0, 2}});
  EXPECT_EQ(elements(__TAVf90_chcat_aa(2, &none, &none)), " [2011111]");
  __TAVf90_cat_a2s(&all, 2, &none);
  EXPECT_EQ(all.address, nullptr);
  EXPECT_EQ(all.length, 0);
}

TEST(ArrayForms, Assignment) {
  std::string buf = underlying();
  tav_cptr_desc a = section(buf, 2, 1, {{2, -1}, {3, 4}});
  // Into a contiguous array of longer, then shorter, elements.
  std::string wide(18, '#'), narrow(6, '#');
  tav_cptr_desc w = section(wide, 3, 0, {{2, 1}, {3, 2}}), s = section(narrow, 1, 0, {{2, 1}, {3, 2}});
  __TAVf90_array_ch_asgn_array_ch(2, &w, &a);
  __TAVf90_array_ch_asgn_array_ch(2, &s, &a);
  EXPECT_EQ(join(wide.data(), 3, 6), " b ,a  ,e  ,   ,i  ,hh ");
  EXPECT_EQ(narrow, " ae ih");
  // A scalar into every other element; the rest keep their values.
  __TAVf90_array_ch_asgn_scalar_ch(1, &(s = section(narrow, 1, 1, {{3, 2}})), "xyz", 3);
  EXPECT_EQ(narrow, " xexix");
  // Contiguous destinations given by their extents.
  tav_cvector v = __TAVf90_mkatmp_ch(2, 2, 3, 3);
  __TAVf90_vec_ch_asgn_array_ch(2, v, &a);
  EXPECT_EQ(join(v.base, 3, 6), " b ,a  ,e  ,   ,i  ,hh ");
  __TAVf90_vec_ch_asgn_scalar_ch(v, "q", 1);
  EXPECT_EQ(elements(v), "q  ,q  ,q  ,q  ,q  ,q   [2311111]");
}

TEST(ArrayForms, OverlappingAssignment) {
  // a(dst) = a(src) over six 2-byte elements: every element receives the
  // value the source had before the statement.
  struct {
    int dst_first, dst_step, src_first, src_step, count;
    const char *want;
  } const cases[] = {
      {1, 1, 0, 1, 5, "a a b c d e "},   // a(2:6) = a(1:5)
      {0, 1, 1, 1, 5, "b c d e f f "},   // a(1:5) = a(2:6)
      {5, -1, 0, 1, 6, "f e d c b a "},  // a(6:1:-1) = a(1:6)
      {0, 2, 1, 2, 3, "b b d d f f "},   // interleaved, disjoint
      {0, 1, 0, 1, 6, "a b c d e f "},   // in place
  };
  for (const auto &c : cases) {
    std::string buf = "a b c d e f ";
    tav_cptr_desc dst = section(buf, 2, c.dst_first, {{c.count, c.dst_step}});
    tav_cptr_desc src = section(buf, 2, c.src_first, {{c.count, c.src_step}});
    __TAVf90_array_ch_asgn_array_ch(1, &dst, &src);
    EXPECT_EQ(buf, c.want);
  }
  // The scalar is an element of the destination.
  std::string buf = "a b c d ";
  tav_cptr_desc all = section(buf, 2, 0, {{4, 1}});
  __TAVf90_array_ch_asgn_scalar_ch(1, &all, buf.data() + 4, 2);
  EXPECT_EQ(buf, "c c c c ");
  // A temporary assigned from a section of itself.
  tav_cvector v = __TAVf90_mkatmp_ch(1, 3, 1);
  std::memcpy(v.base, "xyz", 3);
  tav_cptr_desc back{v.base + 2, 1, 0, {{3, -1, 1}}};
  __TAVf90_vec_ch_asgn_array_ch(1, v, &back);
  EXPECT_EQ(elements(v), "z,y,x [3111111]");
}

// The text a fatal scenario printed, without what the emulator adds when
// the child dies by a signal.
std::string fatal_text(const tavtest::Result &r) {
  std::string out, line;
  for (char c : r.err) {
    line += c;
    if (c == '\n') {
      if (line.rfind("qemu: ", 0) != 0) out += line;
      line.clear();
    }
  }
  return out + line;
}

TEST(ArrayForms, ShapeMismatch) {
  std::string buf(64, ' ');
  tav_cptr_desc a = section(buf, 2, 0, {{2, 1}, {3, 2}}), b = section(buf, 2, 0, {{2, 1}, {4, 2}});
  const struct {
    const char *what;
    std::function<void()> body;
    const char *message;
  } cases[] = {
      {"array = array", [&] { __TAVf90_array_ch_asgn_array_ch(2, &a, &b); }, "Dimension 2 extents are 3 and 4"},
      {"array // array", [&] { __TAVf90_chcat_aa(2, &b, &a); }, "Dimension 2 extents are 4 and 3"},
      {"vector = array",
       [&] { __TAVf90_vec_ch_asgn_array_ch(2, __TAVf90_mkatmp_ch(3, 2, 3, 2, 2), &a); },
       "Dimension 3 extents are 2 and 1"},
  };
  for (const auto &c : cases) {
    auto r = tavtest::run(c.body);
    EXPECT_TRUE(r.aborted()) << c.what << ": " << r.describe();
    EXPECT_EQ(fatal_text(r), std::string("Shape mismatch: ") + c.message + "\nProgram terminated by fatal error\n")
        << c.what;
  }
}

}  // namespace
