#include "engine/Passages.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace ravelin {
namespace {

constexpr uint64_t kWindowBase = 0x100000001B3ULL;

uint64_t Mix(uint64_t x) {
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    x ^= x >> 31;
    return x;
}

// The words inside any of the spans, which come by start; `span` gives an item's [start, end).
template <class Items, class SpanOf>
int32_t CoveredWords(const Items& items, SpanOf span) {
    int32_t covered = 0;
    int32_t reached = 0;
    for (const auto& item : items) {
        const auto [start, end] = span(item);
        const int32_t from = std::max(start, reached);
        covered += std::max(0, end - from);
        reached = std::max(reached, end);
    }
    return covered;
}

int32_t PercentOf(int32_t part, int32_t whole) {
    return whole == 0 ? 0 : static_cast<int32_t>(int64_t{part} * 100 / whole);
}

}  // namespace

std::vector<uint64_t> WindowHashes(std::span<const uint64_t> wordHashes, int32_t k) {
    const auto n = static_cast<int64_t>(wordHashes.size());
    if (k <= 0 || n < k) {
        return {};
    }
    uint64_t top = 1;  // the base to the power k - 1
    for (int32_t t = 1; t < k; ++t) {
        top *= kWindowBase;
    }
    std::vector<uint64_t> windows(static_cast<size_t>(n - k + 1));
    uint64_t rolling = 0;
    for (int64_t i = 0; i < n; ++i) {
        if (i >= k) {
            rolling -= Mix(wordHashes[static_cast<size_t>(i - k)]) * top;
        }
        rolling = rolling * kWindowBase + Mix(wordHashes[static_cast<size_t>(i)]);
        if (i + 1 >= k) {
            windows[static_cast<size_t>(i + 1 - k)] = Mix(rolling);
        }
    }
    return windows;
}

std::vector<bool> CommonWords(std::span<const uint64_t> windows, size_t words, int32_t minWords,
                              const CommonWindows& common) {
    std::vector<bool> marks(words, false);
    const auto k = static_cast<size_t>(minWords);
    size_t markedTo = 0;
    for (size_t w = 0; w < windows.size(); ++w) {
        if (common.Contains(windows[w])) {
            for (size_t p = std::max(w, markedTo); p < w + k; ++p) {
                marks[p] = true;
            }
            markedTo = w + k;
        }
    }
    return marks;
}

PassageFinder::PassageFinder(PassageRules rules, const CommonWindows* common)
    : rules_(rules), common_(common != nullptr && !common->Empty() ? common : nullptr) {}

void PassageFinder::Prepare(Side& side, PassageText text) const {
    side.text = text;
    const size_t words = text.ids.size();
    const size_t windows = text.windows.size();
    const auto k = static_cast<size_t>(rules_.minWords);
    side.common = common_ != nullptr ? CommonWords(text.windows, words, rules_.minWords, *common_)
                                     : std::vector<bool>(words, false);
    side.usable.assign(windows, true);
    size_t lastCommon = SIZE_MAX;
    for (size_t p = 0; p < words && common_ != nullptr; ++p) {
        if (side.common[p]) {
            lastCommon = p;
        }
        if (p + 1 >= k && lastCommon != SIZE_MAX && lastCommon + k > p) {
            side.usable[p + 1 - k] = false;
        }
    }
    side.firstWindow = FlatKeyMap(windows);
    side.nextWindow.assign(windows, 0);
    for (size_t w = windows; w-- > 0;) {
        if (!side.usable[w]) {
            continue;
        }
        const uint64_t key = text.windows[w] == FlatKeyMap::kEmptyKey ? 0 : text.windows[w];
        uint32_t& head = side.firstWindow[key];
        side.nextWindow[w] = static_cast<int32_t>(head);
        head = static_cast<uint32_t>(w + 1);
    }
}

void PassageFinder::SetSecond(PassageText second) {
    Prepare(second_, second);
}

