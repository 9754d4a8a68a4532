#include "ui/UITab.h"

#include <array>

#include "ui/Draw2d.h"
#include "ui/UIIcon.h"

namespace {
namespace uitab {

constexpr int kIconPitch = 76;
constexpr int kColumnRight = 119;
constexpr int kRowPitch = 48;

// The strip picture of each page; page 5 shows the first.
constexpr std::array<const char*, 6> kStrips = {
    "UserInterface\\tab1-5.bmp", "UserInterface\\tab2-5.bmp", "UserInterface\\tab3-5.bmp",
    "UserInterface\\tab4-5.bmp", "UserInterface\\tab5-5.bmp", "UserInterface\\tab1-5.bmp"};

}  // namespace uitab
}  // namespace

UITab::UITab() = default;
UITab::~UITab() = default;

void UITab::AddIcon(UIIcon* icon) { m_icons.emplace_back(icon); }

void UITab::MakePageIcons(std::span<const IconEntry> icons) {
  m_icons.clear();
  m_current = m_hovered = nullptr;
  for (size_t i = 0; i < icons.size(); ++i) {
    auto* icon = new UIZoomIcon;
    icon->Setup(g_uiOriginX + 188 + uitab::kIconPitch * static_cast<int>(i), g_uiOriginY + 32, "system\\tabIcon.act",
                "system\\tabIcon.spr", icons[i].sprite, 0, icons[i].label, -1);
    AddIcon(icon);
  }
}

int UITab::IconUnderPointer() const {
  const UIPoint p = UIPointer();
  if (p.y <= g_uiOriginY + 12 || p.y >= g_uiOriginY + 35) return -1;
  for (size_t i = 0; i < m_icons.size(); ++i) {
    const int left = g_uiOriginX + 149 + uitab::kIconPitch * static_cast<int>(i);
    if (p.x > left && p.x < left + 67) return static_cast<int>(i);
  }
  return -1;
}

UICheckIcon* UITab::NewColumnIcon(int row, const char* actFile, const char* sprFile, int action, const char* label) {
  auto* icon = new UICheckIcon;
  icon->Setup(g_uiOriginX + 64, g_uiOriginY + 74 + uitab::kRowPitch * row, actFile, sprFile, action, 0, label, row);
  icon->m_labelDx = 45;
  icon->m_labelDy = 13;
  return icon;
}

int UITab::ColumnRowUnderPointer(int left, size_t rows) {
  const UIPoint p = UIPointer();
  const int x = p.x - g_uiOriginX, y = p.y - g_uiOriginY;
  if (x <= left || x >= uitab::kColumnRight) return -1;
  for (size_t i = 0; i < rows; ++i) {
    const int top = 43 + uitab::kRowPitch * static_cast<int>(i);
    if (y > top && y < top + 41) return static_cast<int>(i);
  }
  return -1;
}

void UITab::DrawLocked(CRC* rc) {
  if (m_page >= 0 && m_page < static_cast<int>(uitab::kStrips.size())) {
    DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 4, uitab::kStrips[static_cast<size_t>(m_page)], 0, 0xFFFFFF);
  }
  if (m_client != nullptr) m_client->DrawLocked(rc);
}

void UITab::Draw(CRC* rc) {
  if (m_client != nullptr) m_client->Draw(rc);
}

void UITab::OnLButtonDown() {
  const int hit = IconUnderPointer();
  if (hit != -1) {
    ChooseIcon(m_icons[static_cast<size_t>(hit)].get(), m_current);
    SetPage(hit);
    if (m_client != nullptr) m_client->Refresh();
  }
  if (m_client != nullptr) m_client->OnLButtonDown();
}

void UITab::OnMouseMove() {
  if (m_page != 5) {
    const int hit = IconUnderPointer();
    TrackHover(hit != -1 ? m_icons[static_cast<size_t>(hit)].get() : nullptr, m_hovered);
  }
  if (m_client != nullptr) m_client->OnMouseMove();
}

void UITab::OnRButtonDown() {
  if (m_client != nullptr) m_client->OnRButtonDown();
}
void UITab::OnLButtonUp() {
  if (m_client != nullptr) m_client->OnLButtonUp();
}
void UITab::OnRButtonUp() {
  if (m_client != nullptr) m_client->OnRButtonUp();
}
void UITab::OnWheel() {
  if (m_client != nullptr) m_client->OnWheel();
}
