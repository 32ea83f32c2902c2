#include "engine/PassageScan.h"

#include "engine/ChunkedStore.h"
#include "engine/OrderedWork.h"
#include "engine/PassageIndex.h"
#include "engine/PassageSearch.h"
#include "engine/TracedReduction.h"
#include "engine/WordDictionary.h"
#include "files/FolderListing.h"

#include <algorithm>
#include <mutex>
#include <shared_mutex>

namespace ravelin {
namespace {

constexpr std::string_view kTextFiles = "*.txt";

// The distinct words of the file a worker read last, numbered as they first come, so that the
// folder's dictionary, which one worker at a time may ask, is asked once for each rather than at
// every use.
struct FileVocabulary {
    WordDictionary words;
    std::vector<uint64_t> hashes;  // by number in the vocabulary

    // The number that `numberOf` gives each distinct word, by number in the vocabulary.
    template <class NumberOf>
    std::vector<uint32_t> Numbers(const NumberOf& numberOf) const {
        std::vector<uint32_t> numbers(words.Size());
        for (uint32_t v = 0; v < numbers.size(); ++v) {
            numbers[v] = numberOf(words.Word(v), hashes[v]);
        }
        return numbers;
    }
};

// A file read whole and reduced, with what the index needs. A worker reads file after file into
// one, so that its tables and lists are not grown anew for each.
struct ReadFile {
    std::optional<Error> error;
    FileVocabulary vocabulary;
    std::vector<uint32_t> words;  // each word's number in the vocabulary
    WordSpans spans;
    std::vector<uint64_t> hashes;           // of the words
    std::vector<Fingerprint> fingerprints;  // for the index
    std::vector<uint64_t> windows;          // distinct window hashes, when windows are counted

    // The words by the numbers FileVocabulary::Numbers gives.
    std::vector<uint32_t> Numbered(const std::vector<uint32_t>& numbers) const {
        std::vector<uint32_t> numbered;
        numbered.reserve(words.size());
        for (const uint32_t v : words) {
            numbered.push_back(numbers[v]);
        }
        return numbered;
    }
};

// What a file is read for, beside its words and fingerprints.
struct ReadNeeds {
    bool windows = false;  // its distinct windows, when windows are counted
    bool spans = false;    // its words' bytes, when a sink reads them
};

// Empties a worker's list for the next file; one very large file does not keep its room for the
// rest of the pass.
template <class T>
void Empty(std::vector<T>& values) {
    constexpr size_t kKept = size_t{1} << 20;
    if (values.capacity() > kKept) {
        values = std::vector<T>();
    }
    values.clear();
}

void ReadAndReduce(const std::string& path, int32_t minWords, ReadNeeds needs, ReadFile& file) {
    file.error.reset();
    if (file.vocabulary.words.Size() > (size_t{1} << 20)) {
        file.vocabulary.words = WordDictionary();
    }
    file.vocabulary.words.Clear();
    Empty(file.vocabulary.hashes);
    Empty(file.words);
    file.spans = WordSpans();
    Empty(file.hashes);
    Empty(file.fingerprints);
    Empty(file.windows);
    Result<std::string> stored = ReadStoredFile(path);
    if (!stored) {
        file.error = stored.error();
        return;
    }
    ReduceStoredText(stored.value(), [&file, needs](std::string_view word, ByteSpan bytes) {
        const uint64_t hash = WordDictionary::HashOf(word);
        const uint32_t v = file.vocabulary.words.Intern(word, hash);
        if (v == file.vocabulary.hashes.size()) {
            file.vocabulary.hashes.push_back(hash);
        }
        file.words.push_back(v);
        if (needs.spans) {
            file.spans.Append(bytes);
        }
        file.hashes.push_back(hash);
    });
    stored.value() = std::string();
    file.fingerprints = Fingerprints(file.hashes, minWords);
    if (needs.windows) {
        file.windows = WindowHashes(file.hashes, minWords);
        std::sort(file.windows.begin(), file.windows.end());
        file.windows.erase(std::unique(file.windows.begin(), file.windows.end()),
                           file.windows.end());
    }
}

// Files are asked for a few ahead of the one a worker reads, so that a folder the system does not
// hold in memory is read from the disk while words are compared rather than between files.
void ReadAhead(const std::string& folder, const std::vector<std::string>& names, int32_t k) {
    constexpr size_t kAhead = 16;
    const size_t ahead = static_cast<size_t>(k) + kAhead;
    if (ahead < names.size()) {
        PrefetchStoredFile(FullPath(folder, names[ahead]));
    }
}

// The 1st folder's texts by word number and the fingerprints the index is built from. Each
// worker of the 1st pass files its texts in stores of its own, so that no worker waits for
// another, nor the taker for the memory they fill.
struct TextStores {
    ChunkedStore<uint32_t> words;
    ChunkedStore<Fingerprint> fingerprints;
};

// A 1st-folder file as its worker filed it.
struct FiledText {
    std::optional<Error> error;
    std::span<const uint32_t> ids;
    std::span<const Fingerprint> fingerprints;
    WordSpans spans;
    std::vector<uint64_t> windows;
};

}  // namespace

struct PassageScan::State {
    WordDictionary dictionary;
    std::vector<uint64_t> wordHashes;  // by word number
    CommonWindows common;
    PassageIndex index;
    std::vector<std::unique_ptr<TextStores>> stores1;  // one for each worker of the 1st pass
    std::vector<std::string> names1;
    std::vector<IndexedText> files1;
    std::vector<uint8_t> read1;  // by 1st-folder file: read and reduced
    bool prepared = false;

