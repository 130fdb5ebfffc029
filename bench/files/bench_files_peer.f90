! The peer's side of bench_files.cpp: the same records, the same order.
! usage: bench_files_peer CASE FILE [SCALE]   prints "CASE seconds bytes"
program bench_files_peer
  implicit none
  integer, parameter :: kbig = 1024
  character(len=16) :: c, arg
  character(len=256) :: file
  integer :: scale, nbig, nsmall, ndirect, r, i, v, rec
  integer(kind=8) :: t0, t1, rate, total
  real(kind=8) :: a(kbig), bytes
  integer :: state
  call get_command_argument(1, c)
  call get_command_argument(2, file)
  scale = 1
  if (command_argument_count() > 2) then
    call get_command_argument(3, arg)
    read (arg, *) scale
  end if
  nbig = 100000 / scale; nsmall = 1000000 / scale; ndirect = 100000 / scale
  a = (/ (i * 0.5d0, i = 0, kbig - 1) /)
  total = 0
  call system_clock(t0, rate)
  select case (c)
  case ('big-w', 'big-r')
    open (10, file=file, form='unformatted')
    do r = 0, nbig - 1
      if (c == 'big-w') then
        a(1) = r
        write (10) a
      else
        read (10) a
        total = total + int(a(1), 8)
      end if
    end do
    close (10)
    bytes = dble(nbig) * kbig * 8
  case ('small-w', 'small-r')
    open (10, file=file, form='unformatted')
    do r = 0, nsmall - 1
      if (c == 'small-w') then
        write (10) r
      else
        read (10) v
        total = total + v
      end if
    end do
    close (10)
    bytes = dble(nsmall) * 4
  case ('direct-r')
    open (11, file=file, form='unformatted', access='direct', recl=64)
    do r = 1, ndirect
      a(1) = r
      write (11, rec=r) a(1:8)
    end do
    call system_clock(t0, rate)
    state = 1
    do i = 1, ndirect
      call next_rec(state, ndirect, rec)
      read (11, rec=rec) a(1:8)
      total = total + int(a(1), 8)
    end do
    close (11)
    bytes = dble(ndirect) * 64
  case default
    stop 2
  end select
  call system_clock(t1)
  write (0, '(A, 1X, F0.6, 1X, F0.0, 1X, I0)') trim(c), dble(t1 - t0) / rate, bytes, total
contains
  ! The generator of bench_files.cpp, in 32-bit unsigned arithmetic.
  subroutine next_rec(state, n, rec)
    integer, intent(inout) :: state
    integer, intent(in) :: n
    integer, intent(out) :: rec
    integer(kind=8) :: s
    s = iand(int(state, 8) * 1103515245_8 + 12345_8, int(z'FFFFFFFF', 8))
    state = int(s - merge(4294967296_8, 0_8, s > 2147483647_8), 4)
    rec = int(mod(ishft(s, -8), int(n, 8))) + 1
  end subroutine next_rec
end program bench_files_peer
