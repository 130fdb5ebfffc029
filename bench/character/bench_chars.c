/* Character and RANDOM_NUMBER cases, driven the way compiled code calls
 * the library, or (with "plain") as a plain C loop doing the same work on
 * the same storage; bench_chars.f90 is the same program for the peer.
 * Prints one line per case: name, operations, CPU nanoseconds per
 * operation, and a checksum that must agree with the peer's.  The plain
 * concatenation obtains its temporary as the library must: fresh
 * zero-filled storage of the result's length (calloc), freed after use.
 * RANDOM_NUMBER has no plain loop.
 *
 * usage: bench_chars [CASE [plain]]   (all cases when none is named)
 */
#define _GNU_SOURCE /* memmem */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "tavf90.h"

enum { MIB = 1 << 20 };

static double cpu_now(void) {
  struct timespec ts;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return ts.tv_sec + ts.tv_nsec * 1e-9;
}

static void report(const char *name, long ops, double seconds, long long check) {
  printf("%s %ld %.3f %lld\n", name, ops, seconds * 1e9 / ops, check);
}

/* Lower-case text that never holds the upper-case needles. */
static char *text(void) {
  char *s = malloc(MIB);
  for (long i = 0; i < MIB; ++i) s[i] = (char)('a' + (i * 7 + i / 5) % 26);
  return s;
}

/* Called through pointers the compiler cannot see through, so that the
 * plain loop really obtains and frees its temporary. */
static void *(*volatile obtain)(size_t, size_t) = calloc;
static void (*volatile release)(void *) = free;

static int selected(const char *want, const char *name) { return want == NULL || strcmp(want, name) == 0; }

/* The plain loops. */
static int plain_compare(const char *a, const char *b, long n) {
  int c = memcmp(a, b, (size_t)n);
  return c < 0 ? -1 : c > 0;
}
static long plain_index(const char *s, long n, const char *sub, long m) {
  const char *at = memmem(s, (size_t)n, sub, (size_t)m);
  return at == NULL ? 0 : at - s + 1;
}
/* SCAN (member 1) and VERIFY (member 0): the first byte whose membership
 * in the set is `member`. */
static long plain_search(const char *s, long n, const char *set, long m, int member) {
  unsigned char in[256] = {0};
  for (long i = 0; i < m; ++i) in[(unsigned char)set[i]] = 1;
  for (long i = 0; i < n; ++i)
    if (in[(unsigned char)s[i]] == member) return i + 1;
  return 0;
}
static long plain_len_trim(const char *s, long n) {
  while (n > 0 && s[n - 1] == ' ') --n;
  return n;
}

int main(int argc, char **argv) {
  const char *want = argc > 1 ? argv[1] : NULL;
  const int plain = argc > 2 && strcmp(argv[2], "plain") == 0;
  const int reps = 2000;
  char *a = text(), *b = text();
  long long check;
  double t0;

  if (selected(want, "compare")) { /* equal but for the last byte */
    b[MIB - 1] = 'Z';
    check = 0, t0 = cpu_now();
    for (int k = 0; k < reps; ++k) {
      a[0] = (char)('a' + k % 2), b[0] = 'a';
      check += plain ? plain_compare(a, b, MIB) : __TAVf90_charcmp(a, b, MIB, MIB);
    }
    report("compare", reps, cpu_now() - t0, check);
    b[MIB - 1] = a[MIB - 1];
  }
  if (selected(want, "index")) { /* a 16-byte needle at the very end */
    memcpy(a + MIB - 16, "QRSTUVWXYZABCDEF", 16);
    check = 0, t0 = cpu_now();
    for (int k = 0; k < reps; ++k) {
      a[0] = (char)('a' + k % 3);
      check += plain ? plain_index(a, MIB, "QRSTUVWXYZABCDEF", 16) : __TAVf90_charindex(a, "QRSTUVWXYZABCDEF", MIB, 16);
    }
    report("index", reps, cpu_now() - t0, check);
    memcpy(a + MIB - 16, b + MIB - 16, 16);
  }
  if (selected(want, "scan")) { /* the one member of the set is the last byte */
    a[MIB - 1] = 'Y';
    check = 0, t0 = cpu_now();
    for (int k = 0; k < reps; ++k) {
      a[0] = (char)('a' + k % 3);
      check += plain ? plain_search(a, MIB, "WXYZ", 4, 1) : __TAVf90_scan(a, "WXYZ", MIB, 4);
    }
    report("scan", reps, cpu_now() - t0, check);
    a[MIB - 1] = b[MIB - 1];
  }
  if (selected(want, "verify")) { /* only the last byte is outside the set */
    for (long i = 0; i < MIB; ++i) a[i] = "abcd"[i % 4];
    a[MIB - 1] = 'z';
    check = 0, t0 = cpu_now();
    for (int k = 0; k < reps; ++k) {
      a[0] = (char)('a' + k % 3);
      check += plain ? plain_search(a, MIB, "abcd", 4, 0) : __TAVf90_verify(a, "abcd", MIB, 4);
    }
    report("verify", reps, cpu_now() - t0, check);
    memcpy(a, b, MIB);
  }
  if (selected(want, "len_trim")) { /* all blank but the first byte */
    memset(a, ' ', MIB);
    check = 0, t0 = cpu_now();
    for (int k = 0; k < reps; ++k) {
      a[0] = k % 2 ? 'x' : ' ';
      check += plain ? plain_len_trim(a, MIB) : __TAVf90_len_trim(a, MIB);
    }
    report("len_trim", reps, cpu_now() - t0, check);
    memcpy(a, b, MIB);
  }
  if (selected(want, "concat")) { /* c = x(k) // y */
    const long n = 1000000;
    char c[16], y[9] = "-suffix ";
    check = 0, t0 = cpu_now();
    for (long k = 0; k < n; ++k) {
      if (plain) {
        char *t = obtain(16, 1);
        memcpy(t, a + (k & 1023), 8);
        memcpy(t + 8, y, 8);
        memcpy(c, t, 16);
        release(t);
      } else {
        tav_chtmp r;
        __TAVf90_chcat(&r, a + (k & 1023), 8, y, 8);
        __TAVf90_chasgn(c, 16, r.address, (int)r.length);
        __TAVf90_chfree(&r);
      }
      check += c[k & 15];
    }
    report("concat", n, cpu_now() - t0, check);
  }
  if (selected(want, "random") && !plain) { /* call random_number(r) for real :: r(10**7) */
    const int n = 10000000;
    float *r = malloc(sizeof *r * n);
    memset(r, 1, sizeof *r * n); /* page faults outside the timing */
    int32_t seed = 1;
    tav_ptr_desc put = {(char *)&seed, -4, {{1, 4, 1}}};
    __TAVf90_random_seed(NULL, &put, NULL);
    t0 = cpu_now();
    __TAVf90_random90v_r(r, n);
    double seconds = cpu_now() - t0;
    check = 0;
    for (int i = 0; i < n; i += 4096) check += (long long)(r[i] * 1000);
    report("random", n, seconds, check);
    free(r);
  }
  free(a), free(b);
  return 0;
}
