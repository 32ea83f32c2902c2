#pragma once

// An open file descriptor that closes itself. Header-only, because the text library compiles the
// files it needs into itself rather than linking the engine.

#include <fcntl.h>
#include <unistd.h>

namespace ravelin {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    // Non-blocking, so that a FIFO or a device named like a text file cannot stall the caller; a
    // regular file reads the same either way. Callers refuse other kinds of file by their status.
    static FileDescriptor OpenForReading(const char* path) {
        return FileDescriptor(::open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    }

    // Negative when the open failed, with errno telling why.
    int Get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace ravelin