    uint32_t Intern(std::string_view word, uint64_t hash) {
        const uint32_t id = dictionary.Intern(word, hash);
        if (id == wordHashes.size()) {
            wordHashes.push_back(hash);
        }
        return id;
    }

    // The folder's numbers of a file's distinct words. One dictionary numbers the folder's
    // words, a file's distinct words at a time; no result depends on which file's words come
    // first. Most words of a file are known from files before it, and are looked up by every
    // worker at once; only the rest wait for each other.
    std::vector<uint32_t> Number(const FileVocabulary& vocabulary, std::shared_mutex& numbering) {
        std::vector<uint32_t> numbers;
        {
            const std::shared_lock lock(numbering);
            numbers = vocabulary.Numbers([this](std::string_view word, uint64_t hash) {
                return dictionary.Find(word, hash);
            });
        }
        if (std::find(numbers.begin(), numbers.end(), WordDictionary::kUnknown) != numbers.end()) {
            const std::lock_guard lock(numbering);
            for (uint32_t v = 0; v < numbers.size(); ++v) {
                if (numbers[v] == WordDictionary::kUnknown) {
                    numbers[v] = Intern(vocabulary.words.Word(v), vocabulary.hashes[v]);
                }
            }
        }
        return numbers;
    }
};

PassageScan::PassageScan(PassageOptions options, ScanControl control)
    : options_(std::move(options)),
      control_(std::move(control)),
      state_(std::make_unique<State>()) {}

PassageScan::~PassageScan() = default;

template <class Event>
void PassageScan::Emit(void (PassageSink::*handler)(const Event&), const Event& event) {
    for (PassageSink* sink : sinks_) {
        (sink->*handler)(event);
    }
}

bool PassageScan::GoOn() const {
    if (control_.yield) {
        control_.yield();
    }
    return !(control_.stopRequested && control_.stopRequested());
}

std::string PassagePairFound::Words1(int32_t start, int32_t end) const {
    std::string text;
    for (int32_t i = start; i < end; ++i) {
        text += dictionary.Word(words1[static_cast<size_t>(i)]);
        text += ' ';
    }
    return text;
}

PassageScanEnded PassageScan::End(ScanEnd how) {
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - start_;
    const PassageScanEnded ended{how, pairs_, candidates_, seconds.count()};
    Emit(&PassageSink::OnScanEnded, ended);
    return ended;
}

std::optional<Error> PassageScan::Prepare() {
    state_->prepared = true;
    std::vector<std::string> paths;
    for (const std::string& path : options_.commonPaths) {
        if (!FolderExists(path)) {
            paths.push_back(path);
            continue;
        }
        std::vector<std::string> names;
        std::string error;
        if (ListFiles(path, names, kTextFiles, error) < 0) {
            return Error{0, path + ": " += error};
        }
        for (const std::string& name : names) {
            paths.push_back(FullPath(path, name));
        }
    }
    ReadFile file;
    for (const std::string& path : paths) {
        ReadAndReduce(path, options_.rules.minWords, ReadNeeds{}, file);
        if (file.error) {
            return Error{file.error->code, path + ": " + file.error->message};
        }
        for (const uint64_t window : WindowHashes(file.hashes, options_.rules.minWords)) {
            state_->common.Add(window);
        }
    }
    return std::nullopt;
}

PassageScanEnded PassageScan::Run() {
    start_ = std::chrono::steady_clock::now();
    byteSpans_ = std::any_of(sinks_.begin(), sinks_.end(),
                             [](const PassageSink* sink) { return sink->NeedsByteSpans(); });
    pairs_ = 0;
    candidates_ = 0;
    if (!state_->prepared) {
        if (const std::optional<Error> error = Prepare()) {
            return End(ScanEnd::UnreadableFolder);
        }
    }
    for (const ScanPass pass : {ScanPass::First, ScanPass::Second}) {
        const std::string& folder = options_.folders[static_cast<size_t>(pass)];
        std::vector<std::string> names;
        Error error;
        const int32_t count = ListFiles(folder, names, kTextFiles, error.message, control_.yield);
        Emit(&PassageSink::OnFolderListed,
             FolderListed{pass, folder, std::max(count, 0), count < 0 ? &error : nullptr});
        if (count <= 0) {
            return End(count < 0 ? ScanEnd::UnreadableFolder : ScanEnd::EmptyFolder);
        }
        const bool goOn = pass == ScanPass::First ? FirstPass(names) : SecondPass(names);
        if (!goOn) {
            return End(ScanEnd::Stopped);
        }
    }
    return End(ScanEnd::Complete);
}

bool PassageScan::FirstPass(const std::vector<std::string>& names) {
    State& state = *state_;
    const auto files = static_cast<int32_t>(names.size());
    const int32_t minWords = options_.rules.minWords;
    const bool countWindows = options_.maxFiles > 0;
    state.names1 = names;
    state.files1.assign(names.size(), IndexedText());
    state.read1.assign(names.size(), 0);
    std::shared_mutex numbering;
    std::mutex registering;
    OrderedWork<FiledText> reading(options_.jobs, files, [&] {
        auto file = std::make_shared<ReadFile>();
        TextStores* stores = nullptr;
        {
            const std::lock_guard lock(registering);
            stores = state.stores1.emplace_back(std::make_unique<TextStores>()).get();
        }
        return [&, file, stores](int32_t k, FiledText& filed) {
            ReadAhead(options_.folders[0], names, k);
            ReadAndReduce(FullPath(options_.folders[0], names[static_cast<size_t>(k)]), minWords,
                          ReadNeeds{countWindows, byteSpans_}, *file);
            filed.error = file->error;
            if (file->error) {
                return;
            }
            const std::vector<uint32_t> ids =
                file->Numbered(state.Number(file->vocabulary, numbering));
            filed.ids = stores->words.Append(ids);
            filed.fingerprints = stores->fingerprints.Append(file->fingerprints);
            filed.spans = std::move(file->spans);
            filed.windows = file->windows;
        };
    });
    std::vector<uint64_t> windowsSeen;
    for (int32_t k = 0; k < files; ++k) {
        if (!GoOn()) {
            return false;
        }
        FiledText file = reading.Take(k);
        if (file.error) {
            const std::string path = FullPath(options_.folders[0], names[static_cast<size_t>(k)]);
            Emit(&PassageSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::First, path, file.error->message});
            continue;
        }
        state.read1[static_cast<size_t>(k)] = 1;
        IndexedText& stored = state.files1[static_cast<size_t>(k)];
        stored.ids = file.ids;
        stored.spans = std::move(file.spans);
        stored.fingerprints = file.fingerprints;
        windowsSeen.insert(windowsSeen.end(), file.windows.begin(), file.windows.end());
    }
    state.index.Build(
        files, [&state](int32_t k) { return state.files1[static_cast<size_t>(k)].fingerprints; },
        options_.jobs);
    // A scan of a folder with itself reads its 2nd side's fingerprints from here.
    if (options_.folders[0] != options_.folders[1]) {
        for (IndexedText& text : state.files1) {
            text.fingerprints = {};
        }
        for (const std::unique_ptr<TextStores>& stores : state.stores1) {
            stores->fingerprints.Clear();
        }
    }
    // Each file gave each of its windows once, so a window's count is its number of files.
    std::sort(windowsSeen.begin(), windowsSeen.end());
    for (size_t i = 0; i < windowsSeen.size();) {
        size_t j = i;
        while (j < windowsSeen.size() && windowsSeen[j] == windowsSeen[i]) {
            ++j;
        }
        if (static_cast<int64_t>(j - i) > options_.maxFiles) {
            state.common.Add(windowsSeen[i]);
        }
        i = j;
    }
    MarkCommonWords();
    return true;
}

