#pragma once
// The field menu's tactics tab: its one page, which gets everything.
#include "ui/UITab.h"
#include "ui/UITacticsPane.h"

class UITacticsTab : public UITab {
 public:
  UITacticsTab() { m_client = &m_pane; }

  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  void OnWheel() override;
  void Notify(UIObject* sender, int code, int a, int b) override;

  UITacticsPane m_pane;
};
