#pragma once

// Where a command writes its result: the standard output, or the file named with -o, written as
// files/OutputFile.h describes: it takes its name only once complete and the command succeeded,
// so a failed write or a failed scan never leaves a truncated result, and never touches the file
// it was to replace.

#include "files/OutputFile.h"
#include "files/OutputFileBuffer.h"
#include "files/Result.h"

#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace ravelin {

class Output {
  public:
    // An empty path is the standard output.
    Output(std::string path, std::ostream& standardOut);
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;
    ~Output();

    std::ostream& Stream() { return file_ ? *stream_ : standardOut_; }
    // Creates the file, if there is one to write.
    std::optional<Error> Open();
    bool Failed() const;
    // Flushes, and gives a file its name; the error says what could not be written and why.
    std::optional<Error> Finish();
    // The command failed: the standard output is flushed, a file is left as it was.
    void Abandon();
    bool ToStandardOutput() const { return !file_; }

  private:
    Error WriteError(const Error& error) const;

    std::string path_;
    std::ostream& standardOut_;
    std::optional<OutputFile> file_;
    std::unique_ptr<OutputFileBuffer> buffer_;
    std::unique_ptr<std::ostream> stream_;
};

}  // namespace ravelin
