#pragma once
// The screen cursor position, in global (screen) pixels.
//
// SetCursorPos asks the display server to move the pointer; not every server
// allows a program to (Wayland refuses, the offscreen platform only keeps
// the value), so a caller must not rely on the pointer moving. Programs that
// set the cursor to its own position to get another mouse-move delivered
// should register a handler with SetCursorPosHandler: it is called on every
// SetCursorPos, wherever the pointer ends up.
#include <functional>

#include "platform/gdi/gdi.h"

namespace plat::gdi {

// The pointer's position as the windowing system last reported it, or the
// position a test fixed with OverrideCursorPos.
bool GetCursorPos(Point* p);

// Moves the pointer where the display server permits, then calls the handler.
bool SetCursorPos(int x, int y);

// Called after every SetCursorPos with the position asked for; returns the
// handler it replaces. An empty function removes it.
using CursorPosHandler = std::function<void(Point)>;
CursorPosHandler SetCursorPosHandler(CursorPosHandler handler);

// Tests: fixes what GetCursorPos reports (and SetCursorPos then moves that
// fixed position); null returns to the real pointer.
void OverrideCursorPos(const Point* p);

}  // namespace plat::gdi
