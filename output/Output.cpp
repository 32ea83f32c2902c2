#include "output/Output.h"

#include "files/StringRoutines.h"
#include "files/TextEncoding.h"

#include <cerrno>
#include <cstring>

namespace ravelin {

Output::Output(std::string path, std::ostream& standardOut)
    : path_(std::move(path)), standardOut_(standardOut) {}

// The stream goes before the buffer it writes to, and both before the file, which removes
// a temporary file that was not finished.
Output::~Output() {
    stream_.reset();
    buffer_.reset();
}

std::optional<Error> Output::Open() {
    if (path_.empty()) {
        return std::nullopt;
    }
    Result<OutputFile> opened = OutputFile::Open(path_);
    if (!opened) {
        return WriteError(opened.error());
    }
    file_.emplace(std::move(opened.value()));
    buffer_ = std::make_unique<OutputFileBuffer>(*file_);
    stream_ = std::make_unique<std::ostream>(buffer_.get());
    return std::nullopt;
}

bool Output::Failed() const {
    return file_ ? stream_->fail() : standardOut_.fail();
}

Error Output::WriteError(const Error& error) const {
    const std::string what = path_.empty() ? "the standard output" : "'" + Utf8Lossy(path_) + "'";
    const std::string why = !error.message.empty() ? error.message
                            : error.code != 0      ? std::strerror(error.code)
                                                   : "write error";
    return Error{error.code, "cannot write " + what + ": " + why};
}

std::optional<Error> Output::Finish() {
    if (!file_) {
        errno = 0;
        standardOut_.flush();
        return standardOut_.fail() ? std::optional<Error>(WriteError(Error{errno, ""}))
                                   : std::nullopt;
    }
    stream_->flush();
    if (buffer_->FirstError()) {
        file_->Discard();
        return WriteError(*buffer_->FirstError());
    }
    if (auto error = file_->Commit()) {
        file_->Discard();
        return WriteError(*error);
    }
    return std::nullopt;
}

void Output::Abandon() {
    if (!file_) {
        standardOut_.flush();
        return;
    }
    file_->Discard();
}

}  // namespace ravelin
