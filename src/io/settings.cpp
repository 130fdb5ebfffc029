#include "io/settings.h"

#include <cstdlib>
#include <cstring>

namespace tav::io {

Settings settings;

namespace {
bool switched_on(const char *name) {
  const char *value = std::getenv(name);
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}
}  // namespace

void Settings::read_environment() {
  error_location = switched_on("TAVF90_ERROR_LOCATION");
  namelist_search = switched_on("TAVF90_NAMELIST_SEARCH");
}

}  // namespace tav::io
