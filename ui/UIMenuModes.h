#pragma once
// The item box and the party (inn) screens.
#include "ui/UIItemBoxPanels.h"
#include "ui/UIPartyPanels.h"
#include "ui/UIShopMode.h"

class UIInfoPanel;

class UIItemBoxMode : public UIShopMode {
 public:
  UIItemBoxMode();
  // 12 lays the panels out before they hear it.
  void Notify(UIObject* sender, int code, int a, int b) override;

  UIInnItemPanel* m_stored;
  UIPartyItemPanel* m_carried;
  UIInfoPanel* m_info;

 protected:
  const char* BackdropLeft() const override { return "keeper-l.tga"; }
  const char* BackdropRight() const override { return "keeper-r.tga"; }
};

class UIPartyMode : public UIShopMode {
 public:
  UIPartyMode();
  void Notify(UIObject* sender, int code, int a, int b) override;

  UIInnPartyPanel* m_inn;
  UICurPartyPanel* m_party;

 protected:
  const char* BackdropLeft() const override { return "party-l.tga"; }
  const char* BackdropRight() const override { return "party-r.tga"; }
};
