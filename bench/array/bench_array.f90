! The peer side of the array intrinsic benchmark: the same cases as
! bench_array.cpp, written with the intrinsics, built with gfortran -O2.
! usage: bench_array_peer CASE REPS   -> "CASE seconds-per-rep elements checksum"
program bench_array_peer
  implicit none
  integer, parameter :: n = 2000
  double precision, allocatable :: a(:, :), b(:, :), r(:), p(:)
  integer, allocatable :: l(:)
  character(len=16) :: which, arg
  integer :: reps, k, i, j
  real :: t0, t1
  double precision :: check
  call get_command_argument(1, which)
  call get_command_argument(2, arg)
  read (arg, *) reps
  allocate (a(n, n), b(n, n), r(n), l(n))
  do j = 1, n
    do i = 1, n
      a(i, j) = dble(mod(i * 7919 + j * 104729, 1000)) / 1000d0
    end do
  end do
  check = 0
  call cpu_time(t0)
  do k = 1, reps
    a(1, 1) = dble(mod(k, 1000)) / 1000d0
    select case (which)
    case ('sum1')
      r = sum(a, dim=1)
      check = check + r(n)
    case ('sum2')
      r = sum(a, dim=2)
      check = check + r(n)
    case ('maxloc1')
      l = maxloc(a, dim=1)
      check = check + l(n)
    case ('cshift1')
      b = cshift(a, 7, dim=1)
      check = check + b(n, n)
    case ('cshift2')
      b = cshift(a, 7, dim=2)
      check = check + b(n, n)
    case ('pack')
      p = pack(a, a > 0.5d0)
      check = check + p(size(p))
    case ('reshape')
      b = reshape(a, (/ n, n /), order=(/ 2, 1 /))
      check = check + b(n - 1, n)
    case default
      stop 'unknown case'
    end select
  end do
  call cpu_time(t1)
  print '(A, 1X, ES12.5, 1X, I0, 1X, ES22.15)', trim(which), (t1 - t0) / reps, n * n, check
end program bench_array_peer
