// The folder chooser: the shell's folder browser, limited to file-system
// folders, showing the current selection's path as its status text.
#include "util/folder_win32.h"

#include <shlobj.h>

namespace zubo::util {
namespace {

// Keeps the path of the selected folder in the browser's status line. An
// item without a file-system path (a virtual folder) shows an empty text.
int CALLBACK OnBrowseEvent(HWND browser, UINT message, LPARAM lParam, LPARAM) {
    if (message != BFFM_SELCHANGED) return 0;
    char path[MAX_PATH];
    if (!SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(lParam), path)) path[0] = '\0';
    SendMessageA(browser, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
    return 0;
}

}  // namespace

char *ChooseFolder(HWND owner, const char *title, char *path) {
    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = nullptr;  // the desktop
    info.pszDisplayName = path;  // the shell writes the display name here first
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
    info.lpfn = &OnBrowseEvent;
    info.lParam = 0;

    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return nullptr;
    // A chosen item without a file-system path leaves only its display name
    // in path: that is no result.
    const BOOL isFolder = SHGetPathFromIDListA(chosen, path);
    ILFree(chosen);
    return isFolder ? path : nullptr;
}

}  // namespace zubo::util
