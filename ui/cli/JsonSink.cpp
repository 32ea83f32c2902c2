#include "ui/cli/JsonSink.h"

#include "engine/TextReduction.h"
#include "files/TextEncoding.h"

#include <nlohmann/json.hpp>

namespace ravelin::cli {
namespace {

using json = nlohmann::ordered_json;

// The name as text, and its exact bytes when the text had to replace some of them.
void PutName(json& object, const std::string& key, const std::string& bytes) {
    object[key] = Utf8Lossy(bytes);
    if (!IsValidUtf8(bytes)) {
        object[key + "_bytes"] = Base64(bytes);
    }
}

// The compared words, stored as Windows-1252 and each followed by one space.
json Words(const std::string& segment) {
    json words = json::array();
    size_t start = 0;
    for (size_t space = segment.find(' '); space != std::string::npos;
         space = segment.find(' ', start)) {
        words.push_back(Cp1252ToUtf8(std::string_view(segment).substr(start, space - start)));
        start = space + 1;
    }
    return words;
}

}  // namespace

std::string Base64(std::string_view bytes) {
    static constexpr char kDigits[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        const size_t left = bytes.size() - i;
        if (left > 1) {
            group |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        if (left > 2) {
            group |= static_cast<unsigned char>(bytes[i + 2]);
        }
        for (size_t k = 0; k < 4; ++k) {
            out += k <= left ? kDigits[(group >> (18 - 6 * k)) & 63] : '=';
        }
    }
    return out;
}

void JsonSink::OnScanBegun(const ScanOptions& /*options*/) {
    started_ = std::chrono::steady_clock::now();
}

void JsonSink::OnFolderListed(const FolderListed& event) {
    json folder = {{"type", "folder"}, {"folder", static_cast<int>(event.pass) + 1}};
    PutName(folder, "path", event.path);
    folder["files"] = event.files;
    if (event.unreadable != nullptr) {
        folder["error"] = Utf8Lossy(event.unreadable->message);
    }
    out_ << folder.dump() << '\n';
}

void JsonSink::OnPassBegun(ScanPass pass, int32_t files) {
    files_[static_cast<size_t>(pass)] = files;
}

void JsonSink::OnFileBegun(const FileBegun& event) {
    if (event.pass == ScanPass::Second) {
        pairs_ += files_[0];
    }
}

void JsonSink::OnFileUnreadable(const FileUnreadable& event) {
    json unreadable = {{"type", "unreadable"}, {"folder", static_cast<int>(event.pass) + 1}};
    PutName(unreadable, "path", event.path);
    unreadable["reason"] = Utf8Lossy(event.reason);
    out_ << unreadable.dump() << '\n';
}

void JsonSink::OnMatch(const MatchFound& event) {
    json match = {{"type", "match"}};
    PutName(match, "file1", event.name1);
    PutName(match, "file2", event.name2);
    match["index1"] = event.index1;
    match["index2"] = event.index2;
    match["percent"] = event.percent;
    match["exact"] = event.Exact();
    match["mode"] = event.mode;
    match["shift"] = event.shift;
    if (groups_ != nullptr) {
        if (groups_->LastMerged() != 0) {
            const json merge = {{"type", "merge"},
                                {"group", groups_->LastMerged()},
                                {"into", groups_->LastGroup()}};
            out_ << merge.dump() << '\n';
        }
        match["group"] = groups_->LastGroup() != 0 ? json(groups_->LastGroup()) : json(nullptr);
    }
    match["words1"] = Words(event.segments.First());
    match["words2"] = Words(event.segments.Second());
    out_ << match.dump() << '\n';
}

void JsonSink::OnScanEnded(const ScanEnded& event) {
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
    json summary = {{"type", "summary"},
                    {"files", {files_[0], files_[1]}},
                    {"pairs", pairs_},
                    {"matches", event.matches}};
    if (groups_ != nullptr) {
        summary["groups"] = groups_->Groups().size();
    }
    summary["seconds"] = seconds;
    summary["stopped"] = event.how == ScanEnd::Stopped;
    out_ << summary.dump() << '\n';
}

}  // namespace ravelin::cli
