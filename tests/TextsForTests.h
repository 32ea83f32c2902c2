#pragma once

// Program texts for tests that run without the shipped text file.

#include "engine/TextCatalog.h"

#include <map>
#include <string>
#include <utility>

namespace ravelin::testing {

// The texts of the scan's validation messages and report lines, as the shipped file has them,
// so that a test's expected report reads like the real one.
inline std::map<int, std::string> ScanTexts() {
    return {
        {8, "Number of words in test segment"},
        {9, "Number of words to display"},
        {10, "Threshold for similarity"},
        {11, "Number of words to skip in the"},
        {12, "Scanning ..."},
        {13, "Processing files in 1st folder:"},
        {14, "Get 2nd folder files"},
        {15, "There are no matches."},
        {16, "There is one match."},
    };
}

// Answers the texts it was given and "" for every other number, as a missing text reads.
class MapTextCatalog final : public TextCatalog {
  public:
    explicit MapTextCatalog(std::map<int, std::string> texts) : texts_(std::move(texts)) {}

    std::string Text(int n) const override {
        const auto found = texts_.find(n);
        return found == texts_.end() ? "" : found->second;
    }

  private:
    std::map<int, std::string> texts_;
};

}  // namespace ravelin::testing
