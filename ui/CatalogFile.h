#pragma once

// The maker's list of other programs, read from catalog.txt beside the executables so that the
// list can change without a new build. The format is described at the top of data/catalog.txt.

#include <istream>
#include <string>
#include <vector>

namespace ravelin {

struct CatalogItem {
    std::string title;
    std::vector<std::string> description;  // one entry a line
    std::string page;                      // path on the maker's site; "" for no page

    bool operator==(const CatalogItem&) const = default;
};

// The items of a catalog text, in their order; blocks without a title are left out.
std::vector<CatalogItem> ParseCatalog(std::istream& in);

// The items of the file; none when it is missing or cannot be read.
std::vector<CatalogItem> LoadCatalogFile(const std::string& path);

// The full address of a page on the maker's site; a leading "/" of the path is not doubled.
std::string CatalogPageAddress(const std::string& page);

}  // namespace ravelin
