#include "ui/FolderDialog.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

// The shell's header needs the types of windows.h before it.
// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

namespace ravelin {
namespace {

struct ItemListFree {
    void operator()(ITEMIDLIST* item) const { CoTaskMemFree(item); }
};

// Longer than MAX_PATH, so that a deep folder is not cut off.
constexpr DWORD kPathCapacity = 32768;

}  // namespace

// The shell's folder-browse dialog owned by the window, rooted at the desktop, offering only
// folders of the file system.
QString QtFolderDialog::BrowseForFolder(QWidget* owner, const QString& title) {
    const std::wstring caption = title.toStdWString();
    BROWSEINFOW info{};
    info.hwndOwner = owner != nullptr ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
    info.lpszTitle = caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    const std::unique_ptr<ITEMIDLIST, ItemListFree> item(SHBrowseForFolderW(&info));
    if (!item) {
        return {};
    }
    std::vector<wchar_t> path(kPathCapacity);
    if (!SHGetPathFromIDListEx(item.get(), path.data(), kPathCapacity, GPFIDL_DEFAULT)) {
        return {};  // an item outside the file system, which the flag should already rule out
    }
    return QString::fromWCharArray(path.data());
}

}  // namespace ravelin
