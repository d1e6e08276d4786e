// The device's window handle. A window is an object of the windows layer;
// code that only passes handles along (shell calls, hot keys, registrations)
// includes this small header instead of the whole windows API.
#pragma once

struct WindowObject;
using HWND = WindowObject*;

// A menu, defined by the controls layer; windows and dialog templates
// carry its handle.
struct MenuObject;
using HMENU = MenuObject*;
