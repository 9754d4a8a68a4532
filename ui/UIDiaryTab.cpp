#include "ui/UIDiaryTab.h"

#include <array>

#include "engine/FrameMgr.h"
#include "ui/Draw2d.h"
#include "ui/UIDesktop.h"
#include "ui/UIDiaryPanes.h"
#include "ui/UIIcon.h"
#include "ui/UIOptionPane.h"

namespace {
namespace uidiarytab {

using IconEntry = UITab::IconEntry;
constexpr std::array<IconEntry, 3> kPageIcons = {{{"Item", 5}, {"Monster", 6}, {"Scrap", 7}}};
constexpr std::array<IconEntry, 3> kLeftIcons = {{{"Records", 0}, {"Options", 1}, {"Exit", 2}}};
enum Left { kRecords = 0, kOptionsIcon = 1, kExit = 2 };

}  // namespace uidiarytab
}  // namespace

UIDiaryTab::UIDiaryTab() {
  m_panes.emplace_back(new UIItemDiaryPane);
  m_panes.emplace_back(new UIMonsterPane);
  m_panes.emplace_back(new UIScrapPane);
  m_panes.emplace_back(new UIOptionPane);
  m_client = m_panes[0].get();
}

UIDiaryTab::~UIDiaryTab() = default;

void UIDiaryTab::Notify(UIObject* sender, int code, int a, int b) {
  if (code == kQuitAnswer) {
    CFrameMgr::GetInstance().ChangeFrame("title");
    return;
  }
  if (code != kUiOpen) return;
  MakePageIcons(uidiarytab::kPageIcons);
  m_current = m_icons[0].get();
  m_current->Select();
  m_leftIcons.clear();
  m_selectedLeft = m_hoveredLeft = nullptr;
  for (size_t j = 0; j < uidiarytab::kLeftIcons.size(); ++j) {
    m_leftIcons.emplace_back(NewColumnIcon(static_cast<int>(j), "system\\diaryIcon.act", "system\\diaryIcon.spr",
                                           uidiarytab::kLeftIcons[j].sprite, uidiarytab::kLeftIcons[j].label));
  }
  SelectLeft(uidiarytab::kRecords);
  for (auto& pane : m_panes) pane->Notify(sender, code, a, b);
  SetPage(kItemDiary);
}

void UIDiaryTab::SetPage(int page) {
  m_page = page;
  if (page >= kItemDiary && page <= kScrapDiary) {
    m_client = m_panes[static_cast<size_t>(page)].get();
  } else if (page == kOptions) {
    m_client = m_panes[3].get();
  }
  if (m_client != nullptr) m_client->Refresh();
}

void UIDiaryTab::SelectLeft(int index) { ChooseIcon(m_leftIcons[static_cast<size_t>(index)].get(), m_selectedLeft); }

int UIDiaryTab::LeftIconUnderPointer(int left) const { return ColumnRowUnderPointer(left, m_leftIcons.size()); }

void UIDiaryTab::OnLButtonDown() {
  const int left = LeftIconUnderPointer(kColumnPressLeft);
  if (left == uidiarytab::kRecords || left == uidiarytab::kOptionsIcon) {
    SelectLeft(left);
    SetPage(left == uidiarytab::kRecords ? kItemDiary : kOptions);
  } else if (left == uidiarytab::kExit && g_pCurrentDesktop != nullptr) {
    UIMessage& box = g_pCurrentDesktop->m_messageBox;
    box.SetText("정말 그만 하시겠습니까?", this, kQuitAnswer, 0, 0);
    box.Popup(this, UIMessage::kYesNo, 230, 150);
  }
  if (m_page != kOptions) {
    const int page = IconUnderPointer();
    if (page != -1) {
      ChooseIcon(m_icons[static_cast<size_t>(page)].get(), m_current);
      SetPage(page);
    }
  }
  if (m_client != nullptr) m_client->OnLButtonDown();
}

void UIDiaryTab::OnMouseMove() {
  const int left = LeftIconUnderPointer(kColumnHoverLeft);
  TrackHover(left != -1 ? m_leftIcons[static_cast<size_t>(left)].get() : nullptr, m_hoveredLeft);
  UITab::OnMouseMove();  // the page icons, then the pane
}


// The diaries draw no page strip of their own: the tab's strip goes under
// them, or the party tab's last one would stay behind their page icons.
void UIDiaryTab::DrawLocked(CRC* rc) {
  UITab::DrawLocked(rc);  // the strip of the page, then the pane
  DrawBitmap(rc, g_uiOriginX + 9, g_uiOriginY + 37, "UserInterface\\ltab-02.bmp", 0, 0xFFFFFF);
}

void UIDiaryTab::Draw(CRC* rc) {
  if (m_client != nullptr) m_client->Draw(rc);
  for (auto& icon : m_leftIcons) icon->Draw(rc);
  if (m_page == kOptions) return;
  for (auto& icon : m_icons) icon->Draw(rc);
}
