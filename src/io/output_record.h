// The record of an external sequential WRITE (formatted, list-directed or
// namelist), assembled in the unit's buffer.
#pragma once

#include <cstdio>

#include "tavf90.h"

namespace tav::io {

// The output hooks: put one character, put n characters (I/O error 100 at
// the end of the buffer), and write the record and its newline out (what
// the unit held from a non-advancing WRITE goes with it).
int f90_putc(char c);
int f90_puts(char *s, int n);
int f90_endrec();

// Where a WRITE's record starts on a unit that holds a record or whose
// stream a READ left (the stream is then switched to writing): sets
// `start`; returns 0 or the condition of a failed seek.
int held_record_start(int unit, tav_unit_record &r, std::FILE *stream, int &start);

}  // namespace tav::io
