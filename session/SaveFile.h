#pragma once
// The session image of a save slot as bytes, apart from the stream that
// carries it: versions 0 to 5 read, version 5 written.
#include <cstdint>
#include <string>
#include <vector>

class CSession;

namespace savefile {

inline constexpr int kVersion = 5;
// The fixed part (all but the script variables) of each version.
inline constexpr int32_t kFixedPart[kVersion + 1] = {9172, 9433, 9469, 35069, 37073, 37713};
inline constexpr int kNameBytes = 40;
inline constexpr int kVariableRecord = 42;
inline constexpr int kMaxVariables = 65535;

// The content of a save; empty (logged) when the session cannot be saved.
std::vector<uint8_t> Build(CSession& session);
// Applies a content to the session; false ("세이브 파일 이상!" logged) with
// the session unchanged when the content is refused.
bool Apply(CSession& session, const std::vector<uint8_t>& content);

}  // namespace savefile
