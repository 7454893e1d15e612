// The folder chooser on the shell's folder browser.
#ifndef ZUBO_UTIL_FOLDER_WIN32_H
#define ZUBO_UTIL_FOLDER_WIN32_H

#include <windows.h>

namespace zubo::util {

// Lets the user choose a file-system folder and writes its path to path
// (MAX_PATH bytes); path, or null when cancelled or not a folder.
char *ChooseFolder(HWND owner, const char *title, char *path);

}  // namespace zubo::util

#endif
