// The menu bar (SHCreateMenuBar): a toolbar along the bottom of the screen
// whose buttons are the soft keys of a bar definition (RT_RCDATA of the
// menu's identifier: the menu identifier, the button count, then seven
// 16-bit words per button {image (0xFFFE none), command, state, style,
// text string id, 0, menu index (0xFFFF none)}), with the texts of the
// string table, and at its right the input panel's button, which toggles
// the panel.
//
// The bar window answers every TB_* message (it is the toolbar) and the
// menu bar's own SHCMBM_* messages. A tap on a key with a menu (a sub-menu
// index) opens that sub-menu above the bar and sends the chosen command to
// the owner as WM_COMMAND; a plain key sends its command. The empty bar
// (SHCMBF_EMPTYBAR) has no keys. A malformed definition, a menu index past
// the menu's pop-ups or a missing menu makes no bar.
#pragma once

#include <vector>

#include "platform/shell/shell_types.h"
#include "platform/types/geometry_types.h"

constexpr UINT SHCMBM_SETSUBMENU = 0x0400 + 400;
constexpr UINT SHCMBM_GETSUBMENU = 0x0400 + 401;  // lParam the key's command
constexpr UINT SHCMBM_GETMENU = 0x0400 + 403;

namespace devshellwin {

BOOL CreateMenuBar(SHMENUBARINFO* info);
// Reads a bar definition: false for a malformed one.
struct SoftKey {
  WORD image, command, state, style, textId, reserved, menuIndex;
};
bool ReadBarDefinition(const BYTE* data, size_t size, WORD* menuId, std::vector<SoftKey>* keys);
// Whether the bars show the input panel's button (SHFullScreen).
void ShowPanelButtons(bool show);
// The bar's container window: its frame and the input panel's button.
HWND BarFrameOf(HWND bar);

}  // namespace devshellwin
