#include "engine/TextReader.h"

#include "files/FileDescriptor.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelin {
namespace {

enum class Budget { Chars, Lines };

// Joins the lines of the file in place, as its bytes arrive at the end of the text: a line end
// becomes the space that joins its line to the next one, so the text never grows while it is
// rewritten and the file is never held twice.
class LineJoiner {
  public:
    LineJoiner(Budget budget, int32_t limit, std::string& text)
        : budget_(budget), limit_(limit), text_(text) {}

    // Joins the bytes from `end_` to the end of the text. Returns true once the budget is met;
    // the bytes after the line that met it are dropped.
    bool JoinNewBytes() {
        char* const data = text_.data();
        const size_t size = text_.size();
        size_t read = end_;
        while (read < size) {
            if (skipLineFeed_) {
                skipLineFeed_ = false;
                if (data[read] == '\n') {
                    ++read;
                    continue;
                }
            }
            spaceProvisional_ = false;  // more of the file follows the line end
            const void* found = std::memchr(data + read, '\r', size - read);
            const size_t lineEnd =
                found == nullptr ? size
                                 : static_cast<size_t>(static_cast<const char*>(found) - data);
            if (lineEnd > read) {
                FlushSpace(data);
                if (end_ != read) {
                    std::memmove(data + end_, data + read, lineEnd - read);
                }
                end_ += lineEnd - read;
                lineLength_ += static_cast<int64_t>(lineEnd - read);
                lineOpen_ = true;
            }
            if (found == nullptr) {
                break;
            }
            read = lineEnd + 1;
            skipLineFeed_ = true;
            if (EndLine(data)) {
                text_.resize(end_);
                return true;
            }
        }
        // A space still owed at the end of a read takes the place of the line end it stands for;
        // the next read confirms it, or the end of the file takes it back.
        if (spacePending_) {
            data[end_++] = ' ';
            spacePending_ = false;
            spaceProvisional_ = true;
        }
        text_.resize(end_);
        return false;
    }

    // The end of the file ends a line that has begun; a file that ends with a line end has no
    // further, empty line.
    void Finish() {
        if (spaceProvisional_) {
            --end_;
        }
        if (lineOpen_) {
            EndLine(text_.data());
        }
        text_.resize(end_);
    }

    int32_t Count() const { return count_; }

  private:
    // The space that joins two lines is written only when the next line turns out to exist.
    void FlushSpace(char* data) {
        if (spacePending_) {
            data[end_++] = ' ';
            spacePending_ = false;
        }
    }

    bool EndLine(char* data) {
        FlushSpace(data);
        spacePending_ = end_ > 0;
        const int64_t added = budget_ == Budget::Chars ? lineLength_ : 1;
        count_ = static_cast<int32_t>(std::min<int64_t>(count_ + added, INT32_MAX));
        lineOpen_ = false;
        lineLength_ = 0;
        return limit_ > 0 && count_ >= limit_;
    }

    Budget budget_;
    int32_t limit_;
    std::string& text_;
    size_t end_ = 0;  // the joined text is text_[0, end_)
    int32_t count_ = 0;
    int64_t lineLength_ = 0;
    bool lineOpen_ = false;
    bool spacePending_ = false;
    bool spaceProvisional_ = false;
    bool skipLineFeed_ = false;
};

void SetError(ReaderResult& result, int errorNumber, const char* description) {
    result.text.clear();
    result.text.shrink_to_fit();
    result.error = Error{errorNumber, description};
}

constexpr size_t kFirstChunk = size_t{64} << 10;
constexpr size_t kLargestChunk = size_t{4} << 20;
constexpr size_t kLargestReservation = size_t{1} << 30;

ReaderResult ReadText(const std::string& path, Budget budget, int32_t limit) {
    ReaderResult result;
    const FileDescriptor file = FileDescriptor::OpenForReading(path.c_str());
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
    // Room for the whole file at once: a file without carriage returns is read whole whatever
    // the budget, and growing by doubling would copy it again and again. Reserving touches no
    // memory that is not read into.
    // The room also covers the text's growth when em dashes become " -- ", 4 bytes for 3.
    result.text.reserve(std::min(size + size / 3 + 1, kLargestReservation));
    LineJoiner joiner(budget, limit, result.text);
    size_t chunk = std::clamp(size + 1, size_t{1}, kFirstChunk);
    size_t total = 0;
    for (;;) {
        const size_t before = result.text.size();
        result.text.resize(before + chunk);
        const ssize_t got = ::read(file.Get(), result.text.data() + before, chunk);
        if (got < 0) {
            if (errno == EINTR) {
                result.text.resize(before);
                continue;
            }
            const int error = errno;
            result.count = joiner.Count();
            SetError(result, error, std::strerror(error));
            return result;
        }
        result.text.resize(before + static_cast<size_t>(got));
        if (got == 0 || joiner.JoinNewBytes()) {
            break;
        }
        total += static_cast<size_t>(got);
        if (size > 0 && total >= size) {
            break;  // saves the read that would only report the end of the file
        }
        if (chunk < kLargestChunk && total >= chunk) {
            chunk = std::min(chunk * 2, kLargestChunk);
        }
    }
    joiner.Finish();
    result.count = joiner.Count();
    return result;
}

// A file too large for the memory is a file that cannot be read, not the end of the scan.
ReaderResult ReadGuarded(const std::string& path, Budget budget, int32_t limit) {
    try {
        return ReadText(path, budget, limit);
    } catch (const std::bad_alloc&) {
        ReaderResult result;
        SetError(result, ENOMEM, std::strerror(ENOMEM));
        return result;
    }
}

}  // namespace

ReaderResult ReadTextByChars(const std::string& path, int32_t minChars) {
    return ReadGuarded(path, Budget::Chars, minChars);
}

ReaderResult ReadTextByLines(const std::string& path, int32_t maxLines) {
    return ReadGuarded(path, Budget::Lines, maxLines);
}

}  // namespace ravelin
