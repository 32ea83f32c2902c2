#include "engine/TracedReduction.h"

#include "engine/TextReduction.h"
#include "files/ReadOnlyFile.h"
#include "files/StringRoutines.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <new>
#include <optional>
#include <utility>

namespace ravelin {
namespace {

// One character of a step's text and the stored bytes [begin, end) it was made from.
struct Traced {
    unsigned char value = 0;
    uint64_t begin = 0;
    uint64_t end = 0;
};

// A byte that neither joins lines nor takes part in any repair.
bool IsPlain(char c) {
    const auto b = static_cast<unsigned char>(c);
    return b < 0x80 && b != '\r';
}

// The lines of the stored bytes joined by single spaces, as the line reader joins them: a line
// end (a carriage return with an optional line feed) before the first character adds nothing,
// and the one that ends the file adds nothing either.
class JoinedLines {
  public:
    explicit JoinedLines(std::string_view stored) : stored_(stored) {}

    bool Next(Traced& out) {
        while (pos_ < stored_.size()) {
            const auto c = static_cast<unsigned char>(stored_[pos_]);
            if (hasPending_) {
                // A line end followed by more of the file joins its line to the next one.
                out = pending_;
                hasPending_ = false;
                return true;
            }
            if (c == '\r') {
                const uint64_t begin = pos_++;
                if (pos_ < stored_.size() && stored_[pos_] == '\n') {
                    ++pos_;
                }
                if (started_) {
                    pending_ = Traced{' ', begin, pos_};
                    hasPending_ = true;
                }
                continue;
            }
            started_ = true;
            out = Traced{c, pos_, pos_ + 1};
            ++pos_;
            return true;
        }
        return false;
    }

    // The plain bytes that come next, taken at once: no step changes them, so a step whose own
    // look ahead is empty passes them on as they are stored.
    ByteSpan TakePlain() {
        const uint64_t begin = pos_;
        if (!hasPending_) {
            while (pos_ < stored_.size() && IsPlain(stored_[pos_])) {
                ++pos_;
            }
            started_ = started_ || pos_ > begin;
        }
        return ByteSpan{begin, pos_ - begin};
    }

  private:
    std::string_view stored_;
    uint64_t pos_ = 0;
    bool started_ = false;
    bool hasPending_ = false;
    Traced pending_;
};

// A text already held, with the origins of its characters.
class HeldText {
  public:
    explicit HeldText(const std::vector<Traced>& text) : text_(text) {}
    bool Next(Traced& out) {
        if (pos_ >= text_.size()) {
            return false;
        }
        out = text_[pos_++];
        return true;
    }
    static ByteSpan TakePlain() { return {}; }

  private:
    const std::vector<Traced>& text_;
    size_t pos_ = 0;
};

// Lets a step look at the characters after the one it reads.
template <class Source>
class Lookahead {
  public:
    explicit Lookahead(Source source) : source_(std::move(source)) {}

    bool Next(Traced& out) {
        if (!Fill(1)) {
            return false;
        }
        out = buffer_[head_];
        head_ = (head_ + 1) % buffer_.size();
        --count_;
        return true;
    }

    ByteSpan TakePlain() { return count_ == 0 ? source_.TakePlain() : ByteSpan{}; }

    // The character k places ahead of the next one, if there is one.
    const Traced* Peek(size_t k) {
        if (!Fill(k + 1)) {
            return nullptr;
        }
        return &buffer_[(head_ + k) % buffer_.size()];
    }

  private:
    bool Fill(size_t wanted) {
        while (count_ < wanted) {
            Traced t;
            if (!source_.Next(t)) {
                return false;
            }
            buffer_[(head_ + count_) % buffer_.size()] = t;
            ++count_;
        }
        return true;
    }

