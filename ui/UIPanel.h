#pragma once
// A framed panel: a list frame, with a title or a bottom bar when asked,
// that may open out from its corner, and the widgets inside it. Input and
// notices go to every child in order.
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

struct UIRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const UIRect&) const = default;
};

class UIPanel : public UIObject {
 public:
  void Setup(int x0, int y0, int x1, int y1, bool titled, bool bottomBar, int bottomRows, const char* title,
             bool animate);
  // The area inside the frame, below the title and above the bottom bar.
  UIRect GetClientRect() const;
  // 2 titled, 1 with a bottom bar, else 0.
  int FrameStyle() const;

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  void Notify(UIObject* sender, int code, int a, int b) override;

  int32_t m_x0 = 0, m_y0 = 0, m_x1 = 0, m_y1 = 0;
  int32_t m_titled = 0;
  int32_t m_bottomBar = 0;
  int32_t m_bottomRows = 0;
  std::string m_title;
  int32_t m_animate = 0;
  int32_t m_step = 0;  // 0..8 while opening
  int32_t m_opened = 0;

 private:
  bool m_forwarding = false;
};
