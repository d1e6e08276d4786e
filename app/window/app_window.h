// AppWindow: the wrapper of the program's main window (class "Corvelline
// Reader") and MainWindowProc, which turns every message of that window
// into a call of the wrapper, of the window's controller or of its view:
// keys and the keypad, hardware buttons and hot keys, the stylus, paint,
// size, activation, the storage notifications with their rescan timer
// (133), the private messages 0x8001-0x8009 and the pending-command queue.
//
// The wrapper lives in the window's user data from WM_CREATE until the
// close handling clears it (before the wrapper is deleted), and a frame
// record that has been freed is null: messages that arrive while children
// are destroyed then go to the default procedure and touch nothing freed.
#pragma once

#include <cstdint>

#include "app/frame/app_frame.h"
#include "app/environment/app_environment.h"
#include "foundation/containers/segmented_array.h"
#include "foundation/encoded_string/encoded_string.h"
#include "platform/types/geometry_types.h"
#include "platform/types/window_handle.h"

constexpr WCHAR kMainWindowClass[] = u"Corvelline Reader";
constexpr UINT_PTR kStorageRescanTimer = 133;
constexpr uint32_t kStorageRescanDelayMs = 500;

class AppWindow : public MainWindowHandleSource {
 public:
  AppWindow();
  // Bound to a frame record at once; no first paint pending.
  explicit AppWindow(AppFrame* frame);
  virtual ~AppWindow();
  AppWindow(const AppWindow&) = delete;
  AppWindow& operator=(const AppWindow&) = delete;

  HWND MainWindowHandle() const override { return window_; }

  // Creates the window (rectangle {x, y, width, height} or null for the
  // platform's default), titles it, binds the frame.
  bool Create(const int32_t* rect, const WCHAR* title, bool layoutOnResize, bool topmost, HWND parent);
  void SetTitle(const WCHAR* title);
  // Starts the view, opens the command line's address (or the last book),
  // falls back to the library, shows the window. Always true.
  bool OpenFirstPage(const EncodedString& commandLine, bool minimised, bool forced);

  virtual void Show(bool show);
  virtual void OnClose();
  virtual void OnCreate();
  virtual void OnKeyDown(uint32_t virtualKey);
  virtual void OnPaint();
  virtual void OnTimer(UINT_PTR id);
  virtual void OnMouseDown(POINT point);
  virtual void OnMouseUp(POINT point);
  virtual void OnMouseMove(bool leftDown, POINT point);
  virtual void OnPrivateToggle(uint32_t) {}
  virtual void OnSize();
  virtual bool OnCommand(uint32_t, HWND) { return false; }

  HWND window() const { return window_; }
  void set_window(HWND window) { window_ = window; }
  AppFrame* frame() const { return frame_; }
  void set_frame(AppFrame* frame) { frame_ = frame; }
  void set_style(uint32_t style) { style_ = style; }
  uint32_t pendingMediaPathCount() const { return pendingPaths_.count; }

  // The storage change notification (lParam of 0x8101).
  void OnStorageNotification(LPARAM record);

 protected:
  uint32_t menuId_ = 0;
  uint32_t style_;
  HWND window_ = nullptr;
  uint8_t layoutOnResize_ = 0;
  AppFrame* frame_ = nullptr;
  uint8_t firstPaintPending_ = 0;

 private:
  void QueueMediaPath(const EncodedString& path);
  void ClearMediaPaths();

  SegmentedArray pendingPaths_{static_cast<int32_t>(sizeof(EncodedString*))};
  HCURSOR previousCursor_ = nullptr;
};

LRESULT MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
bool RegisterMainWindowClass(HINSTANCE instance);
// The hot-key toggle: every second WM_HOTKEY of a press is ignored.
void ClearHotKeyToggle();
