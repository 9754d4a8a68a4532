// The player's battle commands: the answer to a chosen command with its
// refusals, the lists a target is chosen from, the target and ground
// cursors, and the phases in which the player aims.
#include <algorithm>
#include <cmath>
#include <string>

#include "battle/ActionCode.h"
#include "battle/BattleObject.h"
#include "battle/BattlePhase.h"
#include "battle/BattlePlayer.h"
#include "engine/Controller.h"
#include "engine/Mouse.h"
#include "engine/Wave.h"
#include "field/PickRegionList.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/DebugLog.h"
#include "platform/Random.h"
#include "render/3dGround.h"
#include "render/GroundPick.h"
#include "render/RC.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/MenuList.h"
#include "ui/BattleMenuSet.h"
#include "session/Session.h"
#include "session/SkillMgr.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/Draw2d.h"
#include "ui/UIMagicPane.h"

namespace {

enum TargetKind : int32_t { kAimAlly = 0, kAimEnemy = 2, kAimGround = 4 };

// `m_command` holds the chosen menu entry's command.
using Menu = CBattleMenuSet;

constexpr int kItemTargetAttr = 16;
constexpr int kFirstBattleItemKind = 7;
constexpr int kLastBattleItemKind = 11;
constexpr int kStandingForNoRevival = 4;
constexpr int kTargetPick = 5;
constexpr int32_t kGroundReach = 13;
constexpr int kTacticsRows = 5;
constexpr int kCaptionTile = 40;
constexpr uint32_t kCaptionFrameColour = 0xCCFFFFFF;
constexpr const char* kMenuSound = "전투 메뉴 선택시 나는 소리.wav";
constexpr const char* kWarningSound = "쓸수없는메뉴선택시나는경고음.wav";
constexpr const char* kAimSound = "전투메뉴 선택 후 공격하거나 마법 걸 캐릭터를 선택할 때의 소리.wav";
constexpr const char* kNoWeapon = "장착된 무기가 없습니다";

const CSelvarinActor* Placed(const CActor* actor) { return dynamic_cast<const CSelvarinActor*>(actor); }

intptr_t AsValue(CActor* actor) { return reinterpret_cast<intptr_t>(static_cast<CObject*>(actor)); }

bool Standing(const CActor* actor) {
  const CSelvarinActor* placed = Placed(actor);
  return placed != nullptr && !IsSkippedByTargetMenu(placed->m_actionCode);
}

bool Pressed(size_t button) {
  if (g_pMainKeyPad == nullptr || button >= g_pMainKeyPad->m_buttons.size()) return false;
  const int32_t state = g_pMainKeyPad->m_buttons[button];
  return IsNewlyPressed(state);
}

// Keypad button 5 or 6 newly pressed, marked used.
bool TakeConfirmKey() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && g_pMainKeyPad->m_buttons[button] == kStatePressed) {
      g_pMainKeyPad->m_buttons[button] = kStateHeld;
      return true;
    }
  }
  return false;
}

bool TakeClick() {
  CMouse& mouse = CMouse::GetInstance();
  if (mouse.m_mouseButtons[0] != kStatePressed) return false;
  mouse.m_mouseButtons[0] = kStateHeld;
  return true;
}

// The row of a sub-menu's list, or -1 (logged) outside it.
int RowOf(const std::vector<int>& indexes, int row, const char* list) {
  if (row >= 0 && row < static_cast<int>(indexes.size())) return indexes[static_cast<size_t>(row)];
  DebugLog(std::string("CSelvarinFrame : the row ") + std::to_string(row) + " is not in the " + list);
  return -1;
}

// The ground grid's cell offset of a direction code turned by the camera's
// sector, going round by eighths. Rows here grow away from a camera at
// heading 0, so the row steps are those of a grid whose rows grow toward it.
void StepCell(int code, int32_t* dx, int32_t* dz) {
  static constexpr int kX[8] = {0, -1, -1, -1, 0, 1, 1, 1};
  static constexpr int kZ[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
  *dx += kX[code];
  *dz += kZ[code];
}

// The camera heading's 45-degree sector, 0 around 0.
int HeadingSector(float heading) {
  const float turned = std::fmod(heading, 360.0f);
  if (!std::isfinite(turned)) return 0;
  const auto sector = static_cast<int>(std::floor((turned + 22.5f) / 45.0f));
  return ((sector % 8) + 8) % 8;
}

}  // namespace

