! The peer side of bench_chars.c: the same cases as Fortran statements.
! Prints one line per case: name, operations, CPU nanoseconds per
! operation, checksum (random: the peer's own generator, so its checksum
! differs).
program bench_chars
  implicit none
  integer, parameter :: mib = 2**20, reps = 2000
  character(len=mib) :: a, b
  character(len=16) :: c
  character(len=8) :: y = '-suffix '
  character(len=32) :: want
  integer(8) :: check
  integer :: k, i, n, nargs
  real(8) :: t0, t1
  real, allocatable :: r(:)

  nargs = command_argument_count()
  want = ''
  if (nargs > 0) call get_command_argument(1, want)
  do i = 0, mib - 1
    a(i + 1:i + 1) = achar(iachar('a') + mod(i * 7 + i / 5, 26))
  end do
  b = a

  if (selected('compare')) then
    b(mib:mib) = 'Z'
    check = 0
    call cpu_time(t0)
    do k = 0, reps - 1
      a(1:1) = achar(iachar('a') + mod(k, 2))
      b(1:1) = 'a'
      if (a < b) then
        check = check - 1
      else if (a > b) then
        check = check + 1
      end if
    end do
    call cpu_time(t1)
    call report('compare', reps)
    b(mib:mib) = a(mib:mib)
  end if
  if (selected('index')) then
    a(mib - 15:mib) = 'QRSTUVWXYZABCDEF'
    check = 0
    call cpu_time(t0)
    do k = 0, reps - 1
      a(1:1) = achar(iachar('a') + mod(k, 3))
      check = check + index(a, 'QRSTUVWXYZABCDEF')
    end do
    call cpu_time(t1)
    call report('index', reps)
    a(mib - 15:mib) = b(mib - 15:mib)
  end if
  if (selected('scan')) then
    a(mib:mib) = 'Y'
    check = 0
    call cpu_time(t0)
    do k = 0, reps - 1
      a(1:1) = achar(iachar('a') + mod(k, 3))
      check = check + scan(a, 'WXYZ')
    end do
    call cpu_time(t1)
    call report('scan', reps)
    a(mib:mib) = b(mib:mib)
  end if
  if (selected('verify')) then
    do i = 0, mib - 1
      a(i + 1:i + 1) = 'abcd'(mod(i, 4) + 1:mod(i, 4) + 1)
    end do
    a(mib:mib) = 'z'
    check = 0
    call cpu_time(t0)
    do k = 0, reps - 1
      a(1:1) = achar(iachar('a') + mod(k, 3))
      check = check + verify(a, 'abcd')
    end do
    call cpu_time(t1)
    call report('verify', reps)
    a = b
  end if
  if (selected('len_trim')) then
    a = ' '
    check = 0
    call cpu_time(t0)
    do k = 0, reps - 1
      if (mod(k, 2) == 1) then
        a(1:1) = 'x'
      else
        a(1:1) = ' '
      end if
      check = check + len_trim(a)
    end do
    call cpu_time(t1)
    call report('len_trim', reps)
    a = b
  end if
  if (selected('concat')) then
    n = 1000000
    check = 0
    call cpu_time(t0)
    do k = 0, n - 1
      i = iand(k, 1023)
      c = a(i + 1:i + 8) // y
      i = iand(k, 15)
      check = check + iachar(c(i + 1:i + 1))
    end do
    call cpu_time(t1)
    call report('concat', n)
  end if
  if (selected('random')) then
    n = 10000000
    allocate(r(n))
    r = 0.5  ! page faults outside the timing
    call cpu_time(t0)
    call random_number(r)
    call cpu_time(t1)
    check = 0
    do i = 1, n, 4096
      check = check + int(r(i) * 1000, 8)
    end do
    call report('random', n)
  end if

contains

  logical function selected(name)
    character(len=*), intent(in) :: name
    selected = len_trim(want) == 0 .or. want == name
  end function selected

  subroutine report(name, ops)
    character(len=*), intent(in) :: name
    integer, intent(in) :: ops
    write (*, '(A, 1X, I0, 1X, F0.3, 1X, I0)') name, ops, (t1 - t0) * 1d9 / ops, check
  end subroutine report
end program bench_chars
