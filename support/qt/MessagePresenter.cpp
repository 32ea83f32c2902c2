#include "support/qt/MessagePresenter.h"

#include "files/StringRoutines.h"

#include <QMessageBox>

namespace ravelin {
namespace {

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Critical:
            return QMessageBox::Critical;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtMessagePresenter::Show(QWidget* parent, const QString& text, const QString& title,
                              MessageIcon icon) {
    // The engine writes line breaks as CR LF; a label breaks lines at LF alone.
    const QString shown = QString::fromStdString(CrLfToLf(text.toStdString()));
    QMessageBox box(BoxIcon(icon), title, shown, QMessageBox::Ok, parent);
    box.exec();
}

}  // namespace ravelin
