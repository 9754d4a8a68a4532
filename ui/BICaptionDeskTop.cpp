#include "ui/BICaptionDeskTop.h"

#include <algorithm>
#include <cstdio>

#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "platform/Keys.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MenuList.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "ui/BIMenu.h"
#include "ui/BIStatusBox.h"
#include "ui/BattleMenuSet.h"

namespace {
namespace bicaptiondesktop {

enum PadKey : int { kUp = 0, kBack = 1, kPage = 2, kDown = 3, kConfirm = 4, kConfirm2 = 5 };

bool PadPressed(int button) {
  if (g_pMainKeyPad == nullptr) return false;
  const int32_t state = g_pMainKeyPad->m_buttons[static_cast<size_t>(button)];
  return IsNewlyPressed(state);
}

bool KeyDown(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

// The row's entry in one of the shared lists, or -1 past its end.
int ListEntry(const std::vector<int>& indexes, int row) {
  return row >= 0 && row < static_cast<int>(indexes.size()) ? indexes[static_cast<size_t>(row)] : -1;
}

std::string Described(const std::string& name, const std::string& desc) { return name + ": " + desc; }

template <size_t N>
std::string Requirements(const std::array<CSession::CostDue, N>& dues, const char* const (&labels)[N]) {
  std::string line;
  for (size_t k = 0; k < N; ++k) {
    if (dues[k].need == 0) continue;
    char text[64];
    std::snprintf(text, sizeof text, labels[k], dues[k].need, dues[k].have);
    line += text;
  }
  return line;
}

constexpr const char* kElementLabels[4] = {"수(%d/%d) ", "지(%d/%d) ", "화(%d/%d) ", "풍(%d/%d) "};
constexpr const char* kSkillLabels[3] = {"지성(%d/%d) ", "감성(%d/%d) ", "체력(%d/%d) "};

}  // namespace bicaptiondesktop
}  // namespace

BICaptionDeskTop* BICaptionDeskTop::s_instance = nullptr;

BICaptionDeskTop& BICaptionDeskTop::GetInstance() {
  static BICaptionDeskTop deskTop;
  return deskTop;
}

BICaptionDeskTop::BICaptionDeskTop() : BICaption(0, 0, 640, 480) { s_instance = this; }

BICaptionDeskTop::~BICaptionDeskTop() {
  DeleteChildren();
  s_instance = nullptr;
}

void BICaptionDeskTop::Forget(const BICaption* widget) {
  BICaptionDeskTop* deskTop = s_instance;
  if (deskTop == nullptr || widget == deskTop) return;
  if (deskTop->m_active == widget) deskTop->m_active = nullptr;
  if (deskTop->m_statusBox == widget) deskTop->m_statusBox = nullptr;
  auto& deferred = deskTop->m_deferred;
  deferred.erase(std::remove_if(deferred.begin(), deferred.end(), [widget](const auto& d) { return d.first == widget; }),
                 deferred.end());
}

void BICaptionDeskTop::Defer(BICaption* widget, int code) {
  for (auto& d : m_deferred) {
    if (d.first == widget) {
      d.second = code;
      return;
    }
  }
  m_deferred.emplace_back(widget, code);
}

void BICaptionDeskTop::Layout() {
  m_x = m_y = 0;
  m_width = 640;
  m_height = 480;
  m_menuX = 220;
  m_menuY = 195;
  auto* menu = new BIMenu;
  menu->m_x = menu->m_y = 20;
  menu->m_width = 120;
  menu->m_height = 140;
  AddChild(menu);
  menu->Layout();
}

void BICaptionDeskTop::Build(int menuKey) {
  m_closeAsked = false;
  if (!m_builtOnce) {
    m_builtOnce = true;
    m_menuX = BIViewWidth() / 2 - 100;
    m_menuY = BIViewHeight() / 2 - 95;
  }
  DeleteChildren();
  m_statusBox = new BIStatusBox;
  AddChild(m_statusBox);
  auto* menu = new BIMenu;
  AddChild(menu);
  menu->Fill(menuKey);
  menu->m_focused = 1;
  menu->NotifyTree(nullptr, 1, 0, 0, 0);
  m_deferred.clear();
}

void BICaptionDeskTop::Close() {
  if (m_handlingInput) {
    m_closeAsked = true;
    return;
  }
  DeleteChildren();
  m_deferred.clear();
  m_actingPosition = -1;
}

BICaption* BICaptionDeskTop::FirstFocusedChild() const {
  for (BICaption* child : m_children) {
    if (child->m_focused != 0) return child;
  }
  return nullptr;
}

void BICaptionDeskTop::OnKey() {
  m_handlingInput = true;
  RunInput();
  m_handlingInput = false;
  if (m_closeAsked) {
    m_closeAsked = false;
    Close();
  }
}

void BICaptionDeskTop::RunInput() {
  if (RunActiveWidget() || RunDeferred()) return;
  const CMouse& mouse = CMouse::GetInstance();
  const auto changed = [](int32_t state) { return state == kStatePressed || state == kStateReleased || state == kStatePressedAgain; };
  if (mouse.m_dx != 0 || mouse.m_dy != 0 || changed(mouse.m_mouseButtons[0]) ||
      changed(mouse.m_mouseButtons[1])) {
    m_pointerMoved = 1;
  }
  RunPadAndLetters();
  if (m_pointerMoved != 0) RunPointer();
}

bool BICaptionDeskTop::RunActiveWidget() {
  BICaption* active = m_active;
  if (active == nullptr) return false;
  if (CMouse::GetInstance().m_mouseDown[0]) {
    active->OnDrag();
  } else {
    active->OnBlur();
    m_active = nullptr;
  }
  return true;
}

bool BICaptionDeskTop::RunDeferred() {
  if (m_deferred.empty()) return false;
  // A notice may delete another pending widget, which then leaves the list.
  const auto pending = m_deferred;
  for (const auto& [widget, code] : pending) {
    const bool still = std::any_of(m_deferred.begin(), m_deferred.end(), [w = widget](const auto& d) { return d.first == w; });
    if (still) widget->Notify(nullptr, code, 0, 0, 0);
  }
  m_deferred.clear();
  return true;
}

void BICaptionDeskTop::RunPadAndLetters() {
  static constexpr struct {
    int button;
    void (BICaption::*handler)();
  } kPad[] = {{bicaptiondesktop::kBack, &BICaption::OnBackKey}, {bicaptiondesktop::kPage, &BICaption::OnPageKey}, {bicaptiondesktop::kUp, &BICaption::OnUpKey},
              {bicaptiondesktop::kDown, &BICaption::OnDownKey}};
  void (BICaption::*handler)() = nullptr;
  if (bicaptiondesktop::PadPressed(bicaptiondesktop::kConfirm) || bicaptiondesktop::PadPressed(bicaptiondesktop::kConfirm2)) {
    handler = &BICaption::OnConfirmKey;
  } else {
    for (const auto& pad : kPad) {
      if (bicaptiondesktop::PadPressed(pad.button)) {
        handler = pad.handler;
        break;
      }
    }
  }
  if (handler != nullptr) {
    m_pointerMoved = 0;
    if (BICaption* focused = FirstFocusedChild()) (focused->*handler)();
    return;
  }
  const bool latched = std::any_of(m_letterLatched.begin(), m_letterLatched.end(), [](bool l) { return l; });
  if (!latched) {
    if (BICaption* focused = FirstFocusedChild()) focused->PollHotkeys();
  }
  for (size_t i = 0; i < kLetters.size(); ++i) m_letterLatched[i] = bicaptiondesktop::KeyDown(kLetters[i]);
}

BICaption* BICaptionDeskTop::TopChildUnderPointer() const {
  // The help line lies under the menus; a sub-menu's tab that reaches into
  // it is what the player sees and presses.
  const CMouse& mouse = CMouse::GetInstance();
  for (auto it = m_children.rbegin(); it != m_children.rend(); ++it) {
    if ((*it)->Holds(mouse.m_x, mouse.m_y)) return *it;
  }
  return nullptr;
}

void BICaptionDeskTop::RunPointer() {
  BICaption* under = TopChildUnderPointer();
  if (under == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  if (IsNewlyPressed(mouse.m_mouseButtons[0])) {
    // The second half of a double press that turned a tab's page would
    // choose the row the new page put under the pointer.
    const bool echo = mouse.m_mouseButtons[0] == kStatePressedAgain && m_pageTurnPress;
    m_pageTurnPress = false;
    if (!echo) under->OnClick();
  } else if (mouse.m_wheel != 0) {
    under->OnWheel();
  } else if (mouse.m_dx != 0 || mouse.m_dy != 0) {
    under->OnHover();
  } else if (!mouse.m_mouseDown[0] && !mouse.m_mouseDown[1]) {
    under->OnPointerIdle();
  }
}

void BICaptionDeskTop::Notify(BICaption* sender, int code, int a, int b, int c) {
  if (code != 10 || m_statusBox == nullptr) return;
  const auto lines = HelpLines(a, b);
  m_statusBox->Show(lines[0], lines[1]);
}

std::array<std::string, 2> BICaptionDeskTop::HelpLines(int command, int index) const {
  switch (command) {
    case CBattleMenuSet::kUseItem:
    case CBattleMenuSet::kEquipItem: {
      const int item = bicaptiondesktop::ListEntry(CItemList::GetInstance().Indexes(), index);
      const CItemMgr& items = CItemMgr::GetInstance();
      if (item < 0 || item >= items.GetCount()) return {};
      const ITM* record = items.GetItem(item);
      return {bicaptiondesktop::Described(record->name, record->desc), ""};
    }
    case CBattleMenuSet::kCastMagic: {
      const int magic = bicaptiondesktop::ListEntry(CMagicList::GetInstance().Indexes(), index);
      const MagicTypeInfo* info = magic >= 0 ? CMagicMgr::GetInstance().GetMagicTypeInfo(magic) : nullptr;
      if (info == nullptr) return {};
      return {bicaptiondesktop::Described(info->name, info->desc),
              bicaptiondesktop::Requirements(CSession::GetInstance().MagicDues(m_actingPosition, magic), bicaptiondesktop::kElementLabels)};
    }
    case CBattleMenuSet::kUseSkill: {
      const int skill = bicaptiondesktop::ListEntry(CSkillList::GetInstance().Indexes(), index);
      const SkillTypeInfo* info = skill >= 0 ? CSkillMgr::GetInstance().GetSkillTypeInfo(skill) : nullptr;
      if (info == nullptr) return {};
      return {bicaptiondesktop::Described(info->name, info->desc),
              bicaptiondesktop::Requirements(CSession::GetInstance().SkillDues(m_actingPosition, skill), bicaptiondesktop::kSkillLabels)};
    }
    default:
      return {};
  }
}
