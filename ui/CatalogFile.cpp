#include "ui/CatalogFile.h"

#include <fstream>
#include <optional>
#include <string_view>

namespace ravelin {
namespace {

constexpr std::string_view kMakerSite = "https://www.quillmere.example/";

struct KeyedLine {
    std::string_view key;
    std::string_view value;
};

// Blanks and tabs: a catalog is edited by hand.
std::string_view TrimBlanksAndTabs(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// "key: value", or nothing for a comment, a blank line or a line without a key.
std::optional<KeyedLine> SplitLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);  // written on Windows
    }
    const std::string_view trimmed = TrimBlanksAndTabs(line);
    const size_t colon = trimmed.find(':');
    if (trimmed.empty() || trimmed.front() == '#' || colon == std::string_view::npos) {
        return std::nullopt;
    }
    return KeyedLine{TrimBlanksAndTabs(trimmed.substr(0, colon)),
                     TrimBlanksAndTabs(trimmed.substr(colon + 1))};
}

void AddIfTitled(std::vector<CatalogItem>& items, std::optional<CatalogItem>& item) {
    if (item && !item->title.empty()) {
        items.push_back(std::move(*item));
    }
    item.reset();
}

}  // namespace

std::vector<CatalogItem> ParseCatalog(std::istream& in) {
    std::vector<CatalogItem> items;
    std::optional<CatalogItem> item;
    std::string line;
    while (std::getline(in, line)) {
        const std::optional<KeyedLine> keyed = SplitLine(line);
        if (!keyed) {
            continue;
        }
        if (keyed->key == "title") {
            AddIfTitled(items, item);
            item.emplace();
            item->title = keyed->value;
        } else if (item && keyed->key == "text") {
            item->description.emplace_back(keyed->value);
        } else if (item && keyed->key == "page") {
            item->page = keyed->value;
        }
    }
    AddIfTitled(items, item);
    return items;
}

std::vector<CatalogItem> LoadCatalogFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    return ParseCatalog(in);
}

std::string CatalogPageAddress(const std::string& page) {
    const std::string_view path = page.starts_with('/') ? std::string_view(page).substr(1) : page;
    return std::string(kMakerSite) + std::string(path);
}

}  // namespace ravelin
