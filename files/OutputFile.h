#pragma once

// A file written by its UTF-8 name so that nobody who can write to its folder can turn the write
// against the user, and so that a failed write loses nothing. A regular file, or a name not yet
// taken, is written under a new, short, unique name in the same folder, created exclusively and
// never through a link; only a complete result, flushed to the disk, takes the name, with the
// mode and owner of the file it replaces. A FIFO, a device or a terminal is written directly and
// never replaced. The temporary file goes on every failure, and a signal handler can remove it
// too (RemoveTemporaryOutputFiles).

#include "files/Result.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ravelin {

// The temporary name for the given attempt (0, 1, ...): a bare name in the target's folder.
// Tests choose it, to plant links where the writer will look.
using TemporaryNamer = std::function<std::string(int attempt)>;

// ".rvn" and random letters: short, so that a target of the longest name still has a partner.
std::string RandomTemporaryName(int attempt);

class OutputFile {
  public:
    static Result<OutputFile> Open(const std::string& utf8Path,
                                   const TemporaryNamer& namer = RandomTemporaryName);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&& other) noexcept;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    // Discards what was not committed.
    ~OutputFile();

    // All of the bytes, or the error that stopped them (errno and its text).
    std::optional<Error> Write(const char* data, size_t size);
    // Flushes to the disk and gives a temporary file the target's name.
    std::optional<Error> Commit();
    // Removes a temporary file, leaving the target as it was.
    void Discard();

    // Written directly: a FIFO, a device or a terminal.
    bool InPlace() const;
    uint64_t BytesWritten() const;

    struct State;

  private:
    explicit OutputFile(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// Removes every temporary file that is still being written. Safe to call from a signal handler:
// it allocates nothing and takes no lock.
void RemoveTemporaryOutputFiles() noexcept;

}  // namespace ravelin
