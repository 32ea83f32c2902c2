#include "output/ScanOutput.h"

namespace ravelin {

ScanOutput::ScanOutput(const FormatRow& format, std::ostream& out, const TextCatalog& texts)
    : format_(format), sink_(format.make(FormatContext{out, groups_, texts})) {}

template <class... Params, class... Args>
void ScanOutput::Forward(void (ScanSink::*handler)(Params...), const Args&... args) {
    if (format_.needsGroups) {
        (groups_.*handler)(args...);
    }
    (sink_.get()->*handler)(args...);
}

void ScanOutput::OnScanBegun(const ScanOptions& options) {
    Forward(&ScanSink::OnScanBegun, options);
}

void ScanOutput::OnFolderListed(const FolderListed& event) {
    Forward(&ScanSink::OnFolderListed, event);
}

void ScanOutput::OnPassBegun(ScanPass pass, int32_t files) {
    Forward(&ScanSink::OnPassBegun, pass, files);
}

void ScanOutput::OnFileBegun(const FileBegun& event) {
    Forward(&ScanSink::OnFileBegun, event);
}

void ScanOutput::OnFileUnreadable(const FileUnreadable& event) {
    Forward(&ScanSink::OnFileUnreadable, event);
}

void ScanOutput::OnMatch(const MatchFound& event) {
    Forward(&ScanSink::OnMatch, event);
}

void ScanOutput::OnPassEnded(ScanPass pass) {
    Forward(&ScanSink::OnPassEnded, pass);
}

void ScanOutput::OnScanEnded(const ScanEnded& event) {
    Forward(&ScanSink::OnScanEnded, event);
}

}  // namespace ravelin
