#pragma once
// A model placed by the world file as a prop: its keyframe animation plays
// in ranges on request (a chest lid, a gate, a lever), and it carries the
// scripts "::Init", "::Action" (run when the player clicks it) and "::Msg".
#include <cstdint>

#include "render/3dActor.h"
#include "script/ScriptPosition.h"

class CSelvarin3dActor : public C3dActor {
  SLV_OBJECT(CSelvarin3dActor)
 public:
  enum State : int32_t {
    kOpen = 6,     // holding at the range end
    kOpening = 7,
    kClosed = 8,   // idle, the initial state
    kClosing = 9,
    kLooping = 10,
    kPlayOnce = 11,
  };
  // Keyframe time a tick advances at speed 1.0.
  static constexpr int32_t kFrameStep = 80;

  // Its rectangle leaves the pick list, and the game frame forgets it.
  ~CSelvarin3dActor() override;

  void Init() override;
  // The delayed script when due, the tick, then the state's step. Always
  // true: the prop lives as long as its map.
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override;
  // Nothing when its box lies wholly beyond one screen edge; a prop with an
  // "::Action" registers its rectangle for picking.
  void Render(CRC& rc, const Matrix& view) override;
  // One tick of the state table; the frame reached is applied.
  virtual int UpdateAction(int state);

  // Runs the map script at `line` for this prop; -1 runs nothing.
  void RunScript(int32_t line);
  void SetState(int32_t state);
  // Numbered range `a` of the track to play, or the whole track for 0.
  void SelectRange(intptr_t a);

  ScriptPosition m_scriptStack;
  int32_t m_initLine = -1, m_actionLine = -1, m_msgLine = -1;  // after each label, or -1
  int32_t m_frame = 0;  // the keyframe time
  int32_t m_rangeStart = 0, m_rangeEnd = 0;
  int32_t m_state = kClosed;
  int32_t m_storedLine = -1;
  struct DelayedScript {
    int32_t pending = 0;
    int32_t delay = 0;  // ticks
    int32_t line = -1;
  } m_delayed;
  int32_t m_tick = 0;  // cleared at every state change
  float m_animSpeed = 1.0f;    // the placement's
  int32_t m_placeValue = 0;    // the placement's, kept
};
