#pragma once
// One drawable piece of an effect: a sprite frame, a screen blade, wedge or
// ring, or a textured ribbon, ring, shell or quad in the world. Its effect's
// builder makes and configures it; then it runs by itself in the field
// context's effect list until its lifetime passes, its effect lets it go, or
// a stop rule of its kind fires.
#include <array>
#include <cstdint>
#include <vector>

#include "effect/EffectPrimitiveKind.h"
#include "engine/Math.h"
#include "field/SelvarinActor.h"

class CSelvarinEffect;
class CTexture;

// A recorded copy of the state; trails draw every slot in use, newest first.
struct TrailSlot {
  Vec3 position;
  Vec3 p1, p2, p3, p4;
  float radius = 0.0f;
  float size = 0.0f;
  float yaw = 0.0f;
  Matrix matrix;
  int32_t alpha = 0;
  int32_t red = 0, green = 0, blue = 0;
  uint32_t packedColour = 0;
};

class CEffectPrimitive : public CSelvarinActor {
  SLV_OBJECT(CEffectPrimitive)
 public:
  static constexpr int kMaxTrail = 100;

  CEffectPrimitive() = default;
  ~CEffectPrimitive() override;
  CEffectPrimitive(const CEffectPrimitive&) = delete;
  CEffectPrimitive& operator=(const CEffectPrimitive&) = delete;

  // Joins the effect: enters the current field context's effect list and
  // starts at the effect's position. False when there is no field context;
  // the effect then keeps the primitive itself.
  bool Attach(CSelvarinEffect* effect, EffectPrimitiveKind kind);

  // One tick; false once the primitive has ended.
  bool OnProcess() override;
  void OnMessage(CObject* sender, int code, intptr_t value0, intptr_t value1, intptr_t value2) override;
  // Queues the kind's geometry on the render context.
  void Render(CRC& rc, const Matrix& view) override;
  // Screen kinds follow the effect's screen point; the camera flags turn the
  // sprite.
  void PostProcess() override;

  // Takes the TGA texture of the name into the textures, locked while the
  // primitive holds it; a texture that cannot load keeps its place as null
  // and draws nothing.
  void AddTexture(const char* name);
  // The builders' release after taking textures. The primitive keeps its
  // own lock on each until it is destroyed, so nothing is freed here.
  void UnlockTextures() {}
  // The current state into every trail slot in use.
  void FillTrail();

  CSelvarinEffect* GetEffect() const { return m_effect; }
  // A float as a whole number, held to the int range; not a number gives 0.
  static int32_t WholeNumber(float value);
  // Yaw then pitch, in degrees.
  static Matrix YawPitch(float yaw, float pitch);
  // Motions of the current action (clamped to the resource), or the texture
  // count of the kinds animated by texture; 0 when there are none.
  int32_t AnimationLength() const;

