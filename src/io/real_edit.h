// Output editing of real values under F, E, D, EN, ES and G.
#pragma once

namespace tav::io {

// Each writes one field through the record's put hooks and returns 0 or
// the first nonzero I/O status.  e is -1 when the descriptor has no Ee part.
int format_F(double value, int w, int d);
int format_E(double value, int w, int d, int e);
int format_D(double value, int w, int d, int e);
int format_EN(double value, int w, int d, int e);
int format_G(double value, int w, int d, int e);
// w asterisks.
int stars(int w);

// Converts one value under the current edit (F, D, G, E, EN, ES); any other
// descriptor is I/O error 134.  Does not run the per-item protocol.
int write_real(double value);

}  // namespace tav::io
