#pragma once
// The host's numbers for keys, shift state, mouse buttons and mouse pointers, from Qt's.
#include <Qt>

#include <optional>

namespace gaugekit::hostinput {

// The host's virtual-key code of a Qt key; nothing for keys the host has no code for.
std::optional<short> keyCode(int qtKey, Qt::KeyboardModifiers modifiers);
// 1 Shift, 2 Ctrl, 4 Alt.
short shiftState(Qt::KeyboardModifiers modifiers);
// 1 left, 2 right, 4 middle.
short buttons(Qt::MouseButtons buttons);

enum class Pointer { Default, Shape, Custom };
struct PointerLook {
    Pointer kind = Pointer::Default;
    Qt::CursorShape shape = Qt::ArrowCursor;
};
constexpr short customPointer = 99;
// The look of a mouse-pointer constant (0 to 15, or 99 for the mouse icon); nothing for other numbers.
std::optional<PointerLook> pointerLook(short pointer);

} // namespace gaugekit::hostinput
