#include "ui/BIEquipStatusBox.h"

#include <string>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BIMenu.h"
#include "ui/BIMenuList.h"
#include "ui/Draw2d.h"

namespace {
namespace biequipstatusbox {

// The slots in the order unequipping numbers them.
constexpr int32_t PlayerData::*kSlotFields[BIEquipStatusBox::kSlots] = {
    &PlayerData::helmet, &PlayerData::weapon, &PlayerData::armor, &PlayerData::shoes,
    &PlayerData::acc1,   &PlayerData::shield, &PlayerData::acc2,  &PlayerData::acc3,
};

constexpr int kInset = 16, kFirstRow = 12, kRowStep = 28, kReleaserWidth = 120;
constexpr int kStatsX = 200, kStatsY = 14, kStatStep = 18, kValueX = 250;

const PlayerData* Acting() {
  const BICaptionDeskTop* deskTop = BICaptionDeskTop::Instance();
  return deskTop != nullptr ? CSession::GetInstance().GetPartyMember(deskTop->ActingPosition()) : nullptr;
}

const ITM* Item(int index) {
  const CItemMgr& items = CItemMgr::GetInstance();
  return index >= 0 && index < items.GetCount() ? items.GetItem(index) : nullptr;
}

}  // namespace biequipstatusbox
}  // namespace

BIEquipStatusBox::~BIEquipStatusBox() {
  if (m_owner != nullptr) m_owner->m_equipBox = nullptr;
}

int BIEquipStatusBox::SlotItem(int slot) {
  const PlayerData* member = biequipstatusbox::Acting();
  if (member == nullptr || slot < 0 || slot >= kSlots) return -1;
  const int item = member->*biequipstatusbox::kSlotFields[slot];
  return item >= kEmptyItemCount ? item : -1;
}

void BIEquipStatusBox::Notify(BICaption* sender, int code, int a, int b, int c) {
  if (code == 4) {
    // The row's item in the page's list, as the sub-menu was filled from it.
    const std::vector<int>& indexes = CItemList::GetInstance().Indexes();
    m_highlightedItem = a >= 0 && a < static_cast<int>(indexes.size()) ? indexes[static_cast<size_t>(a)] : -1;
  } else if (code == 7) {
    for (int slot = 0; slot < kSlots; ++slot) {
      const int column = slot / 4, row = slot % 4;
      const int x = column == 0 ? biequipstatusbox::kInset : m_width - biequipstatusbox::kInset - biequipstatusbox::kReleaserWidth;
      // Ahead of the drag handle beneath them, or no click would reach them.
      AddChildFront(new BIEquipStatuBoxReleaser(x, biequipstatusbox::kFirstRow + row * biequipstatusbox::kRowStep, slot));
    }
  }
}

void BIEquipStatusBox::OnClick() {
  if (BICaption* child = ChildUnderPointer()) child->OnClick();
}

void BIEquipStatusBox::OnHover() {
  if (BICaption* child = ChildUnderPointer()) child->OnHover();
}

void BIEquipStatusBox::OnPointerIdle() {
  if (BICaption* child = ChildUnderPointer()) child->OnPointerIdle();
}

bool BIEquipStatusBox::Fits(int slot) const {
  const ITM* item = biequipstatusbox::Item(m_highlightedItem);
  const PlayerData* member = biequipstatusbox::Acting();
  if (item == nullptr || member == nullptr) return false;
  // The slot's empty piece tells which kind it takes.
  const PlayerData blank;
  const ITM* empty = biequipstatusbox::Item(blank.*biequipstatusbox::kSlotFields[slot]);
  return empty != nullptr && empty->kind == item->kind;
}

void BIEquipStatusBox::Draw(CRC* rc) {
  const PlayerData* member = biequipstatusbox::Acting();
  if (rc == nullptr || member == nullptr) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  if (rc->LockBackBuffer()) {
    DrawBitmap(rc, x, y, "UserInterface\\battleequip.bmp", 0, 0xFFFFFF);
    rc->UnlockBackBuffer();
  }
  CResMgr& res = CResMgr::GetInstance();
  const std::string figure = "주연급\\필드\\" + member->sprname;
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes((figure + ".spr").c_str()));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes((figure + ".act").c_str()));
  const auto* mark = dynamic_cast<const CSprRes*>(res.GetRes("system\\ok_shop.spr"));
  if (rc->BeginScene()) {
    if (sprites != nullptr && actions != nullptr) rc->DrawAction(x + 160, y + 102, actions, sprites, 0, 0, 1.0f, 0, 0xFFFFFFFF, true);
    for (const BICaption* child : m_children) {
      const auto* releaser = dynamic_cast<const BIEquipStatuBoxReleaser*>(child);
      if (releaser == nullptr || mark == nullptr || !Fits(releaser->m_slot)) continue;
      const int left = releaser->m_x < m_width / 2;
      rc->DrawSprite(x + releaser->m_x + (left ? releaser->m_width + 2 : -18), y + releaser->m_y + 8, mark, 0, 0xFFFFFFFF);
    }
    rc->EndScene();
  }
  if (!rc->LockBackBuffer()) return;
  const struct {
    const char* label;
    int32_t value;
  } stats[] = {{"BP", member->maxshp},   {"ATK", member->strength},     {"DEF", member->vitality},
               {"SPD", member->agility}, {"MAG", member->intelligence}, {"CRI", member->luck}};
  for (size_t i = 0; i < std::size(stats); ++i) {
    const int rowY = y + biequipstatusbox::kStatsY + biequipstatusbox::kStatStep * static_cast<int>(i);
    rc->DrawText2(x + biequipstatusbox::kStatsX, rowY, stats[i].label, false, 255, 255, 255);
    rc->DrawText2(x + biequipstatusbox::kValueX, rowY, std::to_string(stats[i].value).c_str(), false, 255, 255, 255);
  }
  rc->UnlockBackBuffer();
}

void BIEquipStatuBoxReleaser::Draw(CRC* rc) {
  const ITM* item = biequipstatusbox::Item(BIEquipStatusBox::SlotItem(m_slot));
  if (item == nullptr || rc == nullptr || !rc->LockBackBuffer()) return;
  int x = 0, y = 0;
  GetAbsPos(&x, &y);
  rc->DrawText2(x + 8, y + 4, item->name.c_str(), false, 255, 255, 255);
  rc->UnlockBackBuffer();
}

void BIEquipStatuBoxReleaser::OnClick() {
  const auto* box = dynamic_cast<const BIEquipStatusBox*>(m_parent);
  BIMenu* menu = box != nullptr ? box->m_menu : nullptr;
  // A box whose menu is gone does nothing.
  if (menu == nullptr) return;
  SendFrameMessage(7, m_slot, 0);
  menu->Notify(this, 6, menu->m_key, 0, 0);
  menu->Notify(this, 8, 0, 0, 0);
}
