#pragma once

// Message boxes, behind an interface so that tests answer them instead of a user.

#include "engine/Message.h"

#include <QString>

class QWidget;

namespace ravelin {

class MessagePresenter {
  public:
    virtual ~MessagePresenter() = default;
    // Shows a modal box with an OK button and returns when it is closed.
    virtual void Show(QWidget* parent, const QString& text, const QString& title,
                      MessageIcon icon) = 0;
};

class QtMessagePresenter final : public MessagePresenter {
  public:
    void Show(QWidget* parent, const QString& text, const QString& title,
              MessageIcon icon) override;
};

}  // namespace ravelin
