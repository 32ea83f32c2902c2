// The scan inside the window: the Start / Pause / Continue / Stop / Quit cycle of the two
// buttons, and what the window shows of a running scan. Every change is painted at once, because
// the scan runs on this thread and paints happen only when it yields.

#include "files/StringRoutines.h"
#include "files/TextEncoding.h"
#include "support/qt/QtChild.h"
#include "ui/CompareWindow.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QTextDocument>

namespace ravelin {
namespace {

// The engine's log ends its lines with CR LF; the box ends them with LF.
QString ForTheBox(std::string_view text) {
    return QString::fromStdString(CrLfToLf(text));
}

std::string ForTheLog(const QString& text) {
    QString log = text;
    log.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return log.toStdString();
}

// Counts the depth of running scans for as long as a scan is on the stack.
class DepthGuard {
  public:
    explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
    DepthGuard(const DepthGuard&) = delete;
    DepthGuard& operator=(const DepthGuard&) = delete;
    ~DepthGuard() { --depth_; }

  private:
    int& depth_;
};

}  // namespace

void frmMain::cmdStart_Click() {
    const QString caption = ui_.cmdStart->text();
    const bool startsAScan =
        caption != QLatin1String("Pause") && caption != QLatin1String("Continue");
    if (startsAScan && ScanRunning()) {
        return;  // a stopped scan has not unwound yet; a second one would run inside it
    }
    blnStopRequested = false;
    blnReportStop = true;
    if (caption == QLatin1String("Pause")) {
        Pause();
    } else if (caption == QLatin1String("Continue")) {
        Continue();
    } else {
        Start();
    }
    if (closeAfterScan_ && !ScanRunning()) {
        closeAfterScan_ = false;
        // Closes from the event loop, once this click has returned as well.
        closeLater_.start(0);
    }
}

void frmMain::cmdQuit_Click() {
    if (ui_.cmdQuit->text() == QLatin1String("Stop")) {
        StopHandler();
    } else {
        QuitProgram();
    }
}

void frmMain::Pause() {
    SetCaptions(QStringLiteral("Continue"), ui_.cmdQuit->text());
    pauseMarker_.Append();
    blnPaused = true;
    do {
        Yield();
    } while (blnPaused && !blnStopRequested);
}

void frmMain::Continue() {
    SetCaptions(QStringLiteral("Pause"), ui_.cmdQuit->text());
    pauseMarker_.Remove();
    blnPaused = false;
}

// The scan itself ends at its next yield; the report then says whether it was stopped.
void frmMain::StopHandler() {
    blnStopRequested = true;
    report_.Log().MoveCaretToEnd();
    SetCaptions(QStringLiteral("Start"), QStringLiteral("Quit"));
    ui_.lblProcessingFile->clear();
    blnPaused = false;
    EnableControls(true);
    ShowMakerLabels(true);
}

void frmMain::Start() {
    auto options = ReadScanOptions(SettingTextsOfControls(), services_.texts);
    if (!options) {
        ShowTrimmedFolders(options.error().field);
        ShowMessage(options.error().message);
        // The user is left where the correction is to be made.
        if (QLineEdit* box = SettingBox(options.error().field)) {
            box->setFocus();
            box->selectAll();
        }
        return;
    }
    ShowTrimmedFolders(SettingId::Folder2);
    options.value().jobs = JobsForThisMachine();
    const DepthGuard running(scanDepth_);
    scanCompleted_ = false;
    SetUpWindowForScan();
    scan_ = std::make_unique<Scan>(
        options.value(), ScanControl{[this] { Yield(); }, [this] { return blnStopRequested; }});
    scan_->AddSink(pauseMarker_);
    scan_->AddSink(report_);
    scan_->AddSink(recording_);
    scan_->AddSink(*this);
    scanCompleted_ = scan_->Run().how == ScanEnd::Complete;
}

// The folder boxes that the check reached show their text without the surrounding blanks.
void frmMain::ShowTrimmedFolders(SettingId checkedUpTo) {
    const int trimmedBoxes = checkedUpTo == SettingId::Folder2   ? 2
                             : checkedUpTo == SettingId::Folder1 ? 1
                                                                 : 0;
    for (int slot = 0; slot < trimmedBoxes; ++slot) {
        const std::string trimmed(TrimSpaces(ui_.txbFolder[slot]->text().toStdString()));
        ui_.txbFolder[slot]->setText(QString::fromStdString(trimmed));
    }
}

void frmMain::SetUpWindowForScan() {
    SetCaptions(QStringLiteral("Pause"), QStringLiteral("Stop"));
    blnPaused = false;
    ui_.cmdCopyToClipboard->setEnabled(false);
    ui_.lblProcessingFile->clear();
    blnDuplicateFound = false;
    ui_.lblNoDuplicatesFound->setText(QStringLiteral("No duplicates found yet."));
    ui_.lblNoDuplicatesFound->repaint();
    SetWindowHeights(intSmallFormHeight, intSmallOutputHeight);
    strFileExt = TextFileExtension();
    EnableControls(false);
    ui_.cmdStart->setEnabled(true);
    ui_.cmdQuit->setEnabled(true);
    ui_.txbOutput->setEnabled(true);
}

void frmMain::OnScanBegun(const ScanOptions& /*options*/) {
    linesInBox_.clear();
}

void frmMain::OnFolderListed(const FolderListed& event) {
    if (event.files <= 0) {
        ShowMessage(FolderMessage(event, services_.texts));
    }
}

void frmMain::OnFileBegun(const FileBegun& event) {
    if (event.pass != ScanPass::Second) {
        return;
    }
    ui_.lblProcessingFile->setText(QStringLiteral("Processing file #") +
                                   QString::number(event.index + 1) +
                                   QStringLiteral(" in the 2nd folder."));
    ui_.lblProcessingFile->repaint();
    services_.waitSeconds(1);
    ShowMakerLabels(false);
}

void frmMain::OnMatch(const MatchFound& event) {
    SetWindowHeights(intLargeFormHeight, intLargeOutputHeight);
    blnDuplicateFound = true;
    ui_.lblNoDuplicatesFound->setText(event.matchNumber == 1
                                          ? QStringLiteral("One duplicate found.")
                                          : QString::number(event.matchNumber) +
                                                QStringLiteral(" duplicates found."));
    ui_.lblNoDuplicatesFound->repaint();
    NoteMatchLines();
}

// The report sink came first, so the box ends with the match's lines.
void frmMain::NoteMatchLines() {
    std::optional<std::array<int, 2>> lines;
    if (const auto at = report_.LastMatchAt()) {
        const int end = ui_.txbOutput->document()->characterCount() - 1;
        const auto length = static_cast<int>(
            Utf16Length(CrLfToLf(std::string_view(report_.Log().Text()).substr(*at))));
        lines = std::array<int, 2>{end - length, end};
    }
    linesInBox_.push_back(lines);
    for (CompareWindow* window : findChildren<CompareWindow*>(Qt::FindDirectChildrenOnly)) {
        window->MatchesGrew();
    }
}

std::optional<size_t> frmMain::MatchAtBoxPosition(int position) const {
    for (size_t i = 0; i < linesInBox_.size(); ++i) {
        const auto& lines = linesInBox_[i];
        if (lines && position >= (*lines)[0] && position < (*lines)[1]) {
            return i;
        }
    }
    return std::nullopt;
}

bool frmMain::OpenCompareWindowAt(int position) {
    const std::optional<size_t> match = MatchAtBoxPosition(position);
    if (match) {
        OpenCompareWindow(*match);
    }
    return match.has_value();
}

CompareWindow* frmMain::OpenCompareWindow(size_t match) {
    auto* window = NewChild<CompareWindow>(this, recording_.Matches(), match);
    window->show();
    return window;
}

void frmMain::OnScanEnded(const ScanEnded& event) {
    if (event.how != ScanEnd::Stopped) {
        blnReportStop = false;
        StopHandler();
    }
    EnableControls(true);
}

void frmMain::SetCaptions(const QString& start, const QString& quit) const {
    ui_.cmdStart->setText(start);
    ui_.cmdQuit->setText(quit);
    ui_.cmdStart->repaint();
    ui_.cmdQuit->repaint();
}

void frmMain::ShowMessage(const Message& message) {
    ShowMessageBox(QString::fromStdString(message.text), QString::fromStdString(message.title),
                   message.icon);
}

// Every button, check box, option button and text box; frames and labels keep their state.
void frmMain::EnableControls(bool enabled) {
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<QAbstractButton*>(control) != nullptr ||
            qobject_cast<QLineEdit*>(control) != nullptr ||
            qobject_cast<QPlainTextEdit*>(control) != nullptr) {
            control->setEnabled(enabled);
        }
    }
    repaint();
}

