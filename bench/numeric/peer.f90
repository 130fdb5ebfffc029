! The same calls through gfortran's intrinsics: 10**7 evaluations of each
! on the same kind of spread arguments; prints "name ns_per_call".
program peer
  implicit none
  integer, parameter :: n = 4096
  real(8) :: trig(n), expx(n), logx(n), base(n), expo(n), ys(n), xs(n), s
  integer(8) :: calls, done
  integer :: i, rep
  character(len=32) :: arg
  real(8) :: t0, t1, best(5)
  calls = 10000000_8
  if (command_argument_count() > 0) then
    call get_command_argument(1, arg)
    read (arg, *) calls
  end if
  call fill(trig, -10d0, 10d0); call fill(expx, -700d0, 700d0); call fill(logx, 1d-3, 1d6)
  call fill(base, 0.01d0, 100d0); call fill(expo, -50d0, 50d0)
  call fill(ys, -100d0, 100d0); call fill(xs, -100d0, 100d0)
  best = huge(1d0)
  s = 0
  do rep = 1, 3
    call cpu_time(t0)
    do done = 1, calls, n
      do i = 1, n
        s = s + sin(trig(i))
      end do
    end do
    call cpu_time(t1); best(1) = min(best(1), t1 - t0)
    call cpu_time(t0)
    do done = 1, calls, n
      do i = 1, n
        s = s + exp(expx(i))
      end do
    end do
    call cpu_time(t1); best(2) = min(best(2), t1 - t0)
    call cpu_time(t0)
    do done = 1, calls, n
      do i = 1, n
        s = s + log(logx(i))
      end do
    end do
    call cpu_time(t1); best(3) = min(best(3), t1 - t0)
    call cpu_time(t0)
    do done = 1, calls, n
      do i = 1, n
        s = s + base(i)**expo(i)
      end do
    end do
    call cpu_time(t1); best(4) = min(best(4), t1 - t0)
    call cpu_time(t0)
    do done = 1, calls, n
      do i = 1, n
        s = s + atan2(ys(i), xs(i))
      end do
    end do
    call cpu_time(t1); best(5) = min(best(5), t1 - t0)
  end do
  if (s == 1d300) print *, s
  print '(a,f8.2)', 'sin ', best(1) * 1d9 / calls
  print '(a,f8.2)', 'exp ', best(2) * 1d9 / calls
  print '(a,f8.2)', 'log ', best(3) * 1d9 / calls
  print '(a,f8.2)', 'pow ', best(4) * 1d9 / calls
  print '(a,f8.2)', 'atan2 ', best(5) * 1d9 / calls
contains
  subroutine fill(v, lo, hi)
    real(8), intent(out) :: v(:)
    real(8), intent(in) :: lo, hi
    call random_number(v)
    v = lo + (hi - lo) * v
  end subroutine
end program
