#include "engine/SecondPass.h"

#include "engine/FileWords.h"
#include "engine/ParallelSecondPass.h"
#include "engine/PrunedMatcher.h"
#include "files/FolderListing.h"

namespace ravelin {

std::optional<MatchResult> LiteralPairMatcher::Match(const ScanState& state, int32_t k) {
    return FindFirstMatch(state.Sides(k), state.intNumWordsToCompare, state.intMatchThreshold);
}

void SequentialSecondPass::Begin(const ScanState& state, const SecondFolder& folder) {
    folder_ = folder;
    matcher_->Prepare(state);
}

FileLoad LoadSecondFile(const SecondFolder& folder, const std::string& name, int32_t n,
                        const WordDictionary& dictionary, std::vector<std::string>& scratch,
                        SecondFileWords& words) {
    const int32_t segment = 2 * n;
    const int32_t needed = segment + folder.skip;
    words.name = name;
    FileWords read = ReadSecondFolderWords(FullPath(folder.path, name), needed, scratch);
    FileLoad load{read.count >= needed, std::move(read.error)};
    if (load.usable) {
        words.Assign(name, scratch, folder.skip, segment, dictionary);
    }
    return load;
}

FileLoad SequentialSecondPass::LoadFile(ScanState& state, int32_t j) {
    FileLoad load =
        LoadSecondFile(folder_, folder_.names[static_cast<size_t>(j)], state.intNumWordsToCompare,
                       state.dictionary, words_, state.words2);
    if (load.usable) {
        matcher_->BeginFile(state);
    }
    return load;
}

std::unique_ptr<SecondPass> MakeSecondPass(bool literal, int jobs) {
    if (literal) {
        return std::make_unique<SequentialSecondPass>(std::make_unique<LiteralPairMatcher>());
    }
    if (jobs > 1) {
        return std::make_unique<ParallelSecondPass>(jobs);
    }
    return std::make_unique<SequentialSecondPass>(std::make_unique<PrunedPairMatcher>());
}

std::optional<MatchResult> SequentialSecondPass::Match(ScanState& state, int32_t k) {
    return matcher_->Match(state, k);
}

}  // namespace ravelin
