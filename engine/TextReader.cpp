#include "engine/TextReader.h"

#include "files/ReadOnlyFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>
#include <string_view>

namespace ravelin {
namespace {

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

    // The text lost its first bytes; what is joined next goes behind what is left.
    void Dropped(size_t bytes) { end_ -= bytes; }

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

Error ErrorOf(int errorNumber) {
    return Error{errorNumber, std::strerror(errorNumber)};
}

// A file too large for the memory is a file that cannot be read, not the end of the scan.
template <class Action>
std::optional<Error> Guarded(Action action) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        return ErrorOf(ENOMEM);
    }
}

}  // namespace

struct LineReader::State {
    State(const std::string& path, Budget budget, int32_t limit)
        : file(ReadOnlyFile::Open(path)), joiner(budget, limit, text) {}

    Result<ReadOnlyFile> file;
    size_t size = 0;
    std::string text;
    LineJoiner joiner;
    size_t total = 0;
    bool finished = false;
};

LineReader::LineReader() = default;
LineReader::~LineReader() = default;
LineReader::LineReader(LineReader&&) noexcept = default;
LineReader& LineReader::operator=(LineReader&&) noexcept = default;

std::optional<Error> LineReader::Open(const std::string& path, Budget budget, int32_t limit) {
    state_ = std::make_unique<State>(path, budget, limit);
    const Result<ReadOnlyFile>& file = state_->file;
    if (!file) {
        return file.error();
    }
    const Result<FileStatus> info = file.value().Status();
    if (!info) {
        return info.error();
    }
    if (info.value().kind != FileKind::Regular) {
        return Error{info.value().kind == FileKind::Directory ? EISDIR : EINVAL,
                     "Not a regular file"};
    }
    state_->size = static_cast<size_t>(std::min<uint64_t>(info.value().size, SIZE_MAX));
    return std::nullopt;
}

std::optional<Error> LineReader::ReadMore(size_t bytes) {
    return Guarded([&] { return Read(bytes); });
}

std::optional<Error> LineReader::Read(size_t bytes) {
    State& s = *state_;
    if (s.text.capacity() == 0) {
        // Room for the whole file at once when it is to be read whole: a file without carriage
        // returns is read whole whatever the budget, and growing by doubling would copy it again
        // and again. Reserving touches no memory that is not read into. The room also covers
        // the text's growth when em dashes become " -- ", 4 bytes for 3.
        s.text.reserve(
            std::min({s.size + s.size / 3 + 1, bytes + bytes / 3 + 1, kLargestReservation}));
    }
    const size_t goal = s.total + std::max<size_t>(bytes, 1);
    size_t chunk = std::clamp(std::min(s.size + 1, bytes), size_t{1}, kFirstChunk);
    while (!s.finished && s.total < goal) {
        chunk = std::min(chunk, goal - s.total);
        const size_t before = s.text.size();
        s.text.resize(before + chunk);
        const Result<size_t> read = s.file.value().Read(s.text.data() + before, chunk);
        if (!read) {
            s.text.resize(before);
            return read.error();
        }
        const size_t got = read.value();
        s.text.resize(before + got);
        s.total += got;
        // The read that reaches the size saves the one that would only report the end.
        s.finished = got == 0 || s.joiner.JoinNewBytes() || (s.size > 0 && s.total >= s.size);
        if (chunk < kLargestChunk && s.total >= chunk) {
            chunk = std::min(chunk * 2, kLargestChunk);
        }
    }
    if (s.finished) {
        s.joiner.Finish();
    }
    return std::nullopt;
}

bool LineReader::Finished() const {
    return state_->finished;
}

const std::string& LineReader::Text() const {
    return state_->text;
}

std::string& LineReader::Text() {
    return state_->text;
}

int32_t LineReader::Count() const {
    return state_->joiner.Count();
}

void LineReader::DropFront(size_t bytes) {
    state_->text.erase(0, bytes);
    state_->joiner.Dropped(bytes);
}

namespace {

ReaderResult ReadWhole(const std::string& path, Budget budget, int32_t limit) {
    ReaderResult result;
    LineReader reader;
    std::optional<Error> error = reader.Open(path, budget, limit);
    while (!error && !reader.Finished()) {
        error = reader.ReadMore(SIZE_MAX / 2);
    }
    if (error) {
        SetError(result, error->code, error->message.c_str());
        return result;
    }
    result.count = reader.Count();
    result.text = std::move(reader.Text());
    return result;
}

}  // namespace

ReaderResult ReadTextByChars(const std::string& path, int32_t minChars) {
    return ReadWhole(path, Budget::Chars, minChars);
}

ReaderResult ReadTextByLines(const std::string& path, int32_t maxLines) {
    return ReadWhole(path, Budget::Lines, maxLines);
}

}  // namespace ravelin
