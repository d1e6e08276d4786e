// The device's virtual keys: what WM_KEYDOWN and WM_KEYUP carry in wParam
// and what the hot-key calls take. Letters and digits are their upper-case
// ASCII codes ('A' = 0x41, '0' = 0x30). The hardware buttons on the case are
// the application keys 0xC1-0xCF.
#pragma once

#include "platform/types/device_types.h"

constexpr UINT VK_LBUTTON = 0x01;
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21;
constexpr UINT VK_NEXT = 0x22;
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_DELETE = 0x2E;
// The keypad signs; TranslateMessage types them as *, + and -.
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_F1 = 0x70;
constexpr UINT VK_F2 = 0x71;
constexpr UINT VK_F3 = 0x72;
constexpr UINT VK_F4 = 0x73;
constexpr UINT VK_F5 = 0x74;
constexpr UINT VK_F6 = 0x75;
constexpr UINT VK_F7 = 0x76;
constexpr UINT VK_F8 = 0x77;
// The device's own keys: the action (centre of the direction pad) and the
// application keys (hardware buttons).
constexpr UINT VK_ACTION = VK_RETURN;
constexpr UINT VK_APP1 = 0xC1;
constexpr UINT VK_APP2 = 0xC2;
constexpr UINT VK_APP3 = 0xC3;
constexpr UINT VK_APP4 = 0xC4;
constexpr UINT VK_APP5 = 0xC5;
constexpr UINT VK_APP6 = 0xC6;
constexpr UINT VK_FIRST_APPLICATION_KEY = 0xC1;
constexpr UINT VK_LAST_APPLICATION_KEY = 0xCF;

// Mouse-message key flags (wParam of WM_LBUTTONDOWN, WM_MOUSEMOVE).
constexpr WPARAM MK_LBUTTON = 0x0001;
