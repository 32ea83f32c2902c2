#pragma once

// What the HTML pages share in how they are written: the page's own files put in place of the
// links to them, and the data as parts of JSON that the page's script joins.

#include <cstddef>
#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ravelin {

struct PageFile {
    std::string_view name;  // as the markup links it
    std::string_view content;
};

// The markup around the data, with every linked style and script the files name in place of
// its link, so that a page needs nothing beside it.
struct PageFrame {
    std::string head;
    std::string tail;
};
PageFrame FramePage(std::string_view html, const std::vector<PageFile>& files);

// A part is written once its data reach this size, so that a page costs little memory.
inline constexpr size_t kPagePartBytes = size_t{1} << 20;

// A value as the page's data holds it: compact, and bytes that are not UTF-8 replaced rather than
// failing the page.
std::string PageJson(const nlohmann::json& value);

// Writes one part of the data: the texts and rows gathered since the last (JSON array elements,
// each followed by a comma; both are emptied) and what else is given (",\"key\":value").
void WriteDataPart(std::ostream& out, std::string& texts, std::string& rows,
                   const std::string& extra);

}  // namespace ravelin
