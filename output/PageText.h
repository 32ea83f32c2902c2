#pragma once

// A matched file's beginning as the HTML page shows it: decoded for display, and the place of
// each of its first reduced words in that text, counted as the page's script counts (UTF-16 code
// units), so that the page marks exactly the words the scan compared.

#include <cstdint>
#include <string>
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

}  // namespace ravelin
