// The IEEE family: double precision elementary functions that reproduce the
// classic freely distributable math library bit for bit (its thresholds,
// coefficients and evaluation order), with argument reduction modulo pi/2
// that stays exact for every finite argument.
#include <cmath>
#include <cstdint>

#include "numeric/ieee.h"
#include "numeric/words.h"
#include "tavf90.h"

namespace tav::numeric {
namespace {

constexpr double one = 1.0, zero = 0.0, half = 0.5, two = 2.0;
constexpr double huge = 1.0e300, tiny = 1.0e-300;
constexpr double two24 = 1.67772160000000000000e+07, twon24 = 5.96046447753906250000e-08;
constexpr double two53 = 9007199254740992.0, two54 = 1.80143985094819840000e+16;

// Overflow and underflow as the exception-raising products huge*huge and
// tiny*tiny, with the sign s.
double overflow(double s) { return x87_mul(s * huge, huge); }
double underflow(double s) { return x87_mul(s * tiny, tiny); }

// ---- reduction modulo pi/2 -------------------------------------------------

// 24-bit chunks of 2/pi.
constexpr std::int32_t two_over_pi[66] = {
    0xA2F983, 0x6E4E44, 0x1529FC, 0x2757D1, 0xF534DD, 0xC0DB62, 0x95993C, 0x439041, 0xFE5163, 0xABDEBB, 0xC561B7,
    0x246E3A, 0x424DD2, 0xE00649, 0x2EEA09, 0xD1921C, 0xFE1DEB, 0x1CB129, 0xA73EE8, 0x8235F5, 0x2EBB44, 0x84E99C,
    0x7026B4, 0x5F7E41, 0x3991D6, 0x398353, 0x39F49C, 0x845F8B, 0xBDF928, 0x3B1FF8, 0x97FFDE, 0x05980F, 0xEF2F11,
    0x8B5A0A, 0x6D1F6D, 0x367ECF, 0x27CB09, 0xB74F46, 0x3F669E, 0x5FEA2D, 0x7527BA, 0xC7EBE5, 0xF17B3D, 0x0739F7,
    0x8A5292, 0xEA6BFB, 0x5FB11F, 0x8D5D08, 0x560330, 0x46FC7B, 0x6BABF0, 0xCFBC20, 0x9AF436, 0x1DA9E3, 0x91615E,
    0xE61B08, 0x659985, 0x5F14A0, 0x68408D, 0xFFD880, 0x4D7327, 0x310606, 0x1556CA, 0x73A8C9, 0x60E27B, 0xC08C6B,
};

// High words of (i+1)*pi/2.
constexpr std::int32_t npio2_hw[32] = {
    0x3FF921FB, 0x400921FB, 0x4012D97C, 0x401921FB, 0x401F6A7A, 0x4022D97C, 0x4025FDBB, 0x402921FB,
    0x402C463A, 0x402F6A7A, 0x4031475C, 0x4032D97C, 0x40346B9C, 0x4035FDBB, 0x40378FDB, 0x403921FB,
    0x403AB41B, 0x403C463A, 0x403DD85A, 0x403F6A7A, 0x40407E4C, 0x4041475C, 0x4042106C, 0x4042D97C,
    0x4043A28C, 0x40446B9C, 0x404534AC, 0x4045FDBB, 0x4046C6CB, 0x40478FDB, 0x404858EB, 0x404921FB,
};

constexpr double invpio2 = 6.36619772367581382433e-01;
constexpr double pio2_1 = 1.57079632673412561417e+00, pio2_1t = 6.07710050650619224932e-11;
constexpr double pio2_2 = 6.07710050630396597660e-11, pio2_2t = 2.02226624879595063154e-21;
constexpr double pio2_3 = 2.02226624871116645580e-21, pio2_3t = 8.47842766036889956997e-32;

constexpr int init_jk[4] = {2, 3, 4, 6};
constexpr double PIo2[8] = {
    1.57079625129699707031e+00, 7.54978941586159635335e-08, 5.39030252995776476554e-15, 3.28200341580791294123e-22,
    1.27065575308067607349e-29, 1.22933308981111328932e-36, 2.73370053816464559624e-44, 2.16741683877804819444e-51,
};

int krem_pio2(const double *x, double *y, int e0, int nx, int prec, const std::int32_t *ipio2) {
  int iq[20];
  double f[20], fq[20] = {}, q[20];
  const int jk = init_jk[prec], jp = jk;

  // jx + 1 pieces of x; jv is the first chunk of 2/pi that matters mod 8.
  const int jx = nx - 1;
  int jv = (e0 - 3) / 24;
  if (jv < 0) jv = 0;
  int q0 = e0 - 24 * (jv + 1);

  int j = jv - jx;
  const int m = jx + jk;
  for (int i = 0; i <= m; ++i, ++j) f[i] = j < 0 ? zero : static_cast<double>(ipio2[j]);
  for (int i = 0; i <= jk; ++i) {
    double fw = 0.0;
    for (j = 0; j <= jx; ++j) fw += x[j] * f[jx + i - j];
    q[i] = fw;
  }

  int jz = jk, n, ih;
  double z, fw;
  for (;;) {
    // Distill q[] into 24-bit integers iq[], most significant last.
    int i = 0;
    z = q[jz];
    for (j = jz; j > 0; ++i, --j) {
      fw = static_cast<double>(static_cast<int>(twon24 * z));
      iq[i] = static_cast<int>(z - two24 * fw);
      z = q[j - 1] + fw;
    }

    // The integer part n (mod 8) and the fraction.
    z = std::scalbn(z, q0);
    z -= 8.0 * std::floor(z * 0.125);
    n = static_cast<int>(z);
    z -= static_cast<double>(n);
    ih = 0;
    if (q0 > 0) {
      i = iq[jz - 1] >> (24 - q0);
      n += i;
      iq[jz - 1] -= i << (24 - q0);
      ih = iq[jz - 1] >> (23 - q0);
    } else if (q0 == 0) {
      ih = iq[jz - 1] >> 23;
    } else if (z >= 0.5) {
      ih = 2;
    }

    int carry = 0;
    if (ih > 0) {  // fraction above one half: take 1 - fraction
      n += 1;
      for (i = 0; i < jz; ++i) {
        j = iq[i];
        if (carry == 0) {
          if (j != 0) {
            carry = 1;
            iq[i] = 0x1000000 - j;
          }
        } else {
          iq[i] = 0xffffff - j;
        }
      }
      if (q0 > 0) {
        if (q0 == 1) iq[jz - 1] &= 0x7fffff;
        if (q0 == 2) iq[jz - 1] &= 0x3fffff;
      }
      if (ih == 2) {
        z = one - z;
        if (carry != 0) z -= std::scalbn(one, q0);
      }
    }

    // Total cancellation: take more chunks of 2/pi and start again.
    if (z == zero) {
      j = 0;
      for (i = jz - 1; i >= jk; --i) j |= iq[i];
      if (j == 0) {
        int k = 1;
        while (iq[jk - k] == 0) ++k;
        for (i = jz + 1; i <= jz + k; ++i) {
          f[jx + i] = static_cast<double>(ipio2[jv + i]);
          fw = 0.0;
          for (j = 0; j <= jx; ++j) fw += x[j] * f[jx + i - j];
          q[i] = fw;
        }
        jz += k;
        continue;
      }
    }
    break;
  }

  // Drop zero chunks, or split the last one when it exceeds 24 bits.
  if (z == 0.0) {
    jz -= 1;
    q0 -= 24;
    while (iq[jz] == 0) {
      --jz;
      q0 -= 24;
    }
  } else {
    z = std::scalbn(z, -q0);
    if (z >= two24) {
      fw = static_cast<double>(static_cast<int>(twon24 * z));
      iq[jz] = static_cast<int>(z - two24 * fw);
      jz += 1;
      q0 += 24;
      iq[jz] = static_cast<int>(fw);
    } else {
      iq[jz] = static_cast<int>(z);
    }
  }

  fw = std::scalbn(one, q0);
  for (int i = jz; i >= 0; --i) {
    q[i] = fw * static_cast<double>(iq[i]);
    fw *= twon24;
  }
  for (int i = jz; i >= 0; --i) {
    fw = 0.0;
    for (int k = 0; k <= jp && k <= jz - i; ++k) fw += PIo2[k] * q[i + k];
    fq[jz - i] = fw;
  }

  switch (prec) {
    case 0:
      fw = 0.0;
      for (int i = jz; i >= 0; --i) fw += fq[i];
      y[0] = ih == 0 ? fw : -fw;
      break;
    case 1:
    case 2:
      fw = 0.0;
      for (int i = jz; i >= 0; --i) fw += fq[i];
      y[0] = ih == 0 ? fw : -fw;
      fw = fq[0] - fw;
      for (int i = 1; i <= jz; ++i) fw += fq[i];
      y[1] = ih == 0 ? fw : -fw;
      break;
    default:
      for (int i = jz; i > 0; --i) {
        fw = fq[i - 1] + fq[i];
        fq[i] += fq[i - 1] - fw;
        fq[i - 1] = fw;
      }
      for (int i = jz; i > 1; --i) {
        fw = fq[i - 1] + fq[i];
        fq[i] += fq[i - 1] - fw;
        fq[i - 1] = fw;
      }
      fw = 0.0;
      for (int i = jz; i >= 2; --i) fw += fq[i];
      if (ih == 0) {
        y[0] = fq[0];
        y[1] = fq[1];
        y[2] = fw;
      } else {
        y[0] = -fq[0];
        y[1] = -fq[1];
        y[2] = -fw;
      }
  }
  return n & 7;
}

int rem_pio2(double x, double *y) {
  const std::int32_t hx = hi(x), ix = hx & 0x7fffffff;
  if (ix <= 0x3fe921fb) {  // |x| <= pi/4: nothing to reduce
    y[0] = x;
    y[1] = 0;
    return 0;
  }
  if (ix < 0x4002d97c) {  // |x| < 3pi/4: n = +-1
    if (hx > 0) {
      double z = x - pio2_1;
      if (ix != 0x3ff921fb) {
        y[0] = z - pio2_1t;
        y[1] = (z - y[0]) - pio2_1t;
      } else {  // near pi/2: one more part of pi/2
        z -= pio2_2;
        y[0] = z - pio2_2t;
        y[1] = (z - y[0]) - pio2_2t;
      }
      return 1;
    }
    double z = x + pio2_1;
    if (ix != 0x3ff921fb) {
      y[0] = z + pio2_1t;
      y[1] = (z - y[0]) + pio2_1t;
    } else {
      z += pio2_2;
      y[0] = z + pio2_2t;
      y[1] = (z - y[0]) + pio2_2t;
    }
    return -1;
  }
  if (ix <= 0x413921fb) {  // |x| <= 2^19 pi/2: up to three parts of pi/2
    double t = std::fabs(x);
    const int n = static_cast<int>(t * invpio2 + half);
    const double fn = static_cast<double>(n);
    double r = t - fn * pio2_1;
    double w = fn * pio2_1t;
    if (n < 32 && ix != npio2_hw[n - 1]) {
      y[0] = r - w;  // no cancellation possible
    } else {
      const int j = ix >> 20;
      y[0] = r - w;
      int i = j - ((hi(y[0]) >> 20) & 0x7ff);
      if (i > 16) {
        t = r;
        w = fn * pio2_2;
        r = t - w;
        w = fn * pio2_2t - ((t - r) - w);
        y[0] = r - w;
        i = j - ((hi(y[0]) >> 20) & 0x7ff);
        if (i > 49) {
          t = r;
          w = fn * pio2_3;
          r = t - w;
          w = fn * pio2_3t - ((t - r) - w);
          y[0] = r - w;
        }
      }
    }
    y[1] = (r - y[0]) - w;
    if (hx < 0) {
      y[0] = -y[0];
      y[1] = -y[1];
      return -n;
    }
    return n;
  }
  if (ix >= 0x7ff00000) {  // Inf or NaN
    y[0] = y[1] = x87_sub(x, x);
    return 0;
  }
  // Large arguments: |x| cut into three 24-bit pieces for the table method.
  const int e0 = (ix >> 20) - 1046;
  double z = make(ix - (e0 << 20), lo(x));
  double tx[3];
  for (int i = 0; i < 2; ++i) {
    tx[i] = static_cast<double>(static_cast<int>(z));
    z = (z - tx[i]) * two24;
  }
  tx[2] = z;
  int nx = 3;
  while (tx[nx - 1] == zero) --nx;
  const int n = krem_pio2(tx, y, e0, nx, 2, two_over_pi);
  if (hx < 0) {
    y[0] = -y[0];
    y[1] = -y[1];
    return -n;
  }
  return n;
}

// ---- kernels on [-pi/4, pi/4] -----------------------------------------------

constexpr double S1 = -1.66666666666666324348e-01, S2 = 8.33333333332248946124e-03,
                 S3 = -1.98412698298579493134e-04, S4 = 2.75573137070700676789e-06,
                 S5 = -2.50507602534068634195e-08, S6 = 1.58969099521155010221e-10;

double ksin(double x, double y, int iy) {
  const std::int32_t ix = hi(x) & 0x7fffffff;
  if (ix < 0x3e400000 && static_cast<int>(x) == 0) return x;  // |x| < 2^-27
  const double z = x * x, v = z * x;
  const double r = S2 + z * (S3 + z * (S4 + z * (S5 + z * S6)));
  if (iy == 0) return x + v * (S1 + z * r);
  return x - ((z * (half * y - v * r) - y) - v * S1);
}

constexpr double C1 = 4.16666666666666019037e-02, C2 = -1.38888888888741095749e-03,
                 C3 = 2.48015872894767294178e-05, C4 = -2.75573143513906633035e-07,
                 C5 = 2.08757232129817482790e-09, C6 = -1.13596475577881948265e-11;

double kcos(double x, double y) {
  const std::int32_t ix = hi(x) & 0x7fffffff;
  if (ix < 0x3e400000 && static_cast<int>(x) == 0) return one;  // |x| < 2^-27
  const double z = x * x;
  const double r = z * (C1 + z * (C2 + z * (C3 + z * (C4 + z * (C5 + z * C6)))));
  if (ix < 0x3FD33333) return one - (0.5 * z - (z * r - x * y));
  const double qx = ix > 0x3fe90000 ? 0.28125 : make(ix - 0x00200000, 0);
  const double hz = 0.5 * z - qx;
  const double a = one - qx;
  return a - (hz - (z * r - x * y));
}

constexpr double T[13] = {
    3.33333333333334091986e-01, 1.33333333333201242699e-01, 5.39682539762260521377e-02, 2.18694882948595424599e-02,
    8.86323982359930005737e-03, 3.59207910759131235356e-03, 1.45620945432529025516e-03, 5.88041240820264096874e-04,
    2.46463134818469906812e-04, 7.81794442939557092300e-05, 7.14072491382608190305e-05, -1.85586374855275456654e-05,
    2.59073051863633712884e-05,
};
constexpr double pio4 = 7.85398163397448278999e-01, pio4lo = 3.06161699786838301793e-17;

// -1/(x + y) with the quotient split so that it stays accurate.
double minus_reciprocal(double x, double r, double w) {
  const double z = clear_lo(w);
  const double v = r - (z - x);
  const double a = -one / w;
  const double t = clear_lo(a);
  const double s = one + t * z;
  return t + a * (s + t * v);
}

double ktan(double x, double y, int iy) {
  const std::int32_t hx = hi(x), ix = hx & 0x7fffffff;
  if (ix < 0x3e300000 && static_cast<int>(x) == 0) {  // |x| < 2^-28
    if (((static_cast<std::uint32_t>(ix) | lo(x)) | static_cast<std::uint32_t>(iy + 1)) == 0)
      return x87_div(one, std::fabs(x));
    if (iy == 1) return x;
    return minus_reciprocal(x, y, x + y);
  }
  if (ix >= 0x3FE59428) {  // |x| >= 0.6744: tan(pi/4 - |x|) instead
    if (hx < 0) {
      x = -x;
      y = -y;
    }
    const double z = pio4 - x, w = pio4lo - y;
    x = z + w;
    y = 0.0;
  }
  const double z = x * x, w = z * z;
  double r = T[1] + w * (T[3] + w * (T[5] + w * (T[7] + w * (T[9] + w * T[11]))));
  double v = z * (T[2] + w * (T[4] + w * (T[6] + w * (T[8] + w * (T[10] + w * T[12])))));
  const double s = z * x;
  r = y + z * (s * (r + v) + y);
  r += T[0] * s;
  const double sum = x + r;
  if (ix >= 0x3FE59428) {
    v = static_cast<double>(iy);
    return static_cast<double>(1 - ((hx >> 30) & 2)) * (v - 2.0 * (x - (sum * sum / (sum + v) - r)));
  }
  if (iy == 1) return sum;
  return minus_reciprocal(x, r, sum);
}

// ---- exp, expm1 -----------------------------------------------------------------

constexpr double o_threshold = 7.09782712893383973096e+02, u_threshold = -7.45133219101941108420e+02;
constexpr double twom1000 = 9.33263618503218878990e-302;
constexpr double ln2HI[2] = {6.93147180369123816490e-01, -6.93147180369123816490e-01};
constexpr double ln2LO[2] = {1.90821492927058770002e-10, -1.90821492927058770002e-10};
constexpr double invln2 = 1.44269504088896338700e+00;
constexpr double P1 = 1.66666666666666019037e-01, P2 = -2.77777777770155933842e-03,
                 P3 = 6.61375632143793436117e-05, P4 = -1.65339022054652515390e-06,
                 P5 = 4.13813679705723846039e-08;
constexpr double halF[2] = {0.5, -0.5};

double exp(double x) {
  std::uint32_t hx = static_cast<std::uint32_t>(hi(x));
  const int xsb = static_cast<int>((hx >> 31) & 1);
  hx &= 0x7fffffff;
  if (hx >= 0x40862E42) {  // |x| >= 709.78
    if (hx >= 0x7ff00000) {
      if (((hx & 0xfffff) | lo(x)) != 0) return x + x;
      return xsb == 0 ? x : 0.0;
    }
    if (x > o_threshold) return overflow(one);
    if (x < u_threshold) return underflow(one);
  }
  double hi_part = 0, lo_part = 0;
  int k = 0;
  if (hx > 0x3fd62e42) {  // |x| > ln2/2
    if (hx < 0x3FF0A2B2) {  // and < 1.5 ln2
      hi_part = x - ln2HI[xsb];
      lo_part = ln2LO[xsb];
      k = 1 - xsb - xsb;
    } else {
      k = static_cast<int>(invln2 * x + halF[xsb]);
      const double t = k;
      hi_part = x - t * ln2HI[0];
      lo_part = t * ln2LO[0];
    }
    x = hi_part - lo_part;
  } else if (hx < 0x3e300000) {  // |x| < 2^-28
    if (huge + x > one) return one + x;
  }
  const double t = x * x;
  const double c = x - t * (P1 + t * (P2 + t * (P3 + t * (P4 + t * P5))));
  if (k == 0) return one - ((x * c) / (c - 2.0) - x);
  const double y = one - ((lo_part - (x * c) / (2.0 - c)) - hi_part);
  if (k >= -1021) return add_hi(y, k << 20);
  return add_hi(y, (k + 1000) << 20) * twom1000;
}

constexpr double ln2_hi = 6.93147180369123816490e-01, ln2_lo = 1.90821492927058770002e-10;
constexpr double Q1 = -3.33333333333331316428e-02, Q2 = 1.58730158725481460165e-03,
                 Q3 = -7.93650757867487942473e-05, Q4 = 4.00821782732936239552e-06,
                 Q5 = -2.01099218183624371326e-07;

double expm1(double x) {
  std::uint32_t hx = static_cast<std::uint32_t>(hi(x));
  const std::uint32_t xsb = hx & 0x80000000;
  hx &= 0x7fffffff;
  if (hx >= 0x4043687A) {  // |x| >= 56 ln2
    if (hx >= 0x40862E42) {
      if (hx >= 0x7ff00000) {
        if (((hx & 0xfffff) | lo(x)) != 0) return x + x;
        return xsb == 0 ? x : -1.0;
      }
      if (x > o_threshold) return overflow(one);
    }
    if (xsb != 0 && x + tiny < 0.0) return tiny - one;
  }
  double hi_part, lo_part, c = 0;
  int k;
  if (hx > 0x3fd62e42) {
    if (hx < 0x3FF0A2B2) {
      if (xsb == 0) {
        hi_part = x - ln2_hi;
        lo_part = ln2_lo;
        k = 1;
      } else {
        hi_part = x + ln2_hi;
        lo_part = -ln2_lo;
        k = -1;
      }
    } else {
      k = static_cast<int>(invln2 * x + (xsb == 0 ? 0.5 : -0.5));
      const double t = k;
      hi_part = x - t * ln2_hi;
      lo_part = t * ln2_lo;
    }
    x = hi_part - lo_part;
    c = (hi_part - x) - lo_part;
  } else if (hx < 0x3c900000) {  // |x| < 2^-54
    const double t = huge + x;
    return x - (t - (huge + x));
  } else {
    k = 0;
  }
  const double hfx = 0.5 * x;
  const double hxs = x * hfx;
  const double r1 = one + hxs * (Q1 + hxs * (Q2 + hxs * (Q3 + hxs * (Q4 + hxs * Q5))));
  double t = 3.0 - r1 * hfx;
  double e = hxs * ((r1 - t) / (6.0 - x * t));
  if (k == 0) return x - (x * e - hxs);
  e = (x * (e - c) - c);
  e -= hxs;
  if (k == -1) return 0.5 * (x - e) - 0.5;
  if (k == 1) {
    if (x < -0.25) return -2.0 * (e - (x + 0.5));
    return one + 2.0 * (x - e);
  }
  double y;
  if (k <= -2 || k > 56) {
    y = one - (e - x);
    y = add_hi(y, k << 20);
    return y - one;
  }
  if (k < 20) {
    t = make(0x3ff00000 - (0x200000 >> k), 0);  // 1 - 2^-k
    y = t - (e - x);
    y = add_hi(y, k << 20);
  } else {
    t = make((0x3ff - k) << 20, 0);  // 2^-k
    y = x - (e + t);
    y += one;
    y = add_hi(y, k << 20);
  }
  return y;
}

// ---- log, log10 -------------------------------------------------------------------

constexpr double Lg1 = 6.666666666666735130e-01, Lg2 = 3.999999999940941908e-01, Lg3 = 2.857142874366239149e-01,
                 Lg4 = 2.222219843214978396e-01, Lg5 = 1.818357216161805012e-01, Lg6 = 1.531383769920937332e-01,
                 Lg7 = 1.479819860511658591e-01;

// log(x) + k ln 2 for a positive, normal, finite x with high word hx: log
// past its special cases, shared with log10, whose argument is such a value
// with a high word it has just made.
double log_normal(double x, std::int32_t hx, int k);

// What log and log10 share before their arithmetic: zero, a negative x,
// infinities and NaN give their result in `special` (and false); a
// subnormal x is scaled into the normal range, k counting the scaling.
inline bool log_argument(double &x, std::int32_t &hx, int &k, double &special) {
  hx = hi(x);
  const std::uint32_t lx = lo(x);
  k = 0;
  if (hx < 0x00100000) {  // x < 2^-1022
    if (((hx & 0x7fffffff) | static_cast<std::int32_t>(lx)) == 0) {
      special = x87_div(-two54, zero);
      return false;
    }
    if (hx < 0) {
      special = raise_invalid(x);
      return false;
    }
    k -= 54;
    x *= two54;
    hx = hi(x);
  }
  if (hx >= 0x7ff00000) {
    special = x + x;
    return false;
  }
  return true;
}

double log(double x) {
  std::int32_t hx;
  int k;
  if (double special; !log_argument(x, hx, k, special)) return special;
  return log_normal(x, hx, k);
}

double log_normal(double x, std::int32_t hx, int k) {
  k += (hx >> 20) - 1023;
  hx &= 0x000fffff;
  const std::int32_t i = (hx + 0x95f64) & 0x100000;
  x = with_hi(x, hx | (i ^ 0x3ff00000));  // x or x/2 in [sqrt(2)/2, sqrt(2))
  k += i >> 20;
  const double f = x - 1.0;
  if ((0x000fffff & (2 + hx)) < 3) {  // |f| < 2^-20
    if (f == zero) {
      if (k == 0) return zero;
      const double dk = k;
      return dk * ln2_hi + dk * ln2_lo;
    }
    const double R = f * f * (0.5 - 0.33333333333333333 * f);
    if (k == 0) return f - R;
    const double dk = k;
    return dk * ln2_hi - ((R - dk * ln2_lo) - f);
  }
  const double s = f / (2.0 + f);
  const double dk = k;
  const double z = s * s;
  std::int32_t ii = hx - 0x6147a;
  const double w = z * z;
  const std::int32_t j = 0x6b851 - hx;
  const double t1 = w * (Lg2 + w * (Lg4 + w * Lg6));
  const double t2 = z * (Lg1 + w * (Lg3 + w * (Lg5 + w * Lg7)));
  ii |= j;
  const double R = t2 + t1;
  if (ii > 0) {
    const double hfsq = 0.5 * f * f;
    if (k == 0) return f - (hfsq - s * (hfsq + R));
    return dk * ln2_hi - ((hfsq - (s * (hfsq + R) + dk * ln2_lo)) - f);
  }
  if (k == 0) return f - s * (f - R);
  return dk * ln2_hi - ((s * (f - R) - dk * ln2_lo) - f);
}

constexpr double ivln10 = 4.34294481903251816668e-01, log10_2hi = 3.01029995663611771306e-01,
                 log10_2lo = 3.69423907715893078616e-13;

double log10(double x) {
  std::int32_t hx;
  int k;
  if (double special; !log_argument(x, hx, k, special)) return special;
  k += (hx >> 20) - 1023;
  const int i = static_cast<int>((static_cast<std::uint32_t>(k) & 0x80000000) >> 31);
  hx = (hx & 0x000fffff) | ((0x3ff - i) << 20);
  const double y = static_cast<double>(k + i);
  x = with_hi(x, hx);
  const double z = y * log10_2lo + ivln10 * log_normal(x, hx, 0);
  return z + y * log10_2hi;
}

// ---- pow ----------------------------------------------------------------------------

constexpr double bp[2] = {1.0, 1.5}, dp_h[2] = {0.0, 5.84962487220764160156e-01},
                 dp_l[2] = {0.0, 1.35003920212974897128e-08};
constexpr double L1 = 5.99999999999994648725e-01, L2 = 4.28571428578550184252e-01, L3 = 3.33333329818377432918e-01,
                 L4 = 2.72728123808534006489e-01, L5 = 2.30660745775561754067e-01, L6 = 2.06975017800338417784e-01;
constexpr double lg2 = 6.93147180559945286227e-01, lg2_h = 6.93147182464599609375e-01,
                 lg2_l = -1.90465429995776804525e-09;
constexpr double ovt = 8.0085662595372944372e-17;
constexpr double cp = 9.61796693925975554329e-01, cp_h = 9.61796700954437255859e-01,
                 cp_l = -7.02846165095275826516e-09;
constexpr double ivln2 = 1.44269504088896338700e+00, ivln2_h = 1.44269502162933349609e+00,
                 ivln2_l = 1.92596299112661746887e-08;

double pow(double x, double y) {
  const std::int32_t hx = hi(x), hy = hi(y);
  const std::uint32_t lx = lo(x), ly = lo(y);
  std::int32_t ix = hx & 0x7fffffff;
  const std::int32_t iy = hy & 0x7fffffff;

  if ((static_cast<std::uint32_t>(iy) | ly) == 0) return one;
  if (ix > 0x7ff00000 || (ix == 0x7ff00000 && lx != 0) || iy > 0x7ff00000 || (iy == 0x7ff00000 && ly != 0))
    return x + y;

  // yisint: 0 y not an integer, 1 odd integer, 2 even integer (x < 0 only).
  int yisint = 0;
  if (hx < 0) {
    if (iy >= 0x43400000) {
      yisint = 2;
    } else if (iy >= 0x3ff00000) {
      const int k = (iy >> 20) - 0x3ff;
      if (k > 20) {
        const std::uint32_t j = ly >> (52 - k);
        if ((j << (52 - k)) == ly) yisint = 2 - static_cast<int>(j & 1);
      } else if (ly == 0) {
        const std::int32_t j = iy >> (20 - k);
        if ((j << (20 - k)) == iy) yisint = 2 - (j & 1);
      }
    }
  }

  if (ly == 0) {
    if (iy == 0x7ff00000) {  // y = +-inf
      if (((ix - 0x3ff00000) | static_cast<std::int32_t>(lx)) == 0) return x87_sub(y, y);
      if (ix >= 0x3ff00000) return hy >= 0 ? y : zero;
      return hy < 0 ? -y : zero;
    }
    if (iy == 0x3ff00000) return hy < 0 ? x87_div(one, x) : x;
    if (hy == 0x40000000) return x * x;
    if (hy == 0x3fe00000 && hx >= 0) return std::sqrt(x);
  }

  double ax = std::fabs(x);
  if (lx == 0 && (ix == 0x7ff00000 || ix == 0 || ix == 0x3ff00000)) {  // +-0, +-inf, +-1
    double z = ax;
    if (hy < 0) z = x87_div(one, z);
    if (hx < 0) {
      if (((ix - 0x3ff00000) | yisint) == 0)
        z = raise_invalid(z);  // (-1)**non-integer
      else if (yisint == 1)
        z = -z;
    }
    return z;
  }

  int n = (hx >> 31) + 1;
  if ((n | yisint) == 0) return raise_invalid(x);  // negative ** non-integer

  double s = one;
  if ((n | (yisint - 1)) == 0) s = -one;  // negative ** odd integer

  double t1, t2;
  if (iy > 0x41e00000) {  // |y| > 2^31
    if (iy > 0x43f00000) {  // |y| > 2^64
      if (ix <= 0x3fefffff) return hy < 0 ? overflow(one) : underflow(one);
      if (ix >= 0x3ff00000) return hy > 0 ? overflow(one) : underflow(one);
    }
    if (ix < 0x3fefffff) return hy < 0 ? overflow(s) : underflow(s);
    if (ix > 0x3ff00000) return hy > 0 ? overflow(s) : underflow(s);
    // |1 - x| <= 2^-20: log(x) by its series.
    const double t = ax - one;
    const double w = (t * t) * (0.5 - t * (0.3333333333333333333333 - t * 0.25));
    const double u = ivln2_h * t;
    const double v = t * ivln2_l - w * ivln2;
    t1 = clear_lo(u + v);
    t2 = v - (t1 - u);
  } else {
    n = 0;
    if (ix < 0x00100000) {  // subnormal x
      ax *= two53;
      n -= 53;
      ix = hi(ax);
    }
    n += (ix >> 20) - 0x3ff;
    const std::int32_t j = ix & 0x000fffff;
    int k;
    ix = j | 0x3ff00000;
    if (j <= 0x3988E) {
      k = 0;
    } else if (j < 0xBB67A) {
      k = 1;
    } else {
      k = 0;
      n += 1;
      ix -= 0x00100000;
    }
    ax = with_hi(ax, ix);

    // ss = s_h + s_l = (x - 1)/(x + 1) or (x - 1.5)/(x + 1.5)
    double u = ax - bp[k];
    double v = one / (ax + bp[k]);
    const double ss = u * v;
    const double s_h = clear_lo(ss);
    double t_h = make(((ix >> 1) | 0x20000000) + 0x00080000 + (k << 18), 0);
    double t_l = ax - (t_h - bp[k]);
    const double s_l = v * ((u - s_h * t_h) - s_h * t_l);
    double s2 = ss * ss;
    double r = s2 * s2 * (L1 + s2 * (L2 + s2 * (L3 + s2 * (L4 + s2 * (L5 + s2 * L6)))));
    r += s_l * (s_h + ss);
    s2 = s_h * s_h;
    t_h = clear_lo(3.0 + s2 + r);
    t_l = r - ((t_h - 3.0) - s2);
    u = s_h * t_h;
    v = s_l * t_h + t_l * ss;
    const double p_h = clear_lo(u + v);
    const double p_l = v - (p_h - u);
    const double z_h = cp_h * p_h;
    const double z_l = cp_l * p_h + p_l * cp + dp_l[k];
    const double t = static_cast<double>(n);
    t1 = clear_lo(((z_h + z_l) + dp_h[k]) + t);
    t2 = z_l - (((t1 - t) - dp_h[k]) - z_h);
  }

  // (y1 + y2) * (t1 + t2) with y split.
  const double y1 = clear_lo(y);
  const double p_l = (y - y1) * t1 + y * t2;
  double p_h = y1 * t1;
  double z = p_l + p_h;
  std::int32_t j = hi(z);
  std::int32_t i = static_cast<std::int32_t>(lo(z));
  if (j >= 0x40900000) {  // z >= 1024
    if (((j - 0x40900000) | i) != 0) return overflow(s);
    if (p_l + ovt > z - p_h) return overflow(s);
  } else if ((j & 0x7fffffff) >= 0x4090cc00) {  // z <= -1075
    if (((j - static_cast<std::int32_t>(0xc090cc00)) | i) != 0) return underflow(s);
    if (p_l <= z - p_h) return underflow(s);
  }

  // 2^(p_h + p_l)
  i = j & 0x7fffffff;
  int k = (i >> 20) - 0x3ff;
  n = 0;
  if (i > 0x3fe00000) {  // |z| > 0.5: split off the nearest integer
    n = j + (0x00100000 >> (k + 1));
    k = ((n & 0x7fffffff) >> 20) - 0x3ff;
    const double t = make(n & ~(0x000fffff >> k), 0);
    n = ((n & 0x000fffff) | 0x00100000) >> (20 - k);
    if (j < 0) n = -n;
    p_h -= t;
  }
  const double t = clear_lo(p_l + p_h);
  const double u = t * lg2_h;
  const double v = (p_l - (t - p_h)) * lg2 + t * lg2_l;
  z = u + v;
  const double w = v - (z - u);
  const double tt = z * z;
  const double tt1 = z - tt * (P1 + tt * (P2 + tt * (P3 + tt * (P4 + tt * P5))));
  const double r = (z * tt1) / (tt1 - two) - (w + z * w);
  z = one - (r - z);
  j = hi(z);
  j += n << 20;
  if ((j >> 20) <= 0)
    z = std::scalbn(z, n);  // subnormal result
  else
    z = add_hi(z, n << 20);
  return s * z;
}

// ---- atan, atan2 ------------------------------------------------------------------

constexpr double atanhi[4] = {4.63647609000806093515e-01, 7.85398163397448278999e-01, 9.82793723247329054082e-01,
                              1.57079632679489655800e+00};
constexpr double atanlo[4] = {2.26987774529616870924e-17, 3.06161699786838301793e-17, 1.39033110312309984516e-17,
                              6.12323399573676603587e-17};
constexpr double aT[11] = {
    3.33333333333329318027e-01,  -1.99999999998764832476e-01, 1.42857142725034663711e-01,
    -1.11111104054623557880e-01, 9.09088713343650656196e-02,  -7.69187620504482999495e-02,
    6.66107313738753120669e-02,  -5.83357013379057348645e-02, 4.97687799461593236017e-02,
    -3.65315727442169155270e-02, 1.62858201153657823623e-02,
};

double atan(double x) {
  const std::int32_t hx = hi(x), ix = hx & 0x7fffffff;
  int id;
  if (ix >= 0x44100000) {  // |x| >= 2^66
    if (ix > 0x7ff00000 || (ix == 0x7ff00000 && lo(x) != 0)) return x + x;
    return hx > 0 ? atanhi[3] + atanlo[3] : -atanhi[3] - atanlo[3];
  }
  if (ix < 0x3fdc0000) {  // |x| < 0.4375
    if (ix < 0x3e200000 && huge + x > one) return x;
    id = -1;
  } else {
    x = std::fabs(x);
    if (ix < 0x3ff30000) {
      if (ix < 0x3fe60000) {
        id = 0;
        x = (2.0 * x - one) / (2.0 + x);
      } else {
        id = 1;
        x = (x - one) / (x + one);
      }
    } else if (ix < 0x40038000) {
      id = 2;
      x = (x - 1.5) / (one + 1.5 * x);
    } else {
      id = 3;
      x = -1.0 / x;
    }
  }
  const double z = x * x, w = z * z;
  const double s1 = z * (aT[0] + w * (aT[2] + w * (aT[4] + w * (aT[6] + w * (aT[8] + w * aT[10])))));
  const double s2 = w * (aT[1] + w * (aT[3] + w * (aT[5] + w * (aT[7] + w * aT[9]))));
  if (id < 0) return x - x * (s1 + s2);
  const double r = atanhi[id] - ((x * (s1 + s2) - atanlo[id]) - x);
  return hx < 0 ? -r : r;
}

constexpr double pi_o_4 = 7.8539816339744827900E-01, pi_o_2 = 1.5707963267948965580E+00,
                 pi = 3.1415926535897931160E+00, pi_lo = 1.2246467991473531772E-16;

double atan2(double y, double x) {
  const std::int32_t hx = hi(x), ix = hx & 0x7fffffff, hy = hi(y), iy = hy & 0x7fffffff;
  const std::uint32_t lx = lo(x), ly = lo(y);
  if ((static_cast<std::uint32_t>(ix) | ((lx | (0u - lx)) >> 31)) > 0x7ff00000u ||
      (static_cast<std::uint32_t>(iy) | ((ly | (0u - ly)) >> 31)) > 0x7ff00000u)
    return x + y;
  if (((static_cast<std::uint32_t>(hx) - 0x3ff00000u) | lx) == 0) return atan(y);  // x = 1
  const int m = ((hy >> 31) & 1) | ((hx >> 30) & 2);

  if ((static_cast<std::uint32_t>(iy) | ly) == 0) {  // y = 0
    switch (m) {
      case 0:
      case 1: return y;
      case 2: return pi + tiny;
      default: return -pi - tiny;
    }
  }
  if ((static_cast<std::uint32_t>(ix) | lx) == 0) return hy < 0 ? -pi_o_2 - tiny : pi_o_2 + tiny;
  if (ix == 0x7ff00000) {
    if (iy == 0x7ff00000) {
      switch (m) {
        case 0: return pi_o_4 + tiny;
        case 1: return -pi_o_4 - tiny;
        case 2: return 3.0 * pi_o_4 + tiny;
        default: return -3.0 * pi_o_4 - tiny;
      }
    }
    switch (m) {
      case 0: return zero;
      case 1: return -zero;
      case 2: return pi + tiny;
      default: return -pi - tiny;
    }
  }
  if (iy == 0x7ff00000) return hy < 0 ? -pi_o_2 - tiny : pi_o_2 + tiny;

  const int k = (iy - ix) >> 20;
  double z;
  if (k > 60)
    z = pi_o_2 + 0.5 * pi_lo;
  else if (hx < 0 && k < -60)
    z = 0.0;
  else
    z = atan(std::fabs(y / x));
  switch (m) {
    case 0: return z;
    case 1: return -z;
    case 2: return pi - (z - pi_lo);
    default: return (z - pi_lo) - pi;
  }
}

// ---- sinh, cosh, tanh -----------------------------------------------------------

constexpr double shuge = 1.0e307;

double sinh(double x) {
  const std::int32_t jx = hi(x), ix = jx & 0x7fffffff;
  if (ix >= 0x7ff00000) return x + x;
  const double h = jx < 0 ? -0.5 : 0.5;
  if (ix < 0x40360000) {  // |x| < 22
    if (ix < 0x3e300000 && shuge + x > one) return x;
    const double t = expm1(std::fabs(x));
    if (ix < 0x3ff00000) return h * (2.0 * t - t * t / (t + one));
    return h * (t + t / (t + one));
  }
  if (ix < 0x40862E42) return h * exp(std::fabs(x));
  if (ix < 0x408633CE || (ix == 0x408633ce && lo(x) <= 0x8fb9f87du)) {
    const double w = exp(0.5 * std::fabs(x));
    const double t = h * w;
    return t * w;
  }
  return x87_mul(x, shuge);
}

double cosh(double x) {
  const std::int32_t ix = hi(x) & 0x7fffffff;
  if (ix >= 0x7ff00000) return x * x;
  if (ix < 0x3fd62e43) {  // |x| < ln2/2
    const double t = expm1(std::fabs(x));
    const double w = one + t;
    if (ix < 0x3c800000) return w;
    return one + (t * t) / (w + w);
  }
  if (ix < 0x40360000) {
    const double t = exp(std::fabs(x));
    return half * t + half / t;
  }
  if (ix < 0x40862E42) return half * exp(std::fabs(x));
  if (ix < 0x408633CE || (ix == 0x408633ce && lo(x) <= 0x8fb9f87du)) {
    const double w = exp(half * std::fabs(x));
    const double t = half * w;
    return t * w;
  }
  return overflow(one);
}

double tanh(double x) {
  const std::int32_t jx = hi(x), ix = jx & 0x7fffffff;
  if (ix >= 0x7ff00000) return jx >= 0 ? one / x + one : one / x - one;
  double z;
  if (ix < 0x40360000) {  // |x| < 22
    if (ix < 0x3c800000) return x * (one + x);
    if (ix >= 0x3ff00000) {
      const double t = expm1(two * std::fabs(x));
      z = one - two / (t + two);
    } else {
      const double t = expm1(-two * std::fabs(x));
      z = -t / (t + two);
    }
  } else {
    z = one - tiny;
  }
  return jx >= 0 ? z : -z;
}

double sin(double x) {
  const std::int32_t ix = hi(x) & 0x7fffffff;
  if (ix <= 0x3fe921fb) return ksin(x, 0.0, 0);
  if (ix >= 0x7ff00000) return x87_sub(x, x);
  double y[2];
  switch (rem_pio2(x, y) & 3) {
    case 0: return ksin(y[0], y[1], 1);
    case 1: return kcos(y[0], y[1]);
    case 2: return -ksin(y[0], y[1], 1);
    default: return -kcos(y[0], y[1]);
  }
}

double cos(double x) {
  const std::int32_t ix = hi(x) & 0x7fffffff;
  if (ix <= 0x3fe921fb) return kcos(x, 0.0);
  if (ix >= 0x7ff00000) return x87_sub(x, x);
  double y[2];
  switch (rem_pio2(x, y) & 3) {
    case 0: return kcos(y[0], y[1]);
    case 1: return -ksin(y[0], y[1], 1);
    case 2: return -kcos(y[0], y[1]);
    default: return ksin(y[0], y[1], 1);
  }
}

double tan(double x) {
  const std::int32_t ix = hi(x) & 0x7fffffff;
  if (ix <= 0x3fe921fb) return ktan(x, 0.0, 1);
  if (ix >= 0x7ff00000) return x87_sub(x, x);
  double y[2];
  const int n = rem_pio2(x, y);
  return ktan(y[0], y[1], 1 - ((n & 1) << 1));
}

}  // namespace

double ieee_sin(double x) { return sin(x); }
double ieee_cos(double x) { return cos(x); }
double ieee_tan(double x) { return tan(x); }
double ieee_pow(double x, double y) { return pow(x, y); }
double ieee_tanh(double x) { return tanh(x); }

}  // namespace tav::numeric

