#pragma once
// The field's sprite character, on which the player, the party, villagers,
// field enemies, effects and most other actors stand: it moves against the
// map and the other actors, falls and lands, answers the scripts' command
// messages, spawns effects, and queues its sprite layers and its shadow.
#include <cstdint>
#include <list>
#include <string>

#include "render/2dActor.h"
#include "script/ScriptPosition.h"

class CActRes;
class CEffectSpr;
class CSelvarinEffect;
class CSprRes;
class CSysexCrowd;
struct ActMotion;

class CSelvarinActor : public C2dActor {
  SLV_OBJECT(CSelvarinActor)
 public:
  // The action modes this class and its subclasses give C2dActor::m_state.
  enum ActionMode : int32_t {
    kModeStand = 0,
    kModeThrown = 5,
    kModeWalkToTarget = 12,
    kModeScripted = 13,
    kModePlayOnce = 14,  // holds the last frame
    kModeHoldFrame = 15,
    kModeLoop = 16,
  };

  CSelvarinActor();
  // Lets go of the effects it spawned (each ends on its next tick) and ends
  // its balloon and crowd caption.
  ~CSelvarinActor() override;
  CSelvarinActor(const CSelvarinActor&) = delete;
  CSelvarinActor& operator=(const CSelvarinActor&) = delete;

  // The scripts' and other actors' command codes; unknown codes do nothing.
  // Texts come as pointers in the values.
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // The current action and frame, then the shadow; registers the rectangle
  // of the layers queued for mouse picking.
  void Render(CRC& rc, const Matrix& view) override;
  // A screen rectangle for mouse picking (kind 2). noAnchor is the player's.
  virtual void AddPickRegion(float left, float top, float right, float bottom, int32_t noAnchor);
  // After every actor's tick; the base does nothing.
  virtual void PostProcess() {}
  virtual float Distance3d(float x, float y, float z) const;
  virtual float DistanceXZ(float x, float z) const;

  // One tick of motion against the map and the model actors.
  void Move();
  // One tick of the vertical axis with gravity g: throws, falls, landing
  // and following the ground.
  void ApplyFalling(float g);
  void FaceToward(float x, float z);
  // The velocity along the heading.
  void SetSpeed(float s);
  // The velocity toward the point, of the given length; zero at the point.
  void VelocityToward(float x, float y, float z, float length);
  // Where the camera looks from relative to heading h: 0-3 and 0-7.
  int32_t GetViewQuadrant(float h) const;
  int32_t GetViewOctant(float h) const;
  void SetAfterimage(int32_t on, int32_t length, int32_t colour);
  // A new effect of the number owned by this actor, in the field context's
  // effect list; nothing without a field context.
  void SpawnEffect(int32_t effectId);
  // 1 "attacktime.atk", 2 "attacktime.not", 3 "attacktime.far" as the event
  // of the current frame; 0 otherwise.
  int32_t GetAttackTimeEvent() const;
  // The wave the current frame names, unless the action base and the frame
  // are still those given.
  void PlayActionSound(int32_t previousBase, int32_t previousFrame);
  // The frame of the script animation modes (play once holding the last
  // frame, hold, loop) from the tick counter and m_frameDuration; false in
  // other modes.
  bool UpdateScriptFrame();
  // The animation sheet that goes with a sprite sheet: the name up to its
  // first "." and ".act".
  static std::string AnimationNameFor(const std::string& sprite);