    Source source_;
    std::array<Traced, 4> buffer_{};
    size_t head_ = 0;
    size_t count_ = 0;
};

constexpr unsigned char kLeadControls = 0xC2;
constexpr unsigned char kLeadLetters = 0xC3;

struct Phase {
    unsigned char lead;
    bool InRange(unsigned char c) const { return c >= 128 && c <= 191; }
    bool Removes(unsigned char c) const { return lead == kLeadControls && c <= 159; }
    unsigned char ReplacementOf(unsigned char c) const {
        return lead == kLeadControls ? c : static_cast<unsigned char>(c + 64);
    }
};

using ByteSet = std::array<bool, 256>;

// Follows the searches of one Latin-1 phase over its text, counting rather than rewriting, to
// learn which pairs the phase rewrites: when no rewrite can form a new pair, a pair is rewritten
// exactly when some search reached a pair of its byte value. The search moves as the phase's own
// does: past a pair it rewrote, it skips one position for every byte that the rewrite deleted in
// front of the pair found. Returns nothing when pairs can form.
template <class Source>
std::optional<ByteSet> SearchedPairs(Source source, const Phase& phase) {
    Lookahead<Source> in(std::move(source));
    ByteSet rewritten{};
    std::array<uint64_t, 256> skipped{};  // pairs passed over, by byte value
    uint64_t skip = 0;
    std::optional<unsigned char> carried;
    Traced t;
    for (;;) {
        if (!carried) {
            // No plain byte is a lead: each only counts down the positions to skip.
            const uint64_t plain = in.TakePlain().length;
            if (plain > 0) {
                skip -= std::min(skip, plain);
                continue;
            }
            if (!in.Next(t)) {
                break;
            }
        }
        const bool fromText = !carried;
        const unsigned char b = carried ? *carried : t.value;
        carried.reset();
        // Only a lead looks ahead, so that the plain bytes after other characters go at once.
        const Traced* next = b == phase.lead ? in.Peek(0) : nullptr;
        if (fromText && b == phase.lead && next != nullptr) {
            const Traced* after = in.Peek(1);
            if ((phase.lead == kLeadControls && next->value == kLeadControls) ||
                (phase.lead == kLeadLetters && next->value == 0x83 && after != nullptr &&
                 phase.InRange(after->value))) {
                return std::nullopt;
            }
        }
        const bool pair = b == phase.lead && next != nullptr && phase.InRange(next->value);
        if (pair && rewritten[next->value]) {
            const unsigned char c = next->value;
            in.Next(t);
            if (!phase.Removes(c)) {
                carried = phase.ReplacementOf(c);  // read next like any other character
            }
            continue;
        }
        if (skip > 0 || !pair) {
            if (skip > 0 && pair) {
                ++skipped[next->value];
            }
            skip -= skip > 0 ? 1 : 0;
            continue;
        }
        const unsigned char c = next->value;
        in.Next(t);
        rewritten[c] = true;
        const uint64_t deletedBefore = skipped[c] * (phase.Removes(c) ? 2 : 1);
        skipped[c] = 0;
        skip = phase.Removes(c) ? deletedBefore + 1 : deletedBefore;
    }
    return rewritten;
}

// The text of one Latin-1 phase, by the literal search: for a text in which rewrites form pairs.
std::vector<Traced> LiteralPhase(std::vector<Traced> text, const Phase& phase) {
    size_t start = 0;
    for (;;) {
        size_t p = start;
        while (p < text.size() && text[p].value != phase.lead) {
            ++p;
        }
        if (p + 1 >= text.size()) {
            return text;
        }
        const unsigned char c = text[p + 1].value;
        if (phase.InRange(c)) {
            size_t write = 0;
            for (size_t read = 0; read < text.size(); ++read) {
                if (text[read].value == phase.lead && read + 1 < text.size() &&
                    text[read + 1].value == c) {
                    if (!phase.Removes(c)) {
                        text[write++] =
                            Traced{phase.ReplacementOf(c), text[read].begin, text[read + 1].end};
                    }
                    ++read;
                } else {
                    text[write++] = text[read];
                }
            }
            text.resize(write);
        }
        // The search resumes one position on, counted in the text as it now stands.
        start = p + 1;
    }
}

struct PhasePlan {
    enum class Kind { Unchanged, Rewrite, Held } kind = Kind::Unchanged;
    ByteSet rewritten{};
    std::vector<Traced> held;
};

// One Latin-1 phase as its plan says: nothing to do, a rewrite of every pair of the byte values
// the searches reached, or the text the literal search made.
template <class Source>
class PhaseStep {
  public:
    PhaseStep(Source source, const Phase& phase, const PhasePlan& plan)
        : in_(std::move(source)), phase_(phase), plan_(plan), held_(plan.held) {}

