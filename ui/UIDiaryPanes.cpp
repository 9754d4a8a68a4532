#include "ui/UIDiaryPanes.h"

#include <algorithm>
#include <array>

#include "engine/Tokenizer.h"
#include "session/ItemMgr.h"
#include "session/MenuList.h"
#include "session/MonsterMgr.h"
#include "session/ScrapMgr.h"
#include "session/Session.h"
#include "ui/UIBitmap.h"
#include "ui/UIDesktop.h"
#include "ui/UIListBox.h"
#include "ui/UIListBox3d.h"
#include "ui/UIRadioBtn.h"
#include "ui/UITextBox.h"
#include "ui/UITitle.h"

namespace {
namespace uidiarypanes {

constexpr int kRadioY = 396;
constexpr const char* kNoRecord = " 관련 자료 없음.";
constexpr uint32_t kPlain = 0xFFFFFF;
constexpr uint32_t kMonsterTint = 0x57290F;

constexpr const char* kItemLabels[] = {"무기", "방어구", "장신구", "소모품", "기타"};
constexpr const char* kMonsterLabels[] = {"지상형", "비행형", "인간형", "기계형", "기타"};
constexpr const char* kScrapLabels[] = {"인명", "지명", "역사", "개념", "기타", "모두보기"};

constexpr std::array<const char*, 10> kStatLabels = {"STR", "VIT", "INT", "AGI", "LUK",
                                                     "ATK", "DEF", "WEI", "MAG", "CRI"};
constexpr int kWeightStat = 7;

int Level(const std::array<int32_t, CSession::kDiarySlots>& diary, int index) {
  if (index < 0 || index >= CSession::kDiarySlots) return 0;
  return diary[static_cast<size_t>(index)];
}

// The entry's picture at (x, y) and its title over the page.
void AddPictureAndTitle(UIObject& pane, int x, int y, UIBitmap*& picture, UITitle*& title) {
  picture = new UIBitmap;
  picture->m_x = g_uiOriginX + x;
  picture->m_y = g_uiOriginY + y;
  pane.AddChild(picture);
  title = new UITitle;
  title->m_x = g_uiOriginX + 160;
  title->m_y = g_uiOriginY + 45;
  pane.AddChild(title);
}

void EmptyPicture(UIBitmap* picture, UITitle* title) {
  picture->m_file.clear();
  picture->m_flag = 1;
  title->m_text.clear();
  title->m_part1.clear();
  title->m_part2.clear();
}

}  // namespace uidiarypanes
}  // namespace

const std::string& DiaryPageText(const DiaryBook& book, int index, int k) {
  static const std::string kNone;
  for (const DiaryPage& page : book.GetPages(index)) {
    if (page.section == k) return page.text;
  }
  return kNone;
}

// Shared by the three pages ---------------------------------------------------

void UIDiaryPane::Refresh() { Notify(this, 15, m_tableType, m_category); }

void UIDiaryPane::Notify(UIObject* sender, int code, int a, int b) {
  switch (code) {
    case 3:
      ChangeCategory(a);
      return;
    case kUiOpen:
      Open();
      return;
    case 14:
      ShowRow(a);
      return;
    case 15:
      Rebuild();
      return;
    default:
      return;
  }
}

void UIDiaryPane::AddListAndText(int listColumns, int textX0) {
  m_listBox = new UIListBox;
  m_listBox->Setup(g_uiOriginX + 165, g_uiOriginY + 270, g_uiOriginX + 600, g_uiOriginY + 385, listColumns, 0, false,
                   false);
  AddChild(m_listBox);
  m_textBox = new UITextBox;
  m_textBox->Setup(g_uiOriginX + textX0, g_uiOriginY + 120, g_uiOriginX + 600, g_uiOriginY + 260);
  AddChild(m_textBox);
}

void UIDiaryPane::Open() {
  DestroyChildren();
  m_category = 0;
  AddWidgets();
  const Radio radio = Radios();
  for (int i = 0; i < radio.count; ++i) {
    auto* button = new UIRadioBtn;
    button->Setup(g_uiOriginX + radio.x0 + radio.pitch * i, g_uiOriginY + uidiarypanes::kRadioY, radio.labels[i], i, m_tableType);
    if (i == 0) button->m_checked = 1;
    AddChild(button);
  }
  Refresh();
}

