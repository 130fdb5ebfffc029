// What the environment asks of the I/O system beyond its defaults: two
// switches, read at I/O start-up (f90_io_init) and nowhere else.
#pragma once

namespace tav::io {

struct Settings {
  // TAVF90_ERROR_LOCATION: a fatal I/O error adds a line that tells where
  // it happened (unit, file, record, column, item).
  bool error_location = false;
  // TAVF90_NAMELIST_SEARCH: a namelist READ looks for its own group past
  // stray records and other groups, and takes &END as "/".
  bool namelist_search = false;

  // A switch is on when its variable is set, not empty and not "0".
  void read_environment();
};
extern Settings settings;

}  // namespace tav::io