void CSelvarinFrame::ShowBattleText(const char* text) { OnMessage(nullptr, 3, reinterpret_cast<intptr_t>(text), 0, 0); }

// Framed like the field's caption, so that a refusal reads over the scene.
void CSelvarinFrame::DrawBattleCaption() {
  if (m_pRC == nullptr || m_captionTimer <= 0 || m_caption.empty()) return;
  CRC& rc = *m_pRC;
  const int centre = rc.ViewWidth() / 2;
  const int textWidth = rc.GetTextWidth(m_caption.c_str());
  const int tiles = (textWidth + kCaptionTile - 1) / kCaptionTile;
  if (rc.BeginScene()) {
    DrawDialogFrame(&rc, centre - tiles * kCaptionTile / 2, 53 + 100 * m_captionLine, 2 * tiles, 0, 0,
                    kCaptionFrameColour, true);
    rc.EndScene();
  }
  if (!rc.LockBackBuffer()) return;
  rc.DrawText2(centre - textWidth / 2, 40 + 100 * m_captionLine, m_caption.c_str(), false, 255, 255, 255);
  rc.UnlockBackBuffer();
}

int CSelvarinFrame::BuildTargetList(int kind) {
  m_targetList.fill(nullptr);
  m_targetCount = 0;
  m_targetCursor = 0;
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return kind == 3 ? 0 : 1;
  const auto add = [this](CActor* actor) {
    if (m_targetCount < kTargetSlots) m_targetList[static_cast<size_t>(m_targetCount++)] = actor;
  };
  const auto cursorOn = [this](const CActor* remembered) {
    for (int i = 0; i < m_targetCount; ++i) {
      if (m_targetList[static_cast<size_t>(i)] == remembered) m_targetCursor = i;
    }
  };
  if (kind == 0) {
    for (CActor* enemy : context->m_battleEnemies) {
      if (Standing(enemy)) add(enemy);
    }
    for (CActor* object : context->m_battleParty) {
      const auto* member = dynamic_cast<const CBattlePlayer*>(object);
      if (member == nullptr || object == m_pCurrentBattleActor || !Standing(object) || member->m_record == nullptr) continue;
      if ((static_cast<uint32_t>(member->m_record->stateid) & (kPanic | kStone)) != 0) add(object);
    }
    if (m_lastEnemyTarget == nullptr && m_targetCount > 0) m_lastEnemyTarget = m_targetList[0];
    cursorOn(m_lastEnemyTarget);
    return 1;
  }
  if (kind == 1) {
    for (CActor* object : context->m_battleParty) {
      if (Standing(object)) add(object);
    }
    cursorOn(m_lastAllyTarget);
    return 1;
  }
  if (kind == 3) {
    for (CActor* object : context->m_battleRoster) {
      if (Placed(object) != nullptr && Placed(object)->m_actionCode == kActRemoved) add(object);
    }
    return m_targetCount > 0 ? 1 : 0;
  }
  return 1;
}

// The command is recorded first; a refusal shows why and leaves the menu
// open.
void CSelvarinFrame::ValidateBattleCommand(int command, int index) {
  m_command = command;
  auto* member = dynamic_cast<CBattlePlayer*>(m_pCurrentBattleActor);
  if (member == nullptr) {
    DebugLog("CSelvarinFrame : a battle command without a current member");
    return;
  }
  bool menuSound = true;
  switch (command) {
    case Menu::kAttack:
      if (!CSession::GetInstance().HasWeaponEquipped(member->m_battleId[0])) {
        ShowBattleText(kNoWeapon);
        break;
      }
      menuSound = EnterTargetPhase(kPhaseAttackTarget, 0);
      break;
    case Menu::kDefend:
      StartActing();
      member->OnMessage(this, kMsgOrder, AsValue(member), Menu::kDefend, 0);
      break;
    case Menu::kMove:
      EnterGroundPhase();
      break;
    case Menu::kUseItem:
      menuSound = ValidateItemCommand(*member, index);
      break;
    case Menu::kFlee:
      ValidateFlee(*member);
      break;
    case Menu::kChooseTactics:
      if (index < 0 || index >= kTacticsRows) {
        DebugLog("CSelvarinFrame : no tactics row " + std::to_string(index));
        break;
      }
      if (member->m_record != nullptr) member->m_record->tacticsId = index + 1;
      StartActing();
      IssueBattleOrder(member->m_battleId[0], 1);
      break;
    case Menu::kPlaceholder:
      PlayWave(kWarningSound);
      return;
    case Menu::kEquipItem:
      ValidateEquip(*member, index);
      break;
    case Menu::kCastMagic:
    case Menu::kUseSkill:
      menuSound = ValidateCastCommand(*member, command, index);
      break;
    default:
      DebugLog("CSelvarinFrame : no battle command " + std::to_string(command));
      return;
  }
  if (menuSound) PlayWave(kMenuSound);
}

