#pragma once
// The cut-scene actor that a macro channel drives in the script mode: it
// walks to points, plays its actions, and shows one of five frames for the
// way it looks against the way it kept.
#include <cstdint>
#include <string>

#include "field/SelvarinActor.h"

class CMacroActor : public CSelvarinActor {
  SLV_OBJECT(CMacroActor)
 public:
  static constexpr int32_t kFrameDelay = 5;
  static constexpr float kWalkStep = 0.15f;  // times the speed factor
  static constexpr float kFarOff = 112.5f;   // degrees, look mode 1

  CMacroActor();
  // Walks in states 5 and 12 and falls in every state but 0, then the frame
  // and the state's action. Never ends on its own.
  bool OnProcess() override;
  // 6 turns it toward the sender (in look mode 1 only when the sender lies
  // far off), and it stops; 25 also marks the sprite for the context's
  // refresh; the rest as any field character.
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override;
  int UpdateAction(int state) override;
  void UpdateFrame() override;

  // The frame for a look this many degrees off the kept heading.
  static int32_t FacingFrame(int32_t degrees);
  // Look mode 1's new heading for a sender at the bearing: the heading
  // kept unless the bearing is more than 112.5 degrees off it, else the
  // bearing turned 90 degrees back toward it, in 0 to 360.
  static float TurnToward(float heading, float bearing);

  std::string m_channel;    // the macro channel's name
  int32_t m_writeBack = 0;  // non-zero: the field actor takes its place back
  int32_t m_modeValue = 0;
  std::string m_actorName;  // the field actor it stands for
  int32_t m_reload = 0;     // set by a sprite change: the context's refresh gives it m_reloadSprite
  std::string m_reloadSprite;
  int32_t m_actionCounter = 0;
  float m_speedFactor = 1.0f;
  int32_t m_lookMode = 0;
  float m_targetHeading = 0.0f, m_keptHeading = 0.0f;  // degrees
};
