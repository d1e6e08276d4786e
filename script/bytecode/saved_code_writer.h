// Writing a CompiledScript as saved compiled code (the layout is described
// in saved_code_reader.h), into a growable byte stream.
#pragma once

#include <cstdint>

class ByteStream;
class CompiledScript;

// Writes nothing and answers false when the script's error flag is set.
// Each string is stored in `codePage` (65002: UTF-16 little-endian). False
// when a string cannot be converted or the stream cannot grow (its ok flag
// then tells the same).
bool SaveCompiledScript(const CompiledScript& script, ByteStream* stream, int32_t codePage);
