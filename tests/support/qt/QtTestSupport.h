#pragma once

// Doubles for the desktop's browser and message boxes, and a way to act while a modal display
// runs (the call that shows it does not return until it is hidden).

#include "support/qt/MessagePresenter.h"
#include "support/qt/WebLauncher.h"

#include <QApplication>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <utility>
#include <vector>

// Failure messages show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace ravelin::testing {

class FakeWebPageOpener final : public WebPageOpener {
  public:
    explicit FakeWebPageOpener(bool accepts = true) : accepts_(accepts) {}

    bool Open(const QString& address) override {
        addresses.push_back(address);
        return accepts_;
    }

    std::vector<QString> addresses;

  private:
    bool accepts_;
};

struct ShownMessage {
    QWidget* parent = nullptr;
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
};

class RecordingMessagePresenter final : public MessagePresenter {
  public:
    void Show(QWidget* parent, const QString& text, const QString& title,
              MessageIcon icon) override {
        shown.push_back({parent, text, title, icon});
    }

    std::vector<ShownMessage> shown;
};

// Runs `whileShown` once, on the modal window of the next modal display, as soon as that display
// runs. A display still up after the guard time is hidden and fails the test, so that a display
// that never ends fails its test instead of hanging it.
class ModalScript {
  public:
    explicit ModalScript(std::function<void(QWidget& modal)> whileShown)
        : whileShown_(std::move(whileShown)) {
        act_.setSingleShot(true);
        QObject::connect(&act_, &QTimer::timeout, [this] { Act(); });
        act_.start(0);
        guard_.setSingleShot(true);
        QObject::connect(&guard_, &QTimer::timeout, [this] { Rescue(); });
        guard_.start(kGuardMilliseconds);
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

    bool Ran() const { return ran_; }
    bool Rescued() const { return rescued_; }

  private:
    static constexpr int kGuardMilliseconds = 5000;

    void Act() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            ran_ = true;
            whileShown_(*modal);
        }
    }
    void Rescue() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            rescued_ = true;
            ADD_FAILURE() << "the modal display was still up after the guard time";
            modal->hide();
        }
    }

    std::function<void(QWidget&)> whileShown_;
    QTimer act_;
    QTimer guard_;
    bool ran_ = false;
    bool rescued_ = false;
};

}  // namespace ravelin::testing
