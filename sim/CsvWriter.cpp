#include "sim/CsvWriter.h"

#include <cstring>

namespace sim {

CsvWriter::CsvWriter(const std::string& path) : file_(path), buffer_(new char[kBufferSize]()) {
  const std::size_t length = std::strlen(kHeader);
  std::memcpy(buffer_.get(), kHeader, length);
  buffer_[length] = '\n';
  used_ = length + 1;
}

void CsvWriter::flush() {
  file_.write(buffer_.get(), used_);
  used_ = 0;
}

void CsvWriter::finish() { flush(); }

}  // namespace sim
