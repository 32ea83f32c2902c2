#include "output/Output.h"

#include "files/TextEncoding.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace ravelin {

Output::Output(std::string path, std::ostream& standardOut)
    : path_(std::move(path)), standardOut_(standardOut) {}

Output::~Output() {
    if (file_ && !finished_) {
        file_.reset();
        std::error_code ignored;
        std::filesystem::remove(partPath_, ignored);
    }
}

std::optional<Error> Output::Open() {
    if (path_.empty()) {
        return std::nullopt;
    }
    partPath_ = path_ + ".part";
    errno = 0;
    file_ = std::make_unique<std::ofstream>(partPath_, std::ios::binary);
    if (!*file_) {
        const int error = errno;
        file_.reset();
        return WriteError(error);
    }
    return std::nullopt;
}

bool Output::Failed() const {
    return file_ ? file_->fail() : standardOut_.fail();
}

Error Output::WriteError(int errorNumber) const {
    const std::string what = path_.empty() ? "the standard output" : "'" + Utf8Lossy(path_) + "'";
    const std::string why = errorNumber != 0 ? std::strerror(errorNumber) : "write error";
    return Error{errorNumber, "cannot write " + what + ": " + why};
}

std::optional<Error> Output::Finish() {
    errno = 0;
    Stream().flush();
    if (Failed()) {
        return WriteError(errno);
    }
    if (!file_) {
        return std::nullopt;
    }
    file_->close();
    if (file_->fail()) {
        return WriteError(errno);
    }
    std::error_code error;
    std::filesystem::rename(partPath_, path_, error);
    if (error) {
        return WriteError(error.value());
    }
    finished_ = true;
    return std::nullopt;
}

}  // namespace ravelin
