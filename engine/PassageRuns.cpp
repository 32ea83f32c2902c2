#include "engine/PassageRuns.h"

#include <algorithm>
#include <tuple>

namespace ravelin {
namespace {

// A passage stays at least 80 % equal words on its longer side.
bool EqualEnough(int64_t equal, int64_t length1, int64_t length2) {
    return equal * 5 >= std::max(length1, length2) * 4;
}

// The view of a run from one side: where it starts on the side being covered, where on the
// other, and how long it is.
struct Seen {
    int32_t own;
    int32_t other;
    int32_t length;
    uint32_t run;  // its place among the maximal runs
};

// Covers one side: every window of K words in a run is either held by a run picked before it
// or picks, of the runs that hold it, the one reaching the other side's first such window.
void Cover(std::vector<Seen>& runs, int32_t minWords, std::vector<uint32_t>& picked) {
    const auto byOwn = [](const Seen& a, const Seen& b) { return a.own < b.own; };
    // Runs are found along the 2nd side, and copies keep their order: mostly nothing to sort.
    if (!std::is_sorted(runs.begin(), runs.end(), byOwn)) {
        std::sort(runs.begin(), runs.end(), byOwn);
    }
    // The runs begun at or before the window; on top the one whose diagonal is smallest, which
    // reaches the smallest other-side window. Runs on one diagonal never hold the same window.
    struct Open {
        int32_t diagonal;
        int32_t lastWindow;  // the last window of the side that the run holds
        uint32_t run;
    };
    auto later = [](const Open& a, const Open& b) { return a.diagonal > b.diagonal; };
    std::vector<Open> open;
    size_t next = 0;
    int32_t window = 0;
    for (;;) {
        for (; next < runs.size() && runs[next].own <= window; ++next) {
            const Seen& r = runs[next];
            open.push_back(Open{r.other - r.own, r.own + r.length - minWords, r.run});
            std::push_heap(open.begin(), open.end(), later);
        }
        while (!open.empty() && open.front().lastWindow < window) {
            std::pop_heap(open.begin(), open.end(), later);
            open.pop_back();
        }
        if (open.empty()) {
            if (next == runs.size()) {
                return;
            }
            window = std::max(window, runs[next].own);
            continue;
        }
        picked.push_back(open.front().run);
        window = std::max(window + 1, open.front().lastWindow + 1);
    }
}

// Whether no two runs hold a window of one side in common: then each run is the only one that
// holds its windows there, and the covering of that side picks every run.
bool WindowsApart(std::vector<Run>& runs, int32_t minWords) {
    if (!std::is_sorted(runs.begin(), runs.end())) {
        std::sort(runs.begin(), runs.end());
    }
    for (size_t r = 1; r < runs.size(); ++r) {
        if (runs[r - 1].start1 + runs[r - 1].length - minWords >= runs[r].start1) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<Run> PickedRuns(std::vector<Run> maximal, int32_t minWords) {
    if (maximal.size() == 1 || WindowsApart(maximal, minWords)) {
        return maximal;  // most pairs share stretches of text that each side holds once
    }
    std::vector<Seen> first;
    std::vector<Seen> second;
    first.reserve(maximal.size());
    second.reserve(maximal.size());
    for (size_t r = 0; r < maximal.size(); ++r) {
        const Run& run = maximal[r];
        first.push_back(Seen{run.start1, run.start2, run.length, static_cast<uint32_t>(r)});
        second.push_back(Seen{run.start2, run.start1, run.length, static_cast<uint32_t>(r)});
    }
    std::vector<uint32_t> picked;
    Cover(first, minWords, picked);
    Cover(second, minWords, picked);
    std::vector<Run> runs;
    runs.reserve(picked.size());
    for (const uint32_t r : picked) {
        runs.push_back(maximal[r]);
    }
    return runs;
}

std::vector<Passage> JoinRuns(std::vector<Run> runs, int32_t maxGap) {
    if (!std::is_sorted(runs.begin(), runs.end())) {
        std::sort(runs.begin(), runs.end());  // PickedRuns mostly gives them in order
    }
    runs.erase(std::unique(runs.begin(), runs.end()), runs.end());
    std::vector<Passage> passages;
    passages.reserve(runs.size());  // grown in steps, a pair of long texts maps block after block
    std::vector<size_t> open;       // passages a later run may still join, oldest first
    for (const Run& run : runs) {
        std::erase_if(open, [&](size_t p) { return passages[p].end1 + maxGap < run.start1; });
        const int32_t end1 = run.start1 + run.length;
        const int32_t end2 = run.start2 + run.length;
        auto joins = [&](const Passage& p) {
            return run.start1 >= p.end1 && run.start2 >= p.end2 && run.start1 - p.end1 <= maxGap &&
                   run.start2 - p.end2 <= maxGap &&
                   EqualEnough(int64_t{p.equal} + run.length, end1 - p.start1, end2 - p.start2);
        };
        const auto it =
            std::find_if(open.rbegin(), open.rend(), [&](size_t p) { return joins(passages[p]); });
        if (it != open.rend()) {
            Passage& p = passages[*it];
            p.end1 = end1;
            p.end2 = end2;
            p.equal += run.length;
            continue;
        }
        open.push_back(passages.size());
        passages.push_back(Passage{run.start1, end1, run.start2, end2, run.length, {}, {}});
    }
    std::sort(passages.begin(), passages.end(), [](const Passage& a, const Passage& b) {
        return std::tie(a.start1, a.start2) < std::tie(b.start1, b.start2);
    });
    return passages;
}

}  // namespace ravelin
