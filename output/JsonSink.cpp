#include "output/JsonSink.h"

#include "engine/TextReduction.h"
#include "files/TextEncoding.h"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace ravelin {
namespace {

using json = nlohmann::ordered_json;

// The name as text, and its exact bytes when the text had to replace some of them.
void PutName(json& object, const std::string& key, const std::string& bytes) {
    object[key] = Utf8Lossy(bytes);
    if (!IsValidUtf8(bytes)) {
        object[key + "_bytes"] = Base64(bytes);
    }
}

// The compared words, stored as Windows-1252 and each followed by one space, as a JSON array.
// A reduced word holds letters and digits only, so that none needs escaping: writing the array
// directly saves most of the cost of a match line.
void AppendWords(std::string& line, const std::string& segment) {
    const bool ascii = std::all_of(segment.begin(), segment.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string converted = ascii ? std::string() : Cp1252ToUtf8(segment);
    const std::string& utf8 = ascii ? segment : converted;
    line += '[';
    size_t start = 0;
    for (size_t space = utf8.find(' '); space != std::string::npos; space = utf8.find(' ', start)) {
        line += start == 0 ? "\"" : ",\"";
        line.append(utf8, start, space - start);
        line += '"';
        start = space + 1;
    }
    line += ']';
}

}  // namespace

std::string JsonNameField(std::string_view key, const std::string& bytes) {
    std::string field = ",\"" + std::string(key) + "\":" + json(Utf8Lossy(bytes)).dump();
    if (!IsValidUtf8(bytes)) {
        field += ",\"" + std::string(key) + "_bytes\":\"" + Base64(bytes) + '"';
    }
    return field;
}

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

std::string JsonFolderLine(const FolderListed& event) {
    json folder = {{"type", "folder"}, {"folder", static_cast<int>(event.pass) + 1}};
    PutName(folder, "path", event.path);
    folder["files"] = event.files;
    if (event.unreadable != nullptr) {
        folder["error"] = Utf8Lossy(event.unreadable->message);
    }
    return folder.dump();
}

std::string JsonUnreadableLine(const FileUnreadable& event) {
    json unreadable = {{"type", "unreadable"}, {"folder", static_cast<int>(event.pass) + 1}};
    PutName(unreadable, "path", event.path);
    unreadable["reason"] = Utf8Lossy(event.reason);
    return unreadable.dump();
}

void JsonSink::OnFolderListed(const FolderListed& event) {
    out_ << JsonFolderLine(event) << '\n';
}

void JsonSink::OnPassBegun(ScanPass pass, int32_t files) {
    files_[static_cast<size_t>(pass)] = files;
}

void JsonSink::OnFileBegun(const FileBegun& event) {
    if (event.pass == ScanPass::Second) {
        pairs_ += files_[0];
    }
}

void JsonSink::OnFileRefused(const FileRefused& event) {
    json refused = {{"type", "refused"}, {"folder", static_cast<int>(event.pass) + 1}};
    PutName(refused, "path", event.path);
    out_ << refused.dump() << '\n';
}

void JsonSink::OnFileUnreadable(const FileUnreadable& event) {
    out_ << JsonUnreadableLine(event) << '\n';
}

// The most frequent line, written field by field: names go through the JSON library's escaping,
// numbers and words need none. A whole json object per match cost ten times as much.
void JsonSink::OnMatch(const MatchFound& event) {
    if (groups_ != nullptr && groups_->LastMerged() != 0) {
        const json merge = {
            {"type", "merge"}, {"group", groups_->LastMerged()}, {"into", groups_->LastGroup()}};
        out_ << merge.dump() << '\n';
    }
    names_.Update(event, [](const std::string& name, bool first) {
        return JsonNameField(first ? "file1" : "file2", name);
    });
    std::string line = R"({"type":"match")" + names_.First() + names_.Second();
    const auto number = [&line](std::string_view key, int64_t value) {
        line.append(",\"").append(key).append("\":").append(std::to_string(value));
    };
    number("index1", event.index1);
    number("index2", event.index2);
    number("percent", event.percent);
    line.append(event.Exact() ? ",\"exact\":true" : ",\"exact\":false");
    number("mode", event.mode);
    number("shift", event.shift);
    if (groups_ != nullptr) {
        if (groups_->LastGroup() != 0) {
            number("group", groups_->LastGroup());
        } else {
            line.append(",\"group\":null");
        }
    }
    line += ",\"words1\":";
    AppendWords(line, event.segments.First());
    line += ",\"words2\":";
    AppendWords(line, event.segments.Second());
    line += "}\n";
    out_ << line;
}

void JsonSink::OnScanEnded(const ScanEnded& event) {
    json summary = {{"type", "summary"},
                    {"files", {files_[0], files_[1]}},
                    {"pairs", pairs_},
                    {"matches", event.matches}};
    if (groups_ != nullptr) {
        summary["groups"] = groups_->Groups().size();
    }
    summary["seconds"] = event.seconds;
    summary["stopped"] = event.how == ScanEnd::Stopped;
    out_ << summary.dump() << '\n';
}

}  // namespace ravelin