// The first usable window of `from` that holds the same words as window `window` of `in`.
int32_t PassageFinder::FirstShared(const Side& in, const Side& from, int32_t window) const {
    const uint64_t hash = in.text.windows[static_cast<size_t>(window)];
    const uint32_t* head = from.firstWindow.Find(hash == FlatKeyMap::kEmptyKey ? 0 : hash);
    const auto k = static_cast<size_t>(rules_.minWords);
    for (int32_t w = head == nullptr ? 0 : static_cast<int32_t>(*head); w > 0;
         w = from.nextWindow[static_cast<size_t>(w - 1)]) {
        const auto a = in.text.ids.subspan(static_cast<size_t>(window), k);
        const auto b = from.text.ids.subspan(static_cast<size_t>(w - 1), k);
        if (std::equal(a.begin(), a.end(), b.begin())) {
            return w - 1;
        }
    }
    return -1;
}

bool PassageFinder::WordsEqual(int32_t i, int32_t j) const {
    const auto p = static_cast<size_t>(i);
    const auto q = static_cast<size_t>(j);
    return first_.text.ids[p] == second_.text.ids[q] && !first_.common[p] && !second_.common[q];
}

// The longest stretch of equal words on the diagonal of a shared window starting at (i, j).
Run PassageFinder::RunThrough(int32_t i, int32_t j) const {
    int32_t before = 0;
    while (i - before > 0 && j - before > 0 && WordsEqual(i - before - 1, j - before - 1)) {
        ++before;
    }
    const auto n1 = static_cast<int32_t>(first_.text.ids.size());
    const auto n2 = static_cast<int32_t>(second_.text.ids.size());
    int32_t end = rules_.minWords;
    while (i + end < n1 && j + end < n2 && WordsEqual(i + end, j + end)) {
        ++end;
    }
    return Run{i - before, j - before, before + end};
}

void PassageFinder::Cover(bool fromFirst, std::vector<Run>& runs) const {
    const Side& in = fromFirst ? first_ : second_;
    const Side& other = fromFirst ? second_ : first_;
    const auto windows = static_cast<int32_t>(in.text.windows.size());
    int32_t covered = 0;  // the words before it are in the last run found
    for (int32_t w = 0; w < windows; ++w) {
        if (!in.usable[static_cast<size_t>(w)] || w + rules_.minWords <= covered) {
            continue;
        }
        const int32_t shared = FirstShared(in, other, w);
        if (shared < 0) {
            continue;
        }
        const Run run = fromFirst ? RunThrough(w, shared) : RunThrough(shared, w);
        runs.push_back(run);
        covered = (fromFirst ? run.start1 : run.start2) + run.length;
    }
}

std::vector<Run> PassageFinder::PickedRuns(PassageText first) {
    Prepare(first_, first);
    std::vector<Run> runs;
    Cover(true, runs);
    Cover(false, runs);
    return runs;
}

std::vector<Passage> PassageFinder::Find(PassageText first) {
    return JoinRuns(PickedRuns(first), rules_.maxGap);
}

void Summarise(PairPassages& pair) {
    pair.longest = 0;
    bool secondInOrder = true;
    for (size_t p = 0; p < pair.passages.size(); ++p) {
        const Passage& passage = pair.passages[p];
        if (passage.equal > pair.passages[static_cast<size_t>(pair.longest)].equal) {
            pair.longest = static_cast<int32_t>(p);
        }
        secondInOrder = secondInOrder && (p == 0 || pair.passages[p - 1].start2 <= passage.start2);
    }
    // The passages come by start1, and mostly by start2 too: only then are spans not copied.
    using Span = std::pair<int32_t, int32_t>;
    const auto side1 = [](const Passage& passage) { return Span(passage.start1, passage.end1); };
    const auto side2 = [](const Passage& passage) { return Span(passage.start2, passage.end2); };
    pair.shared1 = CoveredWords(pair.passages, side1);
    if (secondInOrder) {
        pair.shared2 = CoveredWords(pair.passages, side2);
    } else {
        std::vector<Span> spans2;
        spans2.reserve(pair.passages.size());
        std::transform(pair.passages.begin(), pair.passages.end(), std::back_inserter(spans2), side2);
        std::sort(spans2.begin(), spans2.end());
        pair.shared2 = CoveredWords(spans2, [](const Span& span) { return span; });
    }
    pair.percent1 = PercentOf(pair.shared1, pair.total1);
    pair.percent2 = PercentOf(pair.shared2, pair.total2);
}

}  // namespace ravelin
