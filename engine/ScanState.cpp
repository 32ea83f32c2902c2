#include "engine/ScanState.h"

namespace ravelin {

void FirstFolderTable::Dimension(int32_t segmentLength, int32_t fileCount) {
    const auto files = static_cast<size_t>(fileCount > 0 ? fileCount : 0);
    segmentLength_ = segmentLength;
    names_.assign(files, std::string());
    tooSmall_.assign(files, 1);
    ids_.assign(files * static_cast<size_t>(segmentLength), WordDictionary::kUnknown);
    ids_.shrink_to_fit();
}

void FirstFolderTable::Store(int32_t k, std::string name, std::span<const uint32_t> ids) {
    names_[static_cast<size_t>(k)] = std::move(name);
    tooSmall_[static_cast<size_t>(k)] = 0;
    const size_t start = static_cast<size_t>(k) * static_cast<size_t>(segmentLength_);
    std::copy(ids.begin(), ids.begin() + segmentLength_,
              ids_.begin() + static_cast<ptrdiff_t>(start));
}

void FirstFolderTable::StoreTooSmall(int32_t k, std::string name) {
    names_[static_cast<size_t>(k)] = std::move(name);
    tooSmall_[static_cast<size_t>(k)] = 1;
}

void SecondFileWords::Assign(std::string fileName, std::span<const std::string> reducedWords,
                             int32_t skip, int32_t segmentLength,
                             const WordDictionary& dictionary) {
    name = std::move(fileName);
    const auto first = reducedWords.begin() + skip;
    words.assign(first, first + segmentLength);
    ids.resize(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        ids[i] = dictionary.Find(words[i]);
    }
}

std::string ScanState::strWords1(int32_t i, int32_t k) const {
    if (i == 0) {
        return table1.Name(k);
    }
    if (table1.TooSmall(k)) {
        return i == 1 ? std::string(kFileTooSmall) : std::string();
    }
    return std::string(dictionary.Word(table1.Ids(k)[static_cast<size_t>(i - 1)]));
}

std::string ScanState::strWords2(int32_t i) const {
    return i == 0 ? words2.name : words2.words[static_cast<size_t>(i - 1)];
}

SegmentSides ScanState::Sides(int32_t k) const {
    return SegmentSides{table1.Ids(k), words2.ids, dictionary, words2.words};
}

int32_t ScanState::CompareSegments(int32_t k, int32_t intMode, int32_t intOffset) {
    return ravelin::CompareSegments(Sides(k), intMode, intOffset, intNumWordsToCompare,
                                    intMatchThreshold, &segments);
}

}  // namespace ravelin
