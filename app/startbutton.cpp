#include "app/startbutton.h"

#include <QtGlobal>

// Windows keeps its own implementation in startbutton_win.cpp.
#ifndef Q_OS_WIN
namespace karv::startbutton {
void hide() {}
void disable() {}
void restore() {}
} // namespace karv::startbutton
#endif
