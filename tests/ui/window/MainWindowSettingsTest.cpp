#include "WindowTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>

namespace ravelin {
namespace {

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

TEST_F(SettingsTest, SaveClearAndRestoreUseEachSettingsNameAndDefaults) {
    const QString first = MakeFolder("first", 1);
    struct Setting {
        QString control;
        QString storedName;
        QString typed;
        QString stored;
        QString restoreDefault;  // also what a first start shows
        QString cleared;
    };
    const Setting settings[] = {
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
    for (const Setting& s : settings) {
        EXPECT_EQ(Shown(s.control), s.restoreDefault) << s.control.toStdString();
        if (auto* box = window_->findChild<QLineEdit*>(s.control)) {
            box->setText(s.typed);
        }
    }
    Display().setCheckState(Qt::Unchecked);
    world_.answers = {first};
    Click("cmdFolder0");  // for a count that Clear must empty
    Click("cmdSaveSettings");
    const QSettings file(QString::fromStdString(root_ / "settings.ini"), QSettings::IniFormat);
    for (const Setting& s : settings) {
        EXPECT_EQ(file.value("Software/Quillmere/RVN/" + s.storedName).toString(), s.stored)
            << s.storedName.toStdString();
    }
    ASSERT_EQ(Get<QLabel>("lblNumFiles0").text(), "[5] one file");
    Click("cmdClearSettings");
    EXPECT_EQ(Get<QLabel>("lblNumFiles0").text(), "");
    for (const Setting& s : settings) {
        EXPECT_EQ(Shown(s.control), s.cleared) << s.control.toStdString() << " after Clear";
    }
    Click("cmdRestoreSettings");
    for (const Setting& s : settings) {
        EXPECT_EQ(Shown(s.control), s.typed) << s.control.toStdString() << " after Restore";
    }
}

TEST_F(SettingsTest, StoredCheckBoxAndOptionTextsAreReadLikeBasic) {
    struct Row {
        const char* display;
        const char* option;
        Qt::CheckState state;
        bool selected;
    };
    const Row rows[] = {
        {" 1", "True", Qt::Checked, true},
        {" 0", "False", Qt::Unchecked, false},
        {" 2", "-1", Qt::PartiallyChecked, true},
        {"not a number", "0", Qt::Unchecked, false},
        {"7", "maybe", Qt::Checked, true},  // values the controls cannot take: the defaults
        {"1.5", "false", Qt::PartiallyChecked, false},
        {" 2.5", "TRUE", Qt::PartiallyChecked, true},  // halves go to the even neighbour
        {"0.5", "2", Qt::Unchecked, true},
    };
    StartWindow();
    for (const Row& row : rows) {
        Save("Display reduced text", row.display);
        Save("optTxt", row.option);
        Click("cmdRestoreSettings");
        EXPECT_EQ(Display().checkState(), row.state) << row.display;
        EXPECT_EQ(OptionSelected(), row.selected) << row.option;
    }
}

}  // namespace
}  // namespace ravelin
