#pragma once
// The party on the field: the leader the player steers by the keys and the
// mouse (it walks, runs, jumps, talks and takes floor damage) and the
// members behind it, each replaying the trail of the one in front.
#include <cstdint>
#include <deque>

#include "field/SelvarinActor.h"

struct PlayerData;
class CPartyPlayer;

// One recorded tick of a party actor, for the member behind it.
struct PlayerTrailRecord {
  float x = 0.0f, y = 0.0f, z = 0.0f;
  float angleX = 0.0f, angle = 0.0f, angleZ = 0.0f;
  float vx = 0.0f, vy = 0.0f, vz = 0.0f;
  int32_t tick = 0;
  int32_t state = 0;
  float targetHeading = 0.0f;
  float facing = 0.0f;
  float groundHeight = 0.0f;
  int32_t falling = 0;
};

// 1 only while the leader delivers a talk message.
extern int32_t g_talkInProgress;
// Set by the party commands when they rebuild the party actors during a
// talk: the leader that delivered it is gone and must stop at once.
extern int32_t g_partyRebuilt;

class CPlayer : public CSelvarinActor {
  SLV_OBJECT(CPlayer)
 public:
  // The walking states (script animations are the sprite actor's).
  enum State : int32_t { kStand = 0, kWalk = 1 };

  CPlayer() = default;
  // Unlinks the member behind it.
  ~CPlayer() override;

  // False only when a talk rebuilt the party: this actor is then gone.
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  int UpdateAction(int state) override;
  void UpdateFrame() override;
  // Kind 1; also where the mouse steering measures from.
  void AddPickRegion(float left, float top, float right, float bottom, int32_t noAnchor) override;

  // The number of actors in the field context's party chain; 1 without one.
  static int32_t PartySize();

  float m_targetHeading = 0.0f;  // the heading it moves along
  float m_facing = 0.0f;         // the heading its sprite shows
  float m_inputHeading = 0.0f;   // asked for by the keys or the mouse, screen-relative
  int32_t m_blinkTicks = 0;      // hits are ignored while it blinks
  int32_t m_stunTicks = 0;
  int32_t m_scriptHold = 0;
  std::deque<PlayerTrailRecord> m_trail;  // newest at the front
  CPartyPlayer* m_follower = nullptr;     // not owned
  PlayerData* m_playerData = nullptr;     // the session's; not owned

 protected:
  PlayerTrailRecord Record() const;
  void PushTrail() { m_trail.push_front(Record()); }
  // The chain behind this actor empties its trails too (placement).
  void Place(int32_t x, int32_t z, int32_t y);
  void FaceSender(const CObject* sender);
  void ApplyFacingRule();
  void TickBlink();
  // Shield HP and the three MPs grow by one every 480 ticks of an action.
  void Regenerate();
  // The action and frame of the walking, standing and falling poses; the
  // leader turns into its walk, the followers do not.
  void ChooseFrame(bool turningWalk);

 private:
  bool Interact();
  // Turns the chain toward the other (an actor or a prop), tells it the
  // leader talks to it; false when that talk rebuilt the party.
  bool TalkTo(CActor* other);
  void CheckFloor();
  void MoveVertically();
  float SteeringSpeed();
  float MouseSpeed();
  void TurnFacing();
  void TryJump();
  void TakeFloorDamage(int32_t divisor);
};

class CPartyPlayer : public CPlayer {
  SLV_OBJECT(CPartyPlayer)
 public:
  CPartyPlayer() = default;
  // Unlinks itself from both neighbours.
  ~CPartyPlayer() override;

  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  void UpdateFrame() override;

  CPlayer* m_leader = nullptr;  // the actor in front; not owned

 private:
  void FollowRecord(const PlayerTrailRecord& record);
  void StandOnGround();
};
