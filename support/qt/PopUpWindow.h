#pragma once

// A small frameless window that shows one short message for a given time, or until the message
// is clicked. Each display is modal: the call that shows it returns once the window is hidden.

#include "support/qt/Notices.h"

#include <QDialog>
#include <QString>
#include <QTimer>

#include <memory>

class QEvent;
class QFrame;
class QLabel;
class QObject;
class QResizeEvent;
class QWidget;

namespace ravelin {

class frmPopUp final : public QDialog {
    Q_OBJECT

  public:
    explicit frmPopUp(QWidget* parent = nullptr);

    // Positions and sizes in twips (PopUp's in screen coordinates), intervals in milliseconds.
    void PopUp(const QString& strMessage, int intWidth, int intHeight, int intInterval, int intTop,
               int intLeft);
    // Centres the window as large as it was before this display, then shows it at the new size.
    void PopUpCenterScreen(const QString& strMessage, int intWidth, int intHeight, int intInterval);
    // intTop and intLeft are offsets from frmMe's top-left corner (its frame, title bar included).
    void PopUpInForm(const QWidget* frmMe, const QString& strMessage, int intWidth, int intHeight,
                     int intInterval, int intTop, int intLeft);

    QLabel* const lblMessage;
    QTimer Timer1;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void Timer1_Timer();
    void lblMessage_MouseUp();
    void StartTimerAndShow(int intInterval);
    int Pixels(int twips) const;
    int Twips(int pixels) const;

    // Drawn over the label, like a window border, and transparent to the mouse.
    QFrame* const border_;
};

// The program's notices, all in one pop-up window that is created on first use and kept.
class PopUpNotices final : public NoticePresenter {
  public:
    void PopUpInForm(QWidget* frmMe, const QString& strMessage, int intWidth, int intHeight,
                     int intInterval, int intTop, int intLeft) override;

  private:
    std::unique_ptr<frmPopUp> window_;
};

}  // namespace ravelin
