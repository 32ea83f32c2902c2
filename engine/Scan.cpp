#include "engine/Scan.h"

#include "engine/FileWords.h"
#include "files/FolderListing.h"

namespace ravelin {
namespace {

constexpr std::string_view kFileExt = "txt";

}  // namespace

Scan::Scan(ScanOptions options, ScanControl control)
    : options_(std::move(options)), control_(std::move(control)) {
    state_.intNumWordsToCompare = options_.numWordsToCompare;
    state_.intMatchThreshold = options_.matchThreshold;
}

template <class... Params, class... Args>
void Scan::Emit(void (ScanSink::*handler)(Params...), const Args&... args) {
    for (ScanSink* sink : sinks_) {
        (sink->*handler)(args...);
    }
}

bool Scan::YieldAndGoOn() const {
    if (control_.yield) {
        control_.yield();
    }
    return !(control_.stopRequested && control_.stopRequested());
}

ScanEnded Scan::End(ScanEnd how) {
    const ScanEnded ended{how, matches_};
    Emit(&ScanSink::OnScanEnded, ended);
    return ended;
}

ScanEnded Scan::Run() {
    matches_ = 0;
    Emit(&ScanSink::OnScanBegun, options_);
    std::vector<std::string> names;
    if (const auto failed = List(ScanPass::First, names)) {
        return End(*failed);
    }
    if (!FirstPass(names)) {
        return End(ScanEnd::Stopped);
    }
    Emit(&ScanSink::OnPassEnded, ScanPass::First);
    if (const auto failed = List(ScanPass::Second, names)) {
        return End(*failed);
    }
    if (!SecondPass(names)) {
        return End(ScanEnd::Stopped);
    }
    Emit(&ScanSink::OnPassEnded, ScanPass::Second);
    return End(ScanEnd::Complete);
}

std::optional<ScanEnd> Scan::List(ScanPass pass, std::vector<std::string>& names) {
    const std::string& folder = options_.folders[static_cast<size_t>(pass)];
    names.clear();
    Error error;
    const int32_t count =
        ListFiles(folder, names, "*." + std::string(kFileExt), error.message, control_.yield);
    const bool unreadable = count < 0;
    Emit(&ScanSink::OnFolderListed,
         FolderListed{pass, folder, unreadable ? 0 : count, unreadable ? &error : nullptr});
    if (unreadable) {
        return ScanEnd::UnreadableFolder;
    }
    if (count == 0) {
        return ScanEnd::EmptyFolder;
    }
    return std::nullopt;
}

bool Scan::FirstPass(const std::vector<std::string>& names) {
    const auto files = static_cast<int32_t>(names.size());
    const int32_t segment = options_.SegmentLength();
    const int32_t skip = options_.numWordsToSkip[0];
    const int32_t needed = options_.WordsNeeded(0);
    state_.dictionary.Clear();
    state_.table1.Dimension(segment, files);
    Emit(&ScanSink::OnPassBegun, ScanPass::First, files);
    std::vector<std::string> words;
    std::vector<uint32_t> ids(static_cast<size_t>(segment));
    for (int32_t k = 0; k < files; ++k) {
        if (!YieldAndGoOn()) {
            return false;
        }
        const std::string& name = names[static_cast<size_t>(k)];
        Emit(&ScanSink::OnFileBegun, FileBegun{ScanPass::First, k, files, name});
        const std::string path = FullPath(options_.folders[0], name);
        const FileWords read = ReadFirstFolderWords(path, needed, words);
        if (read.error) {
            Emit(&ScanSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::First, path, read.error->message});
        }
        if (read.count < needed) {
            state_.table1.StoreTooSmall(k, name);
            continue;
        }
        for (int32_t i = 0; i < segment; ++i) {
            ids[static_cast<size_t>(i)] =
                state_.dictionary.Intern(words[static_cast<size_t>(skip) + static_cast<size_t>(i)]);
        }
        state_.table1.Store(k, name, ids);
    }
    return true;
}

bool Scan::SecondPass(const std::vector<std::string>& names) {
    const auto files = static_cast<int32_t>(names.size());
    const std::unique_ptr<ravelin::SecondPass> pass =
        MakeSecondPass(options_.literal, options_.jobs);
    const SecondFolder folder{options_.folders[1], names, options_.numWordsToSkip[1]};
    pass->Begin(state_, folder);
    Emit(&ScanSink::OnPassBegun, ScanPass::Second, files);
    bool completed = true;
    for (int32_t j = 0; j < files && completed; ++j) {
        if (!YieldAndGoOn()) {
            completed = false;
            break;
        }
        const std::string& name = names[static_cast<size_t>(j)];
        Emit(&ScanSink::OnFileBegun, FileBegun{ScanPass::Second, j, files, name});
        const FileLoad load = pass->LoadFile(state_, j);
        if (load.readError) {
            const std::string path = FullPath(folder.path, name);
            Emit(&ScanSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::Second, path, load.readError->message});
        }
        if (load.usable) {
            completed = CompareWithFirstFolder(*pass, j);
        }
    }
    pass->End();
    return completed;
}

bool Scan::CompareWithFirstFolder(ravelin::SecondPass& pass, int32_t j) {
    const int32_t files1 = state_.table1.FileCount();
    for (int32_t k = 0; k < files1; ++k) {
        if (!YieldAndGoOn()) {
            return false;
        }
        if (state_.table1.TooSmall(k)) {
            continue;
        }
        if (auto result = pass.Match(state_, k)) {
            ++matches_;
            state_.segments = std::move(result->texts);
            Emit(&ScanSink::OnMatch,
                 MatchFound{k, j, state_.table1.Name(k), state_.words2.name, result->percent,
                            result->mode, result->offset, matches_, state_.segments.strSegment1,
                            state_.segments.strSegment2});
        }
    }
    return true;
}

}  // namespace ravelin
