! Expected results of the character intrinsics, computed by a Fortran
! compiler other than ours.  Writes one C++ initializer per case:
!   {s, t, INDEX, INDEX back, SCAN, SCAN back, VERIFY, VERIFY back,
!    LEN_TRIM(s), sign of s compared with t, ADJUSTL(s), ADJUSTR(s)}
! Run by regenerate.sh; the output is committed as oracle_cases.inc.
program oracle
  implicit none
  integer :: n, p, k
  integer, parameter :: lengths(9) = (/ 15, 16, 17, 31, 33, 64, 65, 100, 200 /)
  character(len=9), parameter :: sets(4) = (/ 'b        ', 'bc       ', 'xyzb     ', 'bcdefghij' /)
  integer, parameter :: setlen(4) = (/ 1, 2, 4, 9 /)
  character(len=:), allocatable :: s

  call put('abcabc', 'bc')
  call put('abc', '')
  call put('', '')
  call put('', 'a')
  call put('aab', 'a')
  call put('abc', 'xyz')
  call put('abc', 'abcd')
  call put('ab', 'ab   ')
  call put('ab', 'ab c')
  call put('ab c', 'ab')
  call put('ab', 'ab' // char(233))
  call put('ab ', 'ab' // char(233))
  call put('ab' // char(233), 'ab')
  call put('ab', 'ab' // char(9))
  call put('ab' // char(9), 'ab  ')
  call put(char(200) // 'a', 'za')
  call put('  ab  ', ' ')
  call put('    ', ' ')
  call put('aaaaab', 'aab')
  call put('abababab', 'abab')
  do k = 1, size(lengths)
    n = lengths(k)
    do p = 1, n, max(1, n / 3)
      s = repeat('a', n)
      s(p:p) = 'b'
      if (p + 1 <= n) s(p + 1:p + 1) = 'c'
      call put(s, sets(mod(p + k, 4) + 1)(1:setlen(mod(p + k, 4) + 1)))
      s = repeat(' ', n)
      s(p:p) = 'q'
      call put(s, repeat(' ', n + p))
      call put(repeat('ab', n), repeat('ab', p / 2) // 'b')
    end do
    s = repeat('a', n)
    s(n:n) = 'b'
    call put(s, sets(2)(1:2))
    call put(s, 'a')
    call put(s, s(:n - 1) // 'c')
  end do

contains

  subroutine put(s, t)
    character(len=*), intent(in) :: s, t
    integer :: c
    c = 0
    if (s < t) c = -1
    if (s > t) c = 1
    write (*, '(a)', advance='no') '{' // lit(s) // ', ' // lit(t)
    write (*, '(8(a,i0))', advance='no') ', ', index(s, t), ', ', index(s, t, .true.), &
         ', ', scan(s, t), ', ', scan(s, t, .true.), ', ', verify(s, t), ', ', verify(s, t, .true.), &
         ', ', len_trim(s), ', ', c
    write (*, '(a)') ', ' // lit(adjustl(s)) // ', ' // lit(adjustr(s)) // '},'
  end subroutine put

  ! A C string literal; every byte outside printable ASCII as an octal escape.
  function lit(s) result(r)
    character(len=*), intent(in) :: s
    character(len=:), allocatable :: r
    character(len=4) :: esc
    integer :: i, c
    r = '"'
    do i = 1, len(s)
      c = ichar(s(i:i))
      if (c < 32 .or. c > 126 .or. s(i:i) == '"' .or. s(i:i) == '\') then
        write (esc, '(a,o3.3)') '\', c
        r = r // esc
      else
        r = r // s(i:i)
      end if
    end do
    r = r // '"'
  end function lit
end program oracle
