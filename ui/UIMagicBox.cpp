#include "ui/UIMagicBox.h"

#include <string>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "ui/Draw2d.h"
#include "ui/UIScrollBar.h"

namespace {
namespace uimagicbox {

constexpr int kRow = 20;
constexpr int kRightInset = 10;
constexpr int kIconDx = 30;
constexpr int kLabelDx = 60;
constexpr int kGrey = 170;
constexpr const char* kSkillLabels[3] = {"isp", "esp", "psp"};

constexpr CostBoxStyle kMagicStyle{4, 50, true};
constexpr CostBoxStyle kSkillStyle{3, 70, false};

}  // namespace uimagicbox
}  // namespace

UIMagicBox::UIMagicBox() : UICostBox(uimagicbox::kMagicStyle) {}
UISkillBox::UISkillBox() : UICostBox(uimagicbox::kSkillStyle) {}

void UICostBox::AddRow(const char* name, const std::vector<int>& costs, bool usable) {
  AddItem(name, nullptr, usable ? 1 : 0, -1);
  m_costs.push_back(costs);
  m_usable.push_back(usable ? 1 : 0);
}

void UICostBox::ClearRows() {
  Clear();
  m_costs.clear();
  m_usable.clear();
}

bool UICostBox::Usable(int row) const {
  return row >= 0 && row < static_cast<int>(m_usable.size()) && m_usable[static_cast<size_t>(row)] != 0;
}

std::vector<UICostBox::CostPlace> UICostBox::CostPlaces(int row) const {
  std::vector<CostPlace> places;
  if (row < 0 || row >= static_cast<int>(m_costs.size())) return places;
  const std::vector<int>& costs = m_costs[static_cast<size_t>(row)];
  const int right = m_innerX0 + CellWidth() - uimagicbox::kRightInset;
  for (int k = static_cast<int>(costs.size()) - 1; k >= 0; --k) {
    if (costs[static_cast<size_t>(k)] == 0) continue;
    places.push_back(CostPlace{k, right - m_style.pitch * static_cast<int>(places.size())});
  }
  return places;
}

bool UICostBox::RefusePress() {
  const int row = RowUnderPointer();
  if (row < 0 || Usable(row)) return false;
  m_selection = -1;
  return true;
}

void UICostBox::OnLButtonDown() {
  if (!RefusePress()) {
    UIListBox::OnLButtonDown();
  } else if (m_bar != nullptr) {
    m_bar->OnLButtonDown();
  }
}

void UICostBox::OnRButtonDown() {
  if (!RefusePress()) UIListBox::OnRButtonDown();
}

void UICostBox::DrawRowLocked(CRC* rc, int row, int line) {
  const auto n = static_cast<size_t>(row);
  const int x = m_innerX0 + m_iconDx;
  const int y = m_innerY0 + uimagicbox::kRow * line;
  const bool usable = Usable(row);
  const std::string& name = m_texts[n];
  if (!usable) {
    rc->DrawText(x, y, name.c_str(), false, uimagicbox::kGrey, uimagicbox::kGrey, uimagicbox::kGrey);
  } else if (row == m_selection || row == m_hover) {
    rc->DrawText(x, y, ("&r" + name).c_str(), false, 255, 255, 255);
  } else {
    rc->DrawText2(x, y, name.c_str(), false, 255, 255, 255);
  }
  if (m_showNumbers == 0) return;
  for (const CostPlace& place : CostPlaces(row)) {
    const std::string cost = std::to_string(m_costs[n][static_cast<size_t>(place.cost)]);
    if (usable) {
      rc->DrawText2Right(place.rightX, y, cost.c_str(), false, 255, 255, 255);
    } else {
      rc->DrawText(place.rightX - UITextWidth(cost.c_str()), y, cost.c_str(), false, uimagicbox::kGrey, uimagicbox::kGrey, uimagicbox::kGrey);
    }
  }
}

void UICostBox::DrawLocked(CRC* rc) {
  if (rc == nullptr) return;
  for (int line = 0; line < m_capacity && m_top + line < m_count; ++line) DrawRowLocked(rc, m_top + line, line);
}

void UICostBox::Draw(CRC* rc) {
  UIListBox::Draw(rc);
  if (rc == nullptr || m_showNumbers == 0) return;
  const int frame = m_counter / 10 % 4;
  ++m_counter;
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes("system\\magic.act"));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes("system\\magic.spr"));
  for (int line = 0; line < m_capacity && m_top + line < m_count; ++line) {
    const int y = m_innerY0 + uimagicbox::kRow * line;
    for (const CostPlace& place : CostPlaces(m_top + line)) {
      if (!m_style.icons) {
        DrawFontText(rc, place.rightX - uimagicbox::kLabelDx, y + 12, uimagicbox::kSkillLabels[place.cost % 3], 0);
      } else if (act != nullptr && spr != nullptr) {
        rc->DrawAction(place.rightX - uimagicbox::kIconDx, y + 14, act, spr, place.cost, frame, 1.0f, 0, 0xFFFFFFFF, true);
      }
    }
  }
}
