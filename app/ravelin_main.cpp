// The window program: loads the program texts, then builds frmMain with the desktop's message
// boxes, folder dialog, browser, notices and catalog, and runs until the window ends it.

#include "support/LibraryTextCatalog.h"
#include "support/ProgramText.h"
#include "support/qt/MessagePresenter.h"
#include "support/qt/PopUpWindow.h"
#include "support/qt/WebLauncher.h"
#include "ui/CatalogWindow.h"
#include "ui/FolderDialog.h"
#include "ui/MainWindow.h"
#include "ui/MainWindowControls.h"
#include "ui/SettingsStore.h"

#include <QApplication>
#include <QFile>
#include <QString>

int main(int argc, char** argv) {
    const QApplication application(argc, argv);
    ravelin::InstallFontSubstitutions();
    ravelin::QtMessagePresenter messages;

    const std::string programFolder = ravelin::ProgramFolder();
    const ravelin::ProgramTextLoad load =
        ravelin::LoadProgramText(ravelin::frmMain::ProgramTextFile().toStdString(), programFolder);
    if (!load.loaded) {
        messages.Show(nullptr, QString::fromLocal8Bit(load.message), QString(),
                      ravelin::MessageIcon::Critical);
        return 1;
    }

    const ravelin::LibraryTextCatalog texts;
    ravelin::QtFolderDialog folderDialog;
    ravelin::PopUpNotices notices;
    ravelin::DesktopWebPageOpener webOpener;
    ravelin::CatalogWindowPresenter catalog(webOpener, messages);
    const ravelin::SettingsStore settings;
    ravelin::frmMain window({texts, messages, folderDialog, notices, webOpener, catalog, settings,
                             ravelin::SleepSeconds, QFile::decodeName(programFolder.c_str())});
    window.Form_Load();
    return QApplication::exec();
}
