#pragma once
// Radio buttons and the group box that keeps one of them marked. A chosen
// button tells its group its two values (Notify 3); the group clears every
// mark (Notify 4), keeps the chosen index and tells its parent (Notify 15).
#include <cstdint>
#include <string>

#include "ui/UIObject.h"

class UIRadioBtn : public UIObject {
 public:
  void Setup(int x, int y, const char* label, int id, int second);

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  // 14 chooses the button when the point (a, b) is on it or is (0, 0);
  // 4 clears its mark.
  void Notify(UIObject* sender, int code, int a, int b) override;

  int32_t m_x = 0, m_y = 0;
  int32_t m_id = 0;
  int32_t m_second = 0;
  std::string m_label;
  int32_t m_checked = 0;  // the motion: 1 marked
};

class UIGroupBox : public UIObject {
 public:
  void Setup(int x, int y, int width, int height);
  // Chooses the button at that index as a click would; an index outside the
  // buttons chooses nothing.
  void Select(int index);

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  // 3 from a button: see above. Every other code goes to the parent.
  void Notify(UIObject* sender, int code, int a, int b) override;

  int32_t m_x = 0, m_y = 0, m_width = 0, m_height = 0;
  int32_t m_chosen = -1;
};
