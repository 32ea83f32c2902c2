#include "TempFolder.h"
#include "support/qt/QtTestSupport.h"
#include "ui/CatalogWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace ravelin {
namespace {

QStringList Texts(const QWidget& window, const char* name) {
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>(name)) {
        texts.append(label->text());
    }
    return texts;
}

TEST(CatalogWindow, ListsEachProgramAndItsTitleOrDescriptionOpensItsPage) {
    testing::FakeWebPageOpener opener;
    testing::RecordingMessagePresenter messages;
    frmCatalog window({{"Tallyquill", {"Counts words.", "Keeps a tally."}, "tallyquill.htm"},
                       {"Linewright", {"Line ends in bulk."}, "linewright.htm"},
                       {"Notebook", {"No page of its own."}, ""}},
                      opener, messages);
    window.show();
    EXPECT_EQ(Texts(window, "lblTitle"), QStringList({"Tallyquill", "Linewright", "Notebook"}));
    EXPECT_EQ(Texts(window, "lblDescription").join('|'),
              "Counts words. Keeps a tally.|Line ends in bulk.|No page of its own.");
    const auto click = [&window](const char* name, int index, Qt::MouseButton button) {
        QTest::mouseClick(window.findChildren<QLabel*>(name).at(index), button);
    };
    click("lblTitle", 1, Qt::LeftButton);
    click("lblDescription", 1, Qt::LeftButton);
    click("lblTitle", 2, Qt::LeftButton);   // no page
    click("lblTitle", 0, Qt::RightButton);  // not a click that follows a link
    const QString page = "https://www.quillmere.example/linewright.htm";
    EXPECT_EQ(opener.addresses, std::vector<QString>({page, page}));
    EXPECT_TRUE(messages.shown.empty());
}

// Shows the catalog file's programs in one kept window, the titles in the colour of each call;
// without a file, the introduction says that the list is not available.
TEST(CatalogWindowPresenter, ShowsTheFilesProgramsModallyInOneKeptWindow) {
    const testing::TempFolder folder;
    const auto file = folder.Write("catalog.txt", "title: Glossbinder\npage: g.htm\n");
    testing::FakeWebPageOpener opener;
    testing::RecordingMessagePresenter messages;
    CatalogWindowPresenter presenter(opener, messages, file);
    QWidget owner;
    const QWidget* kept = nullptr;
    QStringList seen;  // the first title in its colour, or that the list is unavailable
    const auto show = [&](auto&& shown, uint32_t colour) {
        const testing::ModalScript script([&](QWidget& modal) {
            const QLabel* title = modal.findChild<QLabel*>("lblTitle");
            const bool unavailable = modal.findChild<QLabel*>("lblUnavailable") != nullptr;
            kept = kept != nullptr ? kept : &modal;
            seen << (title == nullptr
                         ? ""
                         : title->text() + title->palette().color(QPalette::WindowText).name()) +
                        (unavailable ? "unavailable" : "") +
                        (&modal == kept ? "" : " in a new window");
            QTest::mouseClick(modal.findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
        });
        shown.ShowModal(&owner, colour);
        EXPECT_TRUE(script.Ran() && !script.Rescued());
    };
    show(presenter, 0x00FF0000);
    show(presenter, 0x000000FF);
    show(CatalogWindowPresenter(opener, messages, folder / "missing.txt"), 0x00FF0000);
    EXPECT_EQ(seen, QStringList({"Glossbinder#0000ff", "Glossbinder#ff0000",
                                 "unavailable in a new window"}));
}

}  // namespace
}  // namespace ravelin
