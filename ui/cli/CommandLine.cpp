#include "ui/cli/CommandLine.h"

#include "engine/FileWords.h"
#include "engine/ParallelSecondPass.h"
#include "engine/PrunedMatcher.h"
#include "engine/SecondPass.h"
#include "files/StringRoutines.h"
#include "files/TextEncoding.h"
#include "support/LibraryTextCatalog.h"
#include "support/ProgramText.h"
#include "ui/Validation.h"
#include "ui/cli/CliScanView.h"
#include "ui/cli/Interrupt.h"
#include "ui/cli/ReportFormat.h"
#include "ui/cli/Version.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <thread>

namespace ravelin::cli {
namespace {

int DefaultJobs() {
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(cores);
}

struct ScanCommand {
    ScanOptions options;
    std::string show;
    bool noShow = false;
    std::string format = "report";
    bool literal = false;
    int jobs = DefaultJobs();
    bool stats = false;
    std::string folder1;
    std::string folder2;
};

struct WordsCommand {
    std::string words = "20";
    std::string skip = "0";
    bool byLines = false;
    std::string file;
};

std::string& Setting(ScanCommand& scan, SettingField field) {
    return scan.options.settings[field];
}

void AddScanOptions(CLI::App& command, ScanCommand& scan) {
    command.add_option("--words", Setting(scan, SettingField::NumWordsToCompare),
                       "Number of words in test segment, N (20-100)");
    command.add_option("--threshold", Setting(scan, SettingField::MatchThreshold),
                       "Threshold for similarity in per cent, T (50-100)");
    command.add_option("--skip1", Setting(scan, SettingField::NumWordsToSkip1st),
                       "Words to skip at the start of each 1st-folder file (0-500)");
    command.add_option("--skip2", Setting(scan, SettingField::NumWordsToSkip2nd),
                       "Words to skip at the start of each 2nd-folder file (0-500)");
    CLI::Option* show = command.add_option("--show", scan.show,
                                           "Reduced words shown per side of a match, M (5-100)");
    CLI::Option* noShow =
        command.add_flag("--no-show", scan.noShow, "Show no reduced words in the report");
    show->excludes(noShow);
    command.add_option("--format", scan.format, "report (as the window shows it) or tsv")
        ->check(CLI::IsMember({"report", "tsv"}));
    command.add_flag("--literal", scan.literal,
                     "Compare every pair with every shift, the reference for the fast path");
    command
        .add_option("--jobs", scan.jobs,
                    "Threads that compare 2nd-folder files (default: one per core)")
        ->check(CLI::Range(1, 256));
    command.add_flag("--stats", scan.stats,
                     "Print the files, pairs and time of each pass to the error stream");
    command.add_option("FOLDER1", scan.folder1, "The 1st folder")->required();
    command.add_option("FOLDER2", scan.folder2, "The 2nd folder (default: the 1st folder)");
}

void AddWordsOptions(CLI::App& command, WordsCommand& words) {
    command.add_option("--words", words.words, "Number of words in test segment, N (20-100)");
    command.add_option("--skip", words.skip, "Words to skip at the start of the file (0-500)");
    command.add_flag("--by-lines", words.byLines,
                     "Read the file as a 2nd-folder file (by lines, not by characters)");
    command.add_option("FILE", words.file, "The text file")->required();
}

std::optional<int> LoadTexts(std::ostream& err) {
    const ProgramTextLoad load = LoadProgramText("rvn.dat", ProgramFolder());
    if (!load.loaded) {
        err << MessageText("", Utf8Lossy(load.message)) << std::flush;
        return kExitStopped;
    }
    return std::nullopt;
}

std::string StatsText(const PassTimes& times, PassTimes::Clock::time_point end) {
    if (!times.firstPass) {
        return "";
    }
    const auto seconds = [](auto from, auto to) {
        return std::chrono::duration<double>(to - from).count();
    };
    const auto secondStart = times.secondPass.value_or(end);
    const double first = seconds(*times.firstPass, secondStart);
    const double second = times.secondPass ? seconds(*times.secondPass, end) : 0.0;
    const double pairs = static_cast<double>(times.files[0]) * times.files[1];
    char text[400];
    std::snprintf(text, sizeof text,
                  "ravelin-cli: 1st folder: %d files in %.3f s (%.0f files/s)\n"
                  "ravelin-cli: 2nd folder: %d files, %.0f pairs in %.3f s (%.0f pairs/s)\n",
                  times.files[0], first, first > 0 ? times.files[0] / first : 0.0, times.files[1],
                  pairs, second, second > 0 ? pairs / second : 0.0);
    return text;
}

std::unique_ptr<SecondPass> MakeSecondPass(const ScanCommand& scan) {
    if (scan.literal) {
        return std::make_unique<SequentialSecondPass>(std::make_unique<LiteralPairMatcher>());
    }
    if (scan.jobs > 1) {
        return std::make_unique<ParallelSecondPass>(scan.jobs);
    }
    return std::make_unique<SequentialSecondPass>(std::make_unique<PrunedPairMatcher>());
}

int RunScan(ScanCommand& scan, std::ostream& out, std::ostream& err, bool terminal) {
    if (const auto failed = LoadTexts(err)) {
        return *failed;
    }
    scan.options.folders[0] = scan.folder1;
    scan.options.folders[1] = scan.folder2.empty() ? scan.folder1 : scan.folder2;
    if (!scan.show.empty()) {
        Setting(scan, SettingField::NumWordsOfReducedTextToDisplay) = scan.show;
    }
    scan.options.displayReducedText = !scan.noShow;
    std::optional<ProgressBar> progress;
    if (terminal) {
        progress.emplace(err);
    }
    CliScanView view(scan.options, err, progress ? &*progress : nullptr);
    const LibraryTextCatalog catalog;
    ScanDriver driver(view, catalog, [&scan] { return MakeSecondPass(scan); });
    view.AttachDriver(&driver);
    const bool tsv = scan.format == "tsv";
    if (tsv) {
        driver.SetMatchListener([&out](const MatchRecord& match) { out << TsvLine(match); });
    }
    {
        const InterruptHandler interrupts;
        driver.cmdStart_Click();
    }
    if (progress) {
        progress->Finish();
    }
    if (scan.stats) {
        err << StatsText(view.Times(), PassTimes::Clock::now());
    }
    if (!tsv) {
        out << ReportText(driver.Log().Text());
    }
    out.flush();
    if (view.Interrupted()) {
        return kExitInterrupted;
    }
    return driver.ScanCompleted() ? kExitScanned : kExitStopped;
}

// Validates a number option as the window validates its box, with its message.
std::optional<int32_t> NumberOption(const std::string& text, int32_t min, int32_t max,
                                    const std::string& fieldName, std::ostream& err) {
    const ValidationResult result = ValidateNumberField(text, min, max, true, fieldName);
    if (result.showMessage) {
        err << MessageText("Invalid input", result.message);
    }
    if (result.invalid) {
        return std::nullopt;
    }
    return result.value;
}

int RunWords(const WordsCommand& command, std::ostream& out, std::ostream& err) {
    if (const auto failed = LoadTexts(err)) {
        return *failed;
    }
    const LibraryTextCatalog catalog;
    const std::string folder = command.byLines ? Ordinal(2) : Ordinal(1);
    const auto n = NumberOption(command.words, 20, 100, catalog.Text(8), err);
    const auto skip =
        n ? NumberOption(command.skip, 0, 500, catalog.Text(11) + " " + folder + " folder", err)
          : std::nullopt;
    if (!n || !skip) {
        return kExitStopped;
    }
    const int32_t needed = 2 * *n + *skip;
    std::vector<std::string> words;
    const FileWords read = command.byLines ? ReadSecondFolderWords(command.file, needed, words)
                                           : ReadFirstFolderWords(command.file, needed, words);
    if (read.errorNumber != 0) {
        err << "ravelin-cli: cannot read '" << Utf8Lossy(command.file)
            << "': " << read.errorDescription << "\n";
        return kExitStopped;
    }
    const int32_t count = read.count;
    for (int32_t i = 0; i < count; ++i) {
        out << Cp1252ToUtf8(words[static_cast<size_t>(i)]) << '\n';
    }
    if (count < needed) {
        err << "ravelin-cli: " << count << " of the " << needed
            << " words a scan needs: the file is too small and is never compared.\n";
    }
    return kExitScanned;
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                   bool terminal) {
    CLI::App app("Finds texts that are the same, or nearly the same, in two folders of .txt files.",
                 "ravelin-cli");
    app.set_version_flag("--version", "ravelin-cli " + VersionText());
    app.require_subcommand(1);
    ScanCommand scan;
    CLI::App* scanCommand =
        app.add_subcommand("scan", "Compare every .txt file of FOLDER2 with every one of FOLDER1");
    AddScanOptions(*scanCommand, scan);
    WordsCommand words;
    CLI::App* wordsCommand =
        app.add_subcommand("words", "Print the reduced words a scan would compare for FILE");
    AddWordsOptions(*wordsCommand, words);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, out, err);
        return code == 0 ? kExitScanned : kExitUsage;
    }
    if (scanCommand->parsed()) {
        return RunScan(scan, out, err, terminal);
    }
    return RunWords(words, out, err);
}

}  // namespace ravelin::cli
