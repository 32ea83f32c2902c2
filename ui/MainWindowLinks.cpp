// The links to the maker's pages: the user manual beside the program, after a short notice over
// the window, and the maker's home page. Halves round to even, as Basic rounds them.

#include "support/qt/Notices.h"
#include "support/qt/Twips.h"
#include "support/qt/WebLauncher.h"
#include "ui/MainWindow.h"

#include <QLabel>
#include <QUrl>

#include <cmath>

namespace ravelin {
namespace {

constexpr int kNoticeWidth = 7000;
constexpr int kNoticeHeight = 300;
constexpr int kNoticeMilliseconds = 4000;
constexpr int kNoticeBelowLabel = 330;

}  // namespace

void frmMain::cmdUserManual_Click() {
    const int windowWidth = PixelsToTwips(frameGeometry().width(), dpi_);
    const int left = static_cast<int>(std::nearbyint((windowWidth - kNoticeWidth) / 2.0));
    services_.notices.PopUpInForm(this, Text(17), kNoticeWidth, kNoticeHeight, kNoticeMilliseconds,
                                  TopTwips(*ui_.lblNumWordsToCompare) + kNoticeBelowLabel, left);
    const QString manual = services_.programFolder + QStringLiteral("/manual.html");
    LaunchWebPage(QUrl::fromLocalFile(manual).toString(QUrl::FullyEncoded), services_.webOpener,
                  services_.messages, this);
}

void frmMain::lblQuillmere_Click() {
    LaunchWebPage(Text(315), services_.webOpener, services_.messages, this);
}

}  // namespace ravelin
