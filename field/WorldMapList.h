#pragma once
// The places of the world map, read once from "worldmap.txt", and the list
// of those the story has opened.
#include <string>
#include <vector>

struct WorldMapEntry {
  std::string name;
  int mapX = 0, mapY = 0;
  std::string frameName;
  int startX = 0, startZ = 0;
  int cameraHeading = 0;
  int partyHeading = 0;
  std::string labelPicture;
  std::string hoverPicture;
  int kind = 0;  // 1 flag one, 2 flag two (cannot be entered), 3 field
};

class WorldMapList {
 public:
  static constexpr size_t kMaxEntries = 300;
  // Place positions beyond this (either sign) are held at it.
  static constexpr int kMaxCoordinate = 1 << 20;

  static WorldMapList& GetInstance();
  bool Load(const std::string& fileName);
  void ResetCurrent() { m_open.clear(); }
  // Opens the first place of that name, once: a place already open stays
  // where it is in the open list.
  void Find(const std::string& name);

  std::vector<WorldMapEntry> m_entries;
  std::vector<int> m_open;  // indexes into m_entries, in the order opened
};

// The field map the party last left for the world map ("callmap"); empty
// until then. The world map shows the leader there.
std::string& WorldMapOrigin();
