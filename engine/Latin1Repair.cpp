// DecodeUtf8Latin1. Each phase is a search for a lead byte that, when the byte after it is in
// range, rewrites every pair of that lead and that byte in the whole text at once and then
// resumes one position after the lead, counted in the rewritten text. Done literally that is
// quadratic; the two algorithms below give the same text in linear time.

#include "engine/TextReduction.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace ravelin {
namespace {

constexpr unsigned char kLeadLatin1Controls = 0xC2;
constexpr unsigned char kLeadLatin1Letters = 0xC3;

struct Phase {
    unsigned char lead;
    // What happens to a pair (lead, c): nothing, removal of both, or replacement by one byte.
    bool InRange(unsigned char c) const { return c >= 128 && c <= 191; }
    bool Removes(unsigned char c) const { return lead == kLeadLatin1Controls && c <= 159; }
    unsigned char ReplacementOf(unsigned char c) const {
        return lead == kLeadLatin1Controls ? c : static_cast<unsigned char>(c + 64);
    }
};

unsigned char At(const std::string& text, size_t i) {
    return static_cast<unsigned char>(text[i]);
}

// Whether rewriting can make new pairs. Without that, every pair of the text is rewritten by
// the first search that reaches its byte value, and the phase can stream.
bool PairsCanForm(const std::string& text, const Phase& phase) {
    for (size_t i = text.find(static_cast<char>(phase.lead));
         i != std::string::npos && i + 1 < text.size();
         i = text.find(static_cast<char>(phase.lead), i + 1)) {
        if (phase.lead == kLeadLatin1Controls && At(text, i + 1) == kLeadLatin1Controls) {
            return true;  // removing a pair behind this lead would join it to the next byte
        }
        if (phase.lead == kLeadLatin1Letters && At(text, i + 1) == 0x83 && i + 2 < text.size() &&
            phase.InRange(At(text, i + 2))) {
            return true;  // 0xC3 0x83 becomes a new lead 0xC3 in front of a byte in range
        }
    }
    return false;
}

// The streaming algorithm. The text left of the search position is written compacted; a lead
// that the search passes over (the position skipped after a rewrite) leaves a pending pair there,
// which is deleted when its byte value is rewritten later, and which then shifts the next search
// position further right by the number of bytes deleted before the lead.
void StreamPhase(std::string& text, const Phase& phase) {
    std::array<bool, 256> rewritten{};
    std::array<std::vector<size_t>, 256> pending;
    std::vector<size_t> deletions;
    const size_t n = text.size();
    size_t write = 0;
    size_t skip = 0;
    size_t read = 0;
    while (read < n) {
        if (skip == 0) {
            const size_t nextLead = std::min(text.find(static_cast<char>(phase.lead), read), n);
            if (nextLead > read) {
                std::memmove(text.data() + write, text.data() + read, nextLead - read);
                write += nextLead - read;
                read = nextLead;
                continue;
            }
        }
        const unsigned char b = At(text, read);
        const bool pair = b == phase.lead && read + 1 < n && phase.InRange(At(text, read + 1));
        if (pair && rewritten[At(text, read + 1)]) {
            // Rewritten by an earlier search; a replacement byte then counts like any other.
            const unsigned char c = At(text, read + 1);
            if (phase.Removes(c)) {
                read += 2;
            } else {
                text[++read] = static_cast<char>(phase.ReplacementOf(c));
            }
            continue;
        }
        if (skip > 0 || b != phase.lead || !pair) {
            if (skip > 0 && pair) {
                pending[At(text, read + 1)].push_back(write);
            }
            skip -= skip > 0 ? 1 : 0;
            text[write++] = static_cast<char>(b);
            ++read;
            continue;
        }
        const unsigned char c = At(text, read + 1);
        rewritten[c] = true;
        const bool removes = phase.Removes(c);
        size_t deletedBefore = 0;
        for (const size_t at : pending[c]) {
            deletions.push_back(at);
            if (removes) {
                deletions.push_back(at + 1);
            } else {
                text[at + 1] = static_cast<char>(phase.ReplacementOf(c));
            }
            deletedBefore += removes ? 2 : 1;
        }
        pending[c].clear();
        read += 2;
        if (removes) {
            skip = deletedBefore + 1;
        } else {
            text[write++] = static_cast<char>(phase.ReplacementOf(c));
            skip = deletedBefore;
        }
    }
    while (read < n) {
        text[write++] = text[read++];
    }
    text.resize(write);
    if (deletions.empty()) {
        return;
    }
    std::vector<bool> deleted(text.size(), false);
    for (const size_t at : deletions) {
        deleted[at] = true;
    }
    size_t kept = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!deleted[i]) {
            text[kept++] = text[i];
        }
    }
    text.resize(kept);
}

