#include "primitives.h"

#include <cstdio>
#include <cstdlib>
#include <map>

#include "tavf90.h"

namespace counted {
namespace {

struct Block {
  char family;  // 'o', 'p' or 'a'
  std::size_t bytes;
};

// Made on first use: the library asks for storage before main.
struct State {
  std::vector<Call> log;
  std::map<void *, Block> live;
  std::vector<std::string> bad;
};
State &state() {
  static State s;
  return s;
}
int countdown = -1;
bool fail_all = false;

void *request(const char *entry, char family, std::size_t bytes, bool zero) {
  void *p = nullptr;
  bool fail = countdown == 0 || (fail_all && countdown < 0);
  if (countdown == 0) countdown = -1;
  if (countdown > 0) --countdown;
  if (!fail) {
    p = zero ? std::calloc(1, bytes ? bytes : 1) : std::malloc(bytes ? bytes : 1);
    state().live[p] = Block{family, bytes};
  }
  state().log.push_back(Call{entry, p, bytes, nullptr});
  return p;
}

void release(const char *entry, char family, void *address, std::size_t bytes, int *stat) {
  state().log.push_back(Call{entry, address, bytes, stat});
  auto it = state().live.find(address);
  if (it == state().live.end() || it->second.family != family || it->second.bytes != bytes) {
    char text[160];
    std::snprintf(text, sizeof text, "%s(%p, %zu)", entry, address, bytes);
    state().bad.push_back(text);
    return;
  }
  state().live.erase(it);
  std::free(address);
}

}  // namespace

const std::vector<Call> &calls() { return state().log; }

void reset() {
  state().log.clear();
  state().bad.clear();
  fail_after(-1);
}

void fail_after(int n, bool all) {
  countdown = n;
  fail_all = all;
}

const std::vector<std::string> &mismatches() { return state().bad; }

}  // namespace counted

using counted::release;
using counted::request;

extern "C" {
void *__TAVf90_oAlloc(size_t bytes) { return request("oAlloc", 'o', bytes, false); }
void *__TAVf90_zoAlloc(size_t bytes) { return request("zoAlloc", 'o', bytes, true); }
void __TAVf90_oDeAlloc(void *address, size_t bytes) { release("oDeAlloc", 'o', address, bytes, nullptr); }
void *__TAVf90_ReAlloc_90(void *, size_t, size_t, size_t) { std::abort(); }
void *__TAVf90_pAlloc(size_t bytes) { return request("pAlloc", 'p', bytes, false); }
void *__TAVf90_zpAlloc(size_t bytes) { return request("zpAlloc", 'p', bytes, true); }
void __TAVf90_pDeAlloc(void *address, size_t bytes, int *stat) { release("pDeAlloc", 'p', address, bytes, stat); }
void *__TAVf90_aAlloc(size_t bytes) { return request("aAlloc", 'a', bytes, false); }
void *__TAVf90_zaAlloc(size_t bytes) { return request("zaAlloc", 'a', bytes, true); }
void __TAVf90_aDeAlloc(void *address, size_t bytes) { release("aDeAlloc", 'a', address, bytes, nullptr); }
void __TAVf90_oaDeAlloc(void *address, size_t bytes) { release("oaDeAlloc", 'a', address, bytes, nullptr); }
}