void UIDiaryPane::ChangeCategory(int category) {
  if (m_listBox == nullptr) return;  // not opened yet
  m_category = category;
  Refresh();
  m_listBox->Notify(this, 2, 0, 0);
  m_listBox->Notify(this, 13, 0, 0);
  if (m_tableType == CDiaryList::kItems) {
    m_textBox->Notify(this, 2, 0, 0);
    m_textBox->Notify(this, 13, 0, 0);
  }
  // The button that chose marks itself once this returns.
  for (UIObject* child : m_children) child->Notify(this, 4, 0, 0);
}

bool UIDiaryPane::SameTable() const {
  const CDiaryList& list = CDiaryList::GetInstance();
  return list.TableType() == m_tableType && list.Category() == m_category;
}

bool UIDiaryPane::ListHasRow(int row, bool buildEmpty) const {
  CDiaryList& list = CDiaryList::GetInstance();
  if (!SameTable() || (buildEmpty && list.GetCount() == 0)) list.Build(m_tableType, m_category);
  return row >= 0 && row < list.GetCount();
}

bool UIDiaryPane::StartRow(int row) {
  m_textBox->Notify(this, 2, 0, 0);
  if (!ListHasRow(row, true)) {
    if (CDiaryList::GetInstance().GetCount() > 0) ClearDetails();
    return false;
  }
  ClearDetails();
  return true;
}

void UIDiaryPane::Rebuild() {
  if (m_listBox == nullptr) return;  // not opened yet
  CDiaryList& list = CDiaryList::GetInstance();
  list.Build(m_tableType, m_category);
  m_listBox->Clear();
  ClearDetails();
  for (const std::string& title : list.Titles()) m_listBox->AddItem(title.c_str(), "", 0, 0);
  m_listBox->Notify(this, 14, 0, 0);
}

// Items -------------------------------------------------------------------------

UIDiaryPane::Radio UIItemDiaryPane::Radios() const { return {173, 86, uidiarypanes::kItemLabels, 5}; }
UIDiaryPane::Radio UIMonsterPane::Radios() const { return {173, 86, uidiarypanes::kMonsterLabels, 5}; }
UIDiaryPane::Radio UIScrapPane::Radios() const { return {173, 67, uidiarypanes::kScrapLabels, 6}; }

void UIItemDiaryPane::AddWidgets() {
  AddListAndText(2, 340);
  m_statList = new UIListBox3d;
  m_statList->Setup(g_uiOriginX + 165, g_uiOriginY + 160, g_uiOriginX + 330, g_uiOriginY + 260, 2, true);
  AddChild(m_statList);
  uidiarypanes::AddPictureAndTitle(*this, 165, 105, m_picture, m_title);
}

void UIItemDiaryPane::Notify(UIObject* sender, int code, int a, int b) {
  UIDiaryPane::Notify(sender, code == 18 ? 14 : code, a, b);
}

void UIItemDiaryPane::ClearDetails() {
  m_textBox->Clear();
  m_statList->Clear();
  uidiarypanes::EmptyPicture(m_picture, m_title);
}

void UIItemDiaryPane::ShowRow(int row) {
  if (m_textBox == nullptr || !StartRow(row)) return;
  const CDiaryList& list = CDiaryList::GetInstance();
  const int item = list.Indexes()[static_cast<size_t>(row)];
  const int level = uidiarypanes::Level(CSession::GetInstance().itemDiary, item);
  for (int k = 1; k <= level; ++k) {
    m_textBox->AddText(DiaryPageText(CItemMgr::GetInstance().Diary(), item, k).c_str());
    if (!m_textBox->HasLines()) m_textBox->AddText(uidiarypanes::kNoRecord);
  }
  const int chosen = m_listBox->m_selection;
  if (chosen >= 0 && chosen < list.GetCount()) {
    ShowItem(CItemMgr::GetInstance().Find(list.Names()[static_cast<size_t>(chosen)]));
  }
  m_textBox->Notify(this, 2, 0, 0);
  m_textBox->Notify(this, 13, 0, 0);
}

