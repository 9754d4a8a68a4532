#pragma once
// Animation files ("act", folder "sprite\"): actions, each a sequence of
// motions (animation frames), each motion a stack of layers placing images of
// the sprite file of the same name; and the event names that motions name
// (the field actors play the wave of that name when the motion shows).
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Res.h"

class CMemFile;
class CSprRes;

struct ActLayer {
  // The top-left corner's offset from the actor's point, in unscaled pixels.
  int32_t x = 0;
  int32_t y = 0;
  int32_t sprite = 0;  // image index in the list `kind` chooses
  int32_t mirror = 0;  // the first layer value; the actors read it as the mirror flag
  uint8_t color[4] = {255, 255, 255, 255};  // red, green, blue, alpha
  float scale = 1.0f;
  int32_t value2 = 0;  // the second layer value, kept for the actors
  int32_t kind = 0;    // 0 a palette image, any other a true-colour image

  // The colour as ARGB.
  uint32_t Argb() const {
    return uint32_t{color[3]} << 24 | uint32_t{color[0]} << 16 | uint32_t{color[1]} << 8 | color[2];
  }
  // The colour times an actor's ARGB colour: each component a x b / 255,
  // in single precision, cut toward zero.
  uint32_t Modulate(uint32_t argb) const;
};

struct ActMotion {
  int32_t box1[4] = {};  // two rectangles carried for the users
  int32_t box2[4] = {};
  std::vector<ActLayer> layers;
  int32_t eventIndex = -1;  // into the event names; -1 none
};

struct ActAction {
  std::vector<ActMotion> motions;
};

class CActRes : public CRes {
  SLV_RES(CActRes)
 public:
  ~CActRes() override { Reset(); }
  bool Load(const std::string& name) override;
  void Reset() override;

  int GetActionCount() const { return static_cast<int>(m_actions.size()); }
  // Null outside the tables.
  const ActAction* GetAction(int actId) const;
  const ActMotion* GetMotion(int actId, int motId) const;
  // The frames of an action; 0 outside the tables.
  int GetMotionCount(int actId) const;
  // Null when there is no such name.
  const char* GetEventName(int i) const;
  int GetEventCount() const { return static_cast<int>(m_eventNames.size()); }
  const std::string& GetName() const { return m_name; }

  std::vector<ActAction> m_actions;
  std::vector<std::string> m_eventNames;

 private:
  bool Parse(CMemFile& file);
  bool ReadMotion(CMemFile& file, ActMotion& motion);
  bool ReadLayer(CMemFile& file, ActLayer& layer);
  bool ReadEventNames(CMemFile& file);
  // From the image's centre, as newer files store it, to its top-left corner.
  void CenterToCorner(ActLayer& layer);
  // The sprite that goes with the animation: its name with ".spr" for the extension.
  std::string CompanionName() const;
  const CSprRes* Companion();

  std::string m_name;
  uint16_t m_version = 0;
  const CSprRes* m_companion = nullptr;  // borrowed from the resource manager during a load
  bool m_companionFetched = false;
};

// The frames of an action of an animation that may be missing; 0 for none.
inline int MotionCount(const CActRes* actions, int actId) {
  return actions != nullptr ? actions->GetMotionCount(actId) : 0;
}
