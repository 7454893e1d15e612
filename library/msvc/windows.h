/*
 * windows.h - a stand-in for the Windows SDK header, for compiling the
 * MSVC-mode host test where no SDK is installed.
 *
 * The mingw-w64 headers do not compile in MSVC mode, and an SDK cannot be
 * shipped here, so this file declares only what zubo.h and the test host
 * use, with the SDK's own names, types and layouts (LLP64: LONG and DWORD
 * are 32 bits; handles are pointers to distinct structs as under STRICT).
 * It is found ahead of any other windows.h only through the test's include
 * path; nothing else in the project uses it.
 */
#ifndef ZUBO_MSVC_STANDIN_WINDOWS_H
#define ZUBO_MSVC_STANDIN_WINDOWS_H

#ifndef _MSC_VER
#error "this stand-in windows.h is for MSVC-mode compiles only"
#endif

#define WINAPI __stdcall
#define WINBASEAPI __declspec(dllimport)
#define WINUSERAPI __declspec(dllimport)

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned long DWORD;
typedef long LONG;
typedef unsigned int UINT;
typedef void *HANDLE;
typedef void *LPVOID;
typedef const void *LPCVOID;
typedef DWORD *LPDWORD;
typedef const char *LPCSTR;
typedef DWORD COLORREF;
#ifdef _WIN64
typedef unsigned long long ULONG_PTR; /* the SDK spells it unsigned __int64 */
#else
typedef unsigned long ULONG_PTR;
#endif
typedef ULONG_PTR SIZE_T;

#define ZUBO_STANDIN_HANDLE(name) \
    struct name##__ { int unused; }; \
    typedef struct name##__ *name
ZUBO_STANDIN_HANDLE(HWND);
ZUBO_STANDIN_HANDLE(HDC);
ZUBO_STANDIN_HANDLE(HFONT);
ZUBO_STANDIN_HANDLE(HBITMAP);
ZUBO_STANDIN_HANDLE(HPALETTE);
ZUBO_STANDIN_HANDLE(HMENU);
ZUBO_STANDIN_HANDLE(HINSTANCE);
#undef ZUBO_STANDIN_HANDLE

typedef struct tagRECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
} RECT;

typedef struct tagRGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
} RGBQUAD;

#define STD_OUTPUT_HANDLE ((DWORD)-11)
#define WS_POPUP 0x80000000L

#ifdef __cplusplus
extern "C" {
#endif

/* kernel32 */
WINBASEAPI HANDLE WINAPI GetStdHandle(DWORD nStdHandle);
WINBASEAPI BOOL WINAPI WriteFile(HANDLE hFile, LPCVOID lpBuffer, DWORD nNumberOfBytesToWrite,
                                 LPDWORD lpNumberOfBytesWritten, LPVOID lpOverlapped);
WINBASEAPI __declspec(noreturn) void WINAPI ExitProcess(UINT uExitCode);
WINBASEAPI HANDLE WINAPI GetProcessHeap(void);
WINBASEAPI LPVOID WINAPI HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes);
WINBASEAPI BOOL WINAPI HeapFree(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem);

/* user32 */
WINUSERAPI HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName,
                                       LPCSTR lpWindowName, DWORD dwStyle, int X, int Y,
                                       int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                                       HINSTANCE hInstance, LPVOID lpParam);
WINUSERAPI BOOL WINAPI DestroyWindow(HWND hWnd);

#ifdef __cplusplus
}
#endif

#endif
