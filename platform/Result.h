#pragma once
// Result codes of the display and surface calls: 0 is success, negative is
// failure, as the game's rendering code tests them.
#include <cstdint>

namespace platform {

using Result = int32_t;

constexpr Result MakeResult(uint32_t bits) { return static_cast<Result>(bits); }

inline constexpr Result S_OK = 0;
inline constexpr Result E_FAIL = MakeResult(0x80004005u);
inline constexpr Result E_INVALIDARG = MakeResult(0x80070057u);
inline constexpr Result E_OUTOFMEMORY = MakeResult(0x8007000Eu);

// Surface and display failures; the game logs them by name.
inline constexpr Result DDERR_INVALIDPARAMS = E_INVALIDARG;
inline constexpr Result DDERR_OUTOFMEMORY = E_OUTOFMEMORY;
inline constexpr Result DDERR_INVALIDOBJECT = MakeResult(0x88760082u);
inline constexpr Result DDERR_INVALIDRECT = MakeResult(0x88760096u);
inline constexpr Result DDERR_INVALIDPIXELFORMAT = MakeResult(0x88760091u);
inline constexpr Result DDERR_INVALIDMODE = MakeResult(0x8876008Cu);
inline constexpr Result DDERR_OUTOFVIDEOMEMORY = MakeResult(0x8876017Cu);
inline constexpr Result DDERR_SURFACEBUSY = MakeResult(0x887601AEu);
inline constexpr Result DDERR_SURFACELOST = MakeResult(0x887601C2u);
inline constexpr Result DDERR_NOTLOCKED = MakeResult(0x88760248u);
inline constexpr Result DDERR_WASSTILLDRAWING = MakeResult(0x8876021Cu);
inline constexpr Result DDERR_NOTFOUND = MakeResult(0x887600FFu);

constexpr bool Failed(Result r) { return r < 0; }

// "DDERR_SURFACELOST" and the like; "unknown error" for any other code.
const char* ResultName(Result r);

}  // namespace platform