// The common text is known once the whole 1st folder is read; its words are marked in each
// 1st-folder file once, on every core, not for every pair.
void PassageScan::MarkCommonWords() {
    State& state = *state_;
    if (state.common.Empty()) {
        return;
    }
    const int32_t minWords = options_.rules.minWords;
    const auto files = static_cast<int32_t>(state.files1.size());
    OrderedWork<std::vector<bool>> marking(options_.jobs, files, [&] {
        return [&](int32_t k, std::vector<bool>& marks) {
            const IndexedText& text = state.files1[static_cast<size_t>(k)];
            std::vector<uint64_t> hashes;
            hashes.reserve(text.ids.size());
            for (const uint32_t id : text.ids) {
                hashes.push_back(state.wordHashes[id]);
            }
            marks = CommonWords(WindowHashes(hashes, minWords), text.ids.size(), minWords,
                                state.common);
            if (std::find(marks.begin(), marks.end(), true) == marks.end()) {
                marks.clear();
            }
        };
    });
    for (int32_t k = 0; k < files; ++k) {
        state.files1[static_cast<size_t>(k)].common = marking.Take(k);
    }
}

namespace {

struct SecondResult {
    std::optional<Error> error;
    std::vector<PairPassages> pairs;
    std::vector<PairPassages> mirrored;  // the file as the 1st-folder file of later files
    std::vector<int32_t> candidates;     // 1st-folder files the index named
};

// A 2nd-folder file as the comparison needs it: read anew or, in a scan of a folder with
// itself, as the 1st pass left it, which saves reading and reducing every file twice.
struct SecondSide {
    std::vector<uint32_t> ownIds;
    WordSpans ownSpans;
    std::vector<bool> ownCommon;
    std::span<const uint32_t> ids;
    const WordSpans* spans = nullptr;  // when reused
    const std::vector<bool>* common = nullptr;
    std::vector<uint64_t> hashes;
    std::vector<Fingerprint> ownFingerprints;
    std::span<const Fingerprint> fingerprints;

