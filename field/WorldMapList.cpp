#include "field/WorldMapList.h"

#include <algorithm>

#include "engine/TextStream.h"
#include "engine/Tokenizer.h"
#include "platform/DebugLog.h"

namespace {

// A place's position is added to scroll and screen positions; one far off
// every map is held where those sums cannot overflow.
int PlaceCoordinate(int v, const std::string& place) {
  const int held = std::clamp(v, -WorldMapList::kMaxCoordinate, WorldMapList::kMaxCoordinate);
  if (held != v) DebugLogf("worldmap.txt: place %s lies far off the map", place.c_str());
  return held;
}

}  // namespace

WorldMapList& WorldMapList::GetInstance() {
  static WorldMapList list;
  return list;
}

bool WorldMapList::Load(const std::string& fileName) {
  CTextStream stream;
  if (!stream.Open(fileName)) return false;
  m_entries.clear();
  CTokenizer tokens;
  std::string line;
  while (stream.ReadLine(line, CTokenizer::kMaxLineLen)) {
    // Short lines are blanks and comments between the places.
    if (line.size() <= 15) continue;
    if (m_entries.size() >= kMaxEntries) {
      DebugLog("worldmap.txt: more than 300 places, the rest are ignored");
      break;
    }
    tokens.Tokenize(line);
    WorldMapEntry e;
    e.name = tokens[0];
    e.mapX = PlaceCoordinate(tokens.GetInt(1), e.name);
    e.mapY = PlaceCoordinate(tokens.GetInt(2), e.name);
    e.frameName = tokens[3];
    e.startX = tokens.GetInt(4);
    e.startZ = tokens.GetInt(5);
    e.cameraHeading = tokens.GetInt(6);
    e.partyHeading = tokens.GetInt(7);
    e.labelPicture = "worldmap\\" + tokens[8];
    e.hoverPicture = "worldmap\\" + tokens[9];
    e.kind = tokens.GetInt(10);
    m_entries.push_back(std::move(e));
  }
  return true;
}

void WorldMapList::Find(const std::string& name) {
  for (size_t i = 0; i < m_entries.size(); ++i) {
    if (m_entries[i].name == name) {
      const int index = static_cast<int>(i);
      if (std::find(m_open.begin(), m_open.end(), index) != m_open.end()) return;
      if (m_open.size() >= kMaxEntries) {
        DebugLog("Error : too many worldmap points open");
        return;
      }
      m_open.push_back(index);
      return;
    }
  }
  DebugLog("Error : Unknown worldmap name");
}

std::string& WorldMapOrigin() {
  static std::string origin;
  return origin;
}
