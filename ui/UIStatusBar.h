#pragma once
// The two-line help under the field menu's pages, with the party's gold and
// how full its packs are beside it.
#include <string>

#include "ui/UIObject.h"

class UIStatusBar : public UIObject {
 public:
  void SetText(const char* title, const char* text);
  void Clear();

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;

  std::string m_title;
  std::string m_text;
};

// The bar of the open field menu, where pages write their help; null while
// no menu is open.
extern UIStatusBar* g_pStatusBar;
