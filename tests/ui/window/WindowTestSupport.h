#pragma once

// frmMain on a test bench: its settings in a temporary file, and every message box, folder
// dialog, notice, catalog, browser and wait answered or recorded by the test.

#include "TempFolder.h"
#include "TextsForTests.h"
#include "support/qt/Notices.h"
#include "support/qt/QtTestSupport.h"
#include "support/qt/Twips.h"
#include "ui/CatalogPresenter.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowControls.h"
#include "ui/SaveDialog.h"
#include "ui/SettingsStore.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace ravelin::testing {

inline const QString kAllEnabled = QStringLiteral(
    "cmdStart cmdQuit cmdFolder0 txbNumWordsToSkip1 chkDisplayReducedText txbOutput");

// Everything the window asks of the world, recorded in order; the folder dialog gives the
// queued answers, an empty one being a cancel.
class RecordingWorld final : public MessagePresenter,
                             public FolderDialog,
                             public SaveDialog,
                             public NoticePresenter,
                             public WebPageOpener,
                             public CatalogPresenter {
  public:
    void Show(QWidget* parent, const QString& text, const QString& title, MessageIcon) override {
        events.push_back((parent ? "message " : "ownerless message ") + title + ": " + text);
    }
    QString BrowseForFolder(QWidget* /*owner*/, const QString& title) override {
        events.push_back("browse " + title);
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
    SaveChoice BrowseForSaveFile(QWidget* /*owner*/, const QString& title,
                                 const QStringList& filters,
                                 const QStringList& /*extensions*/) override {
        events.push_back("save " + title + ": " + filters.join(" | "));
        return saveAnswers.isEmpty() ? SaveChoice{} : saveAnswers.takeFirst();
    }
    void PopUpInForm(QWidget* /*form*/, const QString& message, int, int, int, int, int) override {
        events.push_back("notice " + message);
    }
    int32_t Open(const QString& address) override {
        events.push_back("open " + address);
        return kShellOpened;
    }
    void ShowModal(QWidget* owner, uint32_t color) override {
        events.push_back(QString("catalog %1 ").arg(color, 0, 16) +
                         (owner->isVisible() ? "over the window" : "in its place"));
    }

    QStringList answers;
    QList<SaveChoice> saveAnswers;
    QStringList events;
};

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() { InstallFontSubstitutions(); }

    frmMain& StartWindow() {
        const auto wait = [this](int seconds) {
            waitedSeconds_ += seconds;
            onWait_();
        };
        window_ = std::make_unique<frmMain>(
            MainWindowServices{texts_, world_, world_, world_, world_, world_, world_, store_, wait,
                               QString::fromStdString(root_ / "program folder")});
        window_->Form_Load();
        return *window_;
    }

    template <typename Control = QWidget>
    Control& Get(const QString& name) const {
        return *window_->findChild<Control*>(name);
    }
    void Click(const QString& name) const {
        QTest::mouseClick(&Get<QAbstractButton>(name), Qt::LeftButton);
    }
    QString Output() const { return Get<QPlainTextEdit>("txbOutput").toPlainText(); }
    QString Text(const QString& label) const { return Get<QLabel>(label).text(); }

    // What a user sees of the window: the scan buttons' captions, which sampled controls take
    // input, the two progress labels, which labels the footer shows, "small", "large" or
    // "neither", whether a scan runs, and the output that follows `outputBefore`.
    QStringList State(const QString& outputBefore = "") const {
        QStringList enabled;
        for (const QString& name : kAllEnabled.split(' ')) {
            if (Get(name).isEnabled()) {
                enabled.append(name);
            }
        }
        const auto sized = [this](int form, int box) {
            const double dpi = LogicalDpi(window_.get());
            return window_->height() == TwipsToPixels(form - kNonClientHeight, dpi) &&
                   Get("txbOutput").height() == TwipsToPixels(box, dpi);
        };
        QString output = Output();
        if (output.startsWith(outputBefore)) {
            output.remove(0, outputBefore.size());
        }
        return QStringList() << Get<QAbstractButton>("cmdStart").text() + "/" +
                                    Get<QAbstractButton>("cmdQuit").text()
                             << enabled.join(' ') << Text("lblProcessingFile")
                             << Text("lblNoDuplicatesFound")
                             << QString(Get("lblProcessingFile").isVisible() ? "progress" : "") +
                                    (Get("lblQMurl").isVisible() ? "maker" : "")
                             << (sized(kSmallFormHeight, kSmallOutputHeight)   ? "small"
                                 : sized(kLargeFormHeight, kLargeOutputHeight) ? "large"
                                                                               : "neither")
                             << (window_->ScanRunning() ? "running" : "idle") << output;
    }

    void Save(const char* name, const QString& value) const {
        ASSERT_TRUE(store_.SaveSettingValue("\\RVN", name, value));
    }

    // A folder under the temporary root with n text files, one file of another kind that must
    // not be counted, and the given files.
    QString MakeFolder(const std::string& name, int n,
                       std::map<std::string, std::string> files = {}) {
        std::filesystem::create_directories(root_.Path() / name);
        files["notes.doc"] = "not a text file";
        for (int i = 0; i < n; ++i) {
            files["file" + std::to_string(i) + ".txt"] = "text";
        }
        for (const auto& [file, text] : files) {
            root_.Write(name + "/" + file, text);
        }
        return QString::fromStdString(root_ / name);
    }

    TempFolder root_;
    // The window's own texts are marked with their numbers, so that a test sees which it used.
    MapTextCatalog texts_{{{3, "[3] folder no longer exists"},
                           {4, "[4] no files"},
                           {5, "[5] one file"},
                           {6, "[6] introduction"},
                           {17, "[17] opening the manual"},
                           {315, "https://www.quillmere.example/"}}};
    RecordingWorld world_;
    SettingsStore store_{QString::fromStdString(root_ / "settings.ini")};
    int waitedSeconds_ = 0;
    std::function<void()> onWait_ = [] {};
    std::unique_ptr<frmMain> window_;
};

}  // namespace ravelin::testing
