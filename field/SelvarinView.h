#pragma once
// The game frame's view: the camera that follows an actor over the map, the
// scene renderers of the play modes that hand the ground, the models, the
// actors and the effects to the render context in one fixed order of
// passes, the camera saved around battles, and the fixed transforms for a
// model drawn on the HUD.
#include <cstdint>
#include <functional>
#include <string>

#include "render/3dView.h"
#include "render/GroundPick.h"

class C3dAnimModelRes;
class CSelvarinActor;
class CSelvarinContext;

class CSelvarinView : public C3dView {
  SLV_OBJECT(CSelvarinView)
 public:
  // The margins the look-at keeps from the map's edges.
  static constexpr float kMargin = 50.0f;
  static constexpr float kWideMargin = 150.0f;
  static constexpr float kYawKeyTurn = 45.0f;
  static constexpr float kZoomStep = 5.0f;

  // The twelve camera values of the base view.
  struct SavedCamera {
    float pitch = 0.0f, yaw = 0.0f, distance = 0.0f;
    Vec3 lookAt;
    float targetPitch = 0.0f, targetYaw = 0.0f, targetDistance = 0.0f;
    Vec3 targetLookAt;
  };

  CSelvarinView();
  void Exit() override {}

  // The field camera step: the look-at on the followed actor inside the
  // map, the player's turn and zoom keys, then the base camera step.
  virtual void TickCamera();
  // Smooth steps after the followed actor (script mode) and its wide-margin
  // twin (map view), which also updates the camera matrices.
  void FollowTarget();
  void FollowTargetWide();
  // Places the camera targets (battle menus).
  void ClampCamera(float x, float y, float z, float distance);
  // The look-at and the target look-at at once.
  void SetLookAt(const Vec3& position);
  void SaveCamera();
  void RestoreCamera();
  // A cut-scene's camera: pitch, yaw and distance now and as the goal, or
  // the goal only (the view eases toward it); the look-at likewise, where
  // a goal alone lets go of the followed actor.
  void SetCamera(float pitch, float yaw, float distance);
  void MoveCamera(float pitch, float yaw, float distance);
  void SetCameraPos(const Vec3& lookAt);
  void MoveCameraPos(const Vec3& lookAt);
  // The look-at stays where its goal is, following nobody.
  void HoldCameraPos();
  void SetFollowSpeeds(float lookAt, float yaw, float pitch, float distance);
  // An animated model on the HUD at screen (x, y) through the near fixed
  // transform, at scale x 0.025 of its own size, turned by the angles
  // (degrees); lit once a model. Its triangles are drawn at once.
  void DrawModel(CRC& rc, int x, int y, C3dAnimModelRes* model, float scale, float angleX, float angleY,
                 float angleZ, int frame = 0);

  // The field scene of the current game frame's context: its actors, then
  // its effects, under fog.
  void Render(CRC& rc) override;
  // Script mode: the cut-scene actors, then the effects.
  void RenderMacroScene(CRC& rc);
  // Map view: the actors only.
  void RenderSceneNoEffects(CRC& rc);
  // Battle: the battle objects, then the effects, without fog.
  void RenderBattleScene(CRC& rc);

  CSelvarinActor* m_pFollow = nullptr;  // the camera follows it; not owned
  CSelvarinActor* m_pFocus = nullptr;   // the battle's focus actor
  // Follow speeds, per tick.
  static constexpr float kLookAtStep = 2.0f, kYawStep = 5.0f, kPitchStep = 2.0f, kDistanceStep = 1.0f;
  float m_lookAtStep = kLookAtStep;
  float m_yawStep = kYawStep;
  float m_pitchStep = kPitchStep;
  float m_distanceStep = kDistanceStep;
  SavedCamera m_saved;
  // Frame keys of the map's resource list.
  int32_t m_noRotate = 0;
  int32_t m_noMap = 0;
  int32_t m_waterSet = 0;
  int32_t m_waveWater = 0;
  int32_t m_extendClip = 0;
  std::string m_sky;  // the sky texture; empty for none
  // Models drawn on the HUD are seen through these.
  Matrix m_hudModelView;
  Matrix m_hudModelViewFar;
  // While the battle's ground cursor shows: the ground cells drawn last,
  // for picking, and the chosen cell lit.
  CGroundPickList m_groundPicks;

 private:
  using DrawStep = std::function<void(CRC&, const CSelvarinContext&, const Matrix&)>;
  // The battle scene being drawn shows the ground cursor on this cell.
  bool m_groundCursor = false;
  int32_t m_groundCellX = -1, m_groundCellZ = -1;
  // The passes in their order; `draw` puts in the actors of the mode.
  void RenderScene(CRC& rc, bool fog, const DrawStep& draw);
  void FollowStep(float margin);
  void TurnKeys();
  void ClampToMap(Vec3& point, float margin) const;
};
