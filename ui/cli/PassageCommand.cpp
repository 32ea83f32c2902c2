#include "ui/cli/PassageCommand.h"

#include "engine/Message.h"
#include "engine/PassageScan.h"
#include "files/TextEncoding.h"
#include "output/Formats.h"
#include "output/Output.h"
#include "output/PassageOutput.h"
#include "ui/cli/CommandLine.h"
#include "ui/cli/Interrupt.h"
#include "ui/cli/MessageText.h"

#include <chrono>

namespace ravelin::cli {
namespace {

// What the user hears on the error stream: folders that cannot be scanned, files that cannot be
// read, and the figures of the scan when asked.
class PassageTerminal final : public PassageSink {
  public:
    PassageTerminal(const TextCatalog& texts, std::ostream& err) : texts_(texts), err_(err) {}

    void OnFolderListed(const FolderListed& event) override {
        files_[static_cast<size_t>(event.pass)] = event.files;
        listed_[static_cast<size_t>(event.pass)] = std::chrono::steady_clock::now();
        if (event.files <= 0) {
            const Message message = FolderMessage(event, texts_);
            err_ << MessageText(message.title, message.text) << std::flush;
        }
    }
    void OnFileUnreadable(const FileUnreadable& event) override {
        err_ << "ravelin-cli: cannot read '" << Utf8Lossy(event.path) << "': " << event.reason
             << "\n";
    }

    bool NeedsByteSpans() const override { return false; }

    std::string StatsText(const PassageScanEnded& ended) const {
        // The 2nd folder is listed when the 1st is read and indexed.
        const std::chrono::duration<double> firstPass = listed_[1] - listed_[0];
        const std::string indexed = files_[1] > 0 ? "ravelin-cli: 1st folder read and indexed in " +
                                                        std::to_string(firstPass.count()) + " s\n"
                                                  : "";
        return indexed + "ravelin-cli: " + std::to_string(files_[0]) + " and " +
               std::to_string(files_[1]) + " files, " + std::to_string(ended.candidates) +
               " pairs compared, " + std::to_string(ended.pairs) + " sharing passages, in " +
               std::to_string(ended.seconds) + " s\n";
    }

  private:
    const TextCatalog& texts_;
    std::ostream& err_;
    int32_t files_[2] = {0, 0};
    std::chrono::steady_clock::time_point listed_[2];
};

}  // namespace

int RunPassageScan(const PassageCommand& command, const TextCatalog& catalog, std::ostream& out,
                   std::ostream& err) {
    const FormatRow& format = *FindFormat(command.format);
    PassageOptions options;
    options.folders = {command.folder1,
                       command.folder2.empty() ? command.folder1 : command.folder2};
    options.rules = PassageRules{command.minWords, command.maxGap};
    options.commonPaths = command.common;
    options.maxFiles = command.maxFiles;
    options.jobs = command.jobs;
    bool interrupted = false;
    // Before the file is made: a signal that ends the program removes what it left unfinished.
    const TerminationCleanup cleanup;
    Output output(command.output, out);
    PassageScan scan(
        options, {[&interrupted] { interrupted = interrupted || InterruptHandler::Requested(); },
                  [&interrupted, &output] { return interrupted || output.Failed(); }});
    // The common text is read before anything is written: a path that cannot be read stops
    // the scan with nothing done.
    if (const std::optional<Error> error = scan.Prepare()) {
        err << "ravelin-cli: cannot read the common text " << Utf8Lossy(error->message) << "\n";
        return kExitStopped;
    }
    if (const auto error = output.Open()) {
        err << "ravelin-cli: " << error->message << "\n";
        return kExitStopped;
    }
    PassageOutput result(format, output.Stream(), options.folders);
    PassageTerminal terminal(catalog, err);
    scan.AddSink(result);
    scan.AddSink(terminal);
    PassageScanEnded ended{};
    {
        const InterruptHandler interrupts;
        ended = scan.Run();
    }
    if (command.stats) {
        err << terminal.StatsText(ended);
    }
    if (const std::string notice = result.Notice(); !notice.empty()) {
        err << "ravelin-cli: " << notice << "\n";
    }
    // A result that could no longer be written stopped the scan: the error says why.
    if (!interrupted && output.Failed()) {
        if (const auto error = output.Finish()) {
            err << "ravelin-cli: " << error->message << "\n";
            return kExitStopped;
        }
    }
    // A scan that did not run to its end leaves the file it was to replace as it was.
    if (interrupted || ended.how != ScanEnd::Complete) {
        output.Abandon();
        return interrupted ? kExitInterrupted : kExitStopped;
    }
    if (const auto error = output.Finish()) {
        err << "ravelin-cli: " << error->message << "\n";
        return kExitStopped;
    }
    return kExitScanned;
}

}  // namespace ravelin::cli
