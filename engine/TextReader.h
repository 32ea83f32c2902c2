#pragma once

// The two readers of a scan. A file is read as a sequence of lines, which are joined by single
// spaces; a line ends at a carriage return (with an optional line feed after it), and a line feed
// alone stays inside the line. Reading stops after the line that meets the budget.

#include "files/Result.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace ravelin {

enum class Budget { Chars, Lines };

// A file read as far as its caller needs, in steps: the text so far is the beginning of the text
// a whole read gives, but for a space at its end that the next line end may take back.
class LineReader {
  public:
    LineReader();
    ~LineReader();
    LineReader(LineReader&&) noexcept;
    LineReader& operator=(LineReader&&) noexcept;

    // Only regular files (or links to them) are opened.
    std::optional<Error> Open(const std::string& path, Budget budget, int32_t limit);
    // Reads about `bytes` more bytes, fewer when the budget is met or the file ends.
    std::optional<Error> ReadMore(size_t bytes);
    // The budget was met or the file ended: the text is the one a whole read gives.
    bool Finished() const;
    const std::string& Text() const;
    std::string& Text();
    int32_t Count() const;  // characters or lines read so far
    // Forgets the first `bytes` bytes of the text, which must leave its last byte; the text's
    // room stays, for what is read next.
    void DropFront(size_t bytes);

  private:
    std::optional<Error> Read(size_t bytes);

    struct State;
    std::unique_ptr<State> state_;
};

struct ReaderResult {
    std::string text;
    std::optional<Error> error;  // errno and its text
    int32_t count = 0;           // characters or lines read
};

// Reads whole lines until at least minChars characters of line text have been read
// (minChars <= 0: the whole file). Only regular files (or links to them) are opened.
ReaderResult ReadTextByChars(const std::string& path, int32_t minChars);

// Reads whole lines until maxLines lines have been read (maxLines <= 0: the whole file).
ReaderResult ReadTextByLines(const std::string& path, int32_t maxLines);

}  // namespace ravelin
