#pragma once
// The game frame's view: the camera that follows an actor over the map, and
// the frame keys that say how the map is shown. So far what the game frame
// writes into it.
#include <cstdint>
#include <string>

#include "render/3dView.h"

class CSelvarinActor;

class CSelvarinView : public C3dView {
  SLV_OBJECT(CSelvarinView)
 public:
  // The twelve camera values of the base view.
  struct SavedCamera {
    float pitch = 0.0f, yaw = 0.0f, distance = 0.0f;
    Vec3 lookAt;
    float targetPitch = 0.0f, targetYaw = 0.0f, targetDistance = 0.0f;
    Vec3 targetLookAt;
  };

  // The look-at and the target look-at at once.
  void SetLookAt(const Vec3& position);
  void SaveCamera();
  void RestoreCamera();
  // The field scene of the current game frame's context: the visible model
  // actors, the ground, the texture batches and the queued passes. The
  // actors and effects join it with their own drawing.
  void Render(CRC& rc) override;

  CSelvarinActor* m_pFollow = nullptr;  // the camera follows it; not owned
  CSelvarinActor* m_pFocus = nullptr;   // the battle's focus actor
  SavedCamera m_saved;
  // Frame keys of the map's resource list.
  int32_t m_noRotate = 0;
  int32_t m_noMap = 0;
  int32_t m_waterSet = 0;
  int32_t m_waveWater = 0;
  int32_t m_extendClip = 0;
  std::string m_sky;  // the sky texture; empty for none
};