  std::vector<CTexture*> m_textures;
  int32_t m_fading = 0;
  int32_t m_pulsing = 0;
  EffectPrimitiveKind m_kind = ScreenSprite;
  // Bits of m_primitiveFlags the primitives and the effects that make them
  // share.
  static constexpr int32_t kMotionFlag = 1;
  static constexpr int32_t kStopFlag4 = 4;  // also the ground stop of kinds 5, 14 and 16
  static constexpr int32_t kWanderFlag = 8;
  static constexpr int32_t kCameraAngleFlag = 0x10;
  static constexpr int32_t kCameraQuadrantFlag = 0x20;
  int32_t m_primitiveFlags = 0;
  Matrix m_matrix;
  Matrix m_planeMatrix;
  uint32_t m_packedColour = 0xFFFFFFFFu;
  int32_t m_red = 255, m_green = 255, m_blue = 255;
  float m_alpha = 255.0f;
  float m_alphaStep = 0.0f;
  float m_fadeFactor = 1.0f;
  float m_alphaMax = 255.0f, m_alphaMin = 0.0f;
  int32_t m_wanderPeriod = 0;
  int32_t m_lifetime = 100;
  int32_t m_frameStep = 4;
  int32_t m_textureCount = 1;
  float m_segmentStep = 30.0f;
  float m_minRadius = 0.0f;
  float m_radius = 0.0f, m_radiusSpeed = 0.0f, m_radiusAccel = 0.0f;
  float m_height = 0.0f, m_heightSpeed = 0.0f, m_heightAccel = 0.0f;
  float m_width = 0.0f, m_widthSpeed = 0.0f, m_widthAccel = 0.0f;
  float m_size = 1.0f, m_sizeSpeed = 0.0f, m_sizeAccel = 0.0f;
  float m_innerRingRadius = 0.0f, m_outerRingRadius = 0.0f, m_ringSpeed = 0.0f, m_ringAccel = 0.0f;
  float m_speed = 0.0f, m_accel = 0.0f;
  float m_riseSpeed = 0.0f, m_riseAccel = 0.0f;
  Vec3 m_velocity;
  Vec3 m_anchor;
  Vec3 m_offset;
  Vec3 m_baseOffset;
  Vec3 m_wanderDrift;
  Vec3 m_p1, m_p2, m_p3, m_p4;
  Vec3 m_axis;
  float m_yaw = 0.0f, m_pitch = 0.0f, m_roll = 0.0f;
  float m_yawSpeed = 0.0f, m_pitchSpeed = 0.0f, m_rollSpeed = 0.0f, m_yawAccel = 0.0f;
  std::array<int32_t, 10> m_eventFrames{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
  int32_t m_startFrame = -1;
  int32_t m_fadeStartFrame = -1;
  std::array<TrailSlot, kMaxTrail> m_trail{};
  int32_t m_trailCount = 1;
  // Whether the field context's effect list owns the primitive.
  bool m_inContext = false;

 private:
  using Update = bool (CEffectPrimitive::*)();  // false: a stop rule ended it
  using Renderer = void (CEffectPrimitive::*)(CRC&, const Matrix&);
  struct KindEntry {
    Update update;
    Renderer render;
  };
  static const KindEntry* FindKind(int32_t kind);

  // The shared steps.
  void AdvanceFade();
  void AdvanceAnimation();
  void ShiftTrail();
  TrailSlot CurrentTrailSlot() const;
  void Wander(int32_t basePeriod, int32_t periodSpread);
  // The ground's height under (x, z); false when no map is loaded.
  static bool GroundHeight(float x, float z, float* height);
  bool BelowGround() const;
  void Bounce();
  void FaceCamera();
  // BeamQuad's and TumbleQuad's orientation and centre at a pitch.
  Vec3 OrbitCentre(float pitch);
  uint32_t PackColour(float alpha) const;

  bool UpdateScreenSprite();
  bool UpdateScreenBlade();
  bool UpdateScreenRay();
  bool UpdateScreenRing();
  bool UpdateSpriteFlight();
  bool UpdateSpriteSpiral();
  bool UpdateSpriteBurst();
  bool UpdateSpriteBounce();
  bool UpdateBeamQuad();
  bool UpdateRingWall();
  bool UpdateSweepRing();
  bool UpdateSwirlRing();
  bool UpdateDome();
  bool UpdateFlatQuad();
  bool UpdateTumbleQuad();
  bool UpdateSpriteOrbit();

  void RenderScreenSprite(CRC& rc, const Matrix& view);
  void RenderScreenBlade(CRC& rc, const Matrix& view);
  void RenderScreenRay(CRC& rc, const Matrix& view);
  void RenderScreenRing(CRC& rc, const Matrix& view);
  void RenderSpriteFrames(CRC& rc, const Matrix& view);
  void RenderBeam(CRC& rc, const Matrix& view);
  void RenderSweepRing(CRC& rc, const Matrix& view);
  void RenderSwirlRing(CRC& rc, const Matrix& view);
  void RenderDome(CRC& rc, const Matrix& view);
  void RenderPlaneQuad(CRC& rc, const Matrix& view);
  void RenderCrossQuad(CRC& rc, const Matrix& view);
  // The texture a textured kind draws now; null draws nothing.
  CTexture* CurrentTexture() const;

  CSelvarinEffect* m_effect = nullptr;  // null once detached
};
