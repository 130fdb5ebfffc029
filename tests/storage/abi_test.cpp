// Calls made the way compiled code makes them on i386: arguments pushed
// right to left, records passed by value as words on the stack, and record
// results returned through a hidden address pushed last, which the callee
// removes (it returns with "ret $4").
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "tavf90.h"

#if defined(__i386__)

// int tav_abi_call(const void *fn, const std::uint32_t *words, int n, int *popped)
// Pushes words[n-1] .. words[0] (so words[0] ends up lowest, where a hidden
// result address goes), calls fn with a 16-byte aligned stack and reports
// in *popped how many bytes of arguments the callee removed itself.
asm(R"(
        .text
        .globl  tav_abi_call
        .type   tav_abi_call, @function
tav_abi_call:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %ebx
        pushl   %esi
        pushl   %edi
        movl    %esp, %edi
        movl    16(%ebp), %ecx
        movl    12(%ebp), %esi
        leal    0(,%ecx,4), %eax
        movl    %esp, %edx
        subl    %eax, %edx
        andl    $-16, %edx
        addl    %eax, %edx
        movl    %edx, %esp
1:      testl   %ecx, %ecx
        jz      2f
        pushl   -4(%esi,%ecx,4)
        decl    %ecx
        jmp     1b
2:      movl    %esp, %ebx
        call    *8(%ebp)
        movl    %esp, %ecx
        subl    %ebx, %ecx
        movl    20(%ebp), %edx
        movl    %ecx, (%edx)
        movl    %edi, %esp
        popl    %edi
        popl    %esi
        popl    %ebx
        popl    %ebp
        ret
        .size   tav_abi_call, .-tav_abi_call
)");

extern "C" int tav_abi_call(const void *fn, const std::uint32_t *words, int n, int *popped);

namespace {

std::uint32_t word(const void *p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }

TEST(Abi, VectorResultThroughHiddenAddress) {
  tav_vector v;
  std::memset(&v, 0xee, sizeof v);
  const std::uint32_t words[] = {word(&v), 2, 3, 4};  // mkatmp_i(2, 3, 4)
  int popped = -1;
  int eax = tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_mkatmp_i), words, 4, &popped);
  EXPECT_EQ(popped, 4) << "the callee removes the hidden result address";
  EXPECT_EQ(static_cast<std::uint32_t>(eax), word(&v)) << "and returns it";
  EXPECT_EQ(v.extent[0] * 100 + v.extent[1] * 10 + v.extent[2], 341) << "the extents arrived";
  ASSERT_NE(v.base, nullptr);
  // freevec_i takes the 8 words by value; a plain call leaves them to the
  // caller.
  std::uint32_t by_value[8];
  std::memcpy(by_value, &v, sizeof v);
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_freevec_i), by_value, 8, &popped);
  EXPECT_EQ(popped, 0);
}

TEST(Abi, CharacterVectorAndInfoResults) {
  tav_cvector c;
  const std::uint32_t ch[] = {word(&c), 1, 6, 9};  // mkatmp_ch(1, 6, len 9)
  int popped = -1;
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_mkatmp_ch), ch, 4, &popped);
  EXPECT_EQ(popped, 4);
  EXPECT_EQ(c.len, 9);
  EXPECT_EQ(c.extent[0], 6);
  __TAVf90_freevec_ch(c);

  tav_info info;
  const std::uint32_t mi[] = {word(&info), 2, 1, 3, static_cast<std::uint32_t>(-2), 2};
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_make_info), mi, 6, &popped);
  EXPECT_EQ(popped, 4);
  EXPECT_EQ(info.rank, 2);
  EXPECT_EQ(info.dim[1].extent, 5);
  EXPECT_EQ(info.dim[1].stride, 3);
  EXPECT_EQ(info.offset, -1 + 6);

  // The info record goes by value as 23 words, followed by DIM.
  std::uint32_t args[24];
  std::memcpy(args, &info, sizeof info);
  args[23] = 2;
  int ub = tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_ubound_info), args, 24, &popped);
  EXPECT_EQ(popped, 0);
  EXPECT_EQ(ub, 2);
  args[23] = 1;
  EXPECT_EQ(tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_size_info), args, 23, &popped), 15);
}

TEST(Abi, OneWordListRecordIsAStruct) {
  tav_atmplist list;
  list.first = reinterpret_cast<tav_atmp_node *>(0x1234);
  const std::uint32_t words[] = {word(&list)};
  int popped = -1;
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_atmplist_create), words, 1, &popped);
  EXPECT_EQ(popped, 4);
  EXPECT_EQ(list.first, nullptr);

  // Passed by value as one word.
  tav_vector v = __TAVf90_mkatmp_r(1, 2);
  __TAVf90_atmplist_append(&list, &v);
  tav_vector out{};
  const std::uint32_t elt[] = {word(list.first), word(&out), 0};
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_atmplist_elt), elt, 3, &popped);
  EXPECT_EQ(popped, 0);
  EXPECT_EQ(out.base, v.base);
  __TAVf90_atmplist_step(&list, &out);
  __TAVf90_freevec_r(out);
}

TEST(Abi, VariadicBoundsAndStatAddress) {
  tav_ptr_desc d;
  int stat = 0;
  // Allocate_a(desc, 4, 2, 2, 3, -1, 1, &stat)
  const std::uint32_t words[] = {word(&d), 4, 2, 2, 3, static_cast<std::uint32_t>(-1), 1, word(&stat)};
  int popped = -1;
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_Allocate_a), words, 8, &popped);
  EXPECT_EQ(popped, 0);
  EXPECT_EQ(stat, 0);
  EXPECT_EQ(d.dim[1].lower, -1) << "the last bound arrived";
  // vdescribe_ch(base, len, rank, extents...) returning 9 words.
  tav_cvector c;
  const std::uint32_t vd[] = {word(&c), word(&d), 7, 2, 5, 6};
  tav_abi_call(reinterpret_cast<const void *>(&__TAVf90_vdescribe_ch), vd, 6, &popped);
  EXPECT_EQ(popped, 4);
  EXPECT_EQ(c.base, reinterpret_cast<char *>(&d));
  EXPECT_EQ(c.len, 7);
  EXPECT_EQ(c.extent[1], 6);
  __TAVf90_Deallocate_a(2, 4, &d, &stat);
}

}  // namespace

#endif  // __i386__
