#include "WindowTestSupport.h"

#include <QLineEdit>

namespace ravelin {
namespace {

class FoldersTest : public testing::WindowTest {
  protected:
    FoldersTest() { StartWindow(); }
    void Choose(int slot, const QString& answer) {
        world_.answers.push_back(answer);
        Click(QString("cmdFolder%1").arg(slot));
    }
    // The slots' folders, skip counts and file counts, the 1st slot's first.
    QStringList Slots() const {
        QStringList texts;
        for (const QString name : {"txbFolder", "txbNumWordsToSkip"}) {
            texts << Get<QLineEdit>(name + "0").text() << Get<QLineEdit>(name + "1").text();
        }
        return texts << Text("lblNumFiles0") << Text("lblNumFiles1");
    }
};

TEST_F(FoldersTest, AChosenFolderIsCountedAndAUsableOneClearsTheOutput) {
    const std::pair<int, QString> rows[] = {
        {1, "[5] one file"}, {12, "12 .txt files"}, {0, "No .txt files"}};
    for (const auto& [files, caption] : rows) {
        QTest::keyClicks(&Get("txbOutput"), "old report");
        const QString folder = MakeFolder("f" + std::to_string(files), files);
        Choose(0, folder);
        EXPECT_EQ(Slots(), QStringList({folder, "", "0", "0", caption, ""}));
        EXPECT_EQ(window_->Log().Empty(), files > 0) << files;
    }
    // Only the empty folder was worth a message.
    EXPECT_EQ(world_.events,
              QStringList({"browse Select 1st folder", "browse Select 1st folder",
                           "browse Select 1st folder",
                           "message No files: " + Slots()[0] + "\r\ncontains no .txt files.  "}));
}

TEST_F(FoldersTest, SwapIsOfferedOnceBothSlotsAreFilledAndSwapsPathsSkipsAndCounts) {
    const QString second = MakeFolder("second", 12);
    const QString first = MakeFolder("first", 0);
    Choose(1, second);
    EXPECT_FALSE(Get("cmdExchangeFolders").isEnabled());
    Choose(1, "");  // cancelled
    // A folder without text files is chosen, but its message ends the choice.
    Choose(0, first);
    EXPECT_FALSE(Get("cmdExchangeFolders").isEnabled());
    Choose(0, "");
    ASSERT_TRUE(Get("cmdExchangeFolders").isEnabled());

    Get<QLineEdit>("txbNumWordsToSkip0").setText("3");
    QTest::keyClicks(&Get("txbOutput"), "report");
    Click("cmdExchangeFolders");
    EXPECT_EQ(Slots(), QStringList({second, first, "0", "3", "12 .txt files", "No .txt files"}));
    EXPECT_EQ(Output(), "report");
}

}  // namespace
}  // namespace ravelin
