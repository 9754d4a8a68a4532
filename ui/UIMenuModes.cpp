#include "ui/UIMenuModes.h"

#include "ui/UIDesktop.h"
#include "ui/UIShopPanels.h"

UIItemBoxMode::UIItemBoxMode()
    : m_stored(new UIInnItemPanel), m_carried(new UIPartyItemPanel), m_info(new UIInfoPanel) {
  AddChild(m_stored);
  AddChild(m_carried);
  AddChild(m_info);
}

void UIItemBoxMode::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    const int x = g_uiOriginX, y = g_uiOriginY;
    m_stored->Setup(x + 30, y + 110, x + 270, y + 310, false, false, 0, nullptr, true);
    // The money and volume line stands in the title strip, the filter
    // buttons in the bottom bar: neither lies over the list.
    m_carried->Setup(x + 350, y + 110, x + 590, y + 470, true, true, 1, nullptr, true);
    m_info->Layout(x + 30, y + 350, x + 270, y + 470);
  }
  UIShopMode::Notify(sender, code, a, b);
}

UIPartyMode::UIPartyMode() : m_inn(new UIInnPartyPanel), m_party(new UICurPartyPanel) {
  AddChild(m_inn);
  AddChild(m_party);
}

void UIPartyMode::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    const int x = g_uiOriginX, y = g_uiOriginY;
    m_inn->Setup(x + 30, y + 110, x + 590, y + 350, false, false, 0, nullptr, true);
    m_party->Setup(x + 30, y + 390, x + 590, y + 470, false, false, 0, nullptr, true);
  }
  UIShopMode::Notify(sender, code, a, b);
}
