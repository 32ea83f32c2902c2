#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QUrl>

#include <tuple>

namespace ravelin {
namespace {

using MainWindowTest = testing::WindowTest;

// A saved folder is counted at start-up; one that has vanished is reported and emptied, which
// leaves nothing to swap.
TEST_F(MainWindowTest, SavedFoldersAreCountedAndAVanishedOneIsReportedAndEmptied) {
    Save("1st folder", QString::fromStdString(root_ / "vanished"));
    Save("2nd folder", MakeFolder("empty", 0));
    StartWindow();
    EXPECT_EQ(Get<QLineEdit>("txbFolder0").text() + Text("lblNumFiles0"), "");
    EXPECT_EQ(Text("lblNumFiles1"), "[4] no files");
    EXPECT_FALSE(Get("cmdExchangeFolders").isEnabled());
    EXPECT_EQ(world_.events.join('|'), "message Path not found: 1st [3] folder no longer exists.");
}

// A keyboard user can leave the output box both ways instead of typing a tab into the report.
TEST_F(MainWindowTest, TabAndShiftTabMoveTheFocusOutOfTheOutputBox) {
    StartWindow();
    Get("txbOutput").setFocus();
    QTest::keyClick(&Get("txbOutput"), Qt::Key_Tab);
    EXPECT_EQ(window_->focusWidget()->objectName(), "txbNumWordsToSkip0");
    Get("txbOutput").setFocus();
    QTest::keyClick(&Get("txbOutput"), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(window_->focusWidget()->objectName(), "cmdQuit");
}

// What the user types becomes the report, with the report's own line ends; Copy trims its blanks
// but keeps its line breaks, and takes nothing when nothing is left.
TEST_F(MainWindowTest, CopyTrimsTheReportAndClearEmptiesIt) {
    const std::tuple<QString, QString, QString, QString> rows[] = {
        // typed, button, output after it, clipboard after it
        {"  first line\nsecond line\n  ", "cmdCopyToClipboard", "first line\nsecond line\n",
         "first line\nsecond line\n"},
        {"   ", "cmdCopyToClipboard", "", "before"},
        {"report", "cmdClearSettings", "", "before"},
    };
    for (const auto& [typed, button, output, clipboard] : rows) {
        StartWindow();
        QGuiApplication::clipboard()->setText("before");
        Get<QPlainTextEdit>("txbOutput").setPlainText(typed);
        // The timer enables the button within a second of text arriving.
        ASSERT_TRUE(QTest::qWaitFor([this] { return Get("cmdCopyToClipboard").isEnabled(); }));
        Click(button);
        EXPECT_EQ(Output(), output) << typed.toStdString();
        EXPECT_EQ(QString::fromStdString(window_->Log().Text()),
                  QString(output).replace("\n", "\r\n"));
        EXPECT_EQ(QGuiApplication::clipboard()->text(), clipboard);
        EXPECT_EQ(Get("cmdCopyToClipboard").isEnabled(), !output.isEmpty());
    }
}

// The manual beside the program opens after its notice, the maker's name opens the site, and Quit
// and the maker's button show the catalog in place of the window.
TEST_F(MainWindowTest, WhatEachWayOutOfTheWindowOpens) {
    const QString manual =
        "open " + QUrl::fromLocalFile(QString::fromStdString(root_ / "program folder/manual.html"))
                      .toString(QUrl::FullyEncoded);
    const std::tuple<QString, QString, bool> rows[] = {
        {"cmdUserManual", "notice [17] opening the manual|" + manual, true},
        {"lblQuillmere", "open https://www.quillmere.example/", true},
        {"cmdQMsoftware", "catalog ff0000 in its place", true},
        {"cmdQuit", "catalog ff0000 in its place", false},
    };
    for (const auto& [control, events, visibleAfter] : rows) {
        StartWindow();
        world_.events.clear();
        QTest::mouseClick(&Get(control), Qt::LeftButton);
        EXPECT_EQ(world_.events.join('|'), events) << control.toStdString();
        EXPECT_EQ(window_->isVisible(), visibleAfter) << control.toStdString();
    }
}

// A usable folder clears the output; one without text files is refused with a message.
TEST_F(MainWindowTest, ChosenFoldersAreCountedAndSwapIsOfferedOnceBothSlotsAreFilled) {
    StartWindow();
    const auto choose = [this](int slot, const QString& answer) {
        world_.answers.push_back(answer);
        Click(QString("cmdFolder%1").arg(slot));
    };
    const QString second = MakeFolder("second", 12);
    const QString first = MakeFolder("first", 0);
    QTest::keyClicks(&Get("txbOutput"), "old report");
    choose(1, second);
    EXPECT_TRUE(window_->Log().Empty());
    EXPECT_FALSE(Get("cmdExchangeFolders").isEnabled());
    choose(1, "");  // cancelled
    // A folder without text files is chosen, but its message ends the choice.
    QTest::keyClicks(&Get("txbOutput"), "report");
    choose(0, first);
    EXPECT_FALSE(Get("cmdExchangeFolders").isEnabled());
    choose(0, "");
    ASSERT_TRUE(Get("cmdExchangeFolders").isEnabled());

    Get<QLineEdit>("txbNumWordsToSkip0").setText("3");
    Click("cmdExchangeFolders");
    const auto box = [this](const char* name) { return Get<QLineEdit>(name).text(); };
    EXPECT_EQ(QStringList({box("txbFolder0"), box("txbFolder1"), box("txbNumWordsToSkip0"),
                           box("txbNumWordsToSkip1"), Text("lblNumFiles0"), Text("lblNumFiles1")}),
              QStringList({second, first, "0", "3", "12 .txt files", "No .txt files"}));
    EXPECT_EQ(Output(), "report");
    EXPECT_EQ(world_.events,
              QStringList({"browse Select 2nd folder", "browse Select 2nd folder",
                           "browse Select 1st folder",
                           "message No files: " + first + "\r\ncontains no .txt files.  ",
                           "browse Select 1st folder"}));
}

class SettingsTest : public testing::WindowTest {
  protected:
    QCheckBox& Display() const { return Get<QCheckBox>("chkDisplayReducedText"); }
    bool OptionSelected() const { return Get<QRadioButton>("optTxt").isChecked(); }

    // The control's value as the store keeps it; Qt orders the check box's partial state before
    // the ticked one.
    QString Shown(const QString& control) const {
        if (const auto* box = window_->findChild<QLineEdit*>(control)) {
            return box->text();
        }
        return control == "optTxt" ? QString(OptionSelected() ? "True" : "False")
                                   : QString(QString("021")[Display().checkState()]);
    }
};

TEST_F(SettingsTest, AFirstStartShowsTheDefaultsAndSaveClearAndRestoreUseEachSettingsName) {
    const QString first = MakeFolder("first", 1);
    // control, stored name, typed, stored, the default of Restore and a first start, cleared
    const std::tuple<QString, QString, QString, QString, QString, QString> settings[] = {
        {"txbFolder0", "1st folder", first, first, "", ""},
        {"txbFolder1", "2nd folder", "", " ", "", ""},
        {"txbNumWordsToSkip0", "1st num words to skip", "3", "3", "0", "0"},
        {"txbNumWordsToSkip1", "2nd num words to skip", "4", "4", "0", "0"},
        {"txbNumWordsToCompare", "Num words to compare", "30", "30", "20", "50"},
        {"txbMatchThreshold", "Match threshold", "85", "85", "90", "90"},
        {"txbNumWordsOfReducedTextToDisplay", "Num words to display", "x7", "x7", "12", "12"},
        {"chkDisplayReducedText", "Display reduced text", "0", " 0", "1", "1"},
        {"optTxt", "optTxt", "True", "True", "True", "True"},
    };
    StartWindow();
    // A first start shows an idle small window and the defaults that Restore gives for settings
    // never saved.
    EXPECT_EQ(State(), QStringList({"Start/Quit", testing::kAllEnabled, "",
                                    "No duplicates found so far", "maker", "small", "idle", ""}));
    for (const auto& [control, storedName, typed, stored, restoreDefault, cleared] : settings) {
        EXPECT_EQ(Shown(control), restoreDefault) << control.toStdString();
        if (auto* box = window_->findChild<QLineEdit*>(control)) {
            box->setText(typed);
        }
    }
    Display().setCheckState(Qt::Unchecked);
    world_.answers = {first};
    Click("cmdFolder0");  // for a count that Clear must empty
    Click("cmdSaveSettings");
    const QSettings file(QString::fromStdString(root_ / "settings.ini"), QSettings::IniFormat);
    for (const auto& [control, storedName, typed, stored, restoreDefault, cleared] : settings) {
        EXPECT_EQ(file.value("Software/Quillmere/RVN/" + storedName).toString(), stored)
            << storedName.toStdString();
    }
    ASSERT_EQ(Get<QLabel>("lblNumFiles0").text(), "[5] one file");
    Click("cmdClearSettings");
    EXPECT_EQ(Get<QLabel>("lblNumFiles0").text(), "");
    for (const auto& [control, storedName, typed, stored, restoreDefault, cleared] : settings) {
        EXPECT_EQ(Shown(control), cleared) << control.toStdString() << " after Clear";
    }
    Click("cmdRestoreSettings");
    for (const auto& [control, storedName, typed, stored, restoreDefault, cleared] : settings) {
        EXPECT_EQ(Shown(control), typed) << control.toStdString() << " after Restore";
    }
}

TEST_F(SettingsTest, StoredTextsTheCheckBoxAndOptionCannotTakeGiveTheirDefaults) {
    StartWindow();
    Save("Display reduced text", " 0");
    Save("optTxt", "False");
    Click("cmdRestoreSettings");
    ASSERT_FALSE(Display().isChecked() || OptionSelected());
    Save("Display reduced text", "7");
    Save("optTxt", "maybe");
    Click("cmdRestoreSettings");
    EXPECT_EQ(Display().checkState(), Qt::Checked);
    EXPECT_TRUE(OptionSelected());
}

}  // namespace
}  // namespace ravelin