    void Reuse(const IndexedText& text, const std::vector<uint64_t>& wordHashes, int32_t minWords) {
        ids = text.ids;
        spans = &text.spans;
        common = text.common.empty() ? nullptr : &text.common;
        hashes.reserve(ids.size());
        for (const uint32_t id : ids) {
            hashes.push_back(wordHashes[id]);
        }
        if (text.fingerprints.empty()) {
            ownFingerprints = Fingerprints(hashes, minWords);
        }
        fingerprints = text.fingerprints.empty() ? ownFingerprints : text.fingerprints;
    }

    std::optional<Error> Read(const std::string& path, const WordDictionary& dictionary,
                              int32_t minWords, bool spans, ReadFile& file) {
        ReadAndReduce(path, minWords, ReadNeeds{false, spans}, file);
        if (file.error) {
            return file.error;
        }
        ownIds = file.Numbered(
            file.vocabulary.Numbers([&dictionary](std::string_view word, uint64_t hash) {
                return dictionary.Find(word, hash);
            }));
        ownSpans = std::move(file.spans);
        hashes = std::move(file.hashes);
        ownFingerprints = std::move(file.fingerprints);
        fingerprints = ownFingerprints;
        ids = ownIds;
        return std::nullopt;
    }

    const WordSpans& Spans() const { return spans != nullptr ? *spans : ownSpans; }
};

}  // namespace

