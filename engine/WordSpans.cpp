#include "engine/WordSpans.h"

#include <algorithm>

namespace ravelin {

WordSpans::WordSpans(std::span<const ByteSpan> spans) {
    starts_.reserve((spans.size() + kStride - 1) / kStride);
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
    }
    const bool fits = span.offset >= end_ && span.offset - end_ < kAside && span.length < kAside;
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
    uint64_t end = starts_[static_cast<size_t>(first / kStride)];
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
    return starts_.capacity() * sizeof(uint64_t) + gaps_.capacity() + lengths_.capacity() +
           aside_.capacity() * sizeof(aside_[0]);
}

}  // namespace ravelin
