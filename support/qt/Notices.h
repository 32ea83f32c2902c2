#pragma once

// The timed notice over a window, behind an interface so tests do not wait for it.

#include <QString>

class QWidget;

namespace ravelin {

class NoticePresenter {
  public:
    virtual ~NoticePresenter() = default;
    // Sizes and offsets in twips, the interval in milliseconds; returns when the notice has
    // closed (its time is up, or the user clicked it).
    virtual void PopUpInForm(QWidget* frmMe, const QString& strMessage, int intWidth, int intHeight,
                             int intInterval, int intTop, int intLeft) = 0;
};

}  // namespace ravelin