void CSelvarinFrame::StartActing() {
  m_battlePhase = kPhaseRunning;
  m_phaseTick = 0;
  m_groundSelect = 0;
  BICaptionDeskTop::GetInstance().Close();
}

// Nobody to aim at refuses with the warning and keeps the menu.
bool CSelvarinFrame::EnterTargetPhase(int phase, int list) {
  BuildTargetList(list);
  if (m_targetCount == 0) {
    PlayWave(kWarningSound);
    return false;
  }
  m_battlePhase = phase;
  return true;
}

void CSelvarinFrame::EnterGroundPhase() {
  m_battlePhase = kPhaseGroundPoint;
  m_groundSelect = 1;
}

bool CSelvarinFrame::ValidateItemCommand(CBattlePlayer& member, int row) {
  const int item = RowOf(CItemList::GetInstance().Indexes(), row, "item list");
  const ITM* info = item >= 0 ? CItemMgr::GetInstance().GetItem(item) : nullptr;
  if (info == nullptr) return true;
  if (info->kind < kFirstBattleItemKind || info->kind > kLastBattleItemKind) {
    DebugLog("Invalid Item Type");
    return false;
  }
  member.OnMessage(this, kMsgChosenIndex, item, 0, 0);
  return AimChosen(member, Menu::kUseItem, item, info->GetAttr(kItemTargetAttr), info->name == "세이지");
}

void CSelvarinFrame::ValidateFlee(CBattlePlayer& member) {
  CSession& session = CSession::GetInstance();
  const std::vector<std::string>& refusals = m_battleSet.fleeRefusals;
  const char* text = nullptr;
  if (!refusals.empty()) {
    text = refusals[static_cast<size_t>(platform::Rand()) % refusals.size()].c_str();
  } else if (!session.RollEscape()) {
    text = "도주 실패";
  }
  if (text == nullptr) return;  // the battle mode runs away from here
  m_command = Menu::kPlaceholder;
  StartActing();
  member.m_timeGauge = 0.0f;
  ShowBattleText(text);
}

void CSelvarinFrame::ValidateEquip(CBattlePlayer& member, int row) {
  const int item = RowOf(CItemList::GetInstance().Indexes(), row, "item list");
  if (item < 0) return;
  if (CSession::GetInstance().Equip(member.m_battleId[0], item)) return;
  const ITM* info = CItemMgr::GetInstance().GetItem(item);
  const std::string text = (info != nullptr ? info->name : std::string()) + " 장착할 수 없습니다";
  ShowBattleText(text.c_str());
}

bool CSelvarinFrame::ValidateCastCommand(CBattlePlayer& member, int command, int row) {
  CSession& session = CSession::GetInstance();
  const int position = member.m_battleId[0];
  if (command == Menu::kCastMagic) {
    const int magic = RowOf(CMagicList::GetInstance().Indexes(), row, "magic list");
    const MagicTypeInfo* info = magic >= 0 ? CMagicMgr::GetInstance().GetMagicTypeInfo(magic) : nullptr;
    if (info == nullptr) return true;
    if (CMagicMgr::GetInstance().TestMagic(magic)) TellPartner(member);
    int reason = 0;
    if (!session.CanCastMagic(position, magic, &reason)) {
      ShowBattleText(MagicRefusal(reason));
      return true;
    }
    member.OnMessage(this, kMsgChosenIndex, magic, 0, 0);
    return AimChosen(member, Menu::kCastMagic, magic, info->targetType, info->name == "리저렉션");
  }
  const int skill = RowOf(CSkillList::GetInstance().Indexes(), row, "skill list");
  const SkillTypeInfo* info = skill >= 0 ? CSkillMgr::GetInstance().GetSkillTypeInfo(skill) : nullptr;
  if (info == nullptr) return true;
  if (!session.HasWeaponEquipped(position)) {
    ShowBattleText(kNoWeapon);
    return true;
  }
  if (!session.CanPaySkillCost(position, skill)) {
    ShowBattleText("스킬포인트가 부족합니다");
    return true;
  }
  member.OnMessage(this, kMsgChosenIndex, skill, 0, 0);
  return AimChosen(member, Menu::kUseSkill, skill, info->targetType, info->name == "사혈_삼릉침술(瀉血_三稜針術)");
}