    bool Next(Traced& out) {
        if (plan_.kind == PhasePlan::Kind::Held) {
            return held_.Next(out);
        }
        while (in_.Next(out)) {
            if (plan_.kind == PhasePlan::Kind::Unchanged || out.value != phase_.lead) {
                return true;
            }
            const Traced* next = in_.Peek(0);
            if (next == nullptr || !phase_.InRange(next->value) || !plan_.rewritten[next->value]) {
                return true;
            }
            const uint64_t leadBegin = out.begin;
            in_.Next(out);
            if (!phase_.Removes(out.value)) {
                out = Traced{phase_.ReplacementOf(out.value), leadBegin, out.end};
                return true;
            }
        }
        return false;
    }

    // A plain byte is no lead and is never rewritten.
    ByteSpan TakePlain() {
        return plan_.kind == PhasePlan::Kind::Held ? ByteSpan{} : in_.TakePlain();
    }

  private:
    Lookahead<Source> in_;
    Phase phase_;
    const PhasePlan& plan_;
    HeldText held_;
};

template <class Source>
PhasePlan PlanPhase(const Source& source, const Phase& phase, bool leadPresent) {
    PhasePlan plan;
    if (!leadPresent) {
        return plan;
    }
    if (const std::optional<ByteSet> rewritten = SearchedPairs(source, phase)) {
        plan.kind = PhasePlan::Kind::Rewrite;
        plan.rewritten = *rewritten;
        return plan;
    }
    std::vector<Traced> text;
    Source copy = source;
    for (Traced t; copy.Next(t);) {
        text.push_back(t);
    }
    plan.held = LiteralPhase(std::move(text), phase);
    plan.kind = PhasePlan::Kind::Held;
    return plan;
}

// 0xC4 0x8D becomes "c".
template <class Source>
class CCaronStep {
  public:
    explicit CCaronStep(Source source) : in_(std::move(source)) {}
    bool Next(Traced& out) {
        if (!in_.Next(out)) {
            return false;
        }
        const Traced* next = out.value == 0xC4 ? in_.Peek(0) : nullptr;
        if (next != nullptr && next->value == 0x8D) {
            const uint64_t begin = out.begin;
            in_.Next(out);
            out = Traced{'c', begin, out.end};
        }
        return true;
    }

    ByteSpan TakePlain() { return in_.TakePlain(); }

  private:
    Lookahead<Source> in_;
};

struct Replacement {
    unsigned char third;
    std::string_view text;
};

constexpr std::array<Replacement, 20> kPunctuation = {{
    {144, "-"},    {145, "-"},  {146, "-"},   {147, "-"},   {148, " -- "}, {149, "--"}, {150, "|"},
    {151, "\x89"}, {152, "'"},  {153, "'"},   {154, "'"},   {155, "'"},    {156, "\""}, {157, "\""},
    {158, "\""},   {159, "\""}, {162, " . "}, {166, "..."}, {185, "<"},    {186, ">"},
}};

const Replacement* FindPunctuation(unsigned char third) {
    for (const Replacement& r : kPunctuation) {
        if (r.third == third) {
            return &r;
        }
    }
    return nullptr;
}

// What the first 0xE2 0x80 pair of the text decides.
struct PunctuationPlan {
    enum class Kind { Unchanged, ReplaceListed, RemoveFirst } kind = Kind::Unchanged;
    uint64_t first = 0;  // the place of the first sequence, in characters of the step's text
};

template <class Source>
PunctuationPlan PlanPunctuation(Source source) {
    Lookahead<Source> in(std::move(source));
    uint64_t index = 0;
    for (Traced t;; ++index) {
        if (const uint64_t plain = in.TakePlain().length; plain > 0) {
            index += plain - 1;
            continue;
        }
        if (!in.Next(t)) {
            break;
        }
        const Traced* second = t.value == 0xE2 ? in.Peek(0) : nullptr;
        if (second == nullptr || second->value != 0x80) {
            continue;
        }
        const Traced* third = in.Peek(1);
        if (third == nullptr) {
            return {};
        }
        if (FindPunctuation(third->value) != nullptr) {
            return {PunctuationPlan::Kind::ReplaceListed, index};
        }
        return {PunctuationPlan::Kind::RemoveFirst, index};
    }
    return {};
}

template <class Source>
class PunctuationStep {
  public:
    PunctuationStep(Source source, const PunctuationPlan& plan)
        : in_(std::move(source)), plan_(plan) {}

