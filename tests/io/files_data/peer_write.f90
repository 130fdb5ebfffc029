! Writes the sample files the library's tests read: unformatted sequential
! records of several kinds and an unformatted direct-access file.
program peer_write
  implicit none
  integer :: i
  integer(kind=2) :: k2(3) = (/ -1_2, 2_2, 300_2 /)
  real(kind=8) :: d(4) = (/ 1.5d0, -0.25d0, 1.0d300, 3.0d0 /)
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
end program peer_write
