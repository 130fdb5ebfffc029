! Writes, for every case read from standard input, the record that this
! Fortran runtime produces for one output item under the case's format.
!
! Input lines (tab-separated):  id  type  format  value
!   type   real4 / real8   value: the bit pattern in hexadecimal
!          int1 int2 int4 int8   value: decimal
!          log1 log2 log4 log8   value: decimal (0 false, otherwise true)
!          char                  value: the characters in hexadecimal pairs
!          cplx4 / cplx8         value: the bit patterns of both parts, real first
!   format a format text, or * for list-directed output
! Output lines:  id  status  |record|
!   status 0, or ERR when the write statement reported an error.
program peer
  implicit none
  character(len=4096) :: line, rec
  character(len=64) :: id, typ
  character(len=512) :: fmt, val
  character(len=1024) :: chv
  integer :: p1, p2, p3, ios, n, i, nch, ich
  integer(8) :: i8
  integer(4) :: v4
  integer(2) :: v2
  integer(1) :: v1
  logical(1) :: l1
  logical(2) :: l2
  logical(4) :: l4
  logical(8) :: l8
  real(8) :: d
  real(4) :: r
  complex(4) :: z4
  complex(8) :: z8
  logical :: list

  open (20, status='scratch', form='formatted', access='sequential', recl=4096)
  do
    read (*, '(A)', iostat=ios) line
    if (ios /= 0) exit
    if (len_trim(line) == 0) cycle
    p1 = index(line, achar(9))
    p2 = p1 + index(line(p1 + 1:), achar(9))
    p3 = p2 + index(line(p2 + 1:), achar(9))
    id = line(1:p1 - 1)
    typ = line(p1 + 1:p2 - 1)
    fmt = line(p2 + 1:p3 - 1)
    val = line(p3 + 1:)
    list = trim(fmt) == '*'

    rewind (20)
    ios = 0
    if (typ(1:3) == 'int' .or. typ(1:3) == 'log') read (val, *) i8
    select case (trim(typ))
    ! Z input takes a real's bit pattern, and a complex item's two parts.
    case ('real8')
      read (val, '(Z16)') d
      if (list) then; write (20, *, iostat=ios) d; else; write (20, fmt, iostat=ios) d; end if
    case ('real4')
      read (val, '(Z8)') r
      if (list) then; write (20, *, iostat=ios) r; else; write (20, fmt, iostat=ios) r; end if
    case ('cplx8')
      read (val, '(2Z16)') z8
      if (list) then; write (20, *, iostat=ios) z8; else; write (20, fmt, iostat=ios) z8; end if
    case ('cplx4')
      read (val, '(2Z8)') z4
      if (list) then; write (20, *, iostat=ios) z4; else; write (20, fmt, iostat=ios) z4; end if
    case ('int1')
      v1 = int(i8, 1)
      if (list) then; write (20, *, iostat=ios) v1; else; write (20, fmt, iostat=ios) v1; end if
    case ('int2')
      v2 = int(i8, 2)
      if (list) then; write (20, *, iostat=ios) v2; else; write (20, fmt, iostat=ios) v2; end if
    case ('int4')
      v4 = int(i8, 4)
      if (list) then; write (20, *, iostat=ios) v4; else; write (20, fmt, iostat=ios) v4; end if
    case ('int8')
      if (list) then; write (20, *, iostat=ios) i8; else; write (20, fmt, iostat=ios) i8; end if
    case ('log1')
      l1 = i8 /= 0
      if (list) then; write (20, *, iostat=ios) l1; else; write (20, fmt, iostat=ios) l1; end if
    case ('log2')
      l2 = i8 /= 0
      if (list) then; write (20, *, iostat=ios) l2; else; write (20, fmt, iostat=ios) l2; end if
    case ('log4')
      l4 = i8 /= 0
      if (list) then; write (20, *, iostat=ios) l4; else; write (20, fmt, iostat=ios) l4; end if
    case ('log8')
      l8 = i8 /= 0
      if (list) then; write (20, *, iostat=ios) l8; else; write (20, fmt, iostat=ios) l8; end if
    case ('char')
      nch = len_trim(val) / 2
      do i = 1, nch
        read (val(2*i - 1:2*i), '(Z2)') ich
        chv(i:i) = achar(ich)
      end do
      if (list) then
        write (20, *, iostat=ios) chv(1:nch)
      else
        write (20, fmt, iostat=ios) chv(1:nch)
      end if
    case default
      ios = -999
    end select

    if (ios /= 0) then
      write (*, '(A)') trim(id)//achar(9)//'ERR'//achar(9)//'||'
      cycle
    end if
    rewind (20)
    n = 0
    rec = ' '
    read (20, '(A)', advance='no', size=n, iostat=ios) rec
    write (*, '(A)') trim(id)//achar(9)//'0'//achar(9)//'|'//rec(1:n)//'|'
  end do

end program peer
