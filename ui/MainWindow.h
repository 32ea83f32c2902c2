#pragma once

// frmMain, the program's only working window: the two folder slots, the numeric settings, the
// buttons that drive a scan and the output box in which the report grows. A scan runs inside its
// Start handler, on the user-interface thread; the window hears of the scan as one of its sinks
// and writes the report into the output box as the log's listener.

#include "engine/Message.h"
#include "engine/OutputLog.h"
#include "engine/ReportSink.h"
#include "engine/Scan.h"
#include "engine/TextCatalog.h"
#include "output/ScanRecording.h"
#include "ui/MainWindowControls.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCloseEvent;
class QLineEdit;

namespace ravelin {

class CatalogPresenter;
class CompareWindow;
class FolderDialog;
class MessagePresenter;
class NoticePresenter;
class SettingsStore;
class WebPageOpener;

// Everything the window asks of the world, so that tests can answer in place of a user, a
// browser or the clock.
struct MainWindowServices {
    const TextCatalog& texts;
    MessagePresenter& messages;
    FolderDialog& folderDialog;
    NoticePresenter& notices;
    WebPageOpener& webOpener;
    CatalogPresenter& catalog;
    const SettingsStore& settings;
    // The pause after each 2nd-folder file's progress label: blocks without handling events.
    std::function<void(int seconds)> waitSeconds;
    // The folder of the running program, where manual.html lies.
    QString programFolder;
};

// Blocks the thread, as the real window waits after each 2nd-folder file.
void SleepSeconds(int seconds);

// Major "." minor followed by "0": 3.0 gives "3.00", 3.1 gives "3.10".
QString SoftwareVersion(int major, int minor);

// The window's heights in twips: small while no match was reported, large from the first match.
inline constexpr int kSmallFormHeight = 7950;
inline constexpr int kSmallOutputHeight = 2055;
inline constexpr int kLargeFormHeight = 10950;
inline constexpr int kLargeOutputHeight = 5055;

class frmMain final : public QWidget, private ScanSink, private OutputLogListener {
    Q_OBJECT

  public:
    // The file of program texts beside the program, named after the window's tag.
    static QString ProgramTextFile();

    explicit frmMain(MainWindowServices services);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;
    ~frmMain() override;

    // Start-up once the program texts are loaded: defaults, colours and geometry, showing the
    // window, restoring the saved settings and counting the saved folders.
    void Form_Load();

    const OutputLog& Log() const { return report_.Log(); }
    // The last scan, with its word tables; null before the first.
    const Scan* LastScan() const { return scan_.get(); }
    // True while a scan is on the stack, also a stopped one that has not unwound yet.
    bool ScanRunning() const { return scanDepth_ > 0; }
    // The last scan reached its summary.
    bool ScanCompleted() const { return scanCompleted_; }
    // Every match of the last scan, also those past the report's cap.
    const std::vector<MatchRecord>& Matches() const { return *recording_.Matches(); }
    // A window of its own, owned by this one, that shows the given match of Matches().
    CompareWindow* OpenCompareWindow(size_t match);

    bool blnPaused = false;
    bool blnStopRequested = false;
    bool blnReportStop = true;
    bool blnDuplicateFound = false;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Start-up.
    void SetSoftwareInfo();
    void SetMainCaption();
    void InitialiseWindow();
    void AlignFooter();
    void MoveToTopCentre();
    void CountSavedFolder(int slot);

    // Handlers.
    void cmdStart_Click();
    void cmdQuit_Click();
    void Pause();
    void Continue();
    void Start();
    void StopHandler();
    void cmdFolder_Click(int index);
    void cmdExchangeFolders_Click();
    void cmdSaveSettings_Click();
    void cmdRestoreSettings_Click();
    void cmdClearSettings_Click();
    void cmdCopyToClipboard_Click();
    void Timer1_Timer();
    void cmdUserManual_Click();
    void lblQuillmere_Click();
    void cmdQMsoftware_Click();
    void ConnectHandlers();
    QLineEdit* SettingBox(SettingId id) const;
    void ShowClearedNumbers();

    void ShowCatalogModally();
    void ShowMessageBox(const QString& text, const QString& title, MessageIcon icon);
    void UserEditedOutput();
    QString FileCountCaption(int32_t count) const;
    QString Text(int n) const;
    int Px(int twips) const;
    int TopTwips(const QWidget& control) const;
    void SetTopTwips(QWidget& control, int top) const;

    // The scan.
    SettingTexts SettingTextsOfControls() const;
    void ShowTrimmedFolders(SettingId checkedUpTo);
    void SetUpWindowForScan();
    void SetCaptions(const QString& start, const QString& quit) const;
    void EnableControls(bool enabled);
    void SetWindowHeights(int formTwips, int outputTwips);
    void ShowMakerLabels(bool show) const;
    void ShowMessage(const Message& message);
    void Yield();
    int DisplayReducedTextState() const;
    void QuitProgram();

    // The match whose lines hold the given character of the output box.
    std::optional<size_t> MatchAtBoxPosition(int position) const;
    bool OpenCompareWindowAt(int position);
    void NoteMatchLines();

    // ScanSink.
    void OnScanBegun(const ScanOptions& options) override;
    void OnFolderListed(const FolderListed& event) override;
    void OnFileBegun(const FileBegun& event) override;
    void OnMatch(const MatchFound& event) override;
    void OnScanEnded(const ScanEnded& event) override;

    // OutputLogListener.
    void LogReplaced(const std::string& text) override;
    void LogAppended(std::string_view added) override;
    void LogCaretToEnd() override;

    MainWindowServices services_;
    double dpi_;
    MainWindowControls ui_;
    QTimer Timer1;
    ReportSink report_;
    std::unique_ptr<Scan> scan_;
    int scanDepth_ = 0;
    bool scanCompleted_ = false;
    // Every event of the last scan, its matches with them, for the compare window and for
    // saving the results in any format.
    ScanRecording recording_;
    // Per match, the box's characters [begin, end) that hold its lines; none past the cap.
    std::vector<std::optional<std::array<int, 2>>> linesInBox_;

    QString strSoftwareTitle;
    QString strSoftwareVersion;
    QString strFileExt = QStringLiteral("txt");
    int intSmallFormHeight = 0;
    int intSmallOutputHeight = 0;
    int intLargeFormHeight = 0;
    int intLargeOutputHeight = 0;

    // Set while the engine writes the output box, so the write is not taken for the user's.
    bool showingLog_ = false;
    // The user closed the window during a scan: it closes once the stopped scan has unwound.
    bool closeAfterScan_ = false;
    QTimer closeLater_;
};

}  // namespace ravelin
