#pragma once
// The taskbar's Start button. Only Windows has one; elsewhere these do nothing.
namespace karv::startbutton {
void hide();
void disable();
void restore();
} // namespace karv::startbutton
