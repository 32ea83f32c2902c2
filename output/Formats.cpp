#include "output/Formats.h"

#include "output/HtmlSink.h"
#include "output/JsonSink.h"
#include "output/PassageHtmlSink.h"
#include "output/PassageJsonSink.h"
#include "output/PassageReportSink.h"
#include "output/PassageTsvSink.h"
#include "output/ReportFormat.h"
#include "output/TsvSink.h"

#include <algorithm>

namespace ravelin {

constexpr std::array<FormatRow, 5> kFormats = {{
    {"report", "as the window shows it", "txt", false, false,
     [](const FormatContext& c) -> std::unique_ptr<FormatSink> {
         return std::make_unique<ReportTextSink>(c.out, c.texts, c.forTerminal);
     },
     [](const PassageFormatContext& c) -> std::unique_ptr<PassageFormatSink> {
         return std::make_unique<PassageReportSink>(c.out);
     }},
    {"tsv", "a line per match", "tsv", false, false,
     [](const FormatContext& c) -> std::unique_ptr<FormatSink> {
         return std::make_unique<TsvSink>(c.out);
     },
     [](const PassageFormatContext& c) -> std::unique_ptr<PassageFormatSink> {
         return std::make_unique<PassageTsvSink>(c.out);
     }},
    {"json", "JSON Lines", "jsonl", true, false,
     [](const FormatContext& c) -> std::unique_ptr<FormatSink> {
         return std::make_unique<JsonSink>(c.out, &c.groups);
     },
     [](const PassageFormatContext& c) -> std::unique_ptr<PassageFormatSink> {
         return std::make_unique<PassageJsonSink>(c.out, c.groups);
     }},
    {"groups", "the files that are copies of each other", "txt", true, false,
     [](const FormatContext& c) -> std::unique_ptr<FormatSink> {
         return std::make_unique<GroupsTextSink>(c.out, c.groups);
     },
     [](const PassageFormatContext& c) -> std::unique_ptr<PassageFormatSink> {
         return std::make_unique<PassageGroupsSink>(c.out, c.groups);
     }},
    {"html", "one page to browse every match", "html", true, true,
     [](const FormatContext& c) -> std::unique_ptr<FormatSink> {
         return std::make_unique<HtmlSink>(c.out, c.groups);
     },
     [](const PassageFormatContext& c) -> std::unique_ptr<PassageFormatSink> {
         return std::make_unique<PassageHtmlSink>(c.out);
     }},
}};

const FormatRow* FindFormat(std::string_view name) {
    const auto row = std::find_if(kFormats.begin(), kFormats.end(),
                                  [name](const FormatRow& format) { return format.name == name; });
    return row == kFormats.end() ? nullptr : &*row;
}

}  // namespace ravelin
