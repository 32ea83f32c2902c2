#include "engine/TextReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

namespace ravelin {
namespace {

enum class Budget { Chars, Lines };

// Joins the lines of a byte stream as they arrive, so a file is never held twice.
class LineJoiner {
public:
    LineJoiner(Budget budget, int32_t limit, std::string& text)
        : budget_(budget), limit_(limit), text_(text) {}

    // Returns true once the budget is met; the rest of the chunk is then ignored.
    bool Feed(std::string_view chunk) {
        while (!chunk.empty()) {
            if (skipLineFeed_) {
                skipLineFeed_ = false;
                if (chunk.front() == '\n') {
                    chunk.remove_prefix(1);
                    continue;
                }
            }
            const void* found = std::memchr(chunk.data(), '\r', chunk.size());
            const size_t end = found == nullptr
                                   ? chunk.size()
                                   : static_cast<size_t>(static_cast<const char*>(found) -
                                                         chunk.data());
            AppendToLine(chunk.substr(0, end));
            if (found == nullptr) {
                return false;
            }
            chunk.remove_prefix(end + 1);
            skipLineFeed_ = true;
            if (EndLine()) {
                return true;
            }
        }
        return false;
    }

    // The end of the file ends a line that has begun; a file that ends with a line end has no
    // further, empty line.
    void Finish() {
        if (lineOpen_) {
            EndLine();
        }
    }

    int32_t Count() const { return count_; }

private:
    void AppendToLine(std::string_view part) {
        if (part.empty()) {
            return;
        }
        OpenLine();
        text_.append(part);
        lineLength_ += static_cast<int64_t>(part.size());
    }

    void OpenLine() {
        if (!lineOpen_) {
            if (!text_.empty()) {
                text_.push_back(' ');
            }
            lineOpen_ = true;
        }
    }

    bool EndLine() {
        OpenLine();
        const int64_t added = budget_ == Budget::Chars ? lineLength_ : 1;
        count_ = static_cast<int32_t>(std::min<int64_t>(count_ + added, INT32_MAX));
        lineOpen_ = false;
        lineLength_ = 0;
        return limit_ > 0 && count_ >= limit_;
    }

    Budget budget_;
    int32_t limit_;
    std::string& text_;
    int32_t count_ = 0;
    int64_t lineLength_ = 0;
    bool lineOpen_ = false;
    bool skipLineFeed_ = false;
};

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    int Get() const { return fd_; }

private:
    int fd_;
};

void SetError(ReaderResult& result, int errorNumber, const char* description) {
    result.text.clear();
    result.text.shrink_to_fit();
    result.errorNumber = errorNumber;
    result.errorDescription = description;
}

constexpr size_t kFirstChunk = size_t{64} << 10;
constexpr size_t kLargestChunk = size_t{4} << 20;

ReaderResult ReadText(const std::string& path, Budget budget, int32_t limit) {
    ReaderResult result;
    // Non-blocking, so that a FIFO named like a text file cannot stall the scan; a regular file
    // reads the same either way.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) {
        const int error = errno;
        SetError(result, error, std::strerror(error));
        return result;
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) != 0) {
        const int error = errno;
        SetError(result, error, std::strerror(error));
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        SetError(result, S_ISDIR(info.st_mode) ? EISDIR : EINVAL, "Not a regular file");
        return result;
    }
    const auto size = static_cast<size_t>(std::max<off_t>(info.st_size, 0));
    if (limit <= 0) {
        result.text.reserve(size);
    }
    LineJoiner joiner(budget, limit, result.text);
    std::vector<char> buffer(std::clamp(size + 1, size_t{1}, kFirstChunk));
    size_t total = 0;
    for (;;) {
        const ssize_t got = ::read(file.Get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            const int error = errno;
            result.count = joiner.Count();
            SetError(result, error, std::strerror(error));
            return result;
        }
        if (got == 0 || joiner.Feed(std::string_view(buffer.data(), static_cast<size_t>(got)))) {
            break;
        }
        total += static_cast<size_t>(got);
        if (size > 0 && total >= size) {
            break;  // saves the read that would only report the end of the file
        }
        if (buffer.size() < kLargestChunk && total >= buffer.size()) {
            buffer.resize(std::min(buffer.size() * 2, kLargestChunk));
        }
    }
    joiner.Finish();
    result.count = joiner.Count();
    return result;
}

}  // namespace

ReaderResult ReadTextByChars(const std::string& path, int32_t minChars) {
    return ReadText(path, Budget::Chars, minChars);
}

ReaderResult ReadTextByLines(const std::string& path, int32_t maxLines) {
    return ReadText(path, Budget::Lines, maxLines);
}

}  // namespace ravelin