void UIItemDiaryPane::ShowItem(int index) {
  if (index < 0) return;
  const CItemMgr& items = CItemMgr::GetInstance();
  ITM* item = items.GetItem(index);
  if (item == nullptr) return;
  if (item->kind >= kItemWeapon && item->kind <= kItemAcc2) {
    // Equipment raises the five battle figures; accessories the five stats.
    const bool accessory = item->kind >= kItemAcc1;
    std::array<int, 10> values{};
    for (int p = 0; p < 5; ++p) values[static_cast<size_t>(accessory ? p : 5 + p)] = *item->GetAttrPtr(p);
    for (size_t i = 0; i < uidiarypanes::kStatLabels.size(); ++i) {
      const bool speed = item->kind == kItemShoes && i == uidiarypanes::kWeightStat;
      m_statList->AddEntry(speed ? "SPD" : uidiarypanes::kStatLabels[i], values[i]);
    }
  }
  m_picture->m_file = item->icon;
  m_picture->m_flag = 2;
  m_picture->m_color = uidiarypanes::kPlain;
  if (const DiaryEntry* entry = items.Diary().GetEntry(index)) {
    m_title->m_text = entry->secondTitle;
    m_title->m_part1 = entry->title;
  }
  m_title->m_part2 = item->desc;
}

// Monsters ---------------------------------------------------------------------------

void UIMonsterPane::AddWidgets() {
  AddListAndText(2, 340);
  uidiarypanes::AddPictureAndTitle(*this, 145, 100, m_picture, m_title);
}

void UIMonsterPane::ClearDetails() {
  m_textBox->Clear();
  uidiarypanes::EmptyPicture(m_picture, m_title);
}

void UIMonsterPane::ShowRow(int row) {
  if (m_textBox == nullptr || !StartRow(row)) return;
  if (m_listBox->m_selection == -1) return;
  const int monster = CDiaryList::GetInstance().Indexes()[static_cast<size_t>(row)];
  const CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  const int level = uidiarypanes::Level(CSession::GetInstance().monsterDiary, monster);
  for (int k = 1; k <= level; ++k) m_textBox->AddText(DiaryPageText(monsters.Diary(), monster, k).c_str());
  const DiaryEntry* entry = monsters.Diary().GetEntry(monster);
  if (entry == nullptr) return;
  m_picture->m_file = "userinterface/monster/" + entry->name;
  m_picture->m_flag = 1;
  m_picture->m_color = uidiarypanes::kMonsterTint;
  m_title->m_text = entry->secondTitle;
  m_title->m_part1 = entry->title;
  m_title->m_part2 = monsters.GetMonsterTypeInfo(monster).desc;
}

// Scraps -------------------------------------------------------------------------------

void UIScrapPane::AddWidgets() { AddListAndText(1, 280); }

void UIScrapPane::ShowRow(int row) {
  if (m_textBox == nullptr) return;
  m_textBox->Clear();
  m_textBox->Notify(this, 2, 0, 0);
  if (!ListHasRow(row, false) || m_listBox->m_selection == -1) return;
  const int scrap = CDiaryList::GetInstance().Indexes()[static_cast<size_t>(row)];
  const int level = uidiarypanes::Level(CSession::GetInstance().scrapDiary, scrap);
  for (int k = 1; k <= level; ++k) {
    const std::string& text = DiaryPageText(CScrapMgr::GetInstance().Diary(), scrap, k);
    LearnKeywords(text);
    m_textBox->AddText(text.c_str());
  }
}

void UIScrapPane::LearnKeywords(const std::string& text) {
  const CScrapMgr& scraps = CScrapMgr::GetInstance();
  CSession& session = CSession::GetInstance();
  const int marks = CountKeywords(text);
  for (int i = 0; i < marks; ++i) {
    const std::string keyword = GetKeyword(text, i);
    for (const auto& [index, entry] : scraps.Diary().Entries()) {
      if (entry.title != keyword) continue;
      if (uidiarypanes::Level(session.scrapDiary, index) < 1) session.SetScrapDiary(index, 1);
      break;
    }
  }
}
