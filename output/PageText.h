#pragma once

// A matched file's beginning as the HTML page shows it: decoded for display, and the place of
// each of its first reduced words in that text, counted as the page's script counts (UTF-16 code
// units), so that the page marks exactly the words the scan compared.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

struct PageText {
    std::string text;  // UTF-8; ends in "…" when the file goes on
    // [start, end) of each word, two numbers a word, for the first words asked for.
    std::vector<uint32_t> spans;
};

// Reads as much of the file as its first `words` words need (at least `bytes` bytes, for the
// reader's context, and never more than a bounded amount); a file that cannot be read gives an
// empty text rather than failing the whole page.
PageText ReadPageText(const std::string& path, int32_t words, size_t bytes);

// Where the bytes of a file as stored lie in its text as the page holds it, in UTF-16 units. A
// Windows-1252 byte is one unit; a UTF-8 text keeps a mark after each character of more than one
// byte, so that what an ASCII text costs is nothing.
class Utf16Places {
  public:
    Utf16Places() = default;
    Utf16Places(std::string_view utf8, bool stored);
    // The units before byte `offset`; a place past the end is the end, so that a file changed
    // since it was scanned still gives positions inside its text.
    uint32_t At(uint64_t offset) const;

  private:
    struct Mark {
        uint64_t end;    // the byte after a character of several bytes
        uint64_t extra;  // bytes over units up to there
    };
    std::vector<Mark> marks_;
    uint64_t bytes_ = 0;
};

struct WholePageText {
    std::string text;  // UTF-8; empty when the file could not be read or is too large to show
    Utf16Places places;
    bool shown = false;
};

// A whole file for the page, up to `mostBytes`: a larger one, or one that cannot be read, gives
// an empty text rather than failing the page.
WholePageText ReadWholePageText(const std::string& path, uint64_t mostBytes);

}  // namespace ravelin