// How many files from the first on a scan of a folder with itself compares one way only. The
// pairs of such a file with the files after it are kept from when it is compared until each is
// reported, and the pairs kept at once stay under the bound. Known before the comparing, so that
// each worker knows which pairs it has to compare.
std::optional<int32_t> PassageScan::MirroredFiles() {
    const State& state = *state_;
    const auto files = static_cast<int32_t>(state.files1.size());
    OrderedWork<std::vector<int32_t>> listing(options_.jobs, files, [&] {
        auto search = std::make_shared<PassageSearch>(options_.rules, state.index, state.files1,
                                                      state.wordHashes, &state.common);
        return [&, search](int32_t k, std::vector<int32_t>& later) {
            later =
                search->CandidatesFrom(state.files1[static_cast<size_t>(k)].fingerprints, k + 1);
        };
    });
    std::vector<int32_t> reportedAt(state.files1.size(), 0);  // kept pairs, by when reported
    int64_t kept = 0;
    for (int32_t k = 0; k < files; ++k) {
        if (!GoOn()) {
            return std::nullopt;
        }
        kept -= reportedAt[static_cast<size_t>(k)];
        const std::vector<int32_t> later = listing.Take(k);
        kept += static_cast<int64_t>(later.size());
        if (kept > options_.mirroredPairs) {
            return k;
        }
        for (const int32_t file : later) {
            ++reportedAt[static_cast<size_t>(file)];
        }
    }
    return files;
}

namespace {

// One file of a pair: its place in its folder, its spans (null when no sink reads them) and its
// length in words.
struct PairSide {
    int32_t index;
    const WordSpans* spans;
    int32_t total;
};

PairPassages PairOf(std::vector<Passage> passages, const PairSide& first, const PairSide& second) {
    PairPassages pair;
    pair.passages = std::move(passages);
    pair.index1 = first.index;
    pair.index2 = second.index;
    pair.total1 = first.total;
    pair.total2 = second.total;
    for (Passage& p : pair.passages) {
        if (first.spans != nullptr && second.spans != nullptr) {
            p.bytes1 = first.spans->Of(p.start1, p.end1);
            p.bytes2 = second.spans->Of(p.start2, p.end2);
        }
    }
    Summarise(pair);
    return pair;
}

}  // namespace