// The exact algorithm for any text: a linked list over the bytes, with the pairs of each byte
// value kept in a list of their own, so each rewrite touches only its pairs.
class LinkedText {
  public:
    explicit LinkedText(std::string& text) : text_(text), next_(text.size()), prev_(text.size()) {
        for (size_t i = 0; i < text.size(); ++i) {
            next_[i] = i + 1 < text.size() ? static_cast<uint32_t>(i + 1) : kNone;
            prev_[i] = i > 0 ? static_cast<uint32_t>(i - 1) : kNone;
        }
        alive_.assign(text.size(), true);
        head_ = text.empty() ? kNone : 0;
    }

    static constexpr uint32_t kNone = std::numeric_limits<uint32_t>::max();

    uint32_t Head() const { return head_; }
    uint32_t Next(uint32_t i) const { return next_[i]; }
    uint32_t Prev(uint32_t i) const { return prev_[i]; }
    bool Alive(uint32_t i) const { return alive_[i]; }
    unsigned char Value(uint32_t i) const { return At(text_, i); }
    void SetValue(uint32_t i, unsigned char v) { text_[i] = static_cast<char>(v); }

    void Unlink(uint32_t i) {
        if (prev_[i] == kNone) {
            head_ = next_[i];
        } else {
            next_[prev_[i]] = next_[i];
        }
        if (next_[i] != kNone) {
            prev_[next_[i]] = prev_[i];
        }
        alive_[i] = false;
    }

    // An unlinked byte keeps the link it had when it went, so following links from it always
    // reaches the first living byte after it.
    uint32_t FirstAliveFrom(uint32_t i) const {
        while (i != kNone && !alive_[i]) {
            i = next_[i];
        }
        return i;
    }

    void Compact() {
        size_t kept = 0;
        for (uint32_t i = head_; i != kNone; i = next_[i]) {
            text_[kept++] = text_[i];
        }
        text_.resize(kept);
    }

  private:
    std::string& text_;
    std::vector<uint32_t> next_;
    std::vector<uint32_t> prev_;
    std::vector<bool> alive_;
    uint32_t head_ = kNone;
};

class ExactPhase {
  public:
    ExactPhase(std::string& text, const Phase& phase) : list_(text), phase_(phase) {
        for (uint32_t i = list_.Head(); i != LinkedText::kNone; i = list_.Next(i)) {
            NotePairAt(i);
        }
    }

    void Run() {
        uint32_t cursor = list_.Head();
        for (;;) {
            uint32_t lead = cursor;
            while (lead != LinkedText::kNone && list_.Value(lead) != phase_.lead) {
                lead = list_.Next(lead);
            }
            if (lead == LinkedText::kNone || list_.Next(lead) == LinkedText::kNone) {
                break;
            }
            const uint32_t second = list_.Next(lead);
            const unsigned char c = list_.Value(second);
            if (!phase_.InRange(c)) {
                cursor = second;
                continue;
            }
            const uint32_t after = list_.Next(second);
            const size_t deletedBefore = RewriteAll(c, lead);
            // The byte now standing at the lead's old position, then one position further
            // for each byte deleted in front of the lead.
            cursor = phase_.Removes(c) ? list_.FirstAliveFrom(after) : second;
            for (size_t step = 0; step <= deletedBefore && cursor != LinkedText::kNone; ++step) {
                cursor = list_.Next(cursor);
            }
            if (cursor == LinkedText::kNone) {
                break;
            }
        }
        list_.Compact();
    }

