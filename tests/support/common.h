// What every test file uses: GoogleTest, the standard headers of the
// suite's helpers, the library's header, the child runner and the tables.
// A test file includes this (or its subsystem's helper header, which
// includes it) and adds only the headers particular to it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/child.h"
#include "support/fatal_table.h"
#include "support/table.h"
#include "tavf90.h"
