#pragma once

// The reduction of a whole file, as stored, to its words, each with the bytes of the file it
// comes from. The words are those that reading the whole file by lines and ReduceToWords give;
// the bytes of a word run from the first byte that makes its first character to the last byte
// that makes its last one, so that a word repaired from UTF-8, or joined across a removed
// control pair, covers all of it.
//
// The text is streamed through the steps with no copy of it: the repairs that depend on the
// whole text (which pairs the Latin-1 searches rewrite, which punctuation sequence comes first)
// are decided by passes that only count, and a pass that writes follows. Only a text in which a
// Latin-1 rewrite can form new pairs (a lead directly before a lead, 0xC3 0x83 before a byte in
// range) is held once more, with the origin of every byte, for the literal search.

#include "files/Result.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

struct ByteSpan {
    uint64_t offset = 0;
    uint64_t length = 0;

    bool operator==(const ByteSpan&) const = default;
};

// Called for every word in text order with its characters (Windows-1252) and its bytes.
using TracedWordVisitor = std::function<void(std::string_view word, ByteSpan bytes)>;

void ReduceStoredText(std::string_view stored, const TracedWordVisitor& visit);

// The whole file as it is stored; only regular files (or links to them) are read.
Result<std::string> ReadStoredFile(const std::string& path);

// Has the system start reading a file that ReadStoredFile will read soon, where it can; a file
// that cannot be opened, or is no regular file, is left for ReadStoredFile to report.
void PrefetchStoredFile(const std::string& path);

struct TracedWords {
    std::vector<std::string> words;
    std::vector<ByteSpan> spans;
};

TracedWords ReduceStoredTextToWords(std::string_view stored);

}  // namespace ravelin
