! Reference results of the real-model and rounding intrinsics from a peer
! Fortran compiler, for REAL and DOUBLE PRECISION arguments spread over the
! whole range (subnormals included).  One line per case:
!   name  x-bits  y-bits-or-integer  result-bits-or-integer   (hex)
! Cases where the peer's result is not the Fortran standard's (NINT out of
! range) or where this library deliberately differs (SPACING of an argument
! whose spacing is below TINY but not below the smallest subnormal: the
! library returns the true gap) are left out.
!   gfortran -O0 model.f90 -o model && ./model > model.tsv
program model
  implicit none
  integer, parameter :: n = 400
  real :: x, y
  double precision :: d, e
  integer :: i, k, shifts(5) = [-150, -3, 0, 7, 130]
  integer(8) :: seed = 20261206_8
  do i = 1, n
    x = next_real()
    y = next_real()
    if (abs(x) > huge(x)) cycle
    print '(a,1x,z8.8,1x,a,1x,z8.8)', 'exponent_r', x, '-', exponent(x)
    if (x == 0 .or. exponent(x) < -125 .or. exponent(x) > -102) &
      print '(a,1x,z8.8,1x,a,1x,z8.8)', 'spacing_r', x, '-', spacing(x)
    print '(a,1x,z8.8,1x,a,1x,z8.8)', 'rrspacing_r', x, '-', rrspacing(x)
    print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'nearest_r', x, 1.0, nearest(x, 1.0)
    print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'nearest_r', x, -1.0, nearest(x, -1.0)
    do k = 1, 5
      print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'scale_r', x, shifts(k), scale(x, shifts(k))
      print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'setexp_r', x, shifts(k), set_exponent(x, shifts(k))
    end do
    print '(a,1x,z8.8,1x,a,1x,z8.8)', 'aint_r', x, '-', aint(x)
    print '(a,1x,z8.8,1x,a,1x,z8.8)', 'anint_r', x, '-', anint(x)
    if (abs(x) < 2.0**31) print '(a,1x,z8.8,1x,a,1x,z8.8)', 'nint_r_i', x, '-', nint(x)
    if (y /= 0) print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'mod_r', x, y, mod(x, y)
    print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'sign_r', x, y, sign(x, y)
    print '(a,1x,z8.8,1x,z8.8,1x,z8.8)', 'dim_r', x, y, dim(x, y)
  end do
  do i = 1, n
    d = next_double()
    e = next_double()
    if (abs(d) > huge(d)) cycle
    print '(a,1x,z16.16,1x,a,1x,z8.8)', 'exponent_d', d, '-', exponent(d)
    if (d == 0 .or. exponent(d) < -1021 .or. exponent(d) > -970) &
      print '(a,1x,z16.16,1x,a,1x,z16.16)', 'spacing_d', d, '-', spacing(d)
    print '(a,1x,z16.16,1x,a,1x,z16.16)', 'rrspacing_d', d, '-', rrspacing(d)
    print '(a,1x,z16.16,1x,z16.16,1x,z16.16)', 'nearest_d', d, 1d0, nearest(d, 1d0)
    print '(a,1x,z16.16,1x,z16.16,1x,z16.16)', 'nearest_d', d, -1d0, nearest(d, -1d0)
    print '(a,1x,z16.16,1x,a,1x,z16.16)', 'aint_d', d, '-', aint(d)
    print '(a,1x,z16.16,1x,a,1x,z16.16)', 'anint_d', d, '-', anint(d)
    if (abs(d) < 2d0**31) print '(a,1x,z16.16,1x,a,1x,z8.8)', 'nint_d_i', d, '-', nint(d)
    if (e /= 0) print '(a,1x,z16.16,1x,z16.16,1x,z16.16)', 'mod_d', d, e, mod(d, e)
    print '(a,1x,z16.16,1x,z16.16,1x,z16.16)', 'sign_d', d, e, sign(d, e)
  end do
contains
  integer(8) function next_bits()
    seed = seed * 6364136223846793005_8 + 1442695040888963407_8
    next_bits = ishft(seed, -11)
  end function
  ! Mostly ordinary values (exponents near zero), with some of every range.
  real function next_real()
    integer(8) :: b
    integer :: bits
    b = next_bits()
    if (mod(b, 4_8) == 0) then
      bits = int(iand(ishft(b, -8), int(z'FFFFFFFF', 8)), 4)
    else
      bits = int(ior(ishft(int(126 + mod(ishft(b, -40), 30_8) - 5, 8), 23), iand(ishft(b, -8), int(z'807FFFFF', 8))), 4)
    end if
    next_real = transfer(bits, 1.0)
  end function
  double precision function next_double()
    integer(8) :: b
    b = ieor(ishft(next_bits(), 11), next_bits())
    if (mod(next_bits(), 4_8) /= 0) &
      b = ior(ishft(int(1022 + mod(next_bits(), 60_8) - 10, 8), 52), iand(b, int(z'800FFFFFFFFFFFFF', 8)))
    next_double = transfer(b, 1d0)
  end function
end program
