// Reporting I/O conditions: end of file (-1), end of record (-2), system
// errors (errno, 1..99) and the library's own errors (100..217).
#pragma once

#include "tavf90.h"

namespace tav::io {

enum : int {
  kEndOfFile = -1,
  kEndOfRecord = -2,
  kBufferOverflow = 100,
  kInternalFileOverflow = 101,
  kScaleFactorRange = 102,
  kExponentTooLarge = 103,
  kRecordTooLong = 104,
  kInvalidRealEdit = 134,
  kInvalidIntegerEdit = 135,
  kInvalidLogicalEdit = 136,
  kInvalidCharacterEdit = 145,
  kReadAfterWrite = 146,
  kUnitOutOfRange = 147,
  kUnitNotConnected = 148,
  kNotSequential = 150,
  kNotReadable = 151,
  kNotFormatted = 152,
  kNotWritable = 153,
  kNotUnformatted = 154,
  kEndfileTwice = 173,
  kNoBackspace = 149,
  kNoRewind = 177,
  kNoPreviousRecord = 178,
  kNotDirect = 179,
  kRecordOutOfRange = 180,
  kFileNameTooLong = 174,
  kUnknownOpenFailure = 183,
  kInputListTooLong = 206,
  kPadNoEndOfRecord = 207,
  kCorruptUnformatted = 208,
  kAfterEndfile = 210,
  kBeyondDirectEnd = 214,
};

// Records the condition for the current statement.  Returns the code when
// the statement's continuation flags send it back to compiled code (the
// I/O lock is then released and iostat set); otherwise prints the message
// and ends the program through the fatal I/O path.  The arguments after the
// code are those of the code's message.
int ioerr(int code, ...);

// ioerr for a condition in the field or value of the record in progress
// that began at `position` (from 0): the location line gives its column.
int ioerr_at(int position, int code, ...);

// Prints the message of a condition on a unit to standard error, as the
// fatal path would, without ending anything.
void print_condition(int code, int unit);

// The text of a library error code (100..217), or null.
const char *ioerr_text(int code);

}  // namespace tav::io
