! The peer side of the array intrinsic benchmark: the cases of
! bench_array.cpp written with the intrinsics, built with gfortran -O2.
! The same values bit for bit; PACK's mask is made once, outside the timing.
! The checksum is bench_array.cpp's, computed the same way (checked).
! usage: bench_array_peer CASE REPS  -> "CASE seconds-per-call checksum sink"
program bench_array_peer
  implicit none
  integer, parameter :: n = 2000, ext = selected_real_kind(18)
  double precision, allocatable :: a(:, :), b(:, :), c(:, :), r(:), p(:)
  logical, allocatable :: m(:, :)
  integer, allocatable :: l(:)
  character(len=16) :: which, arg
  integer :: reps, k, i, j
  integer(8) :: x, hi
  real :: t0, t1
  double precision :: checksum, sink
  call get_command_argument(1, which)
  call get_command_argument(2, arg)
  read (arg, *) reps
  allocate (a(n, n), b(n, n), m(n, n))
  x = 1
  do j = 1, n
    do i = 1, n
      x = mod(x * 48271_8, 2147483647_8)
      hi = mod(x, 2_8**26)
      x = mod(x * 48271_8, 2147483647_8)
      a(i, j) = scale(dble(hi * 2_8**27 + mod(x, 2_8**27)), -53)
    end do
  end do
  select case (which)
  case ('pack')
    m = a > 0.5d0
  case ('pack_true')
    m = a >= 0
  case ('pack_false')
    m = a < 0
  end select
  sink = 0
  do k = 0, reps
    if (k == 1) call cpu_time(t0)
    if (k > 0) a(1, 1) = dble(mod(k, 7)) / 8d0
    select case (which)
    case ('sum1')
      r = sum(a, dim=1)
      if (k == 0) checksum = checked(r, size(r))
      sink = sink + r(n)
    case ('sum2')
      r = sum(a, dim=2)
      if (k == 0) checksum = checked(r, size(r))
      sink = sink + r(n)
    case ('maxloc1')
      l = maxloc(a, dim=1)
      if (k == 0) checksum = checked(dble(l), size(l))
      sink = sink + l(n)
    case ('maxloc2')
      l = maxloc(a, dim=2)
      if (k == 0) checksum = checked(dble(l), size(l))
      sink = sink + l(n)
    case ('cshift1')
      b = cshift(a, 7, dim=1)
      if (k == 0) checksum = checked(b, size(b))
      sink = sink + b(n, n)
    case ('cshift2')
      b = cshift(a, 7, dim=2)
      if (k == 0) checksum = checked(b, size(b))
      sink = sink + b(n, n)
    case ('pack', 'pack_true', 'pack_false')
      p = pack(a, m)
      if (k == 0) checksum = checked(p, size(p))
      if (size(p) > 0) sink = sink + p(size(p))
    case ('reshape')
      c = reshape(a, (/ 4000, 1000 /))
      if (k == 0) checksum = checked(c, size(c))
      sink = sink + c(4000, 1000)
    case ('reshape_t')
      b = reshape(a, (/ n, n /), order=(/ 2, 1 /))
      if (k == 0) checksum = checked(b, size(b))
      sink = sink + b(n, n)
    case default
      stop 'unknown case'
    end select
    if (k == 0) sink = 0
  end do
  call cpu_time(t1)
  print '(A, 1X, ES13.6, 1X, ES24.17, 1X, ES13.6)', trim(which), (t1 - t0) / reps, checksum, sink

contains

  ! The checksum of bench_array.cpp's checksum_of: m plus every element
  ! times the weight of its place, added in element order in the x87's
  ! extended format (each product exact), rounded to double once.
  double precision function checked(x, m)
    integer, intent(in) :: m
    double precision, intent(in) :: x(m)
    real(ext) :: s
    integer :: k
    s = 0
    do k = 1, m
      s = s + real(mod(k - 1, 1024) + 1, ext) * x(k)
    end do
    checked = real(s + m, kind(1d0))
  end function checked
end program bench_array_peer
