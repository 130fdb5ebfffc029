! Reads the files the library's example writes (files.c) and prints what
! it finds, for comparison with the library's own reading of them.
program peer_read
  implicit none
  integer :: i, n, a(100), r
  real(kind=8) :: x(10)
  character(len=8) :: name
  open(10, file='table.unf', form='unformatted', status='old')
  read(10) n, name
  do i = 1, n
    read(10) x(i)
  end do
  read(10) a
  close(10)
  print '(I0,1X,A)', n, trim(name)
  print '(10F8.3)', x(1:n)
  print '(I0)', sum(a)
  open(11, file='table.dir', form='unformatted', access='direct', recl=8, status='old')
  do r = 3, 1, -1
    read(11, rec=r) i, n
    print '(I0,1X,I0)', i, n
  end do
  close(11)
end program peer_read