    bool Next(Traced& out) {
        if (replacementAt_ < replacement_.size()) {
            out = Traced{static_cast<unsigned char>(replacement_[replacementAt_++]), spanBegin_,
                         spanEnd_};
            return true;
        }
        while (in_.Next(out)) {
            const uint64_t index = index_++;
            if (plan_.kind == PunctuationPlan::Kind::Unchanged || out.value != 0xE2) {
                return true;
            }
            const Traced* second = in_.Peek(0);
            const Traced* third = in_.Peek(1);
            if (second == nullptr || second->value != 0x80 || third == nullptr) {
                return true;
            }
            if (plan_.kind == PunctuationPlan::Kind::RemoveFirst) {
                if (index != plan_.first) {
                    return true;
                }
                in_.Next(out);
                in_.Next(out);
                index_ += 2;
                continue;
            }
            const Replacement* r = FindPunctuation(third->value);
            if (r == nullptr) {
                return true;
            }
            spanBegin_ = out.begin;
            in_.Next(out);
            in_.Next(out);
            index_ += 2;
            spanEnd_ = out.end;
            replacement_ = r->text;
            replacementAt_ = 1;
            out = Traced{static_cast<unsigned char>(replacement_[0]), spanBegin_, spanEnd_};
            return true;
        }
        return false;
    }

    ByteSpan TakePlain() {
        if (replacementAt_ < replacement_.size()) {
            return {};
        }
        const ByteSpan plain = in_.TakePlain();
        index_ += plain.length;
        return plain;
    }

  private:
    Lookahead<Source> in_;
    PunctuationPlan plan_;
    uint64_t index_ = 0;
    std::string_view replacement_;
    size_t replacementAt_ = 0;
    uint64_t spanBegin_ = 0;
    uint64_t spanEnd_ = 0;
};

using ByteTable = std::array<unsigned char, 256>;

// Lower-casing and KeepWordCharacters as one table.
ByteTable MakeWordTable() {
    ByteTable table{};
    for (int i = 0; i < 256; ++i) {
        std::string c(1, static_cast<char>(i));
        LowerCaseLetters(c);
        const auto lower = static_cast<unsigned char>(c[0]);
        table[static_cast<size_t>(i)] = IsWordCharacter(lower, true) ? lower : ' ';
    }
    return table;
}

constexpr size_t kShortestWord = 4;

template <class Source>
void SplitTraced(std::string_view stored, Source source, const TracedWordVisitor& visit) {
    static const ByteTable kTable = MakeWordTable();
    std::string word;
    ByteSpan span;
    uint64_t end = 0;
    const auto flush = [&] {
        if (word.size() >= kShortestWord) {
            visit(word, ByteSpan{span.offset, end - span.offset});
        }
        word.clear();
    };
    const auto add = [&](unsigned char c, uint64_t begin, uint64_t after) {
        if (c == ' ') {
            flush();
            return;
        }
        if (word.empty()) {
            span.offset = begin;
        }
        word.push_back(static_cast<char>(c));
        end = after;
    };
    for (Traced t;;) {
        const ByteSpan plain = source.TakePlain();
        if (plain.length > 0) {
            // Most of a text is plain: its words are taken a stretch at a time.
            const uint64_t stop = plain.offset + plain.length;
            for (uint64_t i = plain.offset; i < stop;) {
                if (kTable[static_cast<unsigned char>(stored[i])] == ' ') {
                    flush();
                    for (++i; i < stop && kTable[static_cast<unsigned char>(stored[i])] == ' ';) {
                        ++i;
                    }
                    continue;
                }
                if (word.empty()) {
                    span.offset = i;
                }
                for (; i < stop && kTable[static_cast<unsigned char>(stored[i])] != ' '; ++i) {
                    word.push_back(
                        static_cast<char>(kTable[static_cast<unsigned char>(stored[i])]));
                }
                end = i;
            }
            continue;
        }
        if (!source.Next(t)) {
            break;
        }
        add(kTable[t.value], t.begin, t.end);
    }
    flush();
}

bool Contains(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

// Only these bytes start a repair; line ends are not word characters, so joining lines changes
// no word. A text without them is split as it is stored, byte for byte.
bool NeedsRepair(std::string_view stored) {
    for (const char c : stored) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0xC2 || b == 0xC3 || b == 0xC4 || b == 0xE2) {
            return true;
        }
    }
    return false;
}

void SplitStored(std::string_view stored, const TracedWordVisitor& visit) {
    static const ByteTable kTable = MakeWordTable();
    const auto at = [&stored](size_t i) { return kTable[static_cast<unsigned char>(stored[i])]; };
    std::string word;
    for (size_t i = 0; i < stored.size();) {
        if (at(i) == ' ') {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < stored.size() && at(i) != ' ') {
            ++i;
        }
        // Words too short to count are never copied.
        if (i - start >= kShortestWord) {
            word.resize(i - start);
            for (size_t c = 0; c < word.size(); ++c) {
                word[c] = static_cast<char>(at(start + c));
            }
            visit(word, ByteSpan{start, i - start});
        }
    }
}

}  // namespace

