#include "files/ReadOnlyFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelin {
namespace {

Error LastError() {
    const int error = errno;
    return Error{error, std::strerror(error)};
}

}  // namespace

Result<ReadOnlyFile> ReadOnlyFile::Open(const std::string& utf8Path) {
    // Non-blocking, so that opening a FIFO with no writer returns; a regular file reads the same
    // either way.
    const int fd = ::open(utf8Path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return LastError();
    }
    return ReadOnlyFile(fd);
}

ReadOnlyFile::~ReadOnlyFile() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

Result<FileStatus> ReadOnlyFile::Status() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        return LastError();
    }
    const FileKind kind = S_ISREG(info.st_mode)   ? FileKind::Regular
                          : S_ISDIR(info.st_mode) ? FileKind::Directory
                                                  : FileKind::Other;
    return FileStatus{kind, static_cast<uint64_t>(info.st_size > 0 ? info.st_size : 0)};
}

void ReadOnlyFile::AdviseWillRead() const {
    ::posix_fadvise(fd_, 0, 0, POSIX_FADV_WILLNEED);
}

Result<size_t> ReadOnlyFile::Read(char* buffer, size_t size) const {
    for (;;) {
        const ssize_t got = ::read(fd_, buffer, size);
        if (got >= 0) {
            return static_cast<size_t>(got);
        }
        if (errno != EINTR) {
            return LastError();
        }
    }
}

}  // namespace ravelin
