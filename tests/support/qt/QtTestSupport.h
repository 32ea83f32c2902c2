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

#include <cstdint>
#include <functional>
#include <ostream>
#include <vector>

// Failure messages show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace ravelin::testing {

struct FakeWebPageOpener final : WebPageOpener {
    int32_t Open(const QString& address) override {
        addresses.push_back(address);
        return result;
    }

    int32_t result = kShellOpened;
    std::vector<QString> addresses;
};

struct ShownMessage {
    QWidget* parent;
    QString text;
    QString title;
    MessageIcon icon;

    bool operator==(const ShownMessage&) const = default;
    friend void PrintTo(const ShownMessage& m, std::ostream* out) {
        *out << (m.parent != nullptr ? "owned " : "") << m.title.toStdString() << ": "
             << m.text.toStdString();
    }
};

struct RecordingMessagePresenter final : MessagePresenter {
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
    explicit ModalScript(const std::function<void(QWidget& modal)>& whileShown) {
        QTimer::singleShot(0, &timers_, [this, whileShown] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ran_ = true;
                whileShown(*modal);
            }
        });
        QTimer::singleShot(5000, &timers_, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                rescued_ = true;
                ADD_FAILURE() << "the modal display was still up after the guard time";
                modal->hide();
            }
        });
    }

    bool Ran() const { return ran_; }
    bool Rescued() const { return rescued_; }

  private:
    QObject timers_;  // the timers end with the script
    bool ran_ = false;
    bool rescued_ = false;
};

}  // namespace ravelin::testing
