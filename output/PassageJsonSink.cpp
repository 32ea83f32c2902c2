#include "output/PassageJsonSink.h"

#include "output/JsonSink.h"

#include <nlohmann/json.hpp>

namespace ravelin {

void PassageJsonSink::OnFolderListed(const FolderListed& event) {
    files_[static_cast<size_t>(event.pass)] = event.files;
    out_ << JsonFolderLine(event) << '\n';
}

void PassageJsonSink::OnFileUnreadable(const FileUnreadable& event) {
    out_ << JsonUnreadableLine(event) << '\n';
}

// Written field by field, as a scan's match lines are: a pair can hold thousands of passages.
void PassageJsonSink::OnPairFound(const PassagePairFound& event) {
    if (groups_.LastMerged() != 0) {
        const nlohmann::ordered_json merge = {
            {"type", "merge"}, {"group", groups_.LastMerged()}, {"into", groups_.LastGroup()}};
        out_ << merge.dump() << '\n';
    }
    const PairPassages& pair = event.pair;
    names_.Update(pair.index1, event.name1, pair.index2, event.name2,
                  [](const std::string& name, bool first) {
                      return JsonNameField(first ? "file1" : "file2", name);
                  });
    line_ = R"({"type":"match")" + names_.First() + names_.Second();
    const auto number = [this](std::string_view key, uint64_t value, bool first = false) {
        line_.append(first ? "\"" : ",\"").append(key).append("\":").append(std::to_string(value));
    };
    const auto count = [](int32_t value) { return static_cast<uint64_t>(value); };
    number("index1", count(pair.index1));
    number("index2", count(pair.index2));
    number("percent1", count(pair.percent1));
    number("percent2", count(pair.percent2));
    number("shared1", count(pair.shared1));
    number("shared2", count(pair.shared2));
    number("total1", count(pair.total1));
    number("total2", count(pair.total2));
    number("longest", count(pair.passages[static_cast<size_t>(pair.longest)].equal));
    line_ += ",\"passages\":[";
    for (size_t p = 0; p < pair.passages.size(); ++p) {
        const Passage& passage = pair.passages[p];
        line_ += p == 0 ? "{" : ",{";
        number("start1", count(passage.start1), true);
        number("end1", count(passage.end1));
        number("start2", count(passage.start2));
        number("end2", count(passage.end2));
        number("offset1", passage.bytes1.offset);
        number("length1", passage.bytes1.length);
        number("offset2", passage.bytes2.offset);
        number("length2", passage.bytes2.length);
        number("equal", count(passage.equal));
        line_ += '}';
    }
    line_ += ']';
    if (groups_.LastGroup() != 0) {
        number("group", count(groups_.LastGroup()));
    } else {
        line_ += ",\"group\":null";
    }
    line_ += "}\n";
    out_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
}

void PassageJsonSink::OnScanEnded(const PassageScanEnded& event) {
    const nlohmann::ordered_json summary = {{"type", "summary"},
                                            {"files", {files_[0], files_[1]}},
                                            {"candidates", event.candidates},
                                            {"matches", event.pairs},
                                            {"groups", groups_.Groups().size()},
                                            {"seconds", event.seconds},
                                            {"stopped", event.how == ScanEnd::Stopped}};
    out_ << summary.dump() << '\n';
}

}  // namespace ravelin
