#include "engine/WordSpans.h"

#include <algorithm>

namespace ravelin {

WordSpans::WordSpans(std::span<const ByteSpan> spans) {
    starts_.reserve((spans.size() + kStride - 1) / kStride);
    plain_.reserve(starts_.capacity());
    gaps_.reserve(spans.size());
    lengths_.reserve(spans.size());
    for (const ByteSpan& span : spans) {
        Append(span);
    }
    aside_.shrink_to_fit();
}

void WordSpans::Append(ByteSpan span) {
    if (lengths_.size() % kStride == 0) {
        starts_.push_back(span.offset);
        plain_.push_back(1);
    }
    const bool fits = span.offset >= end_ && span.offset - end_ < kAside && span.length < kAside;
    plain_.back() &= fits ? 1 : 0;
    gaps_.push_back(fits ? static_cast<uint8_t>(span.offset - end_) : kAside);
    lengths_.push_back(fits ? static_cast<uint8_t>(span.length) : kAside);
    if (!fits) {
        aside_.emplace_back(static_cast<int32_t>(lengths_.size() - 1), span);
    }
    end_ = span.offset + span.length;
}

ByteSpan WordSpans::Aside(int32_t word) const {
    const auto it = std::lower_bound(aside_.begin(), aside_.end(), word,
                                     [](const auto& entry, int32_t w) { return entry.first < w; });
    return it->second;
}

ByteSpan WordSpans::At(int32_t word) const {
    const int32_t first = word - word % kStride;
    const auto stride = static_cast<size_t>(first / kStride);
    uint64_t end = starts_[stride];
    if (plain_[stride] != 0) {
        // Without words aside the offset is a plain sum, which the compiler does many at once.
        const auto from = static_cast<size_t>(first);
        const auto to = static_cast<size_t>(word);
        uint32_t offset = 0;
        for (size_t w = from; w < to; ++w) {
            offset += uint32_t{lengths_[w]} + gaps_[w + 1];
        }
        return ByteSpan{end + offset, lengths_[to]};
    }
    ByteSpan span;
    for (int32_t w = first; w <= word; ++w) {
        const auto at = static_cast<size_t>(w);
        if (lengths_[at] == kAside) {
            span = Aside(w);
        } else {
            span.offset = w == first ? end : end + gaps_[at];
            span.length = lengths_[at];
        }
        end = span.offset + span.length;
    }
    return span;
}

ByteSpan WordSpans::Of(int32_t start, int32_t end) const {
    const ByteSpan first = At(start);
    const ByteSpan last = At(end - 1);
    return ByteSpan{first.offset, last.offset + last.length - first.offset};
}

size_t WordSpans::Bytes() const {
    return starts_.capacity() * sizeof(uint64_t) + plain_.capacity() + gaps_.capacity() +
           lengths_.capacity() + aside_.capacity() * sizeof(aside_[0]);
}

}  // namespace ravelin
