// Writes the IEEE-family golden table: for every function, arguments that
// cover each branch (special values, subnormals, thresholds and their
// neighbours, every reduction path, huge arguments) and the reference
// result of java.lang.StrictMath.  Deterministic: fixed seeds.
//
//   javac -d /tmp Generate.java && java -cp /tmp Generate > ieee.tsv
import java.util.ArrayList;
import java.util.List;
import java.util.SplittableRandom;
import java.util.function.DoubleBinaryOperator;
import java.util.function.DoubleUnaryOperator;

public class Generate {
  static final StringBuilder out = new StringBuilder();
  static final SplittableRandom rnd = new SplittableRandom(20261206L);

  static String hex(double d) { return String.format("%016x", Double.doubleToRawLongBits(d)); }

  static double bits(long b) { return Double.longBitsToDouble(b); }

  static void unary(String name, DoubleUnaryOperator f, List<Double> xs) {
    for (double x : xs) out.append(name).append('\t').append(hex(x)).append("\t-\t").append(hex(f.applyAsDouble(x))).append('\n');
  }

  static void binary(String name, DoubleBinaryOperator f, List<double[]> xys) {
    for (double[] p : xys)
      out.append(name).append('\t').append(hex(p[0])).append('\t').append(hex(p[1])).append('\t')
          .append(hex(f.applyAsDouble(p[0], p[1]))).append('\n');
  }

  // Special values every function sees.
  static List<Double> specials() {
    List<Double> s = new ArrayList<>();
    double[] v = {0.0, Double.POSITIVE_INFINITY, Double.NaN, Double.MIN_VALUE, bits(0x000fffffffffffffL),
                  Double.MIN_NORMAL, Double.MAX_VALUE, 1.0, 0.5, 2.0, 1e-300, 1e300, 1e22, Math.PI, Math.PI / 2,
                  Math.PI / 4, 3.0, 10.0, 22.0, 100.0};
    for (double d : v) { s.add(d); s.add(-d); }
    s.add(bits(0x7ff8000000000001L));
    return s;
  }

  // A double whose high word is h, with the low word given.
  static double hw(long h, long l) { return bits((h << 32) | (l & 0xffffffffL)); }

  // The threshold high words of a function with their neighbours, both signs.
  static void around(List<Double> xs, long... highWords) {
    for (long h : highWords)
      for (long d = -2; d <= 2; ++d)
        for (long l : new long[] {0, 1, 0xffffffffL, 0x80000000L}) {
          double x = hw(h + d, l);
          xs.add(x);
          xs.add(-x);
        }
  }

  static double uniform(double a, double b) { return a + (b - a) * rnd.nextDouble(); }

  // Random bit patterns whose binary exponent lies in [e0, e1].
  static double randExp(int e0, int e1) {
    long e = e0 + rnd.nextInt(e1 - e0 + 1) + 1023;
    long m = rnd.nextLong() & 0xfffffffffffffL;
    double x = bits((e << 52) | m);
    return rnd.nextBoolean() ? x : -x;
  }

  static double subnormal() {
    double x = bits(1 + (rnd.nextLong() & 0xfffffffffffffL));
    return rnd.nextBoolean() ? x : -x;
  }

  static List<Double> trigArgs() {
    List<Double> xs = specials();
    around(xs, 0x3fe921fb, 0x4002d97c, 0x3ff921fb, 0x413921fb, 0x3e400000, 0x3e300000, 0x3FD33333, 0x3fe90000,
           0x3FE59428, 0x7fefffff);
    for (int i = 0; i < 400; ++i) xs.add(uniform(-Math.PI / 4, Math.PI / 4));
    for (int i = 0; i < 400; ++i) xs.add(uniform(-3 * Math.PI / 4, 3 * Math.PI / 4));
    for (int i = 0; i < 400; ++i) xs.add(uniform(-1647099, 1647099));
    // Multiples of pi/2 and their neighbours: cancellation in the reduction.
    for (int k = 1; k <= 100; ++k) {
      double m = k * (Math.PI / 2);
      for (int d = -2; d <= 2; ++d) xs.add(bits(Double.doubleToRawLongBits(m) + d));
    }
    for (int i = 0; i < 150; ++i) {
      double m = Math.rint(uniform(1, 1 << 20)) * (Math.PI / 2);
      xs.add(m);
      xs.add(-Math.nextUp(m));
    }
    for (int i = 0; i < 500; ++i) xs.add(randExp(21, 1023));
    for (int i = 0; i < 200; ++i) xs.add(randExp(-1022, 0));
    for (int i = 0; i < 50; ++i) xs.add(subnormal());
    // Known hard cases for the table reduction.
    xs.add(bits(0x5fcba5fbe3e5a946L)); // 6381956970095103 * 2^797
    xs.add(6381956970095103.0 * Math.pow(2, 797));
    xs.add(5319372648266537.0 * Math.pow(2, -1074 + 1074)); // large integer
    xs.add(bits(0x7fe0000000000000L));
    return xs;
  }

