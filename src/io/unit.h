// The unit table: unit records of units 0..99 in the exported arrays, a
// list of nodes for larger unit numbers, selection of the current unit,
// preconnection and the start-up and shutdown of the I/O system.
#pragma once

#include <cstdint>
#include <cstdio>

#include "io/stream.h"
#include "tavf90.h"

namespace tav::io {

// File names are handled in buffers of this size (1023 characters + NUL).
constexpr int kFileNameBuffer = 1024;
constexpr int kDefaultRecl = 1024;
constexpr int kDefaultUnformattedRecl = 65536;

// Makes `unit` (>= 0) the current unit: points __TAVf90_cur_finfo and
// __TAVf90_cur_fptr at its record and stream slot.  Units above 99 get a
// node on first use when `create` is set; without it a missing node leaves
// both pointers null and the result is false.
bool select_unit(int unit, bool create);

inline tav_unit_record &current_record() { return *__TAVf90_cur_finfo; }
inline FILE *&current_stream() { return *__TAVf90_cur_fptr; }
inline bool has_flag(const tav_unit_record &r, int flag) { return (r.flags & flag) != 0; }
inline void set_flag(tav_unit_record &r, int flag, bool on) {
  r.flags = static_cast<uint8_t>(on ? (r.flags | flag) : (r.flags & ~flag));
}

// The connection's modes a formatted statement starts with: DELIM=,
// BLANK= and PAD= into the statement's globals.
inline void take_unit_modes(const tav_unit_record &r) {
  __TAVf90_io_delim = r.delim;
  __TAVf90_io_blanks = r.blank;
  __TAVf90_io_pad = has_flag(r, TAV_FLAG_PAD_YES) ? 1 : 0;
}

// The record and stream slot of a unit wherever it lives, without creating
// a node and without touching the current-unit pointers; null if none.
tav_unit_record *find_unit(int unit, FILE ***stream = nullptr);

// The characters a unit's record buffer holds (a spare byte follows them):
// `recl`, or more once input records longer than that have made it grow
// (grow_buffer).  `recl` itself stays the connection's record length.
int buffer_capacity(const tav_unit_record &r);

// Doubles the record buffer of `r`, keeping its first `keep` characters,
// and returns the new capacity; 0 when it cannot grow further (the buffer
// is left as it was).  The buffer keeps that size until it is released.
int grow_buffer(tav_unit_record &r, int keep);

// A unit's connection: everything the library keeps of it besides its
// exported record and stream slot, whose places and layout the ABI fixes.
// One object per unit, found from the unit's record by connection():
// units 0..99 have theirs in a table indexed like the exported arrays,
// larger units in their node.
struct Connection {
  std::int32_t grown = 0;     // the capacity of a record buffer grown beyond
                              // recl, else 0 (grow_buffer)
  std::int32_t ending = 0;    // the bytes that ended the input record held
                              // (record_ending)
  std::int64_t records = 0;   // the records counted (record_count)
  bool form_open = false;     // the form is still to be decided (settle_form)
  stream::FileState file;     // the stream layer's state of its file
};
extern Connection unit_connections[100];
Connection &extended_connection(const tav_unit_record &r);
inline Connection &connection(const tav_unit_record &r) {
  const auto at = reinterpret_cast<std::uintptr_t>(&r) - reinterpret_cast<std::uintptr_t>(__TAVf90_file_info);
  return at < sizeof __TAVf90_file_info ? unit_connections[at / sizeof r] : extended_connection(r);
}

// A unit's stream as the stream layer's operations take it.
inline stream::File file_of(const tav_unit_record &r, std::FILE *stream) { return {stream, &connection(r).file}; }
inline stream::File current_file() { return file_of(current_record(), current_stream()); }

// The records of a sequential connection that its file position is past,
// counted from the OPEN or the last REWIND (a record being read counts
// once its line or leading marker has been read); -1 once the count is lost
// (OPEN with POSITION='APPEND').  For the diagnostics of a fatal condition.
inline std::int64_t &record_count(const tav_unit_record &r) { return connection(r).records; }
inline void count_record(std::int64_t &count) {
  if (count >= 0) ++count;
}
inline void uncount_record(std::int64_t &count) {
  if (count > 0) --count;
}

// Releases the record buffer (CLOSE).
void release_buffer(tav_unit_record &r);

// The bytes of the file that ended the input record the unit's buffer
// holds, after its `rec_length` characters: 1 for a newline, 2 for CR LF,
// 0 when the file ended it.  Kept as each record is read, so that the start
// of a record held by a non-advancing READ is known exactly.
inline int record_ending(const tav_unit_record &r) { return connection(r).ending; }
// A formatted record read: its ending kept, and the record counted.
inline void count_record_read(const tav_unit_record &r, int ending) {
  Connection &b = connection(r);
  b.ending = ending;
  count_record(b.records);
}

// Case-insensitive keyword match of a Fortran string, trailing blanks
// allowed.
bool keyword_match(const char *value, int length, const char *keyword);

// The file of an implicitly connected unit: the value of the environment
// variable <prefix><nn>, else "fort.<unit>".  Returns 0, or the I/O error
// number 174 when the variable's value does not fit the name buffer.
int preconnect_name(int unit, char *dst);

// The implicit connection of the selected unit, which was never connected,
// by a statement in progress (the lock held): connected as an OPEN naming
// its preconnected file (preconnect_name) with the form asked for and the
// preconnection's BLANK= and POSITION= would be.  Returns 0 with the lock
// still held, or OPEN's condition with the statement ended (or the program
// has ended).
int preconnect(int unit, bool unformatted);

// Selects `unit` for a statement in progress and makes sure it is
// connected.  A unit never connected is connected implicitly (preconnect,
// with the form `unformatted`) when `may_connect`, and *connected set when
// given; otherwise, and for a unit that was connected and closed, it is
// refused.  Returns 0, or the condition with the statement ended.  A
// connected unit below 100 is selected here without a call.
int select_and_connect(int unit, bool may_connect, bool unformatted, bool *connected);
inline int select_connected(int unit, bool may_connect, bool unformatted, bool *connected = nullptr) {
  if (static_cast<unsigned>(unit) < 100u && __TAVf90_file[unit] != nullptr) {
    __TAVf90_cur_finfo = &__TAVf90_file_info[unit];
    __TAVf90_cur_fptr = &__TAVf90_file[unit];
    return 0;
  }
  return select_and_connect(unit, may_connect, unformatted, connected);
}

// A unit that REWIND connected implicitly has its form decided by its
// first data transfer, as an implicit connection by that transfer would
// have (form_open until then; any OPEN clears it).  Called by a transfer
// on the current unit, once its access and action are found right: the
// unit is connected again when the form differs.  Returns 0, or the
// condition with the statement ended.
int decide_form(int unit, bool unformatted);
inline int settle_form(int unit, bool unformatted) {
  return connection(current_record()).form_open ? decide_form(unit, unformatted) : 0;
}

// Closes every unit: extended units, then 1..99, then 0.  At a normal end
// a unit that cannot be closed (its data cannot be written) ends the
// program through the fatal I/O path.  On a fatal path (`fatal_path`) the
// failure is reported and the remaining units are still closed, so that
// one bad unit does not cost the others their data.
void io_finish(bool fatal_path = false);

}  // namespace tav::io
