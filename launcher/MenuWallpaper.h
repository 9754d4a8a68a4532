#pragma once
// The menu's background: one picture copied from the top-left of the back
// buffer.
#include <memory>
#include <string>

#include "launcher/MenuItem.h"

class MenuWallpaper : public MenuItem {
 public:
  explicit MenuWallpaper(const std::string& picture);
  // A missing picture draws nothing.
  bool Draw(uint8_t* pixels, int stride, int height, float seconds) override;

 private:
  std::unique_ptr<uint8_t[]> m_pixels;
  int m_width = 0;
  int m_height = 0;
  int m_rowLength = 0;  // width x 3
};
