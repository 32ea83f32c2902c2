#include "ui/cli/CommandLine.h"

#include "engine/FileWords.h"
#include "engine/NumberValidation.h"
#include "engine/PassageRuns.h"
#include "engine/Scan.h"
#include "files/StringRoutines.h"
#include "files/TextEncoding.h"
#include "files/Utf8Path.h"
#include "output/Formats.h"
#include "output/Output.h"
#include "output/ScanOutput.h"
#include "support/LibraryTextCatalog.h"
#include "support/ProgramText.h"
#include "ui/cli/Console.h"
#include "ui/cli/Interrupt.h"
#include "ui/cli/MessageText.h"
#include "ui/cli/OutputTarget.h"
#include "ui/cli/PassageCommand.h"
#include "ui/cli/TerminalSink.h"
#include "ui/cli/Version.h"

#include <CLI/CLI.hpp>

#include <filesystem>
#include <limits>
#include <optional>

namespace ravelin::cli {
namespace {

struct ScanCommand {
    SettingTexts settings = RestoreDefaults();
    std::string show;
    bool noShow = false;
    std::string format = "report";
    bool literal = false;
    int jobs = JobsForThisMachine();
    bool stats = false;
    std::string output;
    bool outputGiven = false;  // -o '' is given, and empty
    std::string folder1;
    std::string folder2;
    bool passages = false;
    PassageCommand passage;
};

struct WordsCommand {
    std::string words{Setting(SettingId::NumWordsToCompare).restoreValue};
    std::string skip{Setting(SettingId::NumWordsToSkip1).restoreValue};
    bool byLines = false;
    std::string output;
    std::string file;
};

std::string& Setting(ScanCommand& scan, SettingId id) {
    return scan.settings[static_cast<size_t>(id)];
}

// "Words to skip ... (0-500)": the help of a number takes its bounds from the settings table.
std::string Described(std::string_view what, SettingId id) {
    const SettingRow& row = Setting(id);
    return std::string(what) + " (" + std::to_string(row.min) + "-" + std::to_string(row.max) + ")";
}

std::vector<std::string> FormatNames() {
    std::vector<std::string> names;
    names.reserve(kFormats.size());
    for (const FormatRow& format : kFormats) {
        names.emplace_back(format.name);
    }
    return names;
}

// "report (as the window shows it), tsv (a line per match), ... or html (...)".
std::string FormatHelp() {
    std::string help;
    for (size_t i = 0; i < kFormats.size(); ++i) {
        const FormatRow& format = kFormats[i];
        help += i == 0 ? "" : i + 1 == kFormats.size() ? " or " : ", ";
        help += std::string(format.name) + " (" + std::string(format.help) + ")";
    }
    return help;
}

// "(5-100)": a range as the help and the error name it.
std::string Range(int32_t low, int32_t high) {
    return " (" + std::to_string(low) + "-" + std::to_string(high) + ")";
}

CLI::Option* AddPassageOptions(CLI::App& command, ScanCommand& scan) {
    PassageCommand& passage = scan.passage;
    CLI::Option* passages = command.add_flag(
        "--passages", scan.passages,
        "List the passages of at least K equal words that two files share anywhere in them");
    command
        .add_option("--min-words", passage.minWords,
                    "Words of a passage, at the least, K" +
                        Range(kPassageMinWordsLow, kPassageMinWordsHigh))
        ->check(CLI::Range(kPassageMinWordsLow, kPassageMinWordsHigh))
        ->type_name("K")
        ->capture_default_str()
        ->needs(passages);
    command
        .add_option("--gap", passage.maxGap,
                    "Differing words between two runs of one passage, at the most, G" +
                        Range(kPassageMaxGapLow, kPassageMaxGapHigh))
        ->check(CLI::Range(kPassageMaxGapLow, kPassageMaxGapHigh))
        ->type_name("G")
        ->capture_default_str()
        ->needs(passages);
    command
        .add_option("--common", passage.common,
                    "Text that is never part of a passage: a file, or a folder of .txt files "
                    "(repeatable)")
        ->type_name("PATH")
        ->allow_extra_args(false)
        ->needs(passages);
    command
        .add_option("--max-files", passage.maxFiles,
                    "Text found in more than M 1st-folder files is common (default: off)" +
                        Range(1, std::numeric_limits<int32_t>::max()))
        ->check(CLI::Range(1, std::numeric_limits<int32_t>::max()))
        ->type_name("M")
        ->needs(passages);
    return passages;
}

void AddScanOptions(CLI::App& command, ScanCommand& scan) {
    command
        .add_option("--words", Setting(scan, SettingId::NumWordsToCompare),
                    Described("Number of words in test segment, N", SettingId::NumWordsToCompare))
        ->type_name("N")
        ->capture_default_str();
    command
        .add_option("--threshold", Setting(scan, SettingId::MatchThreshold),
                    Described("Threshold for similarity in per cent, T", SettingId::MatchThreshold))
        ->type_name("N")
        ->capture_default_str();
    command
        .add_option("--skip1", Setting(scan, SettingId::NumWordsToSkip1),
                    Described("Words to skip at the start of each 1st-folder file",
                              SettingId::NumWordsToSkip1))
        ->type_name("N")
        ->capture_default_str();
    command
        .add_option("--skip2", Setting(scan, SettingId::NumWordsToSkip2),
                    Described("Words to skip at the start of each 2nd-folder file",
                              SettingId::NumWordsToSkip2))
        ->type_name("N")
        ->capture_default_str();
    CLI::Option* show =
        command
            .add_option("--show", scan.show,
                        Described("Reduced words shown per side of a match, M",
                                  SettingId::NumWordsToDisplay))
            ->type_name("M")
            ->default_str(std::string(Setting(SettingId::NumWordsToDisplay).restoreValue));
    CLI::Option* noShow =
        command.add_flag("--no-show", scan.noShow, "Show no reduced words in the report");
    show->excludes(noShow);
    command.add_option("--format", scan.format, FormatHelp())
        ->check(CLI::IsMember(FormatNames()))
        ->type_name("FORMAT")
        ->capture_default_str();
    command
        .add_option("-o,--output", scan.output,
                    "Write the report or list to FILE instead of the standard output")
        ->type_name("FILE");
    CLI::Option* literal =
        command.add_flag("--literal", scan.literal,
                         "Compare every pair with every shift, the reference for the fast path");
    AddPassageOptions(command, scan)->excludes(literal);
    command.add_option("--jobs", scan.jobs, "Threads that read and compare files (1-256)")
        ->check(CLI::Range(1, 256))
        ->type_name("J")
        ->capture_default_str();
    command.add_flag("--stats", scan.stats,
                     "Print the files, pairs and time of each pass to the error stream");
    command.add_option("FOLDER1", scan.folder1, "The 1st folder")->required();
    command.add_option("FOLDER2", scan.folder2, "The 2nd folder (default: the 1st folder)");
    command.footer(
        "Examples:\n"
        "  ravelin-cli scan letters                    every file of letters/ with every other\n"
        "  ravelin-cli scan old new --threshold 75     new/ against old/, looser matches\n"
        "  ravelin-cli scan --format tsv -o pairs.tsv old new\n"
        "  ravelin-cli scan --format html -o report.html old new\n"
        "  ravelin-cli scan --passages --format json -o passages.jsonl old new\n"
        "\n"
        "Exit status: 0 the scan ran to its summary; 1 a setting, a folder, the program texts or\n"
        "a failed write stopped it; 2 a usage error; 130 interrupted by Ctrl-C.");
}

void AddWordsOptions(CLI::App& command, WordsCommand& words) {
    command
        .add_option("--words", words.words,
                    Described("Number of words in test segment, N", SettingId::NumWordsToCompare))
        ->type_name("N")
        ->capture_default_str();
    command
        .add_option("--skip", words.skip,
                    Described("Words to skip at the start of the file", SettingId::NumWordsToSkip1))
        ->type_name("N")
        ->capture_default_str();
    command
        .add_option("-o,--output", words.output,
                    "Write the words to FILE instead of the standard output")
        ->type_name("FILE");
    command.add_flag("--by-lines", words.byLines,
                     "Read the file as a 2nd-folder file (by lines, not by characters)");
    command.add_option("FILE", words.file, "The text file")->required();
}

std::optional<int> LoadTexts(std::ostream& err) {
    const ProgramTextLoad load = LoadProgramText("rvn.dat", DataFolder(ProgramFolder(), "rvn.dat"));
    if (!load.loaded) {
        err << MessageText("", Utf8Lossy(load.message)) << std::flush;
        return kExitStopped;
    }
    return std::nullopt;
}

std::optional<ScanOptions> ReadOptions(ScanCommand& scan, const TextCatalog& catalog,
                                       std::ostream& err) {
    Setting(scan, SettingId::Folder1) = scan.folder1;
    Setting(scan, SettingId::Folder2) = scan.folder2.empty() ? scan.folder1 : scan.folder2;
    if (!scan.show.empty()) {
        Setting(scan, SettingId::NumWordsToDisplay) = scan.show;
    }
    Setting(scan, SettingId::DisplayReducedText) = scan.noShow ? "0" : "1";
    auto options = ReadScanOptions(scan.settings, catalog);
    if (!options) {
        const Message& message = options.error().message;
        err << MessageText(message.title, message.text) << std::flush;
        return std::nullopt;
    }
    options.value().jobs = scan.jobs;
    options.value().literal = scan.literal;
    return options.value();
}

// The error of a write that did not complete, said on the error stream: status 1.
int WriteFailed(const Error& error, std::ostream& err) {
    err << "ravelin-cli: " << error.message << "\n";
    return kExitStopped;
}

int RunScan(ScanCommand& scan, std::ostream& out, std::ostream& err, bool terminal) {
    const std::string& folder2 = scan.folder2.empty() ? scan.folder1 : scan.folder2;
    if (const auto problem =
            OutputTargetProblem(scan.output, scan.outputGiven, scan.folder1, folder2)) {
        err << *problem;
        return kExitUsage;
    }
    if (const auto failed = LoadTexts(err)) {
        return *failed;
    }
    const LibraryTextCatalog catalog;
    if (scan.passages) {
        PassageCommand passage = scan.passage;
        passage.format = scan.format;
        passage.output = scan.output;
        passage.jobs = scan.jobs;
        passage.stats = scan.stats;
        passage.folder1 = scan.folder1;
        passage.folder2 = scan.folder2;
        return RunPassageScan(passage, catalog, out, err);
    }
    const std::optional<ScanOptions> options = ReadOptions(scan, catalog, err);
    if (!options) {
        return kExitStopped;
    }
    // Before the file is made: a signal that ends the program removes what it left unfinished.
    const TerminationCleanup cleanup;
    Output output(scan.output, out);
    if (const auto error = output.Open()) {
        return WriteFailed(*error, err);
    }
    std::optional<ProgressBar> progress;
    if (terminal) {
        progress.emplace(err);
    }
    bool interrupted = false;
    // A list that can no longer be written ends the scan: nothing more of it would arrive.
    Scan run(*options,
             {[&interrupted] { interrupted = interrupted || InterruptHandler::Requested(); },
              [&interrupted, &output] { return interrupted || output.Failed(); }});
    TerminalSink terminalSink(catalog, err, progress ? &*progress : nullptr);
    const FormatRow& format = *FindFormat(scan.format);
    // The bytes of a name must not drive the terminal the report is shown on.
    const bool onTerminal =
        output.ToStandardOutput() && &out == &std::cout && StandardOutputIsTerminal();
    ScanOutput result(format, output.Stream(), catalog, onTerminal);
    run.AddSink(result);
    run.AddSink(terminalSink);
    ScanEnded ended{};
    {
        const InterruptHandler interrupts;
        ended = run.Run();
    }
    if (scan.stats) {
        err << terminalSink.StatsText();
    }
    if (const std::string notice = result.Notice(); !notice.empty()) {
        err << "ravelin-cli: " << notice << "\n";
    }
    // A result that could no longer be written stopped the scan: the error says why. Finish
    // leaves a file it was to replace as it was.
    if (!interrupted && output.Failed()) {
        if (const auto error = output.Finish()) {
            return WriteFailed(*error, err);
        }
    }
    // A scan that did not run to its summary leaves the file it was to replace as it was.
    if (interrupted || ended.how != ScanEnd::Complete) {
        output.Abandon();
        return interrupted ? kExitInterrupted : kExitStopped;
    }
    if (const auto error = output.Finish()) {
        return WriteFailed(*error, err);
    }
    if (format.announcesSize && !scan.output.empty()) {
        std::error_code unknown;
        const auto size = std::filesystem::file_size(PathFromUtf8(scan.output), unknown);
        if (!unknown) {
            err << "ravelin-cli: wrote " << size << " bytes to " << Utf8Lossy(scan.output) << "\n";
        }
    }
    return kExitScanned;
}

// Validates a number option as the window validates its box, with its message.
std::optional<int32_t> NumberOption(const std::string& text, SettingId id,
                                    const TextCatalog& catalog, std::ostream& err) {
    const SettingRow& row = Setting(id);
    const ValidationResult result =
        ValidateNumberField(text, row.min, row.max, true, FieldName(id, catalog));
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
    const SettingId skipId =
        command.byLines ? SettingId::NumWordsToSkip2 : SettingId::NumWordsToSkip1;
    const auto n = NumberOption(command.words, SettingId::NumWordsToCompare, catalog, err);
    const auto skip = n ? NumberOption(command.skip, skipId, catalog, err) : std::nullopt;
    if (!n || !skip) {
        return kExitStopped;
    }
    const int32_t needed = 2 * *n + *skip;
    std::vector<std::string> words;
    const FileWords read = command.byLines ? ReadSecondFolderWords(command.file, needed, words)
                                           : ReadFirstFolderWords(command.file, needed, words);
    if (read.error) {
        err << "ravelin-cli: cannot read '" << Utf8Lossy(command.file)
            << "': " << read.error->message << "\n";
        return kExitStopped;
    }
    const TerminationCleanup cleanup;
    Output output(command.output, out);
    if (const auto error = output.Open()) {
        return WriteFailed(*error, err);
    }
    const int32_t count = read.count;
    for (int32_t i = 0; i < count; ++i) {
        output.Stream() << Cp1252ToUtf8(words[static_cast<size_t>(i)]) << '\n';
    }
    if (const auto error = output.Finish()) {
        return WriteFailed(*error, err);
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
    app.set_help_all_flag("--help-all", "Print the help of every command and exit");
    app.require_subcommand(1);
    // A folder such as /data is a folder on every platform, never a Windows-style option;
    // subcommands take the setting from here.
    app.allow_windows_style_options(false);
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
        scan.outputGiven = scanCommand->count("--output") > 0;
        return RunScan(scan, out, err, terminal);
    }
    return RunWords(words, out, err);
}

}  // namespace ravelin::cli
