// Writes COUNT text files made from the files of a folder with light random edits: each new file
// is a source file with a few words replaced, inserted or dropped, so the scaled folder has the
// real folder's vocabulary and many near-duplicates. With --near-miss, writes a copy of each file
// of the folder with every third word replaced, so that no window of it reaches 90 per cent
// with any file of the folder although each shares most of its words with one.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> ReadSources(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            paths.push_back(entry.path());
        }
    }
    std::sort(paths.begin(), paths.end());
    std::vector<std::string> sources;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        sources.push_back(text.str());
    }
    return sources;
}

// Edits whole words, keeping the line structure, in the first few kilobytes where a scan looks.
std::string Edit(const std::string& source, std::mt19937& random) {
    static const char* const kWords[] = {"alpha", "beta",  "gamma", "delta", "epsilon",
                                         "kappa", "omega", "sigma", "theta", "lambda"};
    std::string text = source;
    std::uniform_int_distribution<int> edits(1, 4);
    const size_t reach = std::min<size_t>(text.size(), 4000);
    for (int e = edits(random); e > 0 && reach > 0; --e) {
        const size_t at = std::uniform_int_distribution<size_t>(0, reach - 1)(random);
        const size_t start = text.find_last_of(" \n", at) == std::string::npos
                                 ? 0
                                 : text.find_last_of(" \n", at) + 1;
        const size_t end = std::min(text.find_first_of(" \n", start), text.size());
        const std::string word = kWords[random() % 10];
        switch (random() % 3) {
            case 0:
                text.replace(start, end - start, word);
                break;
            case 1:
                text.insert(start, word + " ");
                break;
            default:
                text.erase(start, end - start);
                break;
        }
    }
    return text;
}

std::string EveryThirdWordReplaced(const std::string& source) {
    std::string text;
    text.reserve(source.size());
    size_t word = 0;
    bool inWord = false;
    for (const char c : source) {
        const bool blank = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (!blank && !inWord && ++word % 3 == 0) {
            text += "zyxquv";
        }
        inWord = !blank;
        if (blank || word % 3 != 0) {
            text.push_back(c);
        }
    }
    return text;
}

int NearMiss(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::filesystem::create_directories(target);
    for (const auto& entry : std::filesystem::directory_iterator(source)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        std::ofstream(target / entry.path().filename(), std::ios::binary)
            << EveryThirdWordReplaced(text.str());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--near-miss") {
        return NearMiss(argv[2], argv[3]);
    }
    if (argc != 4) {
        std::cerr << "usage: make-scaled-corpus SOURCE_FOLDER TARGET_FOLDER COUNT\n"
                     "       make-scaled-corpus --near-miss SOURCE_FOLDER TARGET_FOLDER\n";
        return 2;
    }
    const std::vector<std::string> sources = ReadSources(argv[1]);
    if (sources.empty()) {
        std::cerr << "make-scaled-corpus: no files in " << argv[1] << "\n";
        return 1;
    }
    const std::filesystem::path target = argv[2];
    std::filesystem::create_directories(target);
    std::mt19937 random(20261206);
    const long count = std::stol(argv[3]);
    for (long i = 0; i < count; ++i) {
        const std::string& source = sources[static_cast<size_t>(i) % sources.size()];
        std::ofstream(target / ("scaled-" + std::to_string(100000 + i) + ".txt"), std::ios::binary)
            << Edit(source, random);
    }
    return 0;
}
