#include "hostinput.h"

#include <array>
#include <utility>

namespace gaugekit::hostinput {

namespace {

// Keys whose host code differs from their Qt value.
constexpr std::array<std::pair<int, short>, 46> namedKeys{{
    {Qt::Key_Backspace, 8},   {Qt::Key_Tab, 9},         {Qt::Key_Backtab, 9},     {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},     {Qt::Key_Enter, 13},      {Qt::Key_Shift, 16},      {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},        {Qt::Key_Pause, 19},      {Qt::Key_CapsLock, 20},   {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},      {Qt::Key_PageUp, 33},     {Qt::Key_PageDown, 34},   {Qt::Key_End, 35},
    {Qt::Key_Home, 36},       {Qt::Key_Left, 37},       {Qt::Key_Up, 38},         {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},       {Qt::Key_Select, 41},     {Qt::Key_Print, 44},      {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},     {Qt::Key_Help, 47},       {Qt::Key_Meta, 91},       {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},   {Qt::Key_ScrollLock, 145}, {Qt::Key_Semicolon, 186}, {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},     {Qt::Key_Plus, 187},      {Qt::Key_Comma, 188},     {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},     {Qt::Key_Underscore, 189}, {Qt::Key_Period, 190},   {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},     {Qt::Key_Question, 191},  {Qt::Key_QuoteLeft, 192}, {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220}, {Qt::Key_BracketRight, 221},
}};

// Keys of the numeric keypad.
constexpr std::array<std::pair<int, short>, 5> keypadKeys{{
    {Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107}, {Qt::Key_Minus, 109}, {Qt::Key_Period, 110}, {Qt::Key_Slash, 111},
}};

} // namespace

std::optional<short> keyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad && qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return short(96 + qtKey - Qt::Key_0);
    if (keypad)
        for (const auto &[key, code] : keypadKeys)
            if (key == qtKey)
                return code;
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return short(qtKey);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return short(112 + qtKey - Qt::Key_F1);
    if (qtKey == Qt::Key_Apostrophe || qtKey == Qt::Key_QuoteDbl)
        return short(222);
    for (const auto &[key, code] : namedKeys)
        if (key == qtKey)
            return code;
    return std::nullopt;
}

short shiftState(Qt::KeyboardModifiers modifiers)
{
    short state = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        state |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        state |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        state |= 4;
    return state;
}

short buttons(Qt::MouseButtons held)
{
    short mask = 0;
    if (held.testFlag(Qt::LeftButton))
        mask |= 1;
    if (held.testFlag(Qt::RightButton))
        mask |= 2;
    if (held.testFlag(Qt::MiddleButton))
        mask |= 4;
    return mask;
}

std::optional<PointerLook> pointerLook(short pointer)
{
    static constexpr std::array<Qt::CursorShape, 16> shapes{
        Qt::ArrowCursor,     Qt::ArrowCursor,    Qt::CrossCursor,     Qt::IBeamCursor,
        Qt::ArrowCursor,     Qt::SizeAllCursor,  Qt::SizeBDiagCursor, Qt::SizeVerCursor,
        Qt::SizeFDiagCursor, Qt::SizeHorCursor,  Qt::UpArrowCursor,   Qt::WaitCursor,
        Qt::ForbiddenCursor, Qt::BusyCursor,     Qt::WhatsThisCursor, Qt::SizeAllCursor,
    };
    if (pointer == 0)
        return PointerLook{};
    if (pointer == customPointer)
        return PointerLook{Pointer::Custom};
    if (pointer > 0 && pointer < short(shapes.size()))
        return PointerLook{Pointer::Shape, shapes[size_t(pointer)]};
    return std::nullopt;
}

} // namespace gaugekit::hostinput