void ReduceStoredText(std::string_view stored, const TracedWordVisitor& visit) {
    if (!NeedsRepair(stored)) {
        SplitStored(stored, visit);
        return;
    }
    const JoinedLines lines(stored);
    const PhasePlan controls = PlanPhase(lines, Phase{kLeadControls}, Contains(stored, '\xC2'));
    using Controls = PhaseStep<JoinedLines>;
    const Controls afterControls(lines, Phase{kLeadControls}, controls);
    // No rewrite of the first phase makes a 0xC3; the second can make 0xC4 and 0xE2.
    const bool lettersLead = Contains(stored, '\xC3');
    const PhasePlan letters = PlanPhase(afterControls, Phase{kLeadLetters}, lettersLead);
    using Letters = PhaseStep<Controls>;
    const Letters afterLetters(afterControls, Phase{kLeadLetters}, letters);
    const CCaronStep<Letters> repaired(afterLetters);
    PunctuationPlan punctuation;
    if (lettersLead || Contains(stored, '\xE2')) {
        punctuation = PlanPunctuation(repaired);
    }
    SplitTraced(stored, PunctuationStep<CCaronStep<Letters>>(repaired, punctuation), visit);
}

TracedWords ReduceStoredTextToWords(std::string_view stored) {
    TracedWords result;
    ReduceStoredText(stored, [&result](std::string_view word, ByteSpan bytes) {
        result.words.emplace_back(word);
        result.spans.push_back(bytes);
    });
    return result;
}

void PrefetchStoredFile(const std::string& path) {
    const Result<ReadOnlyFile> file = ReadOnlyFile::Open(path);
    if (!file) {
        return;
    }
    const Result<FileStatus> status = file.value().Status();
    if (status && status.value().kind == FileKind::Regular) {
        file.value().AdviseWillRead();
    }
}

Result<std::string> ReadStoredFile(const std::string& path) {
    Result<ReadOnlyFile> file = ReadOnlyFile::Open(path);
    if (!file) {
        return file.error();
    }
    const Result<FileStatus> status = file.value().Status();
    if (!status) {
        return status.error();
    }
    if (status.value().kind != FileKind::Regular) {
        return Error{EINVAL, std::strerror(EINVAL)};
    }
    try {
        // The size as the file says, and one byte more to see its end in a second, short read;
        // a file that grows while it is read is read on in chunks.
        std::string text(static_cast<size_t>(status.value().size) + 1, '\0');
        constexpr size_t kChunk = size_t{1} << 20;
        size_t had = 0;
        for (;;) {
            if (had == text.size()) {
                text.resize(had + kChunk);
            }
            const Result<size_t> got = file.value().Read(text.data() + had, text.size() - had);
            if (!got) {
                return got.error();
            }
            if (got.value() == 0) {
                text.resize(had);
                return text;
            }
            had += got.value();
        }
    } catch (const std::bad_alloc&) {
        return Error{ENOMEM, std::strerror(ENOMEM)};
    }
}

}  // namespace ravelin
