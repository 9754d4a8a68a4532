#pragma once
// Where the player is placed when a map loads. It carries the player's
// place across maps and battles: map loading, the title's new game, the
// world map and the field context's keep step write it. A y of -1 stands
// the player on the attribute grid at x, z.
struct PlayerStart {
  float x = 0.0f;
  float y = -1.0f;
  float z = 0.0f;
  float heading = 0.0f;
};

extern PlayerStart g_playerStart;
