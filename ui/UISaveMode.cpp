#include "ui/UISaveMode.h"

#include <algorithm>
#include <string>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/Session.h"
#include "ui/UIDesktop.h"
#include "ui/UIIcon.h"
#include "ui/UISaveBox.h"

namespace {
namespace uisavemode {

constexpr int kFirst = 28, kDelete = 29, kClose = 30;
constexpr int kSaveConfirmed = 24, kDeleteConfirmed = 26;
constexpr int kShowSlot = 17;

}  // namespace uisavemode
}  // namespace

// ---- The chosen slot ----

const SaveSlotInfo* UISaveInfoPanel::Slot() const {
  if (m_saves == nullptr || m_slot < 0 || m_slot >= static_cast<int>(m_saves->Slots().size())) return nullptr;
  return &m_saves->Slots()[static_cast<size_t>(m_slot)];
}

void UISaveInfoPanel::Notify(UIObject*, int code, int a, int) {
  if (code == uisavemode::kShowSlot) m_slot = a;
}

// A damaged record shows at most six members and none of an unknown id.
void UISaveInfoPanel::Draw(CRC* rc) {
  UIPanel::Draw(rc);
  const SaveSlotInfo* slot = Slot();
  const auto* icons = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system\\playericon.spr"));
  if (rc == nullptr || slot == nullptr || icons == nullptr) return;
  const int count = std::clamp(slot->partyCount, 0, 6);
  for (int i = 0; i < count; ++i) {
    const int id = slot->partyIds[static_cast<size_t>(i)];
    if (id < 0 || id >= CSession::kPlayerCount) continue;
    rc->DrawSprite(m_x0 + 20 + 60 * (i % 3), m_y0 + 250 + 55 * (i / 3), icons, id, 0xFFFFFFFF);
  }
}

void UISaveInfoPanel::DrawLocked(CRC* rc) {
  UIPanel::DrawLocked(rc);
  const SaveSlotInfo* slot = Slot();
  if (rc == nullptr || slot == nullptr) return;
  const std::string picture = CSaveList::ThumbnailPath(slot->fileNumber);
  const int x = m_x0 + (m_x1 - m_x0 - kThumbnailWidth) / 2;
  rc->LoadThumbnail(x, m_y0 + 10, picture.c_str());
  rc->DrawText(m_x0 + 15, m_y0 + 205, "소지금", false, 149, 109, 54);
  const std::string gold = std::to_string(slot->gold);
  rc->DrawText(m_x1 - 20 - rc->GetTextWidth(gold.c_str()), m_y0 + 205, gold.c_str(), false, 255, 255, 255);
  const int count = std::clamp(slot->partyCount, 0, 6);
  for (int i = 0; i < count; ++i) {
    const int id = slot->partyIds[static_cast<size_t>(i)];
    if (id < 0 || id >= CSession::kPlayerCount) continue;
    // Under the member's 28-pixel icon.
    const std::string level = "Lv " + std::to_string(slot->levels[static_cast<size_t>(i)]);
    rc->DrawText(m_x0 + 10 + 60 * (i % 3), m_y0 + 280 + 55 * (i / 3), level.c_str(), false, 255, 255, 255);
  }
}

// ---- The slot list ----

UISaveListPanel::UISaveListPanel() : m_box(new UISaveBox) {
  AddChild(m_box);
  for (UIZoomIcon*& button : m_buttons) {
    button = new UIZoomIcon;
    AddChild(button);
  }
}

void UISaveListPanel::Layout(int x0, int y0, int x1, int y1) {
  Setup(x0, y0, x1, y1, false, true, 1, nullptr, true);
  const UIRect r = GetClientRect();
  m_box->Setup(r.left, r.top, r.right, r.bottom, 1, 0, false, false);
  const char* labels[3] = {ButtonLabel(), "Delete", "Close"};
  const int codes[3] = {uisavemode::kFirst, uisavemode::kDelete, uisavemode::kClose};
  for (int i = 0; i < 3; ++i) {
    m_buttons[i]->Setup(x0 + 150 + 50 * i, y1 - 10, "system\\ok_shop.act", "system\\ok_shop.spr", 0, i, labels[i],
                        codes[i]);
  }
}

