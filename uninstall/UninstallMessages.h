// The messages between the uninstall worker and its progress window.
#pragma once

#include <windows.h>

// Worker -> window, sent after each delete of the file pass, whether or not it succeeded.
// wParam 0; lParam: the record's path (const char*), valid only during the send.
constexpr UINT WM_UNINSTALL_ITEM = WM_USER + 12;
// Worker -> window, sent once the file pass is over. wParam 0, lParam 0.
constexpr UINT WM_UNINSTALL_FILESDONE = WM_USER + 13;
// Worker -> window, sent at the end of a complete run, after the self-removal has started.
// wParam 0, lParam 0.
constexpr UINT WM_UNINSTALL_DONE = WM_USER + 14;
// Worker -> window, posted by ReadLog after the file-error box. wParam 0, lParam 0.
constexpr UINT WM_UNINSTALL_FAILED = WM_USER + 16;
