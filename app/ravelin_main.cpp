// The window program: loads the program texts, then builds frmMain on the desktop's message
// boxes, folder dialog, browser, notices and catalog, and runs until the window ends it.

#include "support/ProgramText.h"
#include "support/qt/MessagePresenter.h"
#include "ui/DesktopServices.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowControls.h"

#include <QApplication>
#include <QIcon>
#include <QString>

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    QIcon icon;
    for (const int size : {32, 64, 256}) {
        icon.addFile(QStringLiteral(":/icons/ravelin-%1.png").arg(size));
    }
    QApplication::setWindowIcon(icon);
    QGuiApplication::setDesktopFileName(QStringLiteral("ravelin"));
    ravelin::InstallFontSubstitutions();

    const std::string programFolder = ravelin::DataFolder(
        ravelin::ProgramFolder(), ravelin::frmMain::ProgramTextFile().toStdString());
    const ravelin::ProgramTextLoad load =
        ravelin::LoadProgramText(ravelin::frmMain::ProgramTextFile().toStdString(), programFolder);
    if (!load.loaded) {
        ravelin::QtMessagePresenter().Show(nullptr, QString::fromLocal8Bit(load.message), QString(),
                                           ravelin::MessageIcon::Critical);
        return 1;
    }

    ravelin::DesktopServices desktop(programFolder, ravelin::SleepSeconds);
    ravelin::frmMain window(desktop.Services());
    window.Form_Load();
    return QApplication::exec();
}