  static List<Double> expArgs(long... thresholds) {
    List<Double> xs = specials();
    around(xs, thresholds);
    xs.add(7.09782712893383973096e+02);
    xs.add(Math.nextUp(7.09782712893383973096e+02));
    xs.add(-7.45133219101941108420e+02);
    xs.add(Math.nextDown(-7.45133219101941108420e+02));
    xs.add(710.4758600739439);
    xs.add(Math.nextUp(710.4758600739439));
    for (int i = 0; i < 600; ++i) xs.add(uniform(-750, 712));
    for (int i = 0; i < 400; ++i) xs.add(uniform(-2, 2));
    for (int i = 0; i < 400; ++i) xs.add(uniform(-40, 40));
    for (int i = 0; i < 400; ++i) xs.add(randExp(-60, 10));
    for (int i = 0; i < 100; ++i) xs.add(randExp(-1022, 1023));
    for (int i = 0; i < 30; ++i) xs.add(subnormal());
    for (int k = -1075; k <= 1024; k += 7) xs.add(k * 0.6931471805599453);
    // Results next to the smallest normal number, on both sides.
    for (double k = -1023.5; k <= -1020.5; k += 0.25) xs.add(k * 0.6931471805599453);
    return xs;
  }

  static List<Double> logArgs() {
    List<Double> xs = specials();
    around(xs, 0x00100000, 0x3ff00000, 0x3fefffff, 0x3ff6a09e, 0x3ff6147a, 0x3ff6b851, 0x7fefffff);
    for (int i = 0; i < 800; ++i) xs.add(Math.abs(randExp(-1022, 1023)));
    for (int i = 0; i < 500; ++i) xs.add(uniform(0.5, 2.0));
    for (int i = 0; i < 300; ++i) xs.add(1.0 + uniform(-1e-6, 1e-6));
    for (int i = 0; i < 200; ++i) xs.add(Math.abs(subnormal()));
    for (int i = 0; i < 100; ++i) xs.add(-Math.abs(randExp(-100, 100)));
    for (int k = -1074; k <= 1023; k += 3) xs.add(Math.scalb(1.0, k));
    for (int k = 1; k <= 300; ++k) xs.add(Math.pow(10, k - 150));
    return xs;
  }

  static List<Double> atanArgs() {
    List<Double> xs = specials();
    around(xs, 0x44100000, 0x3fdc0000, 0x3e200000, 0x3ff30000, 0x3fe60000, 0x40038000);
    for (int i = 0; i < 1000; ++i) xs.add(uniform(-4, 4));
    for (int i = 0; i < 600; ++i) xs.add(randExp(-40, 80));
    for (int i = 0; i < 200; ++i) xs.add(randExp(-1022, 1023));
    for (int i = 0; i < 30; ++i) xs.add(subnormal());
    return xs;
  }

  static List<Double> hyperArgs() {
    List<Double> xs = specials();
    around(xs, 0x40360000, 0x3e300000, 0x3ff00000, 0x40862E42, 0x408633CE, 0x3fd62e43, 0x3c800000, 0x4043687A,
           0x3fd62e42, 0x3FF0A2B2, 0x3c900000);
    xs.add(710.4758600739439);
    xs.add(Math.nextUp(710.4758600739439));
    xs.add(-710.4758600739439);
    xs.add(-Math.nextUp(710.4758600739439));
    for (int i = 0; i < 800; ++i) xs.add(uniform(-25, 25));
    for (int i = 0; i < 400; ++i) xs.add(uniform(-712, 712));
    for (int i = 0; i < 500; ++i) xs.add(randExp(-60, 5));
    for (int i = 0; i < 30; ++i) xs.add(subnormal());
    return xs;
  }