void UISaveListPanel::Reload() {
  m_saves.Reset();
  m_saves.ReadIndex();
  m_box->ClearSlots();
  if (FirstSlotRow() == 1) m_box->AddSlot("N E W   S A V E", -1);
  for (const SaveSlotInfo& slot : m_saves.Slots()) {
    const std::string name = m_placeNames.Lookup(slot.placeName);
    m_box->AddSlot(name.empty() ? slot.placeName : name, slot.fileNumber);
  }
  m_box->Notify(this, 13, 0, 0);
  NotifyParent(uisavemode::kShowSlot, -1, 0);
}

int UISaveListPanel::SelectedSlot() const {
  const int slot = m_box->m_selection - FirstSlotRow();
  return slot >= 0 && slot < static_cast<int>(m_saves.Slots().size()) ? slot : -1;
}

bool UISaveListPanel::Raised(const UIObject* sender) const {
  if (IsChildOf(this, sender)) return true;
  return g_pCurrentDesktop != nullptr &&
         (sender == &g_pCurrentDesktop->m_popupMenu || sender == &g_pCurrentDesktop->m_messageBox);
}

void UISaveListPanel::AskFirst() {
  if (SelectedSlot() < 0) {
    ShowScreenMessage("새로 GAME을 저장 하겠습니까?", true, this, uisavemode::kSaveConfirmed);
  } else {
    ShowScreenMessage("이 GAME에 덮어 쓰겠습니까?", true, this, uisavemode::kSaveConfirmed);
  }
}

void UISaveListPanel::DoFirst(int confirmed) {
  if (confirmed != uisavemode::kSaveConfirmed) return;
  const int slot = SelectedSlot();
  m_saves.Select(slot);
  const bool saved = m_saves.Save(UICurrentRC(), slot < 0) && m_saves.WriteIndex() == 1;
  Reload();
  if (!saved) ShowScreenMessage("GAME을 저장하지 못했습니다");
}

void UISaveListPanel::AskDelete() {
  if (SelectedSlot() < 0) {
    ShowScreenMessage("선택된 GAME이 없습니다");
  } else {
    ShowScreenMessage("이 GAME을 지우시겠습니까?", true, this, uisavemode::kDeleteConfirmed);
  }
}

void UISaveListPanel::DoDelete() {
  const int slot = SelectedSlot();
  if (slot < 0) return;
  m_saves.Select(slot);
  m_saves.Delete();
  m_saves.WriteIndex();
  Reload();
}

void UISaveListPanel::OnRButtonDown() {
  UIPanel::OnRButtonDown();
  if (SelectedSlot() < 0 || !UIInside(UIPointer(), m_x0, m_y0, m_x1, m_y1)) return;
  OpenScreenMenu(this, {{MenuLabel(), uisavemode::kFirst, 0, 0}, {"지우기", uisavemode::kDelete, 0, 0}});
}

void UISaveListPanel::Notify(UIObject* sender, int code, int a, int b) {
  if (!Raised(sender)) {
    if (code == kUiOpen) {
      m_placeNames = CPlaceNameTable();
      m_placeNames.Load();
    }
    if (code == kUiOpen || code == 15) Reload();
    if (code == kUiOpen && FirstSlotRow() == 0 && m_saves.Slots().empty()) ShowScreenMessage("저장된 GAME이 없습니다");
    return;
  }
  if (code == 23) {
    code = a;  // a button of this panel
    if (code == uisavemode::kClose) {
      UIDesktop::Close();
      return;
    }
  }
  switch (code) {
    case 14:
      NotifyParent(uisavemode::kShowSlot, SelectedSlot(), 0);
      break;
    case uisavemode::kFirst:
      AskFirst();
      break;
    case uisavemode::kDelete:
      AskDelete();
      break;
    case uisavemode::kDeleteConfirmed:
      DoDelete();
      break;
    default:
      if (code >= uisavemode::kSaveConfirmed && code <= 25) DoFirst(code);
      break;
  }
}

// ---- The screen ----

UISaveMode::UISaveMode() : UISaveMode(new UISaveInfoPanel, new UISaveListPanel) {}

UISaveMode::UISaveMode(UISaveInfoPanel* info, UISaveListPanel* list) : m_info(info), m_list(list) {
  AddChild(m_info);
  AddChild(m_list);
  m_info->m_saves = &m_list->m_saves;
}

void UISaveMode::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kUiOpen) {
    const int x = g_uiOriginX, y = g_uiOriginY;
    m_info->Setup(x + 30, y + 110, x + 230, y + 470, false, false, 0, nullptr, true);
    m_list->Layout(x + 310, y + 110, x + 590, y + 470);
  }
  UIShopMode::Notify(sender, code, a, b);
}
