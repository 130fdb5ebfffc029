! The same calls through gfortran's intrinsics: 10**7 evaluations of each
! on the same kind of spread arguments, as whole-array expressions (as a
! Fortran program writes them); prints "name ns_per_call", with the names
! of bench_numeric.cpp (the single precision cases as the _r entries, the
! powers as the entries that serve them).
program peer
  implicit none
  integer, parameter :: n = 4096, ncases = 24
  real(8) :: trig(n), expx(n), logx(n), base(n), expo(n), ys(n), xs(n), unit(n), hyp(n), near1(n), small(n), whole(n), s
  real(4) :: trig4(n), expr4(n), logx4(n), hyp4(n), base4(n), small4(n), near14(n)
  integer :: ints(n), ibase(n)
  integer(8) :: calls, done
  integer :: rep, k
  character(len=32) :: arg
  character(len=8) :: names(ncases)
  real(8) :: t0, best(ncases)
  calls = 10000000_8
  if (command_argument_count() > 0) then
    call get_command_argument(1, arg)
    read (arg, *) calls
  end if
  call fill(trig, -10d0, 10d0); call fill(expx, -700d0, 700d0); call fill(logx, 1d-3, 1d6)
  call fill(base, 0.01d0, 100d0); call fill(expo, -50d0, 50d0)
  call fill(ys, -100d0, 100d0); call fill(xs, -100d0, 100d0); call fill(unit, -1d0, 1d0)
  call fill(hyp, -20d0, 20d0); call fill(near1, 0.5d0, 2d0); call fill(small, -3d0, 3d0)
  call fill(whole, -30d0, 30d0); ints = int(whole)
  call fill(whole, 1d0, 31d0); ibase = int(whole)
  trig4 = real(trig, 4); logx4 = real(logx, 4); hyp4 = real(hyp, 4); base4 = real(base, 4)
  small4 = real(small, 4); near14 = real(near1, 4); expr4 = real(expx / 8.75d0, 4)
  best = huge(1d0)
  s = 0
  do rep = 1, 3
    k = 0
    call start(); do done = 1, calls, n; s = s + sum(sin(trig)); end do; call stop('sin')
    call start(); do done = 1, calls, n; s = s + sum(cos(trig)); end do; call stop('cos')
    call start(); do done = 1, calls, n; s = s + sum(tan(trig)); end do; call stop('tan')
    call start(); do done = 1, calls, n; s = s + sum(exp(expx)); end do; call stop('exp')
    call start(); do done = 1, calls, n; s = s + sum(log(logx)); end do; call stop('log')
    call start(); do done = 1, calls, n; s = s + sum(log10(logx)); end do; call stop('log10')
    call start(); do done = 1, calls, n; s = s + sum(atan(ys)); end do; call stop('atan')
    call start(); do done = 1, calls, n; s = s + sum(sinh(hyp)); end do; call stop('sinh')
    call start(); do done = 1, calls, n; s = s + sum(cosh(hyp)); end do; call stop('cosh')
    call start(); do done = 1, calls, n; s = s + sum(tanh(hyp)); end do; call stop('tanh')
    call start(); do done = 1, calls, n; s = s + sum(base**expo); end do; call stop('pow')
    call start(); do done = 1, calls, n; s = s + sum(atan2(ys, xs)); end do; call stop('atan2')
    call start(); do done = 1, calls, n; s = s + sum(sqrt(logx)); end do; call stop('sqrt')
    call start(); do done = 1, calls, n; s = s + sum(asin(unit)); end do; call stop('asin')
    call start(); do done = 1, calls, n; s = s + sum(acos(unit)); end do; call stop('acos')
    call start(); do done = 1, calls, n; s = s + sum(sqrt(logx4)); end do; call stop('sqrt_r')
    call start(); do done = 1, calls, n; s = s + sum(exp(expr4)); end do; call stop('exp_r')
    call start(); do done = 1, calls, n; s = s + sum(log(logx4)); end do; call stop('log_r')
    call start(); do done = 1, calls, n; s = s + sum(sin(trig4)); end do; call stop('sin_r')
    call start(); do done = 1, calls, n; s = s + sum(sinh(hyp4)); end do; call stop('sinh_r')
    call start(); do done = 1, calls, n; s = s + sum(base4**small4); end do; call stop('rpowr')
    call start(); do done = 1, calls, n; s = s + sum(near14**ints); end do; call stop('fpowi')
    call start(); do done = 1, calls, n; s = s + sum(near1**ints); end do; call stop('dpowi')
    call start(); do done = 1, calls, n; s = s + sum(ibase**small); end do; call stop('ipowd')
  end do
  if (s == 1d300) print *, s
  do k = 1, ncases
    print '(a,1x,f8.2)', trim(names(k)), best(k) * 1d9 / calls
  end do
contains
  subroutine fill(v, lo, hi)
    real(8), intent(out) :: v(:)
    real(8), intent(in) :: lo, hi
    call random_number(v)
    v = lo + (hi - lo) * v
  end subroutine
  subroutine start()
    call cpu_time(t0)
  end subroutine
  subroutine stop(name)
    character(len=*), intent(in) :: name
    real(8) :: t1
    call cpu_time(t1)
    k = k + 1
    names(k) = name
    best(k) = min(best(k), t1 - t0)
  end subroutine
end program
