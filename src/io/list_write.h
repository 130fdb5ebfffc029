// List-directed output.
#pragma once

namespace tav::io {

// Resets the list-directed output state at the begin call of every
// list-directed WRITE.
int init_loutput();

}  // namespace tav::io