// A party member partner then enters its joint cast.
void CSelvarinFrame::TellPartner(CBattlePlayer& member) {
  CBattleActor* partner = CSession::GetInstance().FindPartnerActor(&member);
  m_partner = partner;
  if (partner != nullptr) partner->OnMessage(this, kMsgPartnerCast, 0, 0, 0);
}

// By the target kind: an ally (a revival first checks who has fallen), an
// enemy, a ground point, or the member itself at once.
bool CSelvarinFrame::AimChosen(CBattlePlayer& member, int command, int chosen, int targetKind, bool revival) {
  m_chosenIndex = chosen;
  m_selectKind = targetKind;
  switch (targetKind) {
    case kAimAlly:
      return revival ? CheckRevival() : EnterTargetPhase(kPhaseAllyTarget, 1);
    case kAimEnemy:
      return EnterTargetPhase(kPhaseAttackTarget, 0);
    case kAimGround:
      EnterGroundPhase();
      return true;
    default:
      break;
  }
  StartActing();
  member.OnMessage(this, kMsgOrder, AsValue(&member), command, 0);
  PayChosenCost(member);
  return true;
}

bool CSelvarinFrame::CheckRevival() {
  const CSelvarinContext* context = GetContext();
  const auto standing = context != nullptr ? std::count_if(context->m_battleParty.begin(), context->m_battleParty.end(), Standing) : 0;
  if (standing >= kStandingForNoRevival) {
    ShowBattleText("사용할 수 없습니다");
    return true;
  }
  if (BuildTargetList(3) == 0) {
    ShowBattleText("치료할 대상이 없습니다");
    return true;
  }
  m_battlePhase = kPhaseAllyTarget;
  return true;
}

void CSelvarinFrame::PayChosenCost(const CBattleActor& member) {
  CSession& session = CSession::GetInstance();
  if (m_command == Menu::kCastMagic) session.PayMagicCost(member.m_battleId[0], m_chosenIndex);
  if (m_command == Menu::kUseSkill) session.PaySkillCost(member.m_battleId[0], m_chosenIndex);
}

// ---- Aiming ----

bool CSelvarinFrame::MoveTargetCursor() {
  const CMouse& mouse = CMouse::GetInstance();
  bool over = false;
  const std::list<PickRegion>& regions = g_pickRegionList.Regions();
  for (auto it = regions.rbegin(); it != regions.rend(); ++it) {
    const PickRegion& r = *it;
    if (r.kind != kTargetPick || mouse.m_x <= r.x0 || mouse.m_x >= r.x1 || mouse.m_y <= r.y0 || mouse.m_y >= r.y1) {
      continue;
    }
    over = true;
    if (mouse.m_dx == 0 && mouse.m_dy == 0) break;
    for (int i = 0; i < m_targetCount; ++i) {
      if (m_targetList[static_cast<size_t>(i)] == r.actor2d) m_targetCursor = i;
    }
    break;
  }
  if (m_targetCount > 0) {
    if (Pressed(kPadUp)) --m_targetCursor;
    if (Pressed(kPadDown)) ++m_targetCursor;
    if (m_targetCursor < 0) m_targetCursor = m_targetCount - 1;
    if (m_targetCursor >= m_targetCount) m_targetCursor = 0;
  }
  return over;
}

