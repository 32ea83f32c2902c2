#include "output/HtmlSink.h"

#include "engine/FileWords.h"
#include "engine/MatchHighlight.h"
#include "files/FolderListing.h"
#include "files/TextEncoding.h"
#include "output/PageAssembly.h"
#include "output/PageFiles.h"
#include "output/PageText.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace ravelin {
namespace {

using json = nlohmann::json;

PageFrame ReportFrame() {
    return FramePage(page::kReportHtml, {{"report.css", page::kReportCss},
                                         {"common.js", page::kCommonJs},
                                         {"report.js", page::kReportJs}});
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
    out_ << ReportFrame().head;
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
        partTexts_ += PageJson(json::array(
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
    partRows_ += PageJson(json::array({event.index1, text1, text2, event.percent, event.mode,
                                       event.shift, marks.first[0], marks.first[1], equal})) +
                 ',';
    if (partTexts_.size() + partRows_.size() >= kPagePartBytes) {
        WritePart("");
    }
}

void HtmlSink::WritePart(const std::string& extra) {
    WriteDataPart(out_, partTexts_, partRows_, extra);
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
    WritePart(",\"summary\":" + PageJson(summary));
    out_ << ReportFrame().tail;
}

std::string HtmlSink::Notice() const {
    if (leftOut_ == 0) {
        return {};
    }
    return "the page lists the first " + std::to_string(rows_) + " matches and leaves out " +
           std::to_string(leftOut_) + "; --format json or tsv lists every match";
}

}  // namespace ravelin
