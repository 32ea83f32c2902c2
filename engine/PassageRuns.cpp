#include "engine/PassageRuns.h"

#include <queue>

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
};

// Covers one side: every window of K words in a run is either held by a run picked before it
// or picks, of the runs that hold it, the one reaching the other side's first such window.
void Cover(std::vector<Seen> runs, int32_t minWords, std::vector<size_t>& picked) {
    std::vector<size_t> order(runs.size());
    for (size_t r = 0; r < order.size(); ++r) {
        order[r] = r;
    }
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return runs[a].own < runs[b].own; });
    // The runs begun at or before the window, the first reaching the smallest other-side window.
    auto later = [&](size_t a, size_t b) {
        return runs[a].other - runs[a].own > runs[b].other - runs[b].own;
    };
    std::priority_queue<size_t, std::vector<size_t>, decltype(later)> open(later);
    size_t next = 0;
    int32_t window = 0;
    for (;;) {
        while (next < order.size() && runs[order[next]].own <= window) {
            open.push(order[next++]);
        }
        // A run holds the window while the window's K words fit in it.
        while (!open.empty() &&
               runs[open.top()].own + runs[open.top()].length - minWords < window) {
            open.pop();
        }
        if (open.empty()) {
            if (next == order.size()) {
                return;
            }
            window = std::max(window, runs[order[next]].own);
            continue;
        }
        const size_t run = open.top();
        picked.push_back(run);
        window = std::max(window + 1, runs[run].own + runs[run].length - minWords + 1);
    }
}

}  // namespace

bool Run::operator<(const Run& other) const {
    return std::tie(start1, start2, length) < std::tie(other.start1, other.start2, other.length);
}

std::vector<Run> PickedRuns(std::vector<Run> maximal, int32_t minWords) {
    if (maximal.size() == 1) {
        return maximal;  // most pairs share one stretch of text
    }
    std::vector<Seen> first;
    std::vector<Seen> second;
    for (const Run& run : maximal) {
        first.push_back(Seen{run.start1, run.start2, run.length});
        second.push_back(Seen{run.start2, run.start1, run.length});
    }
    std::vector<size_t> picked;
    Cover(std::move(first), minWords, picked);
    Cover(std::move(second), minWords, picked);
    std::vector<Run> runs;
    runs.reserve(picked.size());
    for (const size_t r : picked) {
        runs.push_back(maximal[r]);
    }
    return runs;
}

std::vector<Passage> JoinRuns(std::vector<Run> runs, int32_t maxGap) {
    std::sort(runs.begin(), runs.end());
    runs.erase(std::unique(runs.begin(), runs.end()), runs.end());
    std::vector<Passage> passages;
    std::vector<size_t> open;  // passages a later run may still join, oldest first
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