void CSelvarinFrame::MoveGroundCursor(float* x, float* z) {
  GroundCursor& cursor = m_groundCursor;
  const CMouse& mouse = CMouse::GetInstance();
  // Each button names a direction on the screen, tried in this order.
  static constexpr struct {
    size_t button;
    int code;
  } kKeys[] = {{3, 2}, {4, 6}, {2, 4}, {5, 0}};
  int code = -1;
  for (const auto& key : kKeys) {
    if (Pressed(key.button)) {
      code = key.code;
      break;
    }
  }
  if (code >= 0) {
    cursor.keyMode = 1;
  } else if (mouse.m_dx != 0 || mouse.m_dy != 0) {
    cursor.keyMode = 0;
  }
  CSelvarinView* view = GetView();
  const C3dGround* ground = GetContext() != nullptr ? GetContext()->m_pGround : nullptr;
  const C3dGroundPickInfo* cell = nullptr;
  if (view != nullptr) {
    if (cursor.keyMode == 0) {
      cursor.dx = cursor.dz = 0;
      cell = C3dGroundPickInfo::Pick(view->m_groundPicks, static_cast<float>(mouse.m_x), static_cast<float>(mouse.m_y));
    } else {
      if (code >= 0) {
        StepCell((code + HeadingSector(view->m_yaw)) % 8, &cursor.dx, &cursor.dz);
        cursor.dx = std::clamp(cursor.dx, -kGroundReach, kGroundReach);
        cursor.dz = std::clamp(cursor.dz, -kGroundReach, kGroundReach);
      }
      const float width = m_pRC != nullptr ? static_cast<float>(m_pRC->ViewWidth()) : 640.0f;
      const float height = m_pRC != nullptr ? static_cast<float>(m_pRC->ViewHeight()) : 480.0f;
      cell = C3dGroundPickInfo::Pick(view->m_groundPicks, width / 2.0f, height / 2.0f);
    }
  }
  // No cell under the point keeps the one chosen before.
  if (cell != nullptr) {
    cursor.cellX = cell->m_column + cursor.dx;
    cursor.cellZ = cell->m_row + cursor.dz;
  }
  const int32_t size = ground != nullptr ? ground->CellSize() : 0;
  const int32_t columns = ground != nullptr ? ground->Width() : 0;
  const int32_t rows = ground != nullptr ? ground->Height() : 0;
  *x = static_cast<float>(size * (cursor.cellX - columns / 2) + size / 2);
  *z = static_cast<float>(size * (cursor.cellZ - rows / 2) + size / 2);
}

void CSelvarinFrame::RunTargetSelection() {
  const bool over = MoveTargetCursor();
  const bool confirm = TakeConfirmKey() || (over && TakeClick());
  CActor* target = m_targetCount > 0 ? m_targetList[static_cast<size_t>(m_targetCursor)] : nullptr;
  if (!confirm) {
    if (target != nullptr) m_lookTarget = target;
    return;
  }
  auto* member = dynamic_cast<CBattlePlayer*>(m_commandActor);
  if (member == nullptr || target == nullptr) return;
  PlayWave(kAimSound);
  StartActing();
  if (dynamic_cast<CBattlePlayer*>(target) == nullptr) {
    m_lastEnemyTarget = target;
  } else {
    m_lastAllyTarget = target;
  }
  const int32_t special = m_command == Menu::kAttack && member->m_record != nullptr && member->m_record->cp == PlayerData::kFullCombatPoints;
  member->OnMessage(this, kMsgOrder, AsValue(target), m_command, special);
  PayChosenCost(*member);
}

void CSelvarinFrame::RunGroundSelection() {
  float x = 0.0f, z = 0.0f;
  MoveGroundCursor(&x, &z);
  if (!TakeConfirmKey() && !TakeClick()) return;
  auto* member = dynamic_cast<CBattlePlayer*>(m_commandActor);
  if (member == nullptr) return;
  PlayWave(kAimSound);
  m_groundSelect = 0;
  member->OnMessage(this, kMsgWalkPoint, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&z), 0);
  // An item of the area kind lands on the chosen point as well; refused
  // here it would leave the member in this phase for good.
  if (m_command != Menu::kMove && m_command != Menu::kUseItem && m_command != Menu::kCastMagic &&
      m_command != Menu::kUseSkill) {
    DebugLog("Error In\t( case BM_SELECT_GROUND )");
    return;
  }
  CActor* highlighted = m_targetCount > 0 ? m_targetList[static_cast<size_t>(m_targetCursor)] : nullptr;
  StartActing();
  member->OnMessage(this, kMsgOrder, AsValue(highlighted), m_command, 0);
  // Aimed at the ground, a magic or skill is paid for as one aimed at a
  // participant.
  PayChosenCost(*member);
}