// Heights of the outer window; the client area is the non-client strip smaller.
void frmMain::SetWindowHeights(int formTwips, int outputTwips) {
    setFixedSize(Px(kDesignClientWidth), Px(formTwips - kNonClientHeight));
    ui_.txbOutput->resize(ui_.txbOutput->width(), Px(outputTwips));
    repaint();
}

void frmMain::ShowMakerLabels(bool show) const {
    ui_.lblProcessingFile->setVisible(!show);
    ui_.lblNoDuplicatesFound->setVisible(!show);
    ui_.lblProcessingFile->repaint();
    ui_.lblNoDuplicatesFound->repaint();
    ui_.lblCopyright->setVisible(show);
    ui_.lblQuillmere->setVisible(show);
    ui_.lblQMurl->setVisible(show);
}

void frmMain::Yield() {
    QCoreApplication::processEvents();
}

void frmMain::LogReplaced(const std::string& text) {
    showingLog_ = true;
    ui_.txbOutput->setPlainText(ForTheBox(text));
    showingLog_ = false;
    ui_.txbOutput->repaint();
}

// Added at the end without rewriting the box, so that the view and the caret stay where they are.
void frmMain::LogAppended(std::string_view added) {
    showingLog_ = true;
    QTextCursor end(ui_.txbOutput->document());
    end.movePosition(QTextCursor::End);
    end.insertText(ForTheBox(added));
    showingLog_ = false;
    ui_.txbOutput->repaint();
}

void frmMain::LogCaretToEnd() {
    ui_.txbOutput->moveCursor(QTextCursor::End);
    ui_.txbOutput->ensureCursorVisible();
}

// What the user types into the box becomes the log, without being written back to the box.
void frmMain::UserEditedOutput() {
    if (!showingLog_) {
        report_.Log().TakeTextFromUser(ForTheLog(ui_.txbOutput->toPlainText()));
    }
}

}  // namespace ravelin