  private:
    void NotePairAt(uint32_t i) {
        if (i == LinkedText::kNone || list_.Value(i) != phase_.lead) {
            return;
        }
        const uint32_t next = list_.Next(i);
        if (next != LinkedText::kNone && phase_.InRange(list_.Value(next))) {
            pairs_[list_.Value(next)].push_back(i);
        }
    }

    bool IsPair(uint32_t lead, unsigned char c) const {
        return list_.Alive(lead) && list_.Value(lead) == phase_.lead &&
               list_.Next(lead) != LinkedText::kNone && list_.Value(list_.Next(lead)) == c;
    }

    // Rewrites every pair (lead, c) present now; pairs the rewrite creates wait for the next
    // search that reaches c. Returns the number of bytes deleted in front of `found`.
    size_t RewriteAll(unsigned char c, uint32_t found) {
        std::vector<uint32_t> now;
        now.swap(pairs_[c]);
        size_t deletedBefore = 0;
        const bool removes = phase_.Removes(c);
        for (const uint32_t lead : now) {
            if (!IsPair(lead, c)) {
                continue;
            }
            const uint32_t second = list_.Next(lead);
            const uint32_t before = list_.Prev(lead);
            if (lead < found) {
                deletedBefore += removes ? 2 : 1;
            }
            list_.Unlink(lead);
            if (removes) {
                list_.Unlink(second);
            } else {
                list_.SetValue(second, phase_.ReplacementOf(c));
                NotePairAt(second);
            }
            NotePairAt(before);
        }
        return deletedBefore;
    }

    LinkedText list_;
    Phase phase_;
    std::array<std::vector<uint32_t>, 256> pairs_;
};

void RunPhase(std::string& text, const Phase& phase) {
    if (text.find(static_cast<char>(phase.lead)) == std::string::npos) {
        return;
    }
    if (PairsCanForm(text, phase)) {
        ExactPhase(text, phase).Run();
    } else {
        StreamPhase(text, phase);
    }
}

void ReplaceCCaron(std::string& text) {
    const size_t first = text.find('\xC4');
    if (first == std::string::npos) {
        return;
    }
    size_t write = first;
    for (size_t read = first; read < text.size(); ++read) {
        if (At(text, read) == 0xC4 && read + 1 < text.size() && At(text, read + 1) == 0x8D) {
            text[write++] = 'c';
            ++read;
        } else {
            text[write++] = text[read];
        }
    }
    text.resize(write);
}

// A pair the searches left in place, which a search further on in a longer text could still reach.
bool HasPair(const std::string& text, const Phase& phase) {
    for (size_t i = text.find(static_cast<char>(phase.lead));
         i != std::string::npos && i + 1 < text.size();
         i = text.find(static_cast<char>(phase.lead), i + 1)) {
        if (phase.InRange(At(text, i + 1))) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool DecodeUtf8Latin1Prefix(std::string& text) {
    for (const Phase phase : {Phase{kLeadLatin1Controls}, Phase{kLeadLatin1Letters}}) {
        RunPhase(text, phase);
        if (HasPair(text, phase)) {
            return false;
        }
    }
    ReplaceCCaron(text);
    return true;
}

std::string DecodeUtf8Latin1(std::string text) {
    RunPhase(text, Phase{kLeadLatin1Controls});
    RunPhase(text, Phase{kLeadLatin1Letters});
    ReplaceCCaron(text);
    return text;
}

}  // namespace ravelin
