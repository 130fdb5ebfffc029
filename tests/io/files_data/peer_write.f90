! Writes the sample files the library's tests read: unformatted sequential
! records of several kinds, an unformatted direct-access file, a NAMELIST
! group with arrays whose lower bounds are negative and negative zeros, and
! a list-directed record of 816 REAL values (one line of some 12,000
! characters).
program peer_write
  implicit none
  type point
    real :: x
    integer :: v(3)
    character(len=4) :: n
  end type point
  integer :: i
  integer(kind=2) :: k2(3) = (/ -1_2, 2_2, 300_2 /)
  real(kind=8) :: d(4) = (/ 1.5d0, -0.25d0, 1.0d300, 3.0d0 /)
  integer :: na(-2:0) = (/ 4, -5, 6 /)
  type(point) :: pn(-3:-2)
  real :: r, x(816)
  complex :: c
  logical :: la(3) = (/ .true., .false., .true. /)
  namelist /nml/ na, pn, r, c, la
  open(10, file='peer_seq.unf', form='unformatted', access='sequential', status='replace')
  write(10) (i, i = 1, 5)
  write(10) d, 'hello'
  write(10)
  write(10) k2, .true.
  close(10)
  open(11, file='peer_direct.unf', form='unformatted', access='direct', recl=12, status='replace')
  write(11, rec=3) 333, 3.5
  write(11, rec=1) 111, 1.5, 7
  close(11)
  r = 0.0
  r = -r
  c = cmplx(r, 1.5)
  pn(-3) = point(2.5, (/ 1, 2, 3 /), 'ab')
  pn(-2) = point(r, (/ -1, 0, 7 /), 'wxyz')
  open(12, file='peer_nml.txt', status='replace')
  write(12, nml=nml)
  close(12)
  x = (/ (real(i) / 7.0, i = 1, 816) /)
  x(5) = r
  open(13, file='peer_long.txt', status='replace')
  write(13, *) x
  write(13, '(A)') 'end'
  close(13)
end program peer_write
