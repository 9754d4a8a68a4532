#pragma once
// The status page of the field menu: the selected member's level,
// experience, barrier, hit points, the three MP kinds with their gauges,
// the stats with their radar chart, the worn items, and help in the status
// bar for whatever the pointer rests on.
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class CSession;
struct PlayerData;

class UIStatusPane : public UIPane {
 public:
  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  // Writes the help for the place under the pointer into the status bar.
  void OnMouseMove() override;
};

// What the scene pass draws, kept apart from the render context so that
// its figures can be checked. Positions are on the 640 x 480 grid.
class StatusPaint {
 public:
  virtual ~StatusPaint() = default;
  // Sprite-font text, from x or ending at x.
  virtual void Text(int x, int y, const std::string& text) = 0;
  virtual void TextRight(int rightX, int y, const std::string& text) = 0;
  // A sprite of "system/status.spr".
  virtual void Sprite(int x, int y, int id) = 0;
  // A frame of the MP gauge, "system/battle" action 5.
  virtual void Gauge(int x, int y, int frame) = 0;
  // A black rectangle over part of a bar.
  virtual void Cover(int left, int top, int right, int bottom) = 0;
  virtual void Triangle(const float (&x)[3], const float (&y)[3], uint32_t color) = 0;
};

// The scene pass of the status page for one member.
void PaintStatus(const PlayerData& member, const CSession& session, StatusPaint& out);

// The experience the first `level` steps take, the level held to 1..99.
int64_t NextLevelExperience(const CSession& session, int level);
// The width of the black cover over a 142-pixel bar: 0 for a full bar and
// for a maximum of 0, never past 142.
int BarCoverWidth(int value, int maximum);
// The frame (0..22) of an MP gauge, or -1 when no gauge shows: full, or a
// maximum of 0.
int MpGaugeFrame(int value, int maximum);
// An item name as a slot shows it: names over 10 bytes cut after whole
// characters to at least 7 bytes, with "...", unless they open with "(".
std::string SlotItemName(const std::string& name);

struct StatusHelp {
  const char* title;
  const char* text;
};
// The help at a point of the grid for a member of that English name: the
// first hit of the general table, then of the member's MP table; a null
// title where none is hit.
StatusHelp FindStatusHelp(int x, int y, const std::string& engname);
