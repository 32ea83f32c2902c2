#include "engine/SecondPass.h"

#include "engine/FileWords.h"
#include "files/FolderListing.h"

namespace ravelin {

std::optional<MatchResult> LiteralPairMatcher::Match(const ScanState& state, int32_t k) {
    return FindFirstMatch(state.Sides(k), state.intNumWordsToCompare, state.intMatchThreshold);
}

void SequentialSecondPass::Begin(const ScanState& state, const SecondFolder& folder) {
    folder_ = folder;
    matcher_->Prepare(state);
}

FileLoad SequentialSecondPass::LoadFile(ScanState& state, int32_t j) {
    const std::string& name = folder_.names[static_cast<size_t>(j)];
    const int32_t segment = 2 * state.intNumWordsToCompare;
    const int32_t needed = segment + folder_.skip;
    state.words2.name = name;
    FileWords read = ReadSecondFolderWords(FullPath(folder_.path, name), needed, words_);
    FileLoad load{read.count >= needed, std::move(read.errorDescription)};
    if (load.usable) {
        state.words2.Assign(name, words_, folder_.skip, segment, state.dictionary);
        matcher_->BeginFile(state);
    }
    return load;
}

std::optional<MatchResult> SequentialSecondPass::Match(ScanState& state, int32_t k) {
    return matcher_->Match(state, k);
}

}  // namespace ravelin
