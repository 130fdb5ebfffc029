// Whole-array character operations over sections (reversed, strided,
// empty), their results, overlapping assignment and the shape checks.
#include "support/common.h"

namespace {

using tavtest::expect_fatal;

// A section of the array of len-byte elements in buf: from element
// `first`, dimension k has extent e and takes every step-th element.
tav_cptr_desc section(std::string &buf, int len, int first, std::vector<std::pair<int, int>> extent_step) {
  tav_cptr_desc d{buf.data() + first * len, len, 0, {}};
  for (std::size_t k = 0; k < extent_step.size(); ++k)
    d.dim[k] = tav_dim{extent_step[k].first, extent_step[k].second * len, 1};
  return d;
}

std::string join(const char *base, std::intptr_t len, std::intptr_t count) {
  std::string s;
  for (std::intptr_t i = 0; i < count; ++i) s += (i ? "," : "") + std::string(base + i * len, len);
  return s;
}

// A temporary's elements and extents; the temporary is freed.
std::string elements(tav_cvector v) {
  std::string s = join(v.base, v.len, __TAVf90_size_cvector(v)) + " [";
  for (std::intptr_t e : v.extent) s += std::to_string(e);
  __TAVf90_freevec_ch(v);
  return s + "]";
}

// Twelve 2-byte elements; the 2x3 section is elements (1, 0), (5, 4),
// (9, 8): columns four apart, each read backwards.
const std::string kTwelve = "a  bc dd  e f  ghhi   j ";

TEST(CharacterArrays, SectionsInElementOrder) {
  std::string buf = kTwelve, digits = "123456";
  tav_cptr_desc a = section(buf, 2, 1, {{2, -1}, {3, 4}}), b = section(digits, 1, 0, {{2, 1}, {3, 2}});
  EXPECT_EQ(elements(__TAVf90_chcat_as(2, &a, "*", 1)), " b*,a *,e *,  *,i *,hh* [2311111]");
  EXPECT_EQ(elements(__TAVf90_chcat_sa(2, "<", &a, 1)), "< b,<a ,<e ,<  ,<i ,<hh [2311111]");
  EXPECT_EQ(elements(__TAVf90_chcat_aa(2, &a, &b)), " b1,a 2,e 3,  4,i 5,hh6 [2311111]");
  EXPECT_EQ(elements(__TAVf90_adjustl_cha(2, &a)), "b ,a ,e ,  ,i ,hh [2311111]");
  EXPECT_EQ(elements(__TAVf90_adjustr_cha(2, &a)), " b, a, e,  , i,hh [2311111]");
  tav_vector t = __TAVf90_len_trima(2, &a);
  const auto *lt = reinterpret_cast<const std::int32_t *>(t.base);
  EXPECT_EQ(std::vector<std::int32_t>(lt, lt + 6), (std::vector<std::int32_t>{2, 1, 1, 0, 1, 2}));
  __TAVf90_freevec_i(t);
  tav_chtmp all;
  __TAVf90_cat_a2s(&all, 2, &a);
  EXPECT_EQ(std::string(all.address, all.length), " ba e   i hh");
  __TAVf90_chfree(&all);
  EXPECT_EQ(buf, kTwelve);
  tav_cptr_desc none = section(buf, 2, 0, {{2, 1}, {0, 2}});
  EXPECT_EQ(elements(__TAVf90_chcat_aa(2, &none, &none)), " [2011111]");
  __TAVf90_cat_a2s(&all, 2, &none);
  EXPECT_TRUE(all.address == nullptr && all.length == 0);
}

TEST(CharacterArrays, Assignment) {
  std::string buf = kTwelve, wide(18, '#'), narrow(6, '#');
  tav_cptr_desc a = section(buf, 2, 1, {{2, -1}, {3, 4}});
  tav_cptr_desc w = section(wide, 3, 0, {{2, 1}, {3, 2}}), s = section(narrow, 1, 0, {{2, 1}, {3, 2}});
  __TAVf90_array_ch_asgn_array_ch(2, &w, &a);
  __TAVf90_array_ch_asgn_array_ch(2, &s, &a);
  EXPECT_EQ(join(wide.data(), 3, 6), " b ,a  ,e  ,   ,i  ,hh ");
  EXPECT_EQ(narrow, " ae ih");
  s = section(narrow, 1, 1, {{3, 2}});  // every other element
  __TAVf90_array_ch_asgn_scalar_ch(1, &s, "xyz", 3);
  EXPECT_EQ(narrow, " xexix");
  __TAVf90_array_ch_asgn_scalar_ch(1, &s, "xyz", -1);  // a negative length is zero
  EXPECT_EQ(narrow, "  e i ");
  tav_cvector v = __TAVf90_mkatmp_ch(2, 2, 3, 3);
  __TAVf90_vec_ch_asgn_array_ch(2, v, &a);
  EXPECT_EQ(join(v.base, 3, 6), " b ,a  ,e  ,   ,i  ,hh ");
  __TAVf90_vec_ch_asgn_scalar_ch(v, "q", 1);
  EXPECT_EQ(elements(v), "q  ,q  ,q  ,q  ,q  ,q   [2311111]");
}

TEST(CharacterArrays, OverlappingAssignment) {
  // a(dst) = a(src) over six 2-byte elements: every element receives the
  // value its source had before the assignment.
  const struct {
    int dst_first, dst_step, src_first, src_step, count;
    const char *want;
  } cases[] = {{1, 1, 0, 1, 5, "a a b c d e "}, {5, -1, 0, 1, 6, "f e d c b a "},
               {5, -1, 2, 1, 3, "a b c e d c "}, {0, 2, 0, 1, 3, "a b b d c f "},
               {1, 1, 0, 1, 2, "a a b d e f "}};  // sharing the source's last element only
  for (const auto &c : cases) {
    std::string buf = "a b c d e f ";
    tav_cptr_desc dst = section(buf, 2, c.dst_first, {{c.count, c.dst_step}});
    tav_cptr_desc src = section(buf, 2, c.src_first, {{c.count, c.src_step}});
    __TAVf90_array_ch_asgn_array_ch(1, &dst, &src);
    EXPECT_EQ(buf, c.want);
  }
  std::string buf = "a b c d ";  // a = a(3)
  tav_cptr_desc all = section(buf, 2, 0, {{4, 1}});
  __TAVf90_array_ch_asgn_scalar_ch(1, &all, buf.data() + 4, 2);
  EXPECT_EQ(buf, "c c c c ");
  tav_cvector v = __TAVf90_mkatmp_ch(1, 3, 1);  // v = v(3:1:-1)
  std::memcpy(v.base, "xyz", 3);
  tav_cptr_desc back{v.base + 2, 1, 0, {{3, -1, 1}}};
  __TAVf90_vec_ch_asgn_array_ch(1, v, &back);
  EXPECT_EQ(elements(v), "z,y,x [3111111]");
}

TEST(CharacterArrays, ShapeMismatch) {
  std::string buf(64, ' ');
  tav_cptr_desc a = section(buf, 2, 0, {{2, 1}, {3, 2}}), b = section(buf, 2, 0, {{2, 1}, {4, 2}});
  expect_fatal([&] { __TAVf90_array_ch_asgn_array_ch(2, &a, &b); }, "Shape mismatch: Dimension 2 extents are 3 and 4");
  expect_fatal([&] { __TAVf90_chcat_aa(2, &b, &a); }, "Shape mismatch: Dimension 2 extents are 4 and 3");
  expect_fatal([&] { __TAVf90_vec_ch_asgn_array_ch(2, __TAVf90_mkatmp_ch(3, 2, 3, 2, 2), &a); },
               "Shape mismatch: Dimension 3 extents are 2 and 1");
}

}  // namespace
