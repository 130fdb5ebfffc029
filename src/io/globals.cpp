// Exported state of the I/O statement in progress: the record position
// globals, the character hooks, the current edit and the modes.  Internal
// code reaches these through io/record.h and io/edit.h.
#include "tavf90.h"

extern "C" {

int __TAVf90_io_lock;
int __TAVf90_io_buflen;
int __TAVf90_io_position;
int __TAVf90_io_reclen;
int __TAVf90_io_top = -1;
int __TAVf90_left_tab_limit;
int __TAVf90_io_pad;
int __TAVf90_io_blanks;
int __TAVf90_io_delim;
int __TAVf90_io_nonadvance_read;
int __TAVf90_read_kluge;
int __TAVf90_field_status;

tav_char_hook __TAVf90_mychar;
tav_string_hook __TAVf90_mystring;
tav_getc_hook __TAVf90_mygetc;
tav_endrec_hook __TAVf90_myendrec;

char __TAVf90_current_edit[2];
int __TAVf90_w;
int __TAVf90_d;
int __TAVf90_e;
int __TAVf90_m;
int __TAVf90_k;
int __TAVf90_current_scale;
int __TAVf90_compulsory_plus;

int __TAVf90_noseparator;
int __TAVf90_last_was_char;

}  // extern "C"
