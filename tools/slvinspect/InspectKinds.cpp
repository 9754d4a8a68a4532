#include "tools/slvinspect/InspectKinds.h"

#include <zlib.h>

#include <algorithm>

namespace slvinspect {

const std::vector<InspectKind>& InspectKinds() {
  static const std::vector<InspectKind> kinds = {
      {"pak", "a pack's directory: every entry's kind, offset, sizes and name", InspectPak},
      {"spr", "sprite images: sizes, pixel CRCs, the shared palette's CRC", InspectSpr},
      {"act", "animations: actions, motions, every layer, event names", InspectAct},
      {"bmp", "a BMP texture as the texture loader makes it", InspectBmp, true},
      {"tga", "a TGA texture as the texture loader makes it", InspectTga, true},
      {"wav", "a wave's format and length", InspectWav},
      {"scr", "a text's lines (with --tokens, each line's tokens)", InspectScr, false, "", "--tokens"},
      {"ini", "a resource list: the resources it loads and its variables", InspectIni},
      {"gnd", "a ground: sizes, texture names, every cell", InspectGnd, true},
      {"gat", "an attribute grid: version, size, every cell", InspectGat},
      {"rsw", "a world: file names, light, bounds, every object record", InspectRsw},
      {"rma", "a model text: model names, actions, interior and shadow values", InspectRma},
      {"rsa", "a compiled macro: header, tracks and entries", InspectRsa},
      {"rsm", "a model: nodes, meshes, tracks and boxes", InspectRsm, true},
      {"rsx", "an animated model: nodes and every frame", InspectRsx, true},
      {"avi", "a movie as the video reader opens it, with each frame's CRC", InspectAvi},
      {"item", "the item table (magic.txt and skill.txt beside it are read first)", InspectItem},
      {"magic", "the magic table", InspectMagic},
      {"skill", "the skill table", InspectSkill},
      {"monster", "the monster table (magic.txt and skill.txt beside it are read first)", InspectMonster},
      {"scrap", "the scrap table", InspectScrap, false, "scraps.txt"},
      {"worldmap", "the world map's places", InspectWorldMap},
      {"launcher", "the launcher's menu script: conditions, items, pictures, hot spots", InspectLauncher, false,
       "launcher.ini"},
      {"expr", "TEXT --vars FILE: a script condition or value against a session from JSON", InspectExpr, false, "",
       "--vars", true},
      {"save", "a save game: header, party, options and script variables as the load keeps them", InspectSave},
      {"placenames", "the place names shown for the save slots", InspectPlaceNames, false, "Name.txt"},
      {"newgame", "a pack's new game: the session its tables start, printed as the save kind prints it",
       InspectNewGame},
      {"shop", "N FILE: shop N of a shop text as the shop screen lists it", InspectShop, false, "", "", false, true},
      {"library", "N FILE: library N of a library text, the entries the script reads", InspectLibrary, false, "",
       "", false, true},
  };
  return kinds;
}

const InspectKind* FindInspectKind(const std::string& name) {
  for (const InspectKind& kind : InspectKinds()) {
    if (name == kind.name) return &kind;
  }
  return nullptr;
}

uint32_t Crc32(const void* bytes, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  const auto* at = static_cast<const Bytef*>(bytes);
  while (size > 0) {
    const uInt part = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = crc32(crc, at, part);
    at += part;
    size -= part;
  }
  return static_cast<uint32_t>(crc);
}

namespace {

template <class T>
uint32_t Crc32OfValues(const std::vector<T>& values) {
  std::vector<uint8_t> bytes;
  bytes.reserve(values.size() * sizeof(T));
  for (const T value : values) {
    for (size_t i = 0; i < sizeof(T); ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  return Crc32(bytes.data(), bytes.size());
}

}  // namespace

uint32_t Crc32(const std::vector<uint16_t>& values) { return Crc32OfValues(values); }

uint32_t Crc32(const std::vector<uint32_t>& values) { return Crc32OfValues(values); }

}  // namespace slvinspect
