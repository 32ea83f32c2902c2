#pragma once

// The compare window: one match of a scan shown as its two files side by side, with the words the
// comparison looked at marked, equal ones apart from differing ones and the skipped ones greyed.
// Previous and Next step through every match of the scan, also those the report's cap left out.

#include "engine/MatchHighlight.h"
#include "output/MatchRecord.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QShowEvent;

namespace ravelin {

class CompareWindow final : public QWidget {
    Q_OBJECT

  public:
    // A window of its own that the owner deletes at the latest with itself; it deletes itself
    // once closed. The list may grow while a scan runs.
    CompareWindow(QWidget* owner, std::shared_ptr<const std::vector<MatchRecord>> matches,
                  size_t index);

    size_t Index() const { return index_; }
    // The scan reported another match: Next may go further now.
    void MatchesGrew();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    struct Side {
        QLabel* label = nullptr;
        QPlainTextEdit* pane = nullptr;
        QString original;
        std::vector<std::string> words;
        int lastScroll = 0;
    };

    void ShowMatch(size_t index);
    void ShowPanes();
    void ShowPane(size_t side);
    void ScrollToComparedWords();
    void FollowScroll(size_t side, int value);
    void ShowPosition();

    std::shared_ptr<const std::vector<MatchRecord>> matches_;
    size_t index_ = 0;
    MatchHighlight highlight_;
    std::array<Side, 2> sides_;
    // Where each pane's first compared word starts, in its text; -1 when it was not found.
    std::array<int, 2> firstCompared_ = {-1, -1};
    bool scrolling_ = false;
    QLabel* lblMatch_ = nullptr;
    QPushButton* cmdPrevious_ = nullptr;
    QPushButton* cmdNext_ = nullptr;
    QCheckBox* chkReducedWords_ = nullptr;
};

}  // namespace ravelin
