#pragma once

// A file opened for reading by its UTF-8 name, closed when the object goes. The same on every
// platform: binary reads, sizes in 64 bits, and a kind that lets callers refuse what is no
// regular file before they read from it. The text library compiles this file into itself rather
// than linking the engine.

#include "files/Result.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace ravelin {

enum class FileKind { Regular, Directory, Other };

struct FileStatus {
    FileKind kind = FileKind::Other;
    uint64_t size = 0;
};

class ReadOnlyFile {
  public:
    // Never waits: a FIFO or a device named like a text file opens at once, and its kind then
    // says what it is. A folder opens too, so that its kind can be told. The error holds errno
    // and its text.
    static Result<ReadOnlyFile> Open(const std::string& utf8Path);

    ReadOnlyFile(ReadOnlyFile&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(ReadOnlyFile&&) = delete;
    ~ReadOnlyFile();

    Result<FileStatus> Status() const;

    // Tells the system that the whole file is to be read soon, so that it reads it from the disk
    // while the caller does other work; nothing where the system has no such advice.
    void AdviseWillRead() const;

    // Up to `size` bytes into `buffer`; 0 at the end of the file. A read that a signal
    // interrupted is tried again.
    Result<size_t> Read(char* buffer, size_t size) const;

  private:
    explicit ReadOnlyFile(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace ravelin
