! The same internal WRITE and READ loops as bench_internal_ours.cpp, for the
! peer runtime, with the same values (bench_values.h, computed exactly).
! usage: bench_internal_peer write|read RECORDS ; prints the checksum on
! standard output and "CASE cpu-seconds wall-seconds items" on standard error.
program bench_internal_peer
  use iso_fortran_env, only: error_unit, int64
  implicit none
  character(len=32) :: which, arg
  character(len=24), allocatable :: t(:)
  integer(int64) :: n, i, k, c0, c1, rate, total
  double precision :: x
  real :: t0, t1

  call get_command_argument(1, which)
  call get_command_argument(2, arg)
  read (arg, *) n
  allocate (t(n))
  t = ' '
  total = 0
  if (trim(which) == 'read') then
    do i = 1, n
      write (t(i), '(ES24.16)') value(i)
    end do
  end if
  call system_clock(c0, rate)
  call cpu_time(t0)
  select case (trim(which))
  case ('write')
    do i = 1, n
      write (t(i), '(ES24.16)') value(i)
    end do
  case ('read')
    do i = 1, n
      read (t(i), '(ES24.16)') x
      total = ieor(total, transfer(x, total) + i)
    end do
  end select
  call cpu_time(t1)
  call system_clock(c1)
  if (trim(which) == 'write') then
    do i = 1, n
      do k = 1, 24
        total = total + ichar(t(i)(k:k), int64) * (mod((i - 1) * 24 + k - 1, 1000003_int64) + 1)
      end do
    end do
  end if
  write (*, '(Z16.16)') total
  write (error_unit, '(A, 1X, F0.6, 1X, F0.6, 1X, I0)') trim(which), t1 - t0, &
      dble(c1 - c0) / dble(rate), n

contains

  ! bench::value(i, -46, 41): +-mantissa * 2^(-46 + mod(i, 41)), exact.
  double precision function value(i)
    integer(int64), intent(in) :: i
    integer(int64) :: hi, lo
    hi = mod(i * 1000003_int64, 2147483647_int64)
    lo = mod(i * 7919_int64, 2097152_int64)
    value = scale(dble(hi) * 2097152d0 + dble(lo), int(mod(i, 41_int64)) - 46)
    if (mod(i, 3_int64) == 0) value = -value
  end function value

end program bench_internal_peer
