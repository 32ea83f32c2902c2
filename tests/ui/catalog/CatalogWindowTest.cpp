#include "TempFolder.h"
#include "support/qt/QtTestSupport.h"
#include "ui/CatalogWindow.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace ravelin {
namespace {

using testing::FakeWebPageOpener;
using testing::ModalScript;
using testing::RecordingMessagePresenter;
using testing::TempFolder;

const std::vector<CatalogItem> kItems = {
    {"Tallyquill", {"Counts words.", "Keeps a tally."}, "tallyquill.htm"},
    {"Linewright", {"Line ends in bulk."}, "linewright.htm"},
    {"Notebook", {"No page of its own."}, ""},
};

QList<QLabel*> Labels(const QWidget& window, const char* name) {
    return window.findChildren<QLabel*>(QString::fromLatin1(name));
}

QStringList Texts(const QList<QLabel*>& labels) {
    QStringList texts;
    for (const QLabel* label : labels) {
        texts.append(label->text());
    }
    return texts;
}

QPushButton* CloseButton(const QWidget& window) {
    return window.findChild<QPushButton*>(QStringLiteral("cmdClose"));
}

class CatalogWindowTest : public ::testing::Test {
  protected:
    FakeWebPageOpener opener_;
    RecordingMessagePresenter messages_;
    frmCatalog window_{kItems, opener_, messages_};
};

TEST_F(CatalogWindowTest, ListsEachProgramWithItsDescriptionAsOneParagraph) {
    EXPECT_EQ(Texts(Labels(window_, "lblTitle")),
              QStringList({"Tallyquill", "Linewright", "Notebook"}));
    EXPECT_EQ(
        Texts(Labels(window_, "lblDescription")),
        QStringList({"Counts words. Keeps a tally.", "Line ends in bulk.", "No page of its own."}));
    EXPECT_TRUE(Labels(window_, "lblUnavailable").isEmpty());
}

TEST_F(CatalogWindowTest, ATitleOrADescriptionOpensItsProgramsPage) {
    window_.show();
    const QString page = QStringLiteral("https://www.quillmere.example/linewright.htm");
    for (const char* name : {"lblTitle", "lblDescription"}) {
        SCOPED_TRACE(name);
        opener_.addresses.clear();
        QTest::mouseClick(Labels(window_, name).at(1), Qt::LeftButton);
        EXPECT_EQ(opener_.addresses, std::vector<QString>{page});
    }
    opener_.addresses.clear();
    QTest::mouseClick(Labels(window_, "lblTitle").at(2), Qt::LeftButton);
    QTest::mouseClick(Labels(window_, "lblTitle").at(0), Qt::RightButton);
    EXPECT_TRUE(opener_.addresses.empty());
    EXPECT_TRUE(messages_.shown.empty());
}

// What a modal display of the catalog showed, before its Close button ended it.
struct Display {
    const QWidget* window = nullptr;
    QStringList titles;
    QColor titleColour;
    bool introduction = false;
    bool unavailable = false;
};

std::function<void(QWidget&)> CaptureAndClose(Display& seen) {
    return [&seen](QWidget& modal) {
        seen.window = &modal;
        const QList<QLabel*> titles = Labels(modal, "lblTitle");
        seen.titles = Texts(titles);
        if (!titles.isEmpty()) {
            seen.titleColour = titles.front()->palette().color(QPalette::WindowText);
        }
        seen.introduction = !Labels(modal, "lblIntroduction").isEmpty();
        seen.unavailable = !Labels(modal, "lblUnavailable").isEmpty();
        if (QPushButton* close = CloseButton(modal)) {
            QTest::mouseClick(close, Qt::LeftButton);
        }
    };
}

TEST(CatalogWindowPresenter, ShowsTheFilesProgramsModallyInOneKeptWindow) {
    const TempFolder folder;
    const std::string file = folder.Write(
        "catalog.txt", "title: Glossbinder\npage: g.htm\n\ntitle: Quietclip\npage: q.htm\n");
    FakeWebPageOpener opener;
    RecordingMessagePresenter messages;
    CatalogWindowPresenter presenter(opener, messages, file);
    QWidget owner;
    std::vector<Display> seen(2);
    const std::vector<uint32_t> colours = {0x00FF0000, 0x000000FF};
    for (size_t i = 0; i < seen.size(); ++i) {
        const ModalScript script(CaptureAndClose(seen[i]));
        presenter.ShowModal(&owner, colours[i]);
        ASSERT_TRUE(script.Ran());
        EXPECT_FALSE(script.Rescued());
    }
    EXPECT_EQ(seen[0].window, seen[1].window);
    EXPECT_EQ(seen[0].titles, QStringList({"Glossbinder", "Quietclip"}));
    EXPECT_EQ(seen[0].titleColour, QColor(0, 0, 255));
    EXPECT_EQ(seen[1].titleColour, QColor(255, 0, 0));
    EXPECT_FALSE(seen[0].unavailable);
    EXPECT_FALSE(seen[1].window->isVisible());
}

TEST(CatalogWindowPresenter, AMissingCatalogShowsTheIntroductionAndNoPrograms) {
    const TempFolder folder;
    FakeWebPageOpener opener;
    RecordingMessagePresenter messages;
    CatalogWindowPresenter presenter(opener, messages, folder / "missing.txt");
    Display seen;
    const ModalScript script(CaptureAndClose(seen));
    presenter.ShowModal(nullptr, 0x00FF0000);

    ASSERT_TRUE(script.Ran());
    EXPECT_FALSE(script.Rescued());
    EXPECT_TRUE(seen.titles.isEmpty());
    EXPECT_TRUE(seen.introduction);
    EXPECT_TRUE(seen.unavailable);
}

}  // namespace
}  // namespace ravelin
