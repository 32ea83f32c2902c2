#pragma once

// The bytes each word of a file comes from, kept in about two bytes a word rather than sixteen:
// a word is told by the bytes between it and the word before and by its own length, and every
// 32nd word by its offset too, so that finding a word's bytes adds up at most 31 short steps.
// A gap or a length that does not fit a byte is kept whole on the side.

#include "engine/TracedReduction.h"

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace ravelin {

class WordSpans {
  public:
    WordSpans() = default;
    // The spans must be in text order without overlapping, as a reduction gives them.
    explicit WordSpans(std::span<const ByteSpan> spans);
    // The next word's span, after the words before it.
    void Append(ByteSpan span);

    ByteSpan At(int32_t word) const;
    // From the first byte of word `start` to the last of word `end` - 1.
    ByteSpan Of(int32_t start, int32_t end) const;
    size_t Bytes() const;

  private:
    static constexpr int32_t kStride = 32;
    static constexpr uint8_t kAside = 255;

    ByteSpan Aside(int32_t word) const;

    std::vector<uint64_t> starts_;  // of every kStride-th word
    std::vector<uint8_t> plain_;    // by stride: 1 when no word of it is kept aside
    std::vector<uint8_t> gaps_;     // from the end of the word before; kAside: kept whole
    std::vector<uint8_t> lengths_;  // kAside: kept whole
    std::vector<std::pair<int32_t, ByteSpan>> aside_;  // by word
    uint64_t end_ = 0;                                 // of the last word
};

}  // namespace ravelin
