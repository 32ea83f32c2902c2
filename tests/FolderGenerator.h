#pragma once

// Folders of generated texts over a tiny vocabulary: edited and shifted copies of a few
// originals, unrelated texts and files too small to compare, so that a scan meets matches at
// every shift, near its threshold and on both sides of the word budgets.

#include "TempFolder.h"

#include <random>
#include <string>
#include <vector>

namespace ravelin::testing {

struct GeneratedFolder {
    int files = 20;
    int words = 160;       // of the originals
    int vocabulary = 8;    // distinct words
    uint32_t seed = 1;     // of the edits; the originals depend on the vocabulary alone
};

inline std::string GeneratedWord(std::mt19937& random, int vocabulary) {
    static const char* const kStems[] = {"alpha", "bravo", "delta", "gamma", "kilo",
                                         "lima",  "oscar", "romeo", "sierra", "tango"};
    const int n = std::uniform_int_distribution<int>(0, vocabulary - 1)(random);
    return std::string(kStems[n % 10]) + std::to_string(n / 10);
}

// Writes the files into `sub` of the folder and returns its path.
inline std::string WriteGeneratedFolder(const TempFolder& folder, const std::string& sub,
                                        const GeneratedFolder& shape) {
    std::mt19937 random(static_cast<uint32_t>(shape.vocabulary));
    std::vector<std::vector<std::string>> originals(3);
    for (auto& original : originals) {
        for (int i = 0; i < shape.words; ++i) {
            original.push_back(GeneratedWord(random, shape.vocabulary));
        }
    }
    random.seed(shape.seed);
    for (int f = 0; f < shape.files; ++f) {
        std::vector<std::string> words = originals[random() % originals.size()];
        words.erase(words.begin(), words.begin() + static_cast<long>(random() % 12));
        // Every third file is edited heavily, so that some pairs only just reach a threshold.
        const auto edits = static_cast<int>(random() % (f % 3 == 0 ? words.size() / 3 : 12));
        for (int e = edits; e > 0; --e) {
            words[random() % words.size()] = GeneratedWord(random, shape.vocabulary);
        }
        if (f % 5 == 4) {
            words.resize(random() % words.size());  // too small for some budgets
        }
        std::string text;
        for (const std::string& word : words) {
            text += word + (random() % 9 == 0 ? "\r\n" : " ");
        }
        folder.Write(sub + "/f" + std::to_string(f) + ".txt", text);
    }
    return (folder.Path() / sub).string();
}

}  // namespace ravelin::testing