  static List<double[]> powArgs() {
    List<double[]> p = new ArrayList<>();
    List<Double> sp = specials();
    double[] ys = {0.0, -0.0, 1.0, -1.0, 2.0, -2.0, 0.5, -0.5, 3.0, -3.0, 1.5, Double.POSITIVE_INFINITY,
                   Double.NEGATIVE_INFINITY, Double.NaN, 1e300, -1e300, 9007199254740992.0, 9007199254740993.0 * 2,
                   4503599627370497.0, 2147483649.0, -2147483649.0, 1.8446744073709552E19, 1e-300, 0.3333333333333333};
    for (double x : sp)
      for (double y : ys) p.add(new double[] {x, y});
    for (int i = 0; i < 800; ++i) p.add(new double[] {uniform(0, 10), uniform(-30, 30)});
    for (int i = 0; i < 400; ++i) p.add(new double[] {-uniform(0, 10), Math.rint(uniform(-60, 60))});
    for (int i = 0; i < 300; ++i) p.add(new double[] {Math.abs(randExp(-1022, 1023)), uniform(-2, 2)});
    for (int i = 0; i < 300; ++i) p.add(new double[] {1.0 + uniform(-1e-6, 1e-6), uniform(-1e10, 1e10)});
    for (int i = 0; i < 200; ++i) p.add(new double[] {-1.0 + uniform(-1e-7, 1e-7), Math.rint(uniform(-3e9, 3e9))});
    for (int i = 0; i < 200; ++i) p.add(new double[] {Math.abs(subnormal()), uniform(-1.5, 1.5)});
    for (int i = 0; i < 300; ++i) p.add(new double[] {uniform(0.5, 2), uniform(-1100, 1100)});
    // Results near the overflow and underflow limits.
    for (int i = 0; i < 200; ++i) {
      double x = uniform(1.5, 3), l = Math.log(x) / Math.log(2);
      p.add(new double[] {x, 1024 / l + uniform(-1e-9, 1e-9)});
      p.add(new double[] {x, -1074 / l + uniform(-0.5, 0.5)});
    }
    p.add(new double[] {2.0, 1024.0});
    p.add(new double[] {2.0, 1023.9999999999999});
    p.add(new double[] {2.0, -1075.0});
    p.add(new double[] {2.0, -1074.0});
    p.add(new double[] {0.5, 1075.0});
    for (double y = -1023.5; y <= -1021.0; y += 0.125) p.add(new double[] {2.0, y});
    for (int i = 0; i < 100; ++i) p.add(new double[] {randExp(-10, 10), randExp(-10, 70)});
    return p;
  }

  static List<double[]> atan2Args() {
    List<double[]> p = new ArrayList<>();
    List<Double> sp = specials();
    for (double y : sp)
      for (double x : sp) p.add(new double[] {y, x});
    for (int i = 0; i < 1000; ++i) p.add(new double[] {uniform(-10, 10), uniform(-10, 10)});
    for (int i = 0; i < 400; ++i) p.add(new double[] {randExp(-1022, 1023), randExp(-1022, 1023)});
    for (int i = 0; i < 200; ++i) {
      double x = randExp(-100, 100);
      p.add(new double[] {x * Math.scalb(1.0, 55 + rnd.nextInt(12)), x});
      p.add(new double[] {x, -Math.abs(x) * Math.scalb(1.0, 55 + rnd.nextInt(12))});
    }
    return p;
  }

  public static void main(String[] a) {
    List<Double> trig = trigArgs();
    unary("sin", StrictMath::sin, trig);
    unary("cos", StrictMath::cos, trig);
    unary("tan", StrictMath::tan, trig);
    unary("exp", StrictMath::exp, expArgs(0x40862E42, 0x3fd62e42, 0x3FF0A2B2, 0x3e300000, 0x7ff00000));
    List<Double> logs = logArgs();
    unary("log", StrictMath::log, logs);
    unary("log10", StrictMath::log10, logs);
    unary("atan", StrictMath::atan, atanArgs());
    List<Double> hyp = hyperArgs();
    unary("sinh", StrictMath::sinh, hyp);
    unary("cosh", StrictMath::cosh, hyp);
    unary("tanh", StrictMath::tanh, hyp);
    binary("pow", StrictMath::pow, powArgs());
    binary("atan2", StrictMath::atan2, atan2Args());
    System.out.print(out);
  }
}
