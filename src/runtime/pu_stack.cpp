// The program-unit stack: one saved location per active call of a procedure
// compiled with line information, kept in blocks of 128 entries so that
// entering and leaving a procedure costs no storage traffic except at a
// block boundary.  One emptied block is kept as a spare, so a call depth
// oscillating across a boundary does not allocate and free on every call.
#include <cstdio>

#include "runtime/fatal.h"
#include "storage/work.h"
#include "tavf90.h"

extern "C" {
const char *__TAVf90_filename;
int __TAVf90_lineno;
const char *__TAV_f90_line_info;
}

namespace tav::rt {
namespace {

// The location of one suspended call, as it was when the call was made.
struct Saved {
  const char *routine;
  const char *file;
  int line;
  const char *line_info;
};

constexpr int kBlockEntries = 128;

struct Block {
  Saved entry[kBlockEntries];
  Block *older;
};

const char *current_routine;  // null in the main program before any call
Block *gline_stack;           // newest block; null when the stack is empty
int gline_sp;                 // entries used in the newest block
Block *empty_gline_block;     // the one spare block, or null

Block *take_block() {
  Block *b = empty_gline_block;
  if (b != nullptr)
    empty_gline_block = nullptr;
  else
    b = static_cast<Block *>(storage::work_alloc(sizeof(Block)));
  return b;
}

void release_block(Block *b) { storage::work_free(b, sizeof(Block)); }

// Names and files are printed as given; a missing one must not reach %s.
const char *shown(const char *s) { return s != nullptr ? s : "?"; }

}  // namespace

void traceback_if_located() {
  if (__TAVf90_lineno != 0 || __TAV_f90_line_info != nullptr) __TAVf90_dump_gline_stack();
}

}  // namespace tav::rt

using namespace tav::rt;

extern "C" {

void __TAVf90_enter_pu(const char *routine_name) {
  if (gline_stack == nullptr || gline_sp == kBlockEntries) {
    Block *b = take_block();
    b->older = gline_stack;
    gline_stack = b;
    gline_sp = 0;
  }
  gline_stack->entry[gline_sp++] = Saved{current_routine, __TAVf90_filename, __TAVf90_lineno, __TAV_f90_line_info};
  current_routine = routine_name;
  __TAVf90_filename = nullptr;
  __TAVf90_lineno = 0;
  __TAV_f90_line_info = nullptr;
}

void __TAVf90_exit_pu(void) {
  if (gline_stack == nullptr) return;
  const Saved &s = gline_stack->entry[--gline_sp];
  current_routine = s.routine;
  __TAVf90_filename = s.file;
  __TAVf90_lineno = s.line;
  __TAV_f90_line_info = s.line_info;
  if (gline_sp == 0) {
    Block *emptied = gline_stack;
    if (empty_gline_block != nullptr) release_block(empty_gline_block);
    empty_gline_block = emptied;
    gline_stack = emptied->older;
    gline_sp = gline_stack != nullptr ? kBlockEntries : 0;
  }
}

void __TAVf90_dump_gline_stack(void) {
  // The walk leaves the stack as it is, so that it can still be released
  // (or printed again) afterwards.
  bool in_printed = false;
  if (__TAV_f90_line_info != nullptr) {
    std::fprintf(stderr, "In %s\n", __TAV_f90_line_info);
    in_printed = true;
  }
  if (__TAVf90_lineno != 0)
    std::fprintf(stderr, "%s %s, line %d of %s\n", in_printed ? "Called by" : "In", shown(current_routine),
                 __TAVf90_lineno, shown(__TAVf90_filename));
  int used = gline_sp;
  for (const Block *b = gline_stack; b != nullptr; b = b->older, used = kBlockEntries) {
    for (int i = used - 1; i >= 0; --i) {
      const Saved &s = b->entry[i];
      if (s.line_info != nullptr) std::fprintf(stderr, "Called from %s\n", s.line_info);
      if (s.routine != nullptr)
        std::fprintf(stderr, "Called by %s, line %d of %s\n", s.routine, s.line, shown(s.file));
    }
  }
}

void __TAVf90_delete_gline_stack(void) {
  while (gline_stack != nullptr) {
    Block *older = gline_stack->older;
    release_block(gline_stack);
    gline_stack = older;
  }
  gline_sp = 0;
  if (empty_gline_block != nullptr) {
    release_block(empty_gline_block);
    empty_gline_block = nullptr;
  }
}

}  // extern "C"
