#pragma once

// The buffer of a std::ostream over an OutputFile, so that whatever writes to a stream can write
// the file. The first failed write is kept with its errno; the stream then fails too.

#include "files/OutputFile.h"

#include <optional>
#include <streambuf>
#include <vector>

namespace ravelin {

class OutputFileBuffer final : public std::streambuf {
  public:
    explicit OutputFileBuffer(OutputFile& file);
    OutputFileBuffer(const OutputFileBuffer&) = delete;
    OutputFileBuffer& operator=(const OutputFileBuffer&) = delete;
    ~OutputFileBuffer() override = default;

    const std::optional<Error>& FirstError() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* data, std::streamsize size) override;
    int sync() override;

  private:
    bool Drain();
    bool Put(const char* data, size_t size);

    OutputFile& file_;
    std::vector<char> buffer_;
    std::optional<Error> error_;
};

}  // namespace ravelin