namespace num = tav::numeric;

extern "C" {

double __TAVf90_sin(double x) { return num::sin(x); }
double __TAVf90_cos(double x) { return num::cos(x); }
double __TAVf90_tan(double x) { return num::tan(x); }
double __TAVf90_exp(double x) { return num::exp(x); }
double __TAVf90_log(double x) { return num::log(x); }
double __TAVf90_log10(double x) { return num::log10(x); }
double __TAVf90_pow(double x, double y) { return num::pow(x, y); }
double __TAVf90_atan(double x) { return num::atan(x); }
double __TAVf90_atan2(double y, double x) { return num::atan2(y, x); }
double __TAVf90_sinh(double x) { return num::sinh(x); }
double __TAVf90_cosh(double x) { return num::cosh(x); }
double __TAVf90_tanh(double x) { return num::tanh(x); }
int __TAVf90_rem_pio2(double x, double *y) { return num::rem_pio2(x, y); }
int __TAVf90_krem_pio2(double *x, double *y, int e0, int nx, int prec, const int *ipio2) {
  return num::krem_pio2(x, y, e0, nx, prec, reinterpret_cast<const std::int32_t *>(ipio2));
}
double __TAVf90_ksin(double x, double y, int iy) { return num::ksin(x, y, iy); }
double __TAVf90_kcos(double x, double y) { return num::kcos(x, y); }

}  // extern "C"
