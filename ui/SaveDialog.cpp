#include "ui/SaveDialog.h"

#include <QDir>
#include <QFileDialog>

namespace ravelin {

SaveChoice QtSaveDialog::BrowseForSaveFile(QWidget* owner, const QString& title,
                                           const QStringList& filters,
                                           const QStringList& extensions) {
    QFileDialog dialog(owner, title, QDir::homePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(extensions.value(0));
    dialog.selectFile(QStringLiteral("ravelin-results.") + extensions.value(0));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &extensions](const QString& filter) {
                         dialog.setDefaultSuffix(extensions.value(filters.indexOf(filter)));
                     });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return {dialog.selectedFiles().constFirst(),
            static_cast<int>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())))};
}

}  // namespace ravelin
