#include "ui/UIBuyMode.h"

#include <algorithm>

#include "ui/ShopList.h"
#include "ui/UIBasketPanel.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"
#include "ui/UIRadioBtn.h"
#include "ui/UIShopPanels.h"

namespace {

constexpr const char* kCategoryLabels[2][UIBuyShopPanel::kButtons] = {
    {"무 기", "갑 옷", "방 패", "투 구", "신 발", "모두보기"},
    {"회 복", "공 격", "촉 매", "악세서리", "기 타", "모두보기"},
};

}  // namespace

bool UIBuyShopPanel::Raised(const UIObject* sender) const {
  return IsChildOf(this, sender) || (g_pCurrentDesktop != nullptr && sender == &g_pCurrentDesktop->m_popupMenu);
}

void UIBuyShopPanel::Open(int shopType) {
  const int t = shopType == 2 ? 2 : 1;  // anything else shows the first set
  for (int i = 0; i < kButtons; ++i) {
    if (m_buttons[i] == nullptr) {
      m_buttons[i] = new UIRadioBtn;
      AddChild(m_buttons[i]);
    }
    m_buttons[i]->Setup(m_x0 + 90 * (i % 3), m_y1 - 50 + 20 * (i / 3), kCategoryLabels[t - 1][i], (t - 1) * 6 + i,
                        0);
    m_buttons[i]->m_checked = i == kButtons - 1 ? 1 : 0;
  }
  m_category = (t - 1) * 6 + 5;
  if (m_list == nullptr) {
    m_list = new UIListBox;
    AddChild(m_list);
  }
  const UIRect r = GetClientRect();
  m_list->Setup(r.left, r.top, r.right, r.bottom, 1, 0, true, false);
  m_savedTop = 0;
  Rebuild(m_category);
}

void UIBuyShopPanel::ChooseCategory(int category) {
  m_category = category;
  NotifyParent(15, category, 0);
  if (m_list != nullptr) {
    m_list->Notify(this, 2, 0, 0);
    m_list->Notify(this, 13, 0, 0);
  }
  for (UIObject* child : m_children) child->Notify(this, 4, 0, 0);
  m_savedTop = 0;
}

int UIBuyShopPanel::ChosenItem() const {
  const int row = m_list != nullptr ? m_list->m_selection : -1;
  return row >= 0 && row < g_shopGoods.count ? g_shopGoods.items[static_cast<size_t>(row)] : -1;
}

void UIBuyShopPanel::Rebuild(int category) {
  BuildShopGoods(category);
  if (m_list == nullptr) return;
  m_list->m_selection = -1;
  m_list->Clear();
  for (int i = 0; i < g_shopGoods.count; ++i) {
    const auto n = static_cast<size_t>(i);
    m_list->AddItem(g_shopGoods.names[n].c_str(), nullptr, 1,
                    static_cast<int>(std::min<int64_t>(g_shopGoods.prices[n], INT32_MAX)));
  }
  m_list->Notify(this, 13, 0, 0);
  m_list->SetTop(m_savedTop);
  NotifyParent(17, -1, 0);
}

void UIBuyShopPanel::OnRButtonDown() {
  UIPanel::OnRButtonDown();
  if (m_list == nullptr) return;
  const int row = m_list->m_selection;
  if (row < 0 || row >= g_shopGoods.count) return;
  OpenScreenMenu(this, {{"5개 사기", 18, row, 5},
                        {"10개 사기", 18, row, 10},
                        {"20개 사기", 18, row, 20},
                        {"50개 사기", 18, row, 50},
                        {"100개 사기", 18, row, 100}});
}

void UIBuyShopPanel::Notify(UIObject* sender, int code, int a, int b) {
  if (Raised(sender)) {
    switch (code) {
      case 3:
        ChooseCategory(a);
        break;
      case 14:
        NotifyParent(17, a >= 0 && a < g_shopGoods.count ? g_shopGoods.items[static_cast<size_t>(a)] : -1, 0);
        break;
      case 18:
        if (a >= 0 && a < g_shopGoods.count) NotifyParent(20, g_shopGoods.items[static_cast<size_t>(a)], std::max(b, 1));
        break;
      default:
        break;
    }
    return;
  }
  switch (code) {
    case kUiOpen:
      Open(a);
      break;
    case 15:
      Rebuild(a);
      break;
    case 28:
      if (m_list != nullptr) m_savedTop = m_list->GetTop();
      NotifyParent(19, 0, 0);
      NotifyParent(15, m_category, 0);
      break;
    default:
      break;
  }
}

UIBuyMode::UIBuyMode()
    : m_goods(new UIBuyShopPanel),
      m_basket(new UIBasketPanel),
      m_money(new UIMoneyPanel),
      m_info(new UIInfoPanel),
      m_status(new UIStatusPanel) {
  AddChild(m_goods);
  AddChild(m_basket);
  AddChild(m_money);
  AddChild(m_info);
  AddChild(m_status);
  m_status->m_goods = m_goods;
}

void UIBuyMode::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    const int x = g_uiOriginX, y = g_uiOriginY;
    m_goods->Setup(x + 30, y + 30, x + 270, y + 310, true, true, 2, "구입할 아이템을 고르세요.", true);
    m_basket->Layout(x + 350, y + 180, x + 590, y + 360);
    m_money->Setup(x + 30, y + 340, x + 270, y + 360, false, false, 0, nullptr, true);
    m_info->Layout(x + 350, y + 30, x + 590, y + 150);
    m_status->Setup(x + 30, y + 390, x + 590, y + 470, false, false, 0, nullptr, true);
  }
  UIShopMode::Notify(sender, code, a, b);
}
