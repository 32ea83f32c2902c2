#pragma once

// frmMain on a test bench: its settings in a temporary file, and every message box, folder
// dialog, notice, catalog, browser and wait answered or recorded by the test.

#include "TempFolder.h"
#include "TextsForTests.h"
#include "engine/TextCatalog.h"
#include "support/qt/Notices.h"
#include "support/qt/QtTestSupport.h"
#include "ui/CatalogPresenter.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowControls.h"
#include "ui/SettingsStore.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace ravelin::testing {

// The scan's texts, and the window's own marked with their numbers so that a test sees which one
// the window used.
inline std::map<int, std::string> NumberedTexts() {
    std::map<int, std::string> texts = ScanTexts();
    texts.insert({
        {1, "Ravelin"},
        {3, "[3] folder no longer exists"},
        {4, "[4] no files"},
        {5, "[5] one file"},
        {6, "[6] introduction"},
        {17, "[17] opening the manual"},
        {315, "https://www.quillmere.example/"},
    });
    return texts;
}

class ScriptedFolderDialog final : public FolderDialog {
  public:
    QString BrowseForFolder(QWidget* /*owner*/, const QString& title) override {
        titles.push_back(title);
        if (answers.empty()) {
            return {};
        }
        const QString answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<QString> answers;  // an empty answer is a cancel
    std::vector<QString> titles;
};

struct ShownNotice {
    QString message;
    int width = 0;
    int height = 0;
    int interval = 0;
    int top = 0;
    int left = 0;
    size_t pagesOpenedBefore = 0;
};

class RecordingNotices final : public NoticePresenter {
  public:
    explicit RecordingNotices(const FakeWebPageOpener& opener) : opener_(opener) {}

    void PopUpInForm(QWidget* /*frmMe*/, const QString& strMessage, int intWidth, int intHeight,
                     int intInterval, int intTop, int intLeft) override {
        shown.push_back({strMessage, intWidth, intHeight, intInterval, intTop, intLeft,
                         opener_.addresses.size()});
    }

    std::vector<ShownNotice> shown;

  private:
    const FakeWebPageOpener& opener_;
};

struct CatalogDisplay {
    QWidget* owner = nullptr;
    uint32_t titleColor = 0;
    bool ownerVisible = false;
};

class RecordingCatalog final : public CatalogPresenter {
  public:
    void ShowModal(QWidget* owner, uint32_t lngTitleForeColor) override {
        shown.push_back({owner, lngTitleForeColor, owner != nullptr && owner->isVisible()});
    }

    std::vector<CatalogDisplay> shown;
};

// Handles events until the condition holds or five seconds have passed.
inline bool EventuallyTrue(const std::function<bool()>& condition) {
    for (int i = 0; i < 500 && !condition(); ++i) {
        QTest::qWait(10);
    }
    return condition();
}

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() {
        QStandardPaths::setTestModeEnabled(true);
        InstallFontSubstitutions();
    }

    frmMain& StartWindow() {
        window_ = std::make_unique<frmMain>(MainWindowServices{
            texts_, messages_, folderDialog_, notices_, opener_, catalog_, store_,
            [this](int seconds) {
                waitedSeconds_ += seconds;
                if (onWait_) {
                    onWait_();
                }
            },
            QString::fromStdString(root_ / "program folder")});
        window_->Form_Load();
        return *window_;
    }

    // A control of the window by its name.
    template <typename Control>
    Control& Get(const QString& name) const {
        auto* control = window_->findChild<Control*>(name);
        if (control == nullptr) {
            throw std::runtime_error("no control " + name.toStdString());
        }
        return *control;
    }

    QString Output() const {
        return Get<QPlainTextEdit>(QStringLiteral("txbOutput")).toPlainText();
    }

    void Save(const char* name, const QString& value) const {
        ASSERT_TRUE(
            store_.SaveSettingValue(QStringLiteral("\\RVN"), QString::fromUtf8(name), value));
    }

    // A folder under the temporary root with the given files; returns its path.
    QString MakeFolder(const std::string& name, const std::map<std::string, std::string>& files) {
        const std::filesystem::path folder = root_.Path() / name;
        std::filesystem::create_directories(folder);
        for (const auto& [file, text] : files) {
            root_.Write(name + "/" + file, text);
        }
        return QString::fromStdString(folder.string());
    }

    // n small text files, and one file of another kind that must not be counted.
    QString MakeFolderWithFiles(const std::string& name, int n) {
        std::map<std::string, std::string> files = {{"notes.doc", "not a text file"}};
        for (int i = 0; i < n; ++i) {
            files["file" + std::to_string(i) + ".txt"] = "text";
        }
        return MakeFolder(name, files);
    }

    QString SettingsFile() const { return QString::fromStdString(root_ / "settings.ini"); }

    TempFolder root_;
    MapTextCatalog texts_{NumberedTexts()};
    RecordingMessagePresenter messages_;
    ScriptedFolderDialog folderDialog_;
    FakeWebPageOpener opener_;
    RecordingNotices notices_{opener_};
    RecordingCatalog catalog_;
    SettingsStore store_{QString::fromStdString(root_ / "settings.ini")};
    int waitedSeconds_ = 0;
    std::function<void()> onWait_;
    std::unique_ptr<frmMain> window_;
};

}  // namespace ravelin::testing
