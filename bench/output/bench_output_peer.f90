! The same output loops as bench_output_ours.cpp, for the peer runtime.
! usage: bench_output_peer CASE RECORDS PATH ; prints "CASE cpu-seconds
! wall-seconds items" on standard error.
program bench_output_peer
  use iso_fortran_env, only: error_unit, int64
  implicit none
  character(len=32) :: which, arg
  character(len=512) :: path
  integer(int64) :: n, i, j, items, c0, c1, rate
  double precision :: x
  real :: t0, t1

  call get_command_argument(1, which)
  call get_command_argument(2, arg)
  read (arg, *) n
  call get_command_argument(3, path)
  open (10, file=trim(path), status='replace')
  items = n
  call system_clock(c0, rate)
  call cpu_time(t0)
  select case (trim(which))
  case ('es24.16')
    do i = 1, n
      x = value(i, -46, 41)
      write (10, '(ES24.16)') x
    end do
  case ('f12.4')
    do i = 1, n
      x = value(i, -52, 24)
      write (10, '(F12.4)') x
    end do
  case ('g15.7')
    do i = 1, n
      x = value(i, -70, 61)
      write (10, '(G15.7)') x
    end do
  case ('list-d')
    do i = 1, n
      x = value(i, -70, 61)
      write (10, *) x
    end do
  case ('i12')
    do i = 1, n
      write (10, '(I12)') int_value(i)
    end do
  case ('list-10i')
    items = 10*n
    do i = 1, n
      write (10, *) (int_value(10*i + j), j=0, 9)
    end do
  case default
    write (error_unit, '(A)') 'usage: bench_output_peer es24.16|f12.4|g15.7|list-d|i12|list-10i RECORDS PATH'
    stop 2
  end select
  close (10)
  call cpu_time(t1)
  call system_clock(c1)
  write (error_unit, '(A,2(1X,F0.6),1X,I0)') trim(which), dble(t1 - t0), dble(c1 - c0)/dble(rate), items

contains

  double precision function mantissa(i)
    integer(int64), intent(in) :: i
    integer(int64) :: hi, lo
    hi = mod(i*1000003_int64, 2147483647_int64)
    lo = mod(i*7919_int64, 2097152_int64)
    mantissa = dble(hi)*2097152d0 + dble(lo)
  end function mantissa

  double precision function value(i, lo, span)
    integer(int64), intent(in) :: i
    integer, intent(in) :: lo, span
    value = scale(mantissa(i), int(mod(i, int(span, int64))) + lo)
    if (mod(i, 3_int64) == 0) value = -value
  end function value

  integer function int_value(i)
    integer(int64), intent(in) :: i
    integer(int64) :: u, s
    u = mod(i*2654435761_int64, 4294967296_int64)
    s = u - 2147483648_int64
    if (mod(i, 4_int64) == 1) s = mod(s, 1000_int64)
    int_value = int(s)
  end function int_value
end program bench_output_peer
