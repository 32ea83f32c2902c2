#include "output/HtmlSink.h"

#include "engine/FileWords.h"
#include "engine/MatchHighlight.h"
#include "files/FolderListing.h"
#include "files/TextEncoding.h"
#include "output/PageFiles.h"
#include "output/PageText.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace ravelin {
namespace {

using json = nlohmann::json;

// A part is written once its data reach this size, so that a page costs little memory.
constexpr size_t kPartBytes = size_t{1} << 20;

constexpr std::string_view kStyleLink = "<link rel=\"stylesheet\" href=\"report.css\">\n";
constexpr std::string_view kScriptLink = "<script src=\"report.js\"></script>\n";
constexpr std::string_view kDataMark = "<!-- data -->\n";

std::string Dumped(const json& value) {
    return value.dump(-1, ' ', false, json::error_handler_t::replace);
}

// An HTML parser ends a script at "</" and treats "<!--" specially; JSON may say both otherwise.
std::string InScript(std::string_view text) {
    std::string safe;
    safe.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '<' && text.substr(i + 1, 1) == "/") {
            safe += "<\\/";
            ++i;
        } else if (text[i] == '<' && text.substr(i + 1, 3) == "!--") {
            safe += "\\u003c";
        } else {
            safe += text[i];
        }
    }
    return safe;
}

// The page's markup up to the data, with its style in place of the link to it.
std::string PageHead() {
    const std::string_view html = page::kReportHtml;
    const size_t link = html.find(kStyleLink);
    const size_t data = html.find(kDataMark);
    return std::string(html.substr(0, link)) + "<style>\n" + std::string(page::kReportCss) +
           "</style>\n" +
           std::string(html.substr(link + kStyleLink.size(), data - link - kStyleLink.size()));
}

// The rest of the markup, with the script in place of the link to it.
std::string PageTail() {
    const std::string_view html = page::kReportHtml;
    const size_t data = html.find(kDataMark) + kDataMark.size();
    const size_t link = html.find(kScriptLink);
    return std::string(html.substr(data, link - data)) + "<script>\n" +
           std::string(page::kReportJs) + "</script>\n" +
           std::string(html.substr(link + kScriptLink.size()));
}

}  // namespace

void HtmlSink::OnScanBegun(const ScanOptions& options) {
    options_ = options;
    paths_ = options.folders;
    // The compared words lie within the first S + 2N + N reduced words of either side.
    wordsShown_ = std::max(options.numWordsToSkip[0], options.numWordsToSkip[1]) +
                  3 * options.numWordsToCompare;
    textBytes_ = static_cast<size_t>(kCharsPerNeededWord) * static_cast<size_t>(wordsShown_) + 200;
    textOf_.clear();
    texts_ = 0;
    partTexts_.clear();
    partRows_.clear();
    files_ = {0, 0};
    pairs_ = rows_ = leftOut_ = 0;
    out_ << PageHead();
}

void HtmlSink::OnPassBegun(ScanPass pass, int32_t files) {
    files_[static_cast<size_t>(pass)] = files;
}

void HtmlSink::OnFileBegun(const FileBegun& event) {
    if (event.pass == ScanPass::Second) {
        pairs_ += files_[0];
    }
}

int32_t HtmlSink::TextOf(int slot, const std::string& name) {
    const std::string path = FullPath(paths_[static_cast<size_t>(slot)], name);
    const auto [known, added] = textOf_.emplace(path, texts_);
    if (added) {
        ++texts_;
        PageText text = ReadPageText(path, wordsShown_, textBytes_);
        partTexts_ += Dumped(json::array(
                          {slot, Utf8Lossy(name), std::move(text.text), std::move(text.spans)})) +
                      ',';
    }
    return known->second;
}

void HtmlSink::OnMatch(const MatchFound& event) {
    if (rows_ >= maxRows_) {
        ++leftOut_;
        return;
    }
    ++rows_;
    const MatchHighlight marks =
        HighlightSegments(event.segments.First(), event.segments.Second(), options_.numWordsToSkip,
                          event.mode, event.shift);
    std::string equal;
    for (const bool same : marks.equal) {
        equal.push_back(same ? '1' : '0');
    }
    const int32_t text1 = TextOf(0, event.name1);
    const int32_t text2 = TextOf(1, event.name2);
    partRows_ += Dumped(json::array({event.index1, text1, text2, event.percent, event.mode,
                                     event.shift, marks.first[0], marks.first[1], equal})) +
                 ',';
    if (partTexts_.size() + partRows_.size() >= kPartBytes) {
        WritePart("");
    }
}

// One part of the data: the texts and rows gathered since the last, and what else is given.
void HtmlSink::WritePart(const std::string& extra) {
    const auto list = [](std::string& items) {
        if (!items.empty()) {
            items.pop_back();
        }
        return "[" + items + "]";
    };
    out_ << R"(<script type="application/json" class="ravelin-data">)"
         << InScript("{\"texts\":" + list(partTexts_) + ",\"rows\":" + list(partRows_) + extra +
                     "}")
         << "</script>\n";
    partTexts_.clear();
    partRows_.clear();
}

void HtmlSink::OnScanEnded(const ScanEnded& event) {
    json groups = json::array();
    for (const std::vector<GroupMember>& group : groups_.Groups()) {
        json members = json::array();
        for (const GroupMember& member : group) {
            members.push_back({member.slot, member.index, Utf8Lossy(member.name)});
        }
        groups.push_back(std::move(members));
    }
    const json summary = {
        {"folders", {Utf8Lossy(paths_[0]), Utf8Lossy(paths_[1])}},
        {"settings",
         {{"N", options_.numWordsToCompare},
          {"T", options_.matchThreshold},
          {"S1", options_.numWordsToSkip[0]},
          {"S2", options_.numWordsToSkip[1]}}},
        {"files", files_},
        {"pairs", pairs_},
        {"matches", event.matches},
        {"stopped", event.how == ScanEnd::Stopped},
        {"groups", std::move(groups)},
        {"rowsLeftOut", leftOut_},
    };
    WritePart(",\"summary\":" + Dumped(summary));
    out_ << PageTail();
}

std::string HtmlSink::Notice() const {
    if (leftOut_ == 0) {
        return {};
    }
    return "the page lists the first " + std::to_string(rows_) + " matches and leaves out " +
           std::to_string(leftOut_) + "; --format json or tsv lists every match";
}

}  // namespace ravelin
