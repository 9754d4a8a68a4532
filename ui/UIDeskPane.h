#pragma once
// A page of the field menu drawn on its own desk: the page's tab strip at
// the top and its desk picture under it, then its children.
#include "ui/UIObject.h"

class UIDeskPane : public UIPane {
 public:
  // A null tab draws none.
  UIDeskPane(const char* tab, const char* desk) : m_tab(tab), m_desk(desk) {}
  void DrawLocked(CRC* rc) override;
  void Draw(CRC* rc) override;
  void OnLButtonDown() override;
  void OnRButtonDown() override;
  void OnLButtonUp() override;
  void OnRButtonUp() override;
  void OnMouseMove() override;
  void Notify(UIObject* sender, int code, int a, int b) override;

  const char* m_tab;
  const char* m_desk;
  int m_deskFlag = 0;  // the desk picture's drawing flag
};
