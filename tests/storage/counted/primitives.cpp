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

std::vector<Call> &log() {
  static std::vector<Call> v;
  return v;
}
std::map<void *, Block> &live() {
  static std::map<void *, Block> m;
  return m;
}
std::vector<std::string> &bad() {
  static std::vector<std::string> v;
  return v;
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
    live()[p] = Block{family, bytes};
  }
  log().push_back(Call{entry, p, bytes, nullptr});
  return p;
}

void release(const char *entry, char family, void *address, std::size_t bytes, int *stat) {
  log().push_back(Call{entry, address, bytes, stat});
  auto it = live().find(address);
  if (it == live().end() || it->second.family != family || it->second.bytes != bytes) {
    char text[160];
    std::snprintf(text, sizeof text, "%s(%p, %zu)", entry, address, bytes);
    bad().push_back(text);
    return;
  }
  live().erase(it);
  std::free(address);
}

}  // namespace

const std::vector<Call> &calls() { return log(); }

std::vector<Call> calls_of(const std::string &entry) {
  std::vector<Call> out;
  for (const Call &c : log())
    if (c.entry == entry) out.push_back(c);
  return out;
}

void reset() {
  log().clear();
  bad().clear();
  countdown = -1;
  fail_all = false;
}

void fail_after(int n, bool all) {
  countdown = n;
  fail_all = all;
}

const std::vector<std::string> &mismatches() { return bad(); }
std::size_t live_blocks() { return live().size(); }

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
