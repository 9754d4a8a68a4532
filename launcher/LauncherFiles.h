#pragma once
// The launcher's file layer: a loose file under the current folder wins,
// else the registered packs (the launcher registers one: the pack appended
// to its own program file) are searched from the newest. Packs are released
// with the engine's FreePacks.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/FileReader.h"

// Buffer size of the launcher's readers.
inline constexpr int32_t kStreamBufferSize = 32768;

// A reader of `name`, or null when it is found nowhere. A negative buffer
// size reads the whole file into a MemoryStream.
std::unique_ptr<cFile> OpenStream(const std::string& name, int32_t bufferSize);
// Ends a stream; a null stream is ignored.
void ReleaseStream(std::unique_ptr<cFile>& stream);
