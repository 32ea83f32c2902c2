#include "output/ScanRecording.h"

namespace ravelin {
namespace {

// A file begun is never named when replayed: no format writes the name.
const std::string kUnnamed;

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

}  // namespace

void ScanRecording::OnScanBegun(const ScanOptions& options) {
    options_ = options;
    started_ = std::chrono::steady_clock::now();
    events_.clear();
    matches_ = std::make_shared<std::vector<MatchRecord>>();
}

void ScanRecording::OnFolderListed(const FolderListed& event) {
    events_.emplace_back(Listed{
        event.pass, event.path, event.files,
        event.unreadable != nullptr ? std::optional<Error>(*event.unreadable) : std::nullopt});
}

void ScanRecording::OnPassBegun(ScanPass pass, int32_t files) {
    events_.emplace_back(PassBegun{pass, files});
}

void ScanRecording::OnFileBegun(const FileBegun& event) {
    if (!events_.empty()) {
        if (auto* run = std::get_if<FilesBegun>(&events_.back());
            run != nullptr && run->pass == event.pass && run->first + run->count == event.index) {
            ++run->count;
            return;
        }
    }
    events_.emplace_back(FilesBegun{event.pass, event.index, 1, event.files});
}

void ScanRecording::OnFileUnreadable(const FileUnreadable& event) {
    events_.emplace_back(Unreadable{event.pass, event.path, event.reason});
}

void ScanRecording::OnMatch(const MatchFound& event) {
    matches_->push_back(MatchRecord{options_->folders,
                                    {event.name1, event.name2},
                                    {event.index1, event.index2},
                                    event.percent,
                                    event.mode,
                                    event.shift,
                                    {event.segments.First(), event.segments.Second()},
                                    options_->numWordsToCompare,
                                    options_->numWordsToSkip});
    events_.emplace_back(Match{matches_->size() - 1});
}

void ScanRecording::OnPassEnded(ScanPass pass) {
    events_.emplace_back(PassEnded{pass});
}

void ScanRecording::OnScanEnded(const ScanEnded& event) {
    events_.emplace_back(event);
}

void ScanRecording::Play(const Event& event, ScanSink& sink, int32_t& matchNumber) const {
    std::visit(Overloaded{
                   [&sink](const Listed& e) {
                       sink.OnFolderListed(
                           {e.pass, e.path, e.files, e.unreadable ? &*e.unreadable : nullptr});
                   },
                   [&sink](const PassBegun& e) { sink.OnPassBegun(e.pass, e.files); },
                   [&sink](const FilesBegun& e) {
                       for (int32_t i = e.first; i < e.first + e.count; ++i) {
                           sink.OnFileBegun({e.pass, i, e.files, kUnnamed});
                       }
                   },
                   [&sink](const Unreadable& e) {
                       sink.OnFileUnreadable({e.pass, e.path, e.reason});
                   },
                   [&](const Match& e) {
                       const MatchRecord& m = (*matches_)[e.record];
                       const SegmentWords words(m.segments[0], m.segments[1]);
                       sink.OnMatch({m.indices[0], m.indices[1], m.names[0], m.names[1], m.percent,
                                     m.mode, m.shift, ++matchNumber, words});
                   },
                   [&sink](const PassEnded& e) { sink.OnPassEnded(e.pass); },
                   [&sink](const ScanEnded& e) { sink.OnScanEnded(e); },
               },
               event);
}

void ScanRecording::Replay(ScanSink& sink) const {
    if (!options_) {
        return;
    }
    sink.OnScanBegun(*options_);
    int32_t matchNumber = 0;
    for (const Event& event : events_) {
        Play(event, sink, matchNumber);
    }
    if (events_.empty() || !std::holds_alternative<ScanEnded>(events_.back())) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
        sink.OnScanEnded({ScanEnd::Stopped, matchNumber, seconds});
    }
}

}  // namespace ravelin
