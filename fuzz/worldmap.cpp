// "worldmap.txt" as start-up reads it, then every place opened by name and
// the world map's first scroll worked out from them.
#include <cstddef>
#include <cstdint>

#include "field/WorldMapFrame.h"
#include "field/WorldMapList.h"
#include "fuzz/DataFileFuzzEnv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("worldmap");
  env.Run("worldmap.txt", data, size, [] {
    WorldMapList list;
    if (!list.Load("worldmap.txt")) return;
    if (list.m_entries.size() > WorldMapList::kMaxEntries) __builtin_trap();
    for (const WorldMapEntry& place : list.m_entries) list.Find(place.name);
    if (list.m_open.size() > list.m_entries.size()) __builtin_trap();
    const CWorldMapFrame::Scroll scroll = CWorldMapFrame::InitialScroll(list, 640, 480);
    if (scroll.x < 0 || scroll.y < 0 || scroll.x > 640 || scroll.y > 544) __builtin_trap();
  });
  return 0;
}
