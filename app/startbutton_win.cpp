#include "app/startbutton.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>

namespace karv::startbutton {
namespace {
// The taskbar and its first button child; either may be missing, and then nothing happens.
HWND startButton()
{
    HWND taskbar = FindWindowA("Shell_traywnd", nullptr);
    return taskbar ? FindWindowExA(taskbar, nullptr, "Button", nullptr) : nullptr;
}
} // namespace

void hide()
{
    if (HWND b = startButton())
        ShowWindow(b, SW_HIDE);
}
void disable()
{
    if (HWND b = startButton())
        EnableWindow(b, FALSE);
}
void restore()
{
    if (HWND b = startButton()) {
        EnableWindow(b, TRUE);
        ShowWindow(b, SW_SHOW);
    }
}
} // namespace karv::startbutton
#endif
