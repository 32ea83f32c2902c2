#pragma once

// frmMain, the program's only working window: the two folder slots, the numeric settings, the
// buttons that drive a scan and the output box in which the report grows. The scan driver runs
// inside it, on the user-interface thread, and talks to it as its ScanView.

#include "engine/ScanDriver.h"
#include "engine/ScanView.h"
#include "engine/TextCatalog.h"
#include "ui/MainWindowControls.h"

#include <QString>
#include <QTimer>
#include <QWidget>

#include <functional>

class QCloseEvent;

namespace ravelin {

class CatalogPresenter;
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

// Reads each 2nd-folder file when the scan asks and compares it with the 1st folder's files,
// skipping the pairs and shifts that cannot match: the report is the literal comparison's.
ScanDriver::SecondPassFactory PrunedSecondPass();

// Blocks the thread, as the real window waits after each 2nd-folder file.
void SleepSeconds(int seconds);

// Major "." minor followed by "0": 3.0 gives "3.00", 3.1 gives "3.10".
QString SoftwareVersion(int major, int minor);

class frmMain final : public QWidget, public ScanView {
    Q_OBJECT

  public:
    // The file of program texts beside the program, named after the window's tag.
    static QString ProgramTextFile();

    explicit frmMain(MainWindowServices services,
                     ScanDriver::SecondPassFactory secondPass = PrunedSecondPass());
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;
    ~frmMain() override;

    // Start-up once the program texts are loaded: defaults, colours and geometry, showing the
    // window, restoring the saved settings and counting the saved folders.
    void Form_Load();

    const ScanDriver& Driver() const { return driver_; }

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

    void ShowCatalogModally();
    void ShowMessageBox(const QString& text, const QString& title, MessageIcon icon);
    void UserEditedOutput();
    void ShowLogText(const std::string& text);
    QString FileCountCaption(int32_t count) const;
    QString Text(int n) const;
    int Px(int twips) const;
    int TopTwips(const QWidget& control) const;
    void SetTopTwips(QWidget& control, int top) const;

    // ScanView.
    std::string SettingText(SettingField field) const override;
    int DisplayReducedTextState() const override;
    std::string FolderText(int slot) const override;
    void SetFolderText(int slot, const std::string& text) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    void SetCaptions(const std::string& start, const std::string& quit) override;
    void SetProcessingFileLabel(const std::string& text) override;
    void SetDuplicatesLabel(const std::string& text) override;
    void SetCopyButtonEnabled(bool enabled) override;
    void EnableControls(bool enabled) override;
    void EnableScanControls() override;
    void SetWindowHeights(int formTwips, int outputTwips) override;
    void ShowMakerLabels(bool show) override;
    void Yield() override;
    void WaitSeconds(int seconds) override;
    void QuitProgram() override;
    void LogReplaced(const std::string& text) override;
    void LogAppended(std::string_view added) override;
    void LogCaretToEnd() override;

    MainWindowServices services_;
    double dpi_;
    MainWindowControls ui_;
    QTimer Timer1;
    ScanDriver driver_;

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