  std::string m_name;
  int32_t m_visible = 1;
  int32_t m_alwaysFull = 0;  // every palette layer drawn as an opaque one
  int32_t m_drawShadow = 1;
  float m_targetX = 0.0f, m_targetZ = 0.0f;  // the walking target, or a home point
  int32_t m_actionBase = 0;  // the first action of the current set
  int32_t m_lastActionBase = 0, m_lastFrame = 0;  // at the last sound check
  int32_t m_solid = 1;
  int32_t m_initLine = -1;  // the line after its "::Init" label
  int32_t m_afterimage = 0;
  int32_t m_afterimageLength = 20;
  int32_t m_afterimageColour = 0xFFFFFF;  // 0xRRGGBB
  float m_speed = 0.0f;
  int32_t m_screenX = 0, m_screenY = 0;  // where the last drawing put the actor
  CEffectSpr* m_balloon = nullptr;       // lives in the context's effect list
  CSysexCrowd* m_crowd = nullptr;        // likewise
  std::string m_savedSprite, m_savedAnimation;
  ScriptPosition m_scriptStack;  // its condition stack lives from run to run
  int32_t m_random;
  std::list<CSelvarinEffect*> m_effects;  // spawned by this actor; the context owns them

  // State that the sprite actor base does not keep. The action mode is
  // C2dActor::m_state.
  int32_t m_blocked = 0;
  int32_t m_tickCount = 0;
  int32_t m_actionCode = 0;  // a battle actor's current ActionCode
  float m_groundHeight = 0.0f;
  int32_t m_frameDuration = 0;  // ticks a frame of a script animation shows; 0 as 1
  int32_t m_hitFlash = 0;       // while non-zero the opaque layers show white
  int32_t m_graceTicks = 0;     // a party actor's ticks after a battle in which field enemies keep off

 protected:
  // The screen rectangle the queued layers cover.
  struct ScreenRect {
    bool any = false;
    float left = 0, top = 0, right = 0, bottom = 0;
    void Add(float l, float t, float r, float b);
  };
  // How the layers go into the queues: the field's look, or a battle
  // object's (its scales, jitter, depth keys and flash).
  struct LayerStyle {
    uint32_t tint = 0xFFFFFFFFu;  // ARGB times every layer's colour
    float scaleX = 1.0f, scaleY = 1.0f;
    float shiftX = 0.0f;          // every layer moved by this many pixels
    bool headDepth = true;        // later layers keyed at the head's depth; else the foot's plus a step each
    // The flash counter rides on solid layers in their colour and makes
    // every palette layer solid; else opaque layers only show white.
    bool flashInColour = false;
    int32_t flash = 0;
    bool allSolid = false;
    bool lonelyLayerOffScreenHides = true;  // a one-layer frame off screen draws no shadow either
    bool measureOnly = false;     // only the rectangle the layers would cover
    float offsetX = 0.0f, offsetY = 0.0f;  // in sprite pixels, scaled with the layers
    float fixedKey = 0.0f;        // non-zero: every layer keyed at this depth
    const char* who = "CSelvarinActor::Render";  // in the error texts
  };
  LayerStyle FieldLayerStyle(uint32_t tint) const;
  // Queues the layers of the current action and frame. False when nothing
  // more is to be drawn: nothing to show, or a frame of one layer lying off
  // screen (where the style says so).
  bool QueueLayers(CRC& rc, const Matrix& view, const LayerStyle& style, ScreenRect* drawn);
  bool QueueLayers(CRC& rc, const Matrix& view, uint32_t tint, ScreenRect* drawn) {
    return QueueLayers(rc, view, FieldLayerStyle(tint), drawn);
  }
  // The shadow sprite under the actor at the given ground height, sized by
  // the scale, its colour times the tint.
  void QueueShadow(CRC& rc, const Matrix& view, float groundHeight, float scale = 1.0f,
                   uint32_t tint = 0xFFFFFFFFu) const;

 private:
  void Place(intptr_t x, intptr_t z, intptr_t y);
  void ShowBalloon(intptr_t action, intptr_t lifetime);
  void ShowCrowd(const char* text, intptr_t value, intptr_t lifetime);
  void ChangeSprite(const char* sprite, intptr_t action, intptr_t frame);
  void SetMode(int32_t mode);
  // The event text of the current frame, or null.
  const char* CurrentEvent() const;
};
