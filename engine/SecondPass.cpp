#include "engine/SecondPass.h"

#include "engine/FileWords.h"
#include "files/FolderListing.h"

namespace ravelin {

SecondFile LoadSecondFile(const SecondFolder& folder, const std::string& name, int32_t n,
                          const WordDictionary& dictionary, std::vector<std::string>& scratch) {
    const int32_t segment = 2 * n;
    const int32_t needed = segment + folder.skip;
    FileWords read = ReadSecondFolderWords(FullPath(folder.path, name), needed, scratch);
    SecondFile file;
    file.usable = read.count >= needed;
    file.readError = std::move(read.error);
    if (file.usable) {
        file.words.Assign(name, scratch, folder.skip, segment, dictionary);
    }
    return file;
}

namespace {

FirstFolderIndex IndexFor(const ScanState& state, bool literal, int jobs) {
    FirstFolderIndex index;
    if (!literal) {
        index.Build(state.table1, state.intNumWordsToCompare, state.intMatchThreshold, jobs);
    }
    return index;
}

}  // namespace

SecondPass::SecondPass(const ScanState& state, SecondFolder folder, bool literal, int jobs)
    : state_(state),
      folder_(std::move(folder)),
      literal_(literal),
      index_(IndexFor(state, literal, jobs)),
      work_(literal ? 1 : jobs, static_cast<int32_t>(folder_.names.size()),
            [this] { return MakeWorker(); }) {}

OrderedWork<SecondFile>::Compute SecondPass::MakeWorker() const {
    struct Scratch {
        std::vector<std::string> words;
        std::optional<PairProbe> probe;
    };
    auto scratch = std::make_shared<Scratch>();
    if (!literal_) {
        scratch->probe.emplace(index_);
    }
    return [this, scratch](int32_t j, SecondFile& file) {
        const int32_t n = state_.intNumWordsToCompare;
        file = LoadSecondFile(folder_, folder_.names[static_cast<size_t>(j)], n, state_.dictionary,
                              scratch->words);
        if (!file.usable) {
            return;
        }
        const auto sidesOf = [this, &file](int32_t k) {
            return SegmentSides{state_.table1.Ids(k), file.words.ids, state_.dictionary,
                                file.words.words};
        };
        if (literal_) {
            for (int32_t k = 0; k < state_.table1.FileCount(); ++k) {
                if (state_.table1.TooSmall(k)) {
                    continue;
                }
                if (auto match = FindFirstMatch(sidesOf(k), n, state_.intMatchThreshold)) {
                    file.matches.push_back({k, *match});
                }
            }
            return;
        }
        PairProbe& probe = *scratch->probe;
        probe.Begin(file.words.ids);
        for (const int32_t k : probe.Candidates()) {
            if (auto match = probe.Match(sidesOf(k), k)) {
                file.matches.push_back({k, *match});
            }
        }
    };
}

}  // namespace ravelin
