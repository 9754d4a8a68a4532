#pragma once
// A rectangle of the menu (left <= x < right, top <= y < bottom) that shows
// its part of the normal picture, fades to the selected picture while the
// pointer is over it, and runs its action when clicked. A disabled hot spot
// shows the hide picture and takes no pointer.
//
// The three pictures ("images/normal.bmp", "images/selected.bmp",
// "images/hide.bmp") are shared by all hot spots: loaded with the first,
// freed with the last. A picture whose size differs from the others counts
// as missing; a missing picture leaves the hot spot's area untouched.
#include <memory>
#include <string>

#include "launcher/MenuItem.h"

class MenuHotSpot : public MenuItem {
 public:
  static constexpr float kFadeInSpeed = 2.0f;          // per second: half a second
  static constexpr float kFadeOutSpeed = -3.3333333f;  // 0.3 seconds

  MenuHotSpot(int left, int top, int right, int bottom, const std::string& action, bool enabled);
  ~MenuHotSpot() override;
  MenuHotSpot(const MenuHotSpot&) = delete;
  MenuHotSpot& operator=(const MenuHotSpot&) = delete;

  // Fades by `seconds` and draws, clipped to the pictures and the buffer
  // (whose rows hold stride / 3 pixels); true while the fade runs.
  bool Draw(uint8_t* pixels, int stride, int height, float seconds) override;
  // Also sets the fade's direction: in while inside, out otherwise.
  bool HitTest(int x, int y) override;
  bool Click() override;

  float FadeLevel() const { return m_fadeLevel; }
  const std::string& Action() const { return m_action; }

 private:
  int m_left, m_right, m_top, m_bottom;
  bool m_enabled;
  std::string m_action;
  float m_fadeLevel = 0.0f;  // 0 normal .. 1 selected
  float m_fadeSpeed = 0.0f;
};
