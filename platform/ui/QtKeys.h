// Internal to the window layer: Qt key and mouse events to Windows key codes, shift bits and
// the characters OnKeyPress sees, and back (the test harness types keys through Qt events).
#pragma once

#include "platform/ui/Keys.h"

#include <QKeyEvent>
#include <Qt>
#include <string>

uint16_t VirtualKeyOf(int qtKey, Qt::KeyboardModifiers modifiers);
inline uint16_t VirtualKeyOf(const QKeyEvent& e) { return VirtualKeyOf(e.key(), e.modifiers()); }
TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons = Qt::NoButton);
TMouseButton MouseButtonOf(Qt::MouseButton button);

// The character a key press types, as OnKeyPress receives it: the text of the event, the
// editing keys as control characters (#8, #9, #13, #27) and Ctrl+letter as #1..#26.
// Zero when the key types nothing.
char32_t KeyCharOf(const QKeyEvent& e);

// The Qt key and text for a virtual key pressed with the given shift state (test input).
int QtKeyOfVirtual(uint16_t vk);
Qt::KeyboardModifiers ModifiersOf(TShiftState shift);
