// The contract between the reader and its text-to-speech plug-in, the
// shared object "corvplugin_text_to_speech" in the program folder. The
// plug-in is not part of the system; it exports these six entry points with
// C linkage and calls only the platform (its wave output, events, messages).
//
// A speech unit is one word of a text given to tts_speak: a run of
// characters between spaces (U+0020). The plug-in speaks on its own thread.
// For each word of each text, in order, it posts kSpeechUnitMessage to the
// window given to tts_set_com once that word's samples have been played
// (wParam: the word's number in its text, from 0); it counts words over the
// text it was given, not as its synthesiser splits them, and posts none
// after a stop. The reader's page-end unit is counted in these words.
//
// Between chunks of sound the plug-in watches the stop event; when it finds
// it set it stops synthesising, returns what it queued on the device, and
// goes idle. It resets the done event when it starts a text and sets it
// when it is idle. tts_close_speech stops, joins the plug-in's thread and
// closes its device: when it returns, no code of the plug-in runs.
#pragma once

#include <cstdint>

#include "platform/types/device_types.h"
#include "platform/types/window_handle.h"

// Posted to the main window for each word spoken.
constexpr UINT kSpeechUnitMessage = 0x8006;

using TtsHandle = void*;

extern "C" {
// 0 and a non-null handle on success.
using TtsOpenSpeech = int32_t (*)(TtsHandle* handle);
// 0 on success.
using TtsSetCom = int32_t (*)(TtsHandle handle, HWND window, HANDLE stopEvent, HANDLE doneEvent, HANDLE mutex);
// One setting per call, the other three 0: the speech code page (it chooses
// the voice), the rate, the volume, the pitch; 0 keeps the default.
using TtsSet = void (*)(TtsHandle handle, int32_t codePage, int32_t rate, int32_t volume, int32_t pitch);
// 0 reads a given text, 1 reads a page.
using TtsSetReadMode = void (*)(TtsHandle handle, int32_t mode);
// Non-zero when the text was taken.
using TtsSpeak = int32_t (*)(TtsHandle handle, const WCHAR* text, int32_t length);
using TtsCloseSpeech = void (*)(TtsHandle handle);
}
