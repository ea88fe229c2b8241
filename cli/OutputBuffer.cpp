#include "OutputBuffer.h"

#include <cstring>

namespace vantorel::cli {

OutputBuffer::OutputBuffer(std::FILE* file) : file_(file), buffer_(new char[kCapacity]) {}

OutputBuffer::~OutputBuffer() { Flush(); }

void OutputBuffer::Append(std::string_view text) {
  if (text.size() > kCapacity - used_) {
    Flush();
    if (text.size() > kCapacity) {
      // Too long to buffer: pass it on whole.
      if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
      return;
    }
  }
  std::memcpy(buffer_.get() + used_, text.data(), text.size());
  used_ += text.size();
}

bool OutputBuffer::Flush() {
  if (used_ > 0 && std::fwrite(buffer_.get(), 1, used_, file_) != used_) failed_ = true;
  used_ = 0;
  if (std::fflush(file_) != 0) failed_ = true;
  return !failed_;
}

}  // namespace vantorel::cli
