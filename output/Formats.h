#pragma once

// Every result format, in one table that the command line and the window both read: its name,
// what it is for, the extension of a file saved in it and how its sink is made. A new format is
// a sink and a row here.

#include "output/FormatSink.h"
#include "output/PassageFormatSink.h"

#include <array>
#include <memory>
#include <string_view>

namespace ravelin {

struct FormatRow {
    std::string_view name;       // as --format and the save dialog name it
    std::string_view help;       // one line
    std::string_view extension;  // of a file written in it, without the dot
    bool needsGroups;            // the scan's matches are gathered into groups for it
    bool announcesSize;          // a page for people: a front end says how large the file is
    std::unique_ptr<FormatSink> (*make)(const FormatContext& context);
    // The sink of a passage scan (--passages).
    std::unique_ptr<PassageFormatSink> (*makePassages)(const PassageFormatContext& context);
};

extern const std::array<FormatRow, 5> kFormats;

// The row of that name; null when there is none.
const FormatRow* FindFormat(std::string_view name);

}  // namespace ravelin
