#include "engine/PassageScan.h"

#include "engine/OrderedWork.h"
#include "engine/PassageIndex.h"
#include "engine/TracedReduction.h"
#include "engine/WordDictionary.h"
#include "files/FolderListing.h"

#include <algorithm>

namespace ravelin {
namespace {

constexpr std::string_view kTextFiles = "*.txt";

// A file read whole and reduced, with what the index needs, made on a worker.
struct ReadFile {
    std::optional<Error> error;
    TracedWords traced;
    std::vector<uint64_t> hashes;        // of the words
    std::vector<uint64_t> fingerprints;  // for the index
    std::vector<uint64_t> windows;       // distinct window hashes, when windows are counted
};

ReadFile ReadAndReduce(const std::string& path, int32_t minWords, bool countWindows) {
    ReadFile file;
    Result<std::string> stored = ReadStoredFile(path);
    if (!stored) {
        file.error = stored.error();
        return file;
    }
    file.traced = ReduceStoredTextToWords(stored.value());
    file.hashes.reserve(file.traced.words.size());
    for (const std::string& word : file.traced.words) {
        file.hashes.push_back(WordDictionary::HashOf(word));
    }
    file.fingerprints = Fingerprints(file.hashes, minWords);
    if (countWindows) {
        file.windows = WindowHashes(file.hashes, minWords);
        std::sort(file.windows.begin(), file.windows.end());
        file.windows.erase(std::unique(file.windows.begin(), file.windows.end()),
                           file.windows.end());
    }
    return file;
}

struct StoredFile {
    std::vector<uint32_t> ids;
    std::vector<ByteSpan> spans;
};

}  // namespace

struct PassageScan::State {
    WordDictionary dictionary;
    std::vector<uint64_t> wordHashes;  // by word number
    CommonWindows common;
    PassageIndex index;
    std::vector<std::string> names1;
    std::vector<StoredFile> files1;
    bool prepared = false;

    uint32_t Intern(const std::string& word, uint64_t hash) {
        const uint32_t id = dictionary.Intern(word, hash);
        if (id == wordHashes.size()) {
            wordHashes.push_back(hash);
        }
        return id;
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

PassageScanEnded PassageScan::End(ScanEnd how) {
    const PassageScanEnded ended{how, pairs_, candidates_};
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
            return Error{0, path + ": " + error};
        }
        for (const std::string& name : names) {
            paths.push_back(FullPath(path, name));
        }
    }
    for (const std::string& path : paths) {
        ReadFile file = ReadAndReduce(path, options_.rules.minWords, false);
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
    state.files1.assign(names.size(), StoredFile());
    OrderedWork<ReadFile> reading(options_.jobs, files, [&] {
        return [&](int32_t k, ReadFile& file) {
            file = ReadAndReduce(FullPath(options_.folders[0], names[static_cast<size_t>(k)]),
                                 minWords, countWindows);
        };
    });
    std::vector<uint64_t> windowsSeen;
    for (int32_t k = 0; k < files; ++k) {
        if (!GoOn()) {
            return false;
        }
        ReadFile file = reading.Take(k);
        if (file.error) {
            const std::string path = FullPath(options_.folders[0], names[static_cast<size_t>(k)]);
            Emit(&PassageSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::First, path, file.error->message});
            continue;
        }
        StoredFile& stored = state.files1[static_cast<size_t>(k)];
        stored.ids.reserve(file.hashes.size());
        for (size_t i = 0; i < file.hashes.size(); ++i) {
            stored.ids.push_back(state.Intern(file.traced.words[i], file.hashes[i]));
        }
        stored.spans = std::move(file.traced.spans);
        state.index.Add(k, file.fingerprints);
        windowsSeen.insert(windowsSeen.end(), file.windows.begin(), file.windows.end());
    }
    state.index.Seal();
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
    return true;
}

namespace {

struct SecondResult {
    std::optional<Error> error;
    std::vector<PairPassages> pairs;
    int64_t candidates = 0;
};

ByteSpan SpanOf(const std::vector<ByteSpan>& spans, int32_t start, int32_t end) {
    const ByteSpan& first = spans[static_cast<size_t>(start)];
    const ByteSpan& last = spans[static_cast<size_t>(end - 1)];
    return ByteSpan{first.offset, last.offset + last.length - first.offset};
}

}  // namespace

bool PassageScan::SecondPass(const std::vector<std::string>& names) {
    const State& state = *state_;
    const auto files = static_cast<int32_t>(names.size());
    const PassageRules rules = options_.rules;
    OrderedWork<SecondResult> comparing(options_.jobs, files, [&] {
        return [&](int32_t j, SecondResult& result) {
            const ReadFile file =
                ReadAndReduce(FullPath(options_.folders[1], names[static_cast<size_t>(j)]),
                              rules.minWords, false);
            result.error = file.error;
            if (file.error) {
                return;
            }
            std::vector<uint32_t> ids;
            ids.reserve(file.traced.words.size());
            for (const std::string& word : file.traced.words) {
                ids.push_back(state.dictionary.Find(word));
            }
            const std::vector<uint64_t> windows2 = WindowHashes(file.hashes, rules.minWords);
            PassageFinder finder(rules, &state.common);
            finder.SetSecond(PassageText{ids, windows2});
            const std::vector<int32_t> candidates = state.index.Candidates(file.fingerprints);
            result.candidates = static_cast<int64_t>(candidates.size());
            std::vector<uint64_t> hashes1;
            for (const int32_t k : candidates) {
                const StoredFile& first = state.files1[static_cast<size_t>(k)];
                hashes1.clear();
                for (const uint32_t id : first.ids) {
                    hashes1.push_back(state.wordHashes[id]);
                }
                const std::vector<uint64_t> windows1 = WindowHashes(hashes1, rules.minWords);
                PairPassages pair;
                pair.passages = finder.Find(PassageText{first.ids, windows1});
                if (pair.passages.empty()) {
                    continue;
                }
                pair.index1 = k;
                pair.index2 = j;
                pair.total1 = static_cast<int32_t>(first.ids.size());
                pair.total2 = static_cast<int32_t>(ids.size());
                for (Passage& p : pair.passages) {
                    p.bytes1 = SpanOf(first.spans, p.start1, p.end1);
                    p.bytes2 = SpanOf(file.traced.spans, p.start2, p.end2);
                }
                Summarise(pair);
                result.pairs.push_back(std::move(pair));
            }
        };
    });
    for (int32_t j = 0; j < files; ++j) {
        if (!GoOn()) {
            return false;
        }
        const SecondResult result = comparing.Take(j);
        const std::string& name2 = names[static_cast<size_t>(j)];
        if (result.error) {
            const std::string path = FullPath(options_.folders[1], name2);
            Emit(&PassageSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::Second, path, result.error->message});
            continue;
        }
        candidates_ += result.candidates;
        for (const PairPassages& pair : result.pairs) {
            if (control_.stopRequested && control_.stopRequested()) {
                return false;
            }
            ++pairs_;
            Emit(&PassageSink::OnPairFound,
                 PassagePairFound{state.names1[static_cast<size_t>(pair.index1)], name2, pair});
        }
    }
    return true;
}

}  // namespace ravelin
