#pragma once

// What a scan builds and keeps until the next one: the word tables of the two folders and the
// segment texts of the last comparison.

#include "engine/SegmentMatcher.h"
#include "engine/WordDictionary.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin {

inline constexpr std::string_view kFileTooSmall = "file too small";

// One column per 1st-folder file: its name and its 2N words by number, or the too-small mark.
class FirstFolderTable {
  public:
    void Dimension(int32_t segmentLength, int32_t fileCount);
    void Store(int32_t k, std::string name, std::span<const uint32_t> ids);
    void StoreTooSmall(int32_t k, std::string name);

    int32_t FileCount() const { return static_cast<int32_t>(names_.size()); }
    int32_t SegmentLength() const { return segmentLength_; }
    const std::string& Name(int32_t k) const { return names_[static_cast<size_t>(k)]; }
    bool TooSmall(int32_t k) const { return tooSmall_[static_cast<size_t>(k)] != 0; }
    std::span<const uint32_t> Ids(int32_t k) const {
        return {ids_.data() + static_cast<size_t>(k) * static_cast<size_t>(segmentLength_),
                static_cast<size_t>(segmentLength_)};
    }

  private:
    int32_t segmentLength_ = 0;
    std::vector<std::string> names_;
    std::vector<uint8_t> tooSmall_;
    std::vector<uint32_t> ids_;
};

// The 2nd-folder file being compared: its name and its 2N words, as text and by number.
struct SecondFileWords {
    std::string name;
    std::vector<std::string> words;
    std::vector<uint32_t> ids;

    // Takes words [skip, skip + segmentLength) of a file's word list.
    void Assign(std::string fileName, std::span<const std::string> reducedWords, int32_t skip,
                int32_t segmentLength, const WordDictionary& dictionary);
};

class ScanState {
  public:
    int32_t intNumWordsToCompare = 20;
    int32_t intMatchThreshold = 90;

    WordDictionary dictionary;
    FirstFolderTable table1;
    SecondFileWords words2;
    SegmentTexts segments;

    // The tables as a reader of the scan sees them: row 0 the file name, rows 1 to 2N the words,
    // row 1 of a too-small file its mark and the rows after it empty.
    std::string strWords1(int32_t i, int32_t k) const;
    std::string strWords2(int32_t i) const;

    SegmentSides Sides(int32_t k) const;
    // Compares 1st-folder file k with the current 2nd-folder file; the words compared are left
    // in `segments`.
    int32_t CompareSegments(int32_t k, int32_t intMode, int32_t intOffset);
};

}  // namespace ravelin