bool PassageScan::SecondPass(const std::vector<std::string>& names) {
    const State& state = *state_;
    const auto files = static_cast<int32_t>(names.size());
    const PassageRules rules = options_.rules;
    const bool sameFiles = options_.folders[0] == options_.folders[1] && names == state.names1;
    int32_t mirroredFiles = 0;
    if (sameFiles) {
        const std::optional<int32_t> counted = MirroredFiles();
        if (!counted) {
            return false;
        }
        mirroredFiles = *counted;
    }
    const auto compare = [&](PassageSearch& search, ReadFile& file, int32_t j,
                             SecondResult& result) {
        SecondSide side;
        const auto at = static_cast<size_t>(j);
        SearchScope scope;
        if (sameFiles && state.read1[at] != 0) {
            side.Reuse(state.files1[at], state.wordHashes, rules.minWords);
            scope = SearchScope{std::min(j, mirroredFiles), j < mirroredFiles};
        } else {
            ReadAhead(options_.folders[1], names, j);
            result.error = side.Read(FullPath(options_.folders[1], names[at]), state.dictionary,
                                     rules.minWords, byteSpans_, file);
            if (result.error) {
                return;
            }
        }
        if (!side.common && !state.common.Empty()) {
            side.ownCommon = CommonWords(WindowHashes(side.hashes, rules.minWords), side.ids.size(),
                                         rules.minWords, state.common);
            side.common = &side.ownCommon;
        }
        const SecondText second{side.ids, side.hashes, side.common, side.fingerprints};
        const PairSide own{j, byteSpans_ ? &side.Spans() : nullptr,
                           static_cast<int32_t>(side.ids.size())};
        for (PassagesWith& with : search.Find(second, scope)) {
            const IndexedText& first = state.files1[static_cast<size_t>(with.file)];
            const PairSide other{with.file, byteSpans_ ? &first.spans : nullptr,
                                 static_cast<int32_t>(first.ids.size())};
            if (!with.mirrored.empty()) {
                result.mirrored.push_back(PairOf(std::move(with.mirrored), own, other));
            }
            result.pairs.push_back(PairOf(std::move(with.passages), other, own));
        }
        const std::span<const int32_t> candidates = search.Candidates();
        result.candidates.assign(candidates.begin(), candidates.end());
    };
    // Files are taken one by one: a few files that share much with hundreds of others take
    // longer than thousands of the rest, and a worker that took the files after them with them
    // would keep those from the other workers.
    constexpr int32_t kOneByOne = 1;
    OrderedWork<SecondResult> comparing(
        options_.jobs, files,
        [&] {
            auto search = std::make_shared<PassageSearch>(rules, state.index, state.files1,
                                                          state.wordHashes, &state.common);
            auto file = std::make_shared<ReadFile>();
            return [&compare, search, file](int32_t j, SecondResult& result) {
                compare(*search, *file, j, result);
            };
        },
        kOneByOne);
    // Pairs found mirrored, by the 2nd-folder file they are reported with.
    std::vector<std::vector<PairPassages>> kept(sameFiles ? names.size() : 0);
    std::vector<int32_t> keptCandidates(kept.size(), 0);
    for (int32_t j = 0; j < files; ++j) {
        if (!GoOn()) {
            return false;
        }
        SecondResult result = comparing.Take(j);
        const std::string& name2 = names[static_cast<size_t>(j)];
        if (result.error) {
            const std::string path = FullPath(options_.folders[1], name2);
            Emit(&PassageSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::Second, path, result.error->message});
            continue;
        }
        candidates_ += static_cast<int64_t>(result.candidates.size());
        if (sameFiles) {
            const auto at = static_cast<size_t>(j);
            candidates_ += keptCandidates[at];
            if (j < mirroredFiles) {
                for (const int32_t file : result.candidates) {
                    keptCandidates[static_cast<size_t>(file)] += file > j ? 1 : 0;
                }
            }
            for (PairPassages& pair : result.mirrored) {
                kept[static_cast<size_t>(pair.index2)].push_back(std::move(pair));
            }
            std::vector<PairPassages> before = std::move(kept[at]);
            result.pairs.insert(result.pairs.begin(), std::make_move_iterator(before.begin()),
                                std::make_move_iterator(before.end()));
        }
        if (!Report(result.pairs, name2)) {
            return false;
        }
    }
    return true;
}

bool PassageScan::Report(const std::vector<PairPassages>& pairs, const std::string& name2) {
    const State& state = *state_;
    for (const PairPassages& pair : pairs) {
        if (control_.stopRequested && control_.stopRequested()) {
            return false;
        }
        ++pairs_;
        Emit(
            &PassageSink::OnPairFound,
            PassagePairFound{state.names1[static_cast<size_t>(pair.index1)], name2, pair,
                             state.dictionary, state.files1[static_cast<size_t>(pair.index1)].ids});
    }
    return true;
}

}  // namespace ravelin
