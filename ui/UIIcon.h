#pragma once
// Icons: an action of a sprite with a label that turns gold when the icon is
// chosen. A press on the icon tells the parent its code (Notify 23).
// UIZoomIcon swells for a moment when chosen or hovered; UICheckIcon adds a
// check mark; UIAniIcon plays its animation while chosen instead.
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class UIIcon : public UIObject {
 public:
  void Setup(int x, int y, const char* actFile, const char* sprFile, int action, int motion, const char* label,
             int code);
  virtual void Select() { m_selected = 1; }
  virtual void Deselect() { m_selected = 0; }

  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  // A strong zoom for a choice, a weak one for a hover.
  void StartZoom(bool strong);
  // Within (x - 25, x + 30) x (y - 20, y + 10), the answer buttons' reach.
  bool UnderPointerAsButton() const;

  int32_t m_code = 0;
  int32_t m_x = 0, m_y = 0;
  int32_t m_labelDx = 20, m_labelDy = 0;
  std::string m_actFile, m_sprFile;
  int32_t m_action = 0, m_motion = 0;
  int32_t m_zoomStep = 18;  // 18: at rest
  std::string m_label;
  int32_t m_selected = 0;
  int32_t m_strongZoom = 0;
  float m_scale = 1.0f;
};

class UIZoomIcon : public UIIcon {
 public:
  void Draw(CRC* rc) override;
};

class UICheckIcon : public UIZoomIcon {
 public:
  void Draw(CRC* rc) override;

  int32_t m_checked = 0;
};

class UIAniIcon : public UIIcon {
 public:
  UIAniIcon() { m_zoomStep = 21; }
  // Chosen: action 9, a motion every three frames; otherwise action 1 at
  // rest. No label.
  void Draw(CRC* rc) override;

  int32_t m_frame = 0;  // 0..21
};
