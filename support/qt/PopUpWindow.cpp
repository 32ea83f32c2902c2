#include "support/qt/PopUpWindow.h"

#include "support/qt/QtChild.h"
#include "support/qt/Twips.h"

#include <QColor>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <cmath>

namespace ravelin {
namespace {

constexpr int kDesignWidth = 3495;
constexpr int kDesignHeight = 1995;
constexpr int kDesignInterval = 2000;
constexpr double kMessagePointSize = 9.75;

void SetColours(QWidget& widget, const QColor& back, const QColor& fore) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

QFont MessageFont() {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(kMessagePointSize);
    font.setBold(true);
    return font;
}

// Half of the room the window leaves on the screen, in twips, to the nearest whole number; a half
// goes to the even neighbour, as the window's other placements round.
int CentredOffset(int screenTwips, int windowTwips) {
    return static_cast<int>(std::nearbyint((screenTwips - windowTwips) / 2.0));
}

}  // namespace

frmPopUp::frmPopUp(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      lblMessage(NewChild<QLabel>(this)),
      border_(NewChild<QFrame>(this)) {
    setModal(true);
    SetColours(*this, Qt::white, Qt::black);
    SetColours(*lblMessage, Qt::white, QColor(0, 0, 192));
    lblMessage->setFont(MessageFont());
    // Drawn from the top, as labels were where this window was designed: PopUpInForm keeps the
    // label's height, which may be far taller than the window, and centred text would fall
    // below it.
    lblMessage->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblMessage->setWordWrap(true);
    lblMessage->setTextFormat(Qt::PlainText);
    lblMessage->move(0, 0);
    lblMessage->installEventFilter(this);

    border_->setFrameStyle(QFrame::Box | QFrame::Plain);
    border_->setLineWidth(1);
    border_->setAttribute(Qt::WA_TransparentForMouseEvents);
    border_->raise();

    Timer1.setInterval(kDesignInterval);
    connect(&Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });

    resize(Pixels(kDesignWidth), Pixels(kDesignHeight));
    lblMessage->resize(size());
}

void frmPopUp::PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval,
                     int intTop, int intLeft) {
    lblMessage->setText(strMessage);
    resize(Pixels(intWidth), Pixels(intHeight));
    lblMessage->resize(size());
    move(Pixels(intLeft), Pixels(intTop));
    StartTimerAndShow(intInterval);
}

void frmPopUp::PopUpCenterScreen(const QString& strMessage, int intWidth, int intHeight,
                                 int intInterval) {
    const QScreen* const shownOn = screen();
    const QRect area = shownOn != nullptr ? shownOn->geometry() : QRect();
    const int left = Twips(area.x()) + CentredOffset(Twips(area.width()), Twips(width()));
    const int top = Twips(area.y()) + CentredOffset(Twips(area.height()), Twips(height()));
    PopUp(strMessage, intWidth, intHeight, intInterval, top, left);
}

void frmPopUp::PopUpInForm(const QWidget* frmMe, const QString& strMessage, int intWidth,
                           int intHeight, int intInterval, int intTop, int intLeft) {
    QPoint corner;
    if (frmMe != nullptr) {
        corner = frmMe->isWindow() ? frmMe->pos() : frmMe->mapToGlobal(QPoint(0, 0));
    }
    move(corner.x() + Pixels(intLeft), corner.y() + Pixels(intTop));
    lblMessage->setText(strMessage);
    resize(Pixels(intWidth), Pixels(intHeight));
    lblMessage->resize(Pixels(intWidth), lblMessage->height());
    StartTimerAndShow(intInterval);
}

bool frmPopUp::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblMessage && event->type() == QEvent::MouseButtonRelease) {
        lblMessage_MouseUp();
    }
    return QDialog::eventFilter(watched, event);
}

void frmPopUp::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    border_->setGeometry(rect());
}

void frmPopUp::Timer1_Timer() {
    Timer1.stop();
    hide();
}

void frmPopUp::lblMessage_MouseUp() {
    Timer1.stop();
    hide();
}

// An interval of 0 or less leaves the timer off, as a timer with no interval never fires: only a
// click ends such a display.
void frmPopUp::StartTimerAndShow(int intInterval) {
    if (intInterval > 0) {
        Timer1.start(intInterval);
    }
    exec();
}

int frmPopUp::Pixels(int twips) const {
    return TwipsToPixels(twips, LogicalDpi(this));
}

int frmPopUp::Twips(int pixels) const {
    return PixelsToTwips(pixels, LogicalDpi(this));
}

void PopUpNotices::PopUpInForm(QWidget* frmMe, const QString& strMessage, int intWidth,
                               int intHeight, int intInterval, int intTop, int intLeft) {
    if (!window_) {
        window_ = std::make_unique<frmPopUp>();
    }
    window_->PopUpInForm(frmMe, strMessage, intWidth, intHeight, intInterval, intTop, intLeft);
}

}  // namespace ravelin
