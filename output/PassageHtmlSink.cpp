#include "output/PassageHtmlSink.h"

#include "files/FolderListing.h"
#include "files/TextEncoding.h"
#include "output/PageAssembly.h"
#include "output/PageFiles.h"

#include <nlohmann/json.hpp>

namespace ravelin {
namespace {

using json = nlohmann::json;

// The scan's page style first: the passage page adds to it and changes nothing of it.
PageFrame PassageFrame() {
    return FramePage(page::kPassagesHtml, {{"report.css", page::kReportCss},
                                           {"passages.css", page::kPassagesCss},
                                           {"common.js", page::kCommonJs},
                                           {"passages.js", page::kPassagesJs}});
}

void AppendNumber(std::string& out, uint64_t number) {
    out += std::to_string(number);
    out += ',';
}

}  // namespace

PassageHtmlSink::PassageHtmlSink(std::ostream& out, int64_t maxRows)
    : out_(out), maxRows_(maxRows) {
    out_ << PassageFrame().head;
}

void PassageHtmlSink::OnFolderListed(const FolderListed& event) {
    folders_[static_cast<size_t>(event.pass)] = event.path;
    files_[static_cast<size_t>(event.pass)] = event.files;
}

void PassageHtmlSink::OnFileUnreadable(const FileUnreadable& /*event*/) {
    ++unreadable_;
}

const PassageHtmlSink::Text& PassageHtmlSink::TextOf(int slot, const std::string& name) {
    const std::string path = FullPath(folders_[static_cast<size_t>(slot)], name);
    const auto known = texts_.find(path);
    if (known != texts_.end()) {
        return known->second;
    }
    WholePageText text = ReadWholePageText(path, kMostTextBytes);
    const auto number = static_cast<int32_t>(texts_.size());
    partTexts_ += PageJson(json::array({slot, Utf8Lossy(name), std::move(text.text), text.shown}));
    partTexts_ += ',';
    return texts_.emplace(path, Text{number, std::move(text.places)}).first->second;
}

// Written number by number: a pair can hold thousands of passages.
void PassageHtmlSink::OnPairFound(const PassagePairFound& event) {
    if (rows_ >= maxRows_) {
        ++leftOut_;
        return;
    }
    ++rows_;
    const PairPassages& pair = event.pair;
    const Text& text1 = TextOf(0, event.name1);
    const Text& text2 = TextOf(1, event.name2);
    std::string& row = partRows_;
    row += '[';
    for (const int32_t number :
         {pair.index1, text1.number, text2.number, pair.percent1, pair.percent2, pair.shared1,
          pair.shared2, pair.total1, pair.total2,
          pair.passages[static_cast<size_t>(pair.longest)].equal}) {
        AppendNumber(row, static_cast<uint64_t>(number));
    }
    row += '[';
    for (const Passage& passage : pair.passages) {
        AppendNumber(row, text1.places.At(passage.bytes1.offset));
        AppendNumber(row, text1.places.At(passage.bytes1.offset + passage.bytes1.length));
        AppendNumber(row, text2.places.At(passage.bytes2.offset));
        AppendNumber(row, text2.places.At(passage.bytes2.offset + passage.bytes2.length));
        AppendNumber(row, static_cast<uint64_t>(passage.equal));
    }
    row.back() = ']';
    row += "],";
    if (partTexts_.size() + partRows_.size() >= kPagePartBytes) {
        WriteDataPart(out_, partTexts_, partRows_, "");
    }
}

void PassageHtmlSink::OnScanEnded(const PassageScanEnded& event) {
    const json summary = {
        {"folders", {Utf8Lossy(folders_[0]), Utf8Lossy(folders_[1])}},
        {"files", files_},
        {"candidates", event.candidates},
        {"matches", event.pairs},
        {"unreadable", unreadable_},
        {"stopped", event.how == ScanEnd::Stopped},
        {"rowsLeftOut", leftOut_},
    };
    WriteDataPart(out_, partTexts_, partRows_, ",\"summary\":" + PageJson(summary));
    out_ << PassageFrame().tail;
}

std::string PassageHtmlSink::Notice() const {
    if (leftOut_ == 0) {
        return {};
    }
    return "the page lists the first " + std::to_string(rows_) + " pairs and leaves out " +
           std::to_string(leftOut_) + "; --format json or tsv lists every pair";
}

}  // namespace ravelin
