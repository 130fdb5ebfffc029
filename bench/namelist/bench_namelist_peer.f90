! The namelist loops of bench_namelist_ours.cpp, for the peer runtime.
! usage: bench_namelist_peer write|read GROUPS PATH
! "write" writes the group GROUPS times to PATH; "read" reads it back
! GROUPS times from PATH as "write" left it.  Prints a checksum of the
! values on standard output and "CASE cpu-seconds wall-seconds groups" on
! standard error.
program bench_namelist_peer
  use iso_fortran_env, only: error_unit, int64
  implicit none
  character(len=32) :: which, arg
  character(len=512) :: path
  integer(int64) :: n, i, c0, c1, rate, total
  integer :: j
  real :: t0, t1
  integer :: i1, i2
  integer(int64) :: k
  real :: r1, r2
  double precision :: d1, d2, a(100)
  logical :: l
  complex :: c
  character(len=8) :: s
  namelist /bench/ i1, i2, k, r1, r2, d1, d2, l, c, s, a

  call get_command_argument(1, which)
  call get_command_argument(2, arg)
  read (arg, *) n
  call get_command_argument(3, path)
  i1 = 0; i2 = -7; k = 10000000000_int64; r1 = 2.5; r2 = 1.0e-3
  d1 = 3.141592653589793d0; d2 = -1.0d10; l = .true.; c = (1.0, -2.0); s = 'namelist'
  do j = 1, 100
    a(j) = dble(j) * 0.37d0 - 11.0d0
  end do
  total = 0
  call system_clock(c0, rate)
  call cpu_time(t0)
  select case (trim(which))
  case ('write')
    open (10, file=trim(path), status='replace', delim='apostrophe')
    do i = 1, n
      i1 = int(i)
      write (10, nml=bench)
    end do
    close (10)
    total = n
  case ('read')
    open (10, file=trim(path), status='old', delim='apostrophe')
    do i = 1, n
      read (10, nml=bench)
      total = ieor(total, transfer(a(mod(i, 100_int64) + 1), total) + i1)
    end do
    close (10)
  case default
    stop 2
  end select
  call cpu_time(t1)
  call system_clock(c1)
  write (*, '(Z16.16)') total
  write (error_unit, '(A, 1X, F0.6, 1X, F0.6, 1X, I0)') trim(which), t1 - t0, &
      dble(c1 - c0) / dble(rate), n
end program bench_namelist_peer
