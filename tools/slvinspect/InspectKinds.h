#pragma once
// The kinds of data file slvinspect reads, one table row each: the kind's
// name, what it prints, and the function that loads the file through the
// game's own loader and writes what the loader kept. A new loader adds its
// row here and its function beside the others.
#include <cstdint>
#include <string>
#include <vector>

namespace slvinspect {

class InspectSource;
class JsonWriter;

struct InspectOptions {
  bool tokens = false;  // scr: each line's tokens as well
  std::string text;     // expr: the condition or value; shop, library: the number
};

// True when the loader accepted the file; only then is `out` printed.
using InspectFunction = bool (*)(const InspectSource& source, const InspectOptions& options, JsonWriter& out);

struct InspectKind {
  const char* name;
  const char* what;  // one line for the usage text
  InspectFunction inspect;
  bool needsDisplay = false;  // loads textures, which live on the display device
  const char* fixedName = "";  // the one base name the loader reads, if any
  const char* option = "";     // the one option the kind takes, if any
  // The kind reads `KIND TEXT OPTION FILE`: a text first, FILE after its
  // one option (expr's "--vars").
  bool takesText = false;
  // The kind reads `KIND N FILE`: a list number first (shop, library).
  bool takesNumber = false;
};

const std::vector<InspectKind>& InspectKinds();
// Null for an unknown kind.
const InspectKind* FindInspectKind(const std::string& name);

// How many texts the loaders have logged so far.
size_t LoggedTextCount();
// The text logged at that place in the trace (code page 949).
const std::string& LoggedText(size_t index);

// CRC-32 (as zlib computes it) of bytes, and of 16- and 32-bit values taken
// little-endian.
uint32_t Crc32(const void* bytes, size_t size);
uint32_t Crc32(const std::vector<uint16_t>& values);
uint32_t Crc32(const std::vector<uint32_t>& values);

// The kinds' functions, by the loaders' layers.
bool InspectPak(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectSpr(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectAct(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectWav(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectScr(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectIni(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectRma(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectRsa(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectBmp(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectTga(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectGnd(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectGat(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectRsw(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectRsm(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectRsx(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectAvi(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectItem(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectMagic(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectSkill(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectMonster(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectScrap(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectWorldMap(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectLauncher(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectExpr(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectSave(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectNewGame(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectPlaceNames(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectShop(const InspectSource&, const InspectOptions&, JsonWriter&);
bool InspectLibrary(const InspectSource&, const InspectOptions&, JsonWriter&);

}  // namespace slvinspect
