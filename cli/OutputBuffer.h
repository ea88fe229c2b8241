#pragma once
// One buffered writer for everything vantorel-props prints. Rows are written
// straight into a fixed buffer and handed to the file in large blocks, so a
// sweep of millions of rows needs neither a growing string nor a write call
// per number.

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string_view>

namespace vantorel::cli {

class OutputBuffer {
 public:
  explicit OutputBuffer(std::FILE* file);
  ~OutputBuffer();  // flushes what is left
  OutputBuffer(const OutputBuffer&) = delete;
  OutputBuffer& operator=(const OutputBuffer&) = delete;

  // At least `size` writable bytes at the returned pointer (size at most
  // kCapacity). Write there, then hand the end of what was written to
  // Commit.
  char* Reserve(std::size_t size) {
    if (kCapacity - used_ < size) Flush();
    return buffer_.get() + used_;
  }
  void Commit(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.get()); }

  void Append(std::string_view text);
  void Append(char c) {
    if (used_ == kCapacity) Flush();
    buffer_[used_++] = c;
  }

  // Writes the buffer to the file and flushes the file; false once any write
  // has failed.
  bool Flush();

  // A write has failed (a closed pipe, a full disk): the rest need not be
  // worked out.
  bool failed() const { return failed_; }

  static constexpr std::size_t kCapacity = 1 << 16;

 private:
  std::FILE* file_;
  std::unique_ptr<char[]> buffer_;
  std::size_t used_ = 0;
  bool failed_ = false;
};

}  // namespace vantorel::cli
