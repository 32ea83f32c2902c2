#pragma once

// Where a command writes its result: the standard output, or the file named with -o. A file is
// written under a temporary name beside it and takes its name only once it is complete, so a
// failed write never leaves a truncated result that looks finished.

#include "files/Result.h"

#include <fstream>
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

    std::ostream& Stream() { return file_ ? *file_ : standardOut_; }
    // Creates the file, if there is one to write.
    std::optional<Error> Open();
    bool Failed() const;
    // Flushes, and gives a file its name; the error says what could not be written and why.
    std::optional<Error> Finish();

  private:
    Error WriteError(int errorNumber) const;

    std::string path_;
    std::string partPath_;
    std::ostream& standardOut_;
    std::unique_ptr<std::ofstream> file_;
    int firstErrno_ = 0;
    bool finished_ = false;
};

}  // namespace ravelin
