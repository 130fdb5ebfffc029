! Expected results of the character intrinsics, computed by a Fortran
! compiler other than ours.  Reads the cases (s <TAB> t, each in brackets:
! the first two columns of data/oracle.tsv) and writes each row whole:
!   s, t, INDEX, INDEX back, SCAN, SCAN back, VERIFY, VERIFY back,
!   LEN_TRIM(s), sign of s compared with t, ADJUSTL(s), ADJUSTR(s)
! Run by regenerate.sh.
program oracle
  implicit none
  character, parameter :: tab = char(9)
  character(len=4096) :: line
  integer :: ios, at
  do
    read (*, '(a)', iostat=ios) line
    if (ios /= 0) exit
    at = index(line, ']' // tab // '[')
    call put(line(2:at - 1), line(at + 3:len_trim(line) - 1))
  end do

contains

  subroutine put(s, t)
    character(len=*), intent(in) :: s, t
    integer :: c
    c = 0
    if (s < t) c = -1
    if (s > t) c = 1
    write (*, '(7a)', advance='no') '[', s, ']', tab, '[', t, ']'
    write (*, '(8(a,i0))', advance='no') tab, index(s, t), tab, index(s, t, .true.), tab, scan(s, t), &
         tab, scan(s, t, .true.), tab, verify(s, t), tab, verify(s, t, .true.), tab, len_trim(s), tab, c
    write (*, '(8a)') tab, '[', adjustl(s), ']', tab, '[', adjustr(s), ']'
  end subroutine put
end program oracle
