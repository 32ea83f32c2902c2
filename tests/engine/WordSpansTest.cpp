#include "engine/WordSpans.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace ravelin {
namespace {

// Spans as a reduction gives them, with gaps and lengths around the byte that holds them: 254
// fits, 255 and more are kept whole; and a file past 4 GB.
TEST(WordSpans, EveryWordGivesBackItsBytes) {
    std::mt19937 random(7);
    const std::vector<uint64_t> sizes = {0, 1, 7, 254, 255, 256, 70000};
    std::vector<ByteSpan> spans;
    uint64_t at = 0;
    for (int w = 0; w < 1000; ++w) {
        at += sizes[random() % sizes.size()];
        const uint64_t length = 1 + sizes[random() % sizes.size()];
        spans.push_back(ByteSpan{at, length});
        at += length;
        if (w == 500) {
            at += uint64_t{5} << 30;
        }
    }
    const WordSpans table(spans);
    for (int32_t w = 0; w < static_cast<int32_t>(spans.size()); ++w) {
        const ByteSpan got = table.At(w);
        ASSERT_EQ(got.offset, spans[static_cast<size_t>(w)].offset) << w;
        ASSERT_EQ(got.length, spans[static_cast<size_t>(w)].length) << w;
    }
    const ByteSpan passage = table.Of(31, 65);
    EXPECT_EQ(passage.offset, spans[31].offset);
    EXPECT_EQ(passage.offset + passage.length, spans[64].offset + spans[64].length);
    // Short gaps and words, as in most text, take about two bytes a word, and are told back
    // without a word kept aside.
    std::vector<ByteSpan> plain;
    at = 0;
    for (uint64_t w = 0; w < 3200; ++w) {
        at += random() % 255;
        plain.push_back(ByteSpan{at, 1 + random() % 254});
        at += plain.back().length;
    }
    const WordSpans compact(plain);
    EXPECT_LE(compact.Bytes(), 3200U * 2 + 100 * 9);
    for (int32_t w = 0; w < static_cast<int32_t>(plain.size()); ++w) {
        ASSERT_EQ(compact.At(w), plain[static_cast<size_t>(w)]) << w;
    }
}

}  // namespace
}  // namespace ravelin
