// Calls made the way compiled code makes them on i386: arguments pushed
// right to left, records passed by value as words on the stack, and record
// results returned through a hidden address pushed last, which the callee
// removes (it returns with "ret $4").
#include "support/common.h"

#if defined(__i386__)

// int tav_abi_call(const void *fn, const std::uint32_t *words, int n, int *popped)
// Stores words[0] .. words[n-1] upwards from a 16-byte aligned stack
// pointer, as if pushed right to left (words[0] lowest, where a hidden result
// address goes), calls fn and reports in *popped how many bytes of arguments
// the callee removed itself.
asm(R"(
        .text
        .globl  tav_abi_call
        .type   tav_abi_call, @function
tav_abi_call:
        pushl   %ebp
        movl    %esp, %ebp
        pushl   %esi
        movl    16(%ebp), %ecx
        movl    12(%ebp), %esi
        leal    0(,%ecx,4), %eax
        subl    %eax, %esp
        andl    $-16, %esp
1:      decl    %ecx
        js      2f
        movl    (%esi,%ecx,4), %eax
        movl    %eax, (%esp,%ecx,4)
        jmp     1b
2:      movl    %esp, %esi
        call    *8(%ebp)
        movl    %esp, %ecx
        subl    %esi, %ecx
        movl    20(%ebp), %edx
        movl    %ecx, (%edx)
        leal    -4(%ebp), %esp
        popl    %esi
        popl    %ebp
        ret
        .size   tav_abi_call, .-tav_abi_call
)");

extern "C" int tav_abi_call(const void *fn, const std::uint32_t *words, int n, int *popped);

namespace {

std::uint32_t word(const void *p) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(p)); }
template <class F>
int call(F *fn, const std::uint32_t *words, int n, int expect_popped) {
  int popped = -1;
  int eax = tav_abi_call(reinterpret_cast<const void *>(fn), words, n, &popped);
  EXPECT_EQ(popped, expect_popped) << "bytes of arguments the callee removed";
  return eax;
}

// Record results: the callee removes the hidden address and returns it,
// variadic entries and one-word records included.  Records passed by value
// go as words and are left to the caller.
TEST(Abi, RecordResultsAndRecordArguments) {
  tav_vector v;
  std::memset(&v, 0xee, sizeof v);
  const std::uint32_t mk[] = {word(&v), 2, 3, 4};  // mkatmp_i(2, 3, 4)
  EXPECT_EQ(static_cast<std::uint32_t>(call(&__TAVf90_mkatmp_i, mk, 4, 4)), word(&v));
  EXPECT_EQ(v.extent[0] * 100 + v.extent[1] * 10 + v.extent[2], 341) << "the extents arrived";
  std::uint32_t by_value[8];
  std::memcpy(by_value, &v, sizeof v);
  call(&__TAVf90_freevec_i, by_value, 8, 0);

  tav_atmplist list{reinterpret_cast<tav_atmp_node *>(0x1234)};
  const std::uint32_t lw[] = {word(&list)};
  call(&__TAVf90_atmplist_create, lw, 1, 4);
  EXPECT_EQ(list.first, nullptr);
}

}  // namespace

#endif  // __i386__
