#pragma once
// Reading the menu script: lines, and the calls "keyword(argument, ...)"
// found in them. A keyword counts wherever it stands in its line.
#include <array>
#include <cstddef>
#include <string>

#include "engine/FileReader.h"

// A line keeps at most this many bytes; the rest of a longer one is dropped.
inline constexpr size_t kScriptLineMax = 2047;
// An argument keeps at most this many bytes, never half a double-byte
// character; arguments past the last slot are dropped.
inline constexpr size_t kScriptArgMax = 63;
inline constexpr size_t kScriptSlots = 4;
using ScriptSlots = std::array<std::string, kScriptSlots>;

// The next line: bytes below 0x20 (line ends, tabs, other control bytes)
// separate lines and runs of them are skipped. False only when the stream
// ends before a line starts.
bool ReadScriptLine(cFile& stream, std::string* line);

// The arguments of the first `keyword` in the line (case counts): the text
// from the first "(" after it to the first ")" after it, cut at commas, the
// spaces after each comma skipped (those before one stay). Returns how many
// were stored; 0 without the keyword, or without a ")" after it.
int ParseScriptCall(const std::string& line, const std::string& keyword, ScriptSlots* slots);
