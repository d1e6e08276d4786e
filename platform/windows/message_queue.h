// Messages: one queue per thread, made when the thread first needs it.
//
// PostMessageW and PostThreadMessageW may be called from any thread (and
// PostMessageW reaches windows of other processes: wParam and lParam travel
// as numbers, so messages that carry pointers are refused there with
// ERROR_INVALID_PARAMETER). SendMessageW calls the procedure directly on the
// window's own thread; from another thread or process it queues the message
// and waits, handling messages sent to the waiting thread meanwhile.
//
// GetMessageW and PeekMessageW first handle the messages sent to the thread
// from elsewhere, then answer, in this order: the oldest posted message that
// matches the filter, WM_QUIT once PostQuitMessage was called and nothing
// else is posted, and WM_TIMER of the earliest due timer (timers.h). A
// window filter takes that window and its children; (HWND)-1 takes messages
// posted to the thread itself. In tests a GetMessageW that finds nothing to
// deliver for the test wait cap (platform/threads/thread_hooks.h) answers
// WM_QUIT (FALSE) after writing a note to standard error, so a test whose
// message loop would block forever fails instead of hanging.
#pragma once

#include "platform/windows/messages.h"
#include "platform/windows/window_types.h"

// TRUE for a message, FALSE for WM_QUIT, -1 for a window filter that is not
// a window.
BOOL GetMessageW(MSG* msg, HWND window, UINT firstMessage, UINT lastMessage);
BOOL PeekMessageW(MSG* msg, HWND window, UINT firstMessage, UINT lastMessage, UINT removeFlags);
// Calls the window's procedure (or the TIMERPROC of a WM_TIMER) on the
// window's thread; the procedure's answer.
LRESULT DispatchMessageW(const MSG* msg);
// WM_KEYDOWN of a character key posts WM_CHAR (letters lower case, upper
// case while shift is down; digits, space, return, backspace, tab and
// escape); TRUE when it did.
BOOL TranslateMessage(const MSG* msg);

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// As SendMessageW, but gives up after `timeout` milliseconds: 0 with
// ERROR_TIMEOUT then (and the message is dropped if it was not taken yet).
// Non-zero on success, the procedure's answer in `result`.
LRESULT SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout,
                            DWORD_PTR* result);
