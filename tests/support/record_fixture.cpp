#include "support/record_fixture.h"

#include <algorithm>

namespace tavtest {
namespace {

TestRecord *current = nullptr;

// Closures that put the globals back as they are now.
template <class... G>
std::vector<std::function<void()>> keep(G &...g) {
  return {[&g, old = g] { g = old; }...};
}

}  // namespace

void TestRecord::save() {
  undo_ = keep(__TAVf90_io_lock, __TAVf90_io_buflen, __TAVf90_io_position, __TAVf90_io_reclen, __TAVf90_io_top,
               __TAVf90_left_tab_limit, __TAVf90_io_pad, __TAVf90_io_blanks, __TAVf90_io_delim,
               __TAVf90_io_nonadvance_read, __TAVf90_read_kluge, __TAVf90_field_status, __TAVf90_current_unit,
               __TAVf90_error_continue, __TAVf90_end_continue, __TAVf90_eor_continue, iostat, __TAVf90_mychar,
               __TAVf90_mystring, __TAVf90_mygetc, __TAVf90_myendrec, __TAVf90_current_edit[0],
               __TAVf90_current_edit[1], __TAVf90_w, __TAVf90_d, __TAVf90_e, __TAVf90_m, __TAVf90_k,
               __TAVf90_current_scale, __TAVf90_compulsory_plus, __TAVf90_noseparator, __TAVf90_last_was_char);
  current = this;
  __TAVf90_error_continue = __TAVf90_end_continue = __TAVf90_eor_continue = 1;
  __TAVf90_io_lock = 1;
  __TAVf90_io_position = __TAVf90_left_tab_limit = __TAVf90_current_scale = 0;
  __TAVf90_compulsory_plus = __TAVf90_noseparator = __TAVf90_last_was_char = 0;
}

TestRecord::TestRecord(int buflen) : buf_(static_cast<std::size_t>(buflen), '\0') {
  save();
  __TAVf90_io_buflen = buflen;
  __TAVf90_io_top = 0;
  static constexpr tav_char_hook put = [](char c) {
    if (__TAVf90_io_position >= __TAVf90_io_buflen) return __TAVf90_ioerr(100);
    current->buf_[static_cast<std::size_t>(__TAVf90_io_position++)] = c;
    return 0;
  };
  __TAVf90_mychar = put;
  __TAVf90_mystring = [](char *s, int n) {
    for (int i = 0, status = 0; i < n; ++i)
      if ((status = put(s[i])) != 0) return status;
    return 0;
  };
  __TAVf90_myendrec = [] {
    TestRecord &t = *current;
    t.ended_.append(t.buf_, 0, static_cast<std::size_t>(__TAVf90_io_position)) += '\n';
    ++t.end_count_;
    std::fill(t.buf_.begin(), t.buf_.end(), '\0');
    __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
    return 0;
  };
}

TestRecord::TestRecord(const std::vector<std::string> &input, bool pad)
    : buf_(input.empty() ? std::string() : input[0]), input_(input) {
  save();
  __TAVf90_io_buflen = 1024;
  __TAVf90_io_reclen = static_cast<int>(buf_.size());
  __TAVf90_io_top = -1;
  __TAVf90_io_pad = pad ? 1 : 0;
  __TAVf90_mychar = nullptr;
  static constexpr tav_getc_hook get = [](char *c) {
    if (__TAVf90_io_position >= __TAVf90_io_reclen) return __TAVf90_ioerr(-2, 0);
    *c = current->buf_[static_cast<std::size_t>(__TAVf90_io_position++)];
    return 0;
  };
  __TAVf90_mygetc = get;
  __TAVf90_mystring = [](char *s, int n) {
    for (int i = 0, status = 0; i < n; ++i)
      if ((status = get(s + i)) != 0) return status;
    return 0;
  };
  __TAVf90_myendrec = [] {
    TestRecord &t = *current;
    if (t.next_input_ >= t.input_.size()) return __TAVf90_ioerr(-1, 0);
    t.buf_ = t.input_[t.next_input_++];
    ++t.end_count_;
    __TAVf90_io_reclen = static_cast<int>(t.buf_.size());
    __TAVf90_io_position = __TAVf90_left_tab_limit = 0;
    return 0;
  };
}

TestRecord::~TestRecord() {
  for (auto &u : undo_) u();
  current = nullptr;
}

std::string TestRecord::text() const {
  const int size = static_cast<int>(buf_.size());
  const int end = __TAVf90_io_top < 0 ? size : std::min(size, std::max(__TAVf90_io_position, __TAVf90_io_top));
  return ended_ + buf_.substr(0, static_cast<std::size_t>(end));
}

}  // namespace tavtest
