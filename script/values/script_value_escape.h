// Text as it stands quoted inside script source, and back: the quote form of
// a value's text (ScriptValueStore::ToString with the quote flag) and the
// reading of string literals.
#pragma once

#include <cstdint>

class SharedWideString;

// *out becomes the text with each apostrophe, double quotation mark and
// backslash preceded by a backslash, CR written as \r and LF as \n. A text
// without such characters is shared, not copied. kScriptNoMemory when memory runs
// out (*out unchanged).
int32_t* EscapeScriptString(int32_t* status, const SharedWideString& text, SharedWideString* out);

// *out becomes the text with \" \' \\ \n \r replaced by their characters; a
// backslash before any other character is dropped and the character kept,
// one that ends the text is dropped. A text without backslash is shared.
// kScriptNoMemory when memory runs out (*out unchanged).
int32_t* UnescapeScriptString(int32_t* status, const SharedWideString& text,
                              SharedWideString* out);
