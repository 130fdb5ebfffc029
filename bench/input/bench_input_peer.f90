! The same READ loops as bench_input_ours.cpp, for the peer runtime.
! usage: bench_input_peer CASE RECORDS PATH ; prints the checksum on standard
! output and "CASE cpu-seconds wall-seconds items" on standard error.
program bench_input_peer
  use iso_fortran_env, only: error_unit, int64
  implicit none
  character(len=32) :: which, arg
  character(len=512) :: path
  integer(int64) :: n, i, items, c0, c1, rate, total
  integer :: v, w(10)
  double precision :: x
  real :: t0, t1

  call get_command_argument(1, which)
  call get_command_argument(2, arg)
  read (arg, *) n
  call get_command_argument(3, path)
  open (10, file=trim(path), status='old')
  items = n
  total = 0
  call system_clock(c0, rate)
  call cpu_time(t0)
  select case (trim(which))
  case ('es24.16')
    do i = 1, n
      read (10, '(ES24.16)') x
      total = ieor(total, transfer(x, total) + i)
    end do
  case ('f12.4')
    do i = 1, n
      read (10, '(F12.4)') x
      total = ieor(total, transfer(x, total) + i)
    end do
  case ('list-d')
    do i = 1, n
      read (10, *) x
      total = ieor(total, transfer(x, total) + i)
    end do
  case ('i12')
    do i = 1, n
      read (10, '(I12)') v
      total = total + v
    end do
  case ('list-10i')
    items = 10*n
    do i = 1, n
      read (10, *) w
      total = total + sum(int(w, int64))
    end do
  end select
  close (10)
  call cpu_time(t1)
  call system_clock(c1)
  write (*, '(Z16.16)') total
  write (error_unit, '(A, 1X, F0.6, 1X, F0.6, 1X, I0)') trim(which), t1 - t0, &
      dble(c1 - c0) / dble(rate), items
end program bench_input_peer
