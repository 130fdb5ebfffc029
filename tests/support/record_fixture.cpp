#include "support/record_fixture.h"

#include <algorithm>
#include <functional>

namespace tavtest {
namespace {
TestRecord *current_record = nullptr;
}

// Every global a record touches, with a closure that puts it back.
struct TestRecord::Saved {
  std::vector<std::function<void()>> undo;
  template <class... G>
  void keep(G &...g) {
    (undo.push_back([&g, old = g] { g = old; }), ...);
  }
};

void TestRecord::save() {
  saved_ = new Saved;
  saved_->keep(__TAVf90_io_lock, __TAVf90_io_buflen, __TAVf90_io_position, __TAVf90_io_reclen, __TAVf90_io_top,
               __TAVf90_left_tab_limit, __TAVf90_io_pad, __TAVf90_io_blanks, __TAVf90_io_delim,
               __TAVf90_io_nonadvance_read, __TAVf90_read_kluge, __TAVf90_field_status, __TAVf90_current_unit,
               __TAVf90_error_continue, __TAVf90_end_continue, __TAVf90_eor_continue, iostat, __TAVf90_mychar,
               __TAVf90_mystring, __TAVf90_mygetc, __TAVf90_myendrec, __TAVf90_current_edit[0],
               __TAVf90_current_edit[1], __TAVf90_w, __TAVf90_d, __TAVf90_e, __TAVf90_m, __TAVf90_k,
               __TAVf90_current_scale, __TAVf90_compulsory_plus, __TAVf90_noseparator, __TAVf90_last_was_char);
  current_record = this;
  __TAVf90_error_continue = 1;
  __TAVf90_end_continue = 1;
  __TAVf90_eor_continue = 1;
  __TAVf90_io_lock = 1;
  __TAVf90_io_position = 0;
  __TAVf90_left_tab_limit = 0;
  __TAVf90_current_scale = 0;
  __TAVf90_compulsory_plus = 0;
  __TAVf90_noseparator = 0;
  __TAVf90_last_was_char = 0;
}

TestRecord::TestRecord(int buflen) {
  save();
  buf_.assign(static_cast<std::size_t>(buflen), '\0');
  __TAVf90_io_buflen = buflen;
  __TAVf90_io_top = 0;
  __TAVf90_mychar = putc_hook;
  __TAVf90_mystring = puts_hook;
  __TAVf90_myendrec = endrec_out;
}

TestRecord::TestRecord(const std::vector<std::string> &input, bool pad) : input_(input) {
  save();
  buf_ = input_.empty() ? std::string() : input_[0];
  next_input_ = 1;
  __TAVf90_io_buflen = 1024;
  __TAVf90_io_reclen = static_cast<int>(buf_.size());
  __TAVf90_io_top = -1;
  __TAVf90_io_pad = pad ? 1 : 0;
  __TAVf90_mychar = nullptr;
  __TAVf90_mystring = gets_hook;
  __TAVf90_mygetc = getc_hook;
  __TAVf90_myendrec = endrec_in;
}

TestRecord::~TestRecord() {
  for (auto &u : saved_->undo) u();
  delete saved_;
  current_record = nullptr;
}

std::string TestRecord::current() const {
  int end = std::max(__TAVf90_io_position, __TAVf90_io_top);
  if (__TAVf90_io_top < 0) end = static_cast<int>(buf_.size());
  return buf_.substr(0, static_cast<std::size_t>(std::min<int>(end, static_cast<int>(buf_.size()))));
}

std::string TestRecord::text() const { return ended_ + current(); }

int TestRecord::putc_hook(char c) {
  TestRecord &t = *current_record;
  if (__TAVf90_io_position >= __TAVf90_io_buflen) return __TAVf90_ioerr(100);
  t.buf_[static_cast<std::size_t>(__TAVf90_io_position++)] = c;
  return 0;
}

int TestRecord::puts_hook(char *s, int n) {
  for (int i = 0; i < n; ++i)
    if (int st = putc_hook(s[i])) return st;
  return 0;
}

int TestRecord::endrec_out() {
  TestRecord &t = *current_record;
  t.ended_.append(t.buf_, 0, static_cast<std::size_t>(__TAVf90_io_position));
  t.ended_ += '\n';
  ++t.end_count_;
  std::fill(t.buf_.begin(), t.buf_.end(), '\0');
  __TAVf90_io_position = 0;
  __TAVf90_left_tab_limit = 0;
  return 0;
}

int TestRecord::getc_hook(char *c) {
  TestRecord &t = *current_record;
  if (__TAVf90_io_position >= __TAVf90_io_reclen) return __TAVf90_ioerr(-2, 0);
  *c = t.buf_[static_cast<std::size_t>(__TAVf90_io_position++)];
  return 0;
}

int TestRecord::gets_hook(char *s, int n) {
  for (int i = 0; i < n; ++i)
    if (int st = getc_hook(s + i)) return st;
  return 0;
}

int TestRecord::endrec_in() {
  TestRecord &t = *current_record;
  if (t.next_input_ >= t.input_.size()) return __TAVf90_ioerr(-1, 0);
  t.buf_ = t.input_[t.next_input_++];
  ++t.end_count_;
  __TAVf90_io_reclen = static_cast<int>(t.buf_.size());
  __TAVf90_io_position = 0;
  __TAVf90_left_tab_limit = 0;
  return 0;
}

}  // namespace tavtest
