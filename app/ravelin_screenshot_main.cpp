// Photographs the real window for the README: frmMain with the desktop's own collaborators and
// the user's saved settings, once idle after start-up and once after a scan of the saved folders,
// and the compare window of the scan's recipe pair.
// Only the one-second pause per 2nd-folder file is shortened. Run under a display (Xvfb).
//
//   ravelin_window_screenshot OUTPUT_FOLDER

#include "support/ProgramText.h"
#include "ui/CompareWindow.h"
#include "ui/DesktopServices.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowControls.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QPushButton>
#include <QThread>

#include <algorithm>
#include <iostream>

namespace {

// Lets the window system map and paint the window before it is photographed.
void Settle() {
    for (int i = 0; i < 20; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(25);
    }
}

bool Save(QWidget& window, const QString& file) {
    Settle();
    if (!window.grab().save(file)) {
        std::cerr << "cannot write " << file.toStdString() << '\n';
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: ravelin_window_screenshot OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir output(QString::fromLocal8Bit(argv[1]));
    ravelin::InstallFontSubstitutions();
    const std::string programFolder = ravelin::DataFolder(
        ravelin::ProgramFolder(), ravelin::frmMain::ProgramTextFile().toStdString());
    const auto load =
        ravelin::LoadProgramText(ravelin::frmMain::ProgramTextFile().toStdString(), programFolder);
    if (!load.loaded) {
        std::cerr << load.message << '\n';
        return 1;
    }
    // Only the pause after each 2nd-folder file is shortened.
    ravelin::DesktopServices desktop(programFolder, [](int /*seconds*/) { QThread::msleep(50); });
    ravelin::frmMain window(desktop.Services());
    window.Form_Load();
    if (!Save(window, output.filePath(QStringLiteral("idle.png")))) {
        return 1;
    }
    window.findChild<QPushButton*>(QStringLiteral("cmdStart"))->click();
    if (!window.ScanCompleted()) {
        std::cerr << "the scan did not complete\n";
        return 1;
    }
    if (!Save(window, output.filePath(QStringLiteral("report.png")))) {
        return 1;
    }
    const auto& matches = window.Matches();
    const auto recipe = std::find_if(matches.begin(), matches.end(), [](const auto& match) {
        return match.names[0] == "recipe.txt";
    });
    if (recipe == matches.end()) {
        std::cerr << "the scan did not match recipe.txt\n";
        return 1;
    }
    ravelin::CompareWindow& compare =
        *window.OpenCompareWindow(static_cast<size_t>(std::distance(matches.begin(), recipe)));
    return Save(compare, output.filePath(QStringLiteral("compare.png"))) ? 0 : 1;
}
