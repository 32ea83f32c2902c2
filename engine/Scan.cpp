#include "engine/Scan.h"

#include "engine/FileWords.h"
#include "engine/OrderedWork.h"
#include "files/FolderListing.h"

#include <chrono>
#include <future>

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
    const ScanEnded ended{
        how, matches_,
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count()};
    Emit(&ScanSink::OnScanEnded, ended);
    return ended;
}

struct FolderFiles {
    int32_t count = 0;  // negative: the folder could not be listed
    std::vector<std::string> names;
    Error error;
};

FolderFiles ListTextFiles(const std::string& folder, const YieldFunction& yield) {
    FolderFiles files;
    files.count =
        ListFiles(folder, files.names, "*." + std::string(kFileExt), files.error.message, yield);
    return files;
}

ScanEnded Scan::Run() {
    matches_ = 0;
    started_ = std::chrono::steady_clock::now();
    Emit(&ScanSink::OnScanBegun, options_);
    FolderFiles first = ListTextFiles(options_.folders[0], control_.yield);
    if (const auto failed = Listed(ScanPass::First, first)) {
        return End(*failed);
    }
    // With workers, the 2nd folder is listed while the 1st is read: a listing mostly waits for
    // the file system. Its event still comes after the first pass.
    std::future<FolderFiles> listing;
    if (options_.jobs > 1) {
        listing = std::async(std::launch::async, ListTextFiles, options_.folders[1], nullptr);
    }
    if (!FirstPass(first.names)) {
        return End(ScanEnd::Stopped);
    }
    Emit(&ScanSink::OnPassEnded, ScanPass::First);
    FolderFiles second =
        listing.valid() ? listing.get() : ListTextFiles(options_.folders[1], control_.yield);
    if (const auto failed = Listed(ScanPass::Second, second)) {
        return End(*failed);
    }
    if (!SecondPass(second.names)) {
        return End(ScanEnd::Stopped);
    }
    Emit(&ScanSink::OnPassEnded, ScanPass::Second);
    return End(ScanEnd::Complete);
}

std::optional<ScanEnd> Scan::Listed(ScanPass pass, const FolderFiles& files) {
    const std::string& folder = options_.folders[static_cast<size_t>(pass)];
    const int32_t count = files.count;
    const bool unreadable = count < 0;
    Emit(&ScanSink::OnFolderListed,
         FolderListed{pass, folder, unreadable ? 0 : count, unreadable ? &files.error : nullptr});
    if (unreadable) {
        return ScanEnd::UnreadableFolder;
    }
    if (count == 0) {
        return ScanEnd::EmptyFolder;
    }
    return std::nullopt;
}

namespace {

struct FirstFile {
    FileWords read;
    std::vector<std::string> words;
    std::vector<uint64_t> hashes;  // of the words stored, from the first after the skipped ones
};

}  // namespace

bool Scan::FirstPass(const std::vector<std::string>& names) {
    const auto files = static_cast<int32_t>(names.size());
    const int32_t segment = options_.SegmentLength();
    const int32_t skip = options_.numWordsToSkip[0];
    const int32_t needed = options_.WordsNeeded(0);
    state_.dictionary.Clear();
    state_.table1.Dimension(segment, files);
    Emit(&ScanSink::OnPassBegun, ScanPass::First, files);
    // Reading and reducing run ahead on the workers; the words are numbered here, in file order,
    // so that every scan of the same folders numbers them alike.
    OrderedWork<FirstFile> reading(options_.jobs, files, [this, &names, needed, skip] {
        return [this, &names, needed, skip](int32_t k, FirstFile& file) {
            const std::string path = FullPath(options_.folders[0], names[static_cast<size_t>(k)]);
            file.read = ReadFirstFolderWords(path, needed, file.words);
            if (file.read.count >= needed) {
                for (auto i = static_cast<size_t>(skip); i < file.words.size(); ++i) {
                    file.hashes.push_back(WordDictionary::HashOf(file.words[i]));
                }
            }
        };
    });
    std::vector<uint32_t> ids(static_cast<size_t>(segment));
    for (int32_t k = 0; k < files; ++k) {
        if (!YieldAndGoOn()) {
            return false;
        }
        const std::string& name = names[static_cast<size_t>(k)];
        Emit(&ScanSink::OnFileBegun, FileBegun{ScanPass::First, k, files, name});
        const FirstFile file = reading.Take(k);
        if (file.read.error) {
            const std::string path = FullPath(options_.folders[0], name);
            Emit(&ScanSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::First, path, file.read.error->message});
        }
        if (file.read.count < needed) {
            state_.table1.StoreTooSmall(k, name);
            continue;
        }
        for (size_t i = 0; i < ids.size(); ++i) {
            ids[i] =
                state_.dictionary.Intern(file.words[static_cast<size_t>(skip) + i], file.hashes[i]);
        }
        state_.table1.Store(k, name, ids);
    }
    return true;
}

bool Scan::SecondPass(const std::vector<std::string>& names) {
    const auto files = static_cast<int32_t>(names.size());
    ravelin::SecondPass pass(state_,
                             SecondFolder{options_.folders[1], names, options_.numWordsToSkip[1]},
                             options_.literal, options_.jobs);
    Emit(&ScanSink::OnPassBegun, ScanPass::Second, files);
    for (int32_t j = 0; j < files; ++j) {
        if (!YieldAndGoOn()) {
            return false;
        }
        const std::string& name = names[static_cast<size_t>(j)];
        Emit(&ScanSink::OnFileBegun, FileBegun{ScanPass::Second, j, files, name});
        SecondFile file = pass.Take(j);
        if (file.readError) {
            const std::string path = FullPath(options_.folders[1], name);
            Emit(&ScanSink::OnFileUnreadable,
                 FileUnreadable{ScanPass::Second, path, file.readError->message});
        }
        // A file too small leaves the words of the last usable one.
        if (file.usable) {
            state_.words2 = std::move(file.words);
        }
        state_.words2.name = name;
        // A window shows the file it begun and waits there; a click in that wait is handled
        // before the file's matches are.
        if (!YieldAndGoOn() || !ReportMatches(j, file.matches)) {
            return false;
        }
    }
    return true;
}

bool Scan::ReportMatches(int32_t j, const std::vector<PairMatch>& matches) {
    for (const PairMatch& match : matches) {
        if (control_.stopRequested && control_.stopRequested()) {
            return false;
        }
        ++matches_;
        const MatchResult& result = match.result;
        const SegmentWords segments(state_.Sides(match.k), result, options_.numWordsToCompare,
                                    options_.matchThreshold);
        Emit(&ScanSink::OnMatch,
             MatchFound{match.k, j, state_.table1.Name(match.k), state_.words2.name, result.percent,
                        result.mode, result.offset, matches_, segments});
    }
    return true;
}

}  // namespace ravelin
