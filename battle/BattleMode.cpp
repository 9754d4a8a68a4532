// The battle mode of the game frame: one tick of a battle, the orders of
// the participants whose turn has come, the phase machine with its camera,
// and the hand-over to the result or game-over mode.
#include <algorithm>
#include <cmath>

#include "battle/ActionCode.h"
#include "battle/BattleObject.h"
#include "battle/BattlePhase.h"
#include "battle/BattlePlayer.h"
#include "engine/ActRes.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/FrameMgr.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "engine/Wave.h"
#include "field/PickRegionList.h"
#include "field/QuitConfirm.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/InputScript.h"
#include "platform/DebugLog.h"
#include "platform/Keys.h"
#include "platform/Random.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "rules/Condition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/BICaptionDeskTop.h"
#include "ui/BattleMenuSet.h"

namespace {
namespace battlemode {

constexpr int kPointerOverWidget = 5;
constexpr int kPointer = 2;
constexpr int32_t kWaitingForKey = 5;
constexpr const char* kPageSound = "대사넘길때나오는소리.wav";
constexpr const char* kDoubleDropMask = "타이거마스크";

constexpr int32_t kDefeatPeriod = 240;
constexpr int32_t kOpeningTicks = 64;
constexpr int32_t kCloseTicks = 300;
constexpr int32_t kVictoryPoseTick = 150;
constexpr int32_t kSlowMotionTicks = 120;
constexpr int32_t kEscapeTicks = 35;
constexpr int32_t kFadeFromColour = 3;
constexpr int32_t kFadeToColour = 4;

bool KeyHeld(int key) { return (static_cast<uint16_t>(platform::GetKeyState(key)) & 0x8000) != 0; }

bool PadHeld(size_t button) {
  if (g_pMainKeyPad == nullptr) return false;
  const int32_t state = g_pMainKeyPad->m_buttons[button];
  return state == kStatePressed || state == kStateHeld || state == kStatePressedAgain;
}

// -1 at the low edge (within 3 pixels), 1 at the high one, 0 back in the
// middle sixth; otherwise the shift kept.
int32_t EdgeShift(int32_t kept, int at, int size) {
  if (at <= 3) return -1;
  if (at >= size - 4) return 1;
  if (at * 12 > size * 5 && at * 12 < size * 7) return 0;
  return kept;
}

// Keypad button 5 or 6 newly pressed, or a fresh left click; what it takes
// is marked used.
bool TakeBattleConfirm() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && g_pMainKeyPad->m_buttons[button] == kStatePressed) {
      g_pMainKeyPad->m_buttons[button] = kStateHeld;
      return true;
    }
  }
  CMouse& mouse = CMouse::GetInstance();
  if (mouse.m_mouseButtons[0] != kStatePressed) return false;
  mouse.m_mouseButtons[0] = kStateHeld;
  return true;
}

// The same, left for the event script's window to take.
bool ConfirmDown() {
  for (size_t button : {size_t{4}, size_t{5}}) {
    if (g_pMainKeyPad != nullptr && g_pMainKeyPad->m_buttons[button] == kStatePressed) return true;
  }
  return CMouse::GetInstance().m_mouseButtons[0] == kStatePressed;
}

void DrawPointer(CRC& rc, int action) {
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr || !rc.BeginScene()) return;
  const CMouse& mouse = CMouse::GetInstance();
  rc.DrawAction(mouse.m_x, mouse.m_y, actions, sprites, action, 0, 1.0f, 0, 0xFFFFFFFF, true);
  rc.EndScene();
}

bool IsUp(const PlayerData& member) {
  return (static_cast<uint32_t>(member.stateid) & (kUndead | kDying)) == 0;
}

const CSelvarinActor* Placed(const CActor* actor) { return dynamic_cast<const CSelvarinActor*>(actor); }

intptr_t AsValue(CActor* actor) { return reinterpret_cast<intptr_t>(static_cast<CObject*>(actor)); }

}  // namespace battlemode
}  // namespace

void CSelvarinFrame::RunBattle() {
  CSelvarinContext* context = GetContext();
  if (battlemode::KeyHeld(platform::VK_ESCAPE)) {
    if (ShowQuitConfirm() == kQuitYes) {
      if (context != nullptr) context->ReturnFromBattle();
      CFrameMgr::GetInstance().ChangeFrame("title");
    }
    return;
  }
  DragBattleCamera();
  if (m_command == CBattleMenuSet::kFlee && m_battlePhase != kPhaseRunningAway && m_battlePhase != kPhaseEscaped) {
    m_battlePhase = kPhaseRunningAway;
    m_phaseTick = 0;
    return;
  }
  const bool beaten = m_modeTick % battlemode::kDefeatPeriod == 0 && IsPartyBeaten();
  const bool cleared = context == nullptr || (context->m_battleEnemies.empty() && m_battleTick > battlemode::kCloseTicks);
  if (cleared || m_battlePhase == kPhaseScriptEnded || m_battlePhase == kPhaseEscaped) {
    WinBattle();
    return;
  }
  if (context->m_battleParty.empty() || beaten) {
    LoseBattle();
    return;
  }
  const bool choosing = m_battlePhase >= kPhaseAttackTarget && m_battlePhase <= kPhaseGroundPoint;
  const CMouse& mouse = CMouse::GetInstance();
  const bool leftPress = IsNewlyPressed(mouse.m_mouseButtons[0]);
  if (choosing && (battlemode::KeyHeld(platform::VK_SPACE) || (leftPress && mouse.m_mouseButtons[1] != kStateUp))) {
    m_battlePhase = kPhaseCommandMenu;
    m_groundSelect = 0;
  }
  if (m_turnRequest > 0) --m_turnRequest;
  RunBattleWorld();
  BattleMenuInput();
  StepBattleScript();
  TickBattleTimers();
  if (WaitNextFrame()) DrawBattle();
}

bool CSelvarinFrame::IsPartyBeaten() const {
  const CSession& session = CSession::GetInstance();
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* member = session.GetPartyMember(n);
    if (member != nullptr && member->battlePtr != nullptr && battlemode::IsUp(*member)) return false;
  }
  return true;
}

void CSelvarinFrame::WinBattle() {
  CSession& session = CSession::GetInstance();
  CSelvarinContext* context = GetContext();
  BattleResult& result = m_battleResult;
  result.memberCount = 0;
  if (context != nullptr) {
    for (CActor* object : context->m_battleParty) {
      const auto* member = dynamic_cast<const CBattlePlayer*>(object);
      if (member == nullptr || member->m_record == nullptr || !battlemode::IsUp(*member->m_record)) continue;
      if (result.memberCount >= static_cast<int32_t>(result.memberIds.size())) {
        DebugLog("CSelvarinFrame : more than four members stand; the rest are left out of the result");
        continue;
      }
      result.memberIds[static_cast<size_t>(result.memberCount++)] = member->m_playerId;
    }
  }
  session.AddGold(result.money);
  RollDrops();
  if (m_battlePhase != kPhaseScriptEnded) result.skipResult = m_battlePhase == kPhaseEscaped ? 1 : 0;
  m_pBattleSpeaker = nullptr;
  ClearMessageLines();
  BICaptionDeskTop::GetInstance().Close();
  m_pCurrentBattleActor = nullptr;
  m_commandActor = nullptr;
  m_turnRequest = 0;
  m_command = -1;
  if (context != nullptr) context->ReturnFromBattle();
  // The result mode returns to the mode of before the battle.
  const int32_t before = m_prevMode;
  platform::MarkScriptAnchor("result");
  ChangeMode(kModeBattleResult);
  m_prevMode = before;
}

void CSelvarinFrame::LoseBattle() {
  m_pBattleSpeaker = nullptr;
  ClearMessageLines();
  BICaptionDeskTop::GetInstance().Close();
  m_pCurrentBattleActor = nullptr;
  m_commandActor = nullptr;
  RestoreBattleCamera();
  if (CSelvarinContext* context = GetContext()) context->ReturnFromBattle();
  ChangeMode(kModeGameOver);
}

// Rolled in list order: a name the item table lacks is logged, not stored.
void CSelvarinFrame::RollDrops() {
  CSession& session = CSession::GetInstance();
  int multiplier = 1;
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    if (session.HasEquipped(session.partyIds[static_cast<size_t>(n)], battlemode::kDoubleDropMask)) multiplier = 2;
  }
  BattleResult& result = m_battleResult;
  result.itemCount = 0;
  const int lines = std::clamp<int>(m_battleSet.itemCount, 0, BattleSet::kMaxItems);
  for (int i = 0; i < lines; ++i) {
    const BattleSet::Weighted& drop = m_battleSet.items[static_cast<size_t>(i)];
    // A set's chance may be any int: doubled, it must not wrap.
    if (platform::Rand() % 100 >= static_cast<int64_t>(drop.value) * multiplier) continue;
    const int item = CItemMgr::GetInstance().Find(drop.name);
    if (item < 0) {
      DebugLog("CSelvarinFrame : the dropped item " + drop.name + " is not in the item table");
      continue;
    }
    if (result.itemCount >= static_cast<int32_t>(result.items.size())) break;
    result.items[static_cast<size_t>(result.itemCount++)] = item;
  }
}

void CSelvarinFrame::RunBattleWorld() {
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return;
  CSession& session = CSession::GetInstance();
  if (m_battlePhase == kPhaseRunning || m_battlePhase == kPhaseOpening) {
    bool skip = false;
    int live = 0;
    if (!session.FindLiveEnemy(&live)) {
      ++m_battleTick;
      if (m_battleTick == battlemode::kVictoryPoseTick) {
        for (CActor* object : context->m_battleParty) {
          auto* member = dynamic_cast<CBattlePlayer*>(object);
          if (member == nullptr || member->m_playerId != m_battleResult.mvpId) continue;
          if (member->m_actionCode == kActRemoved || member->m_actionCode == kActDefeated) continue;
          member->OnMessage(this, kMsgVictory, 0, 0, 0);
          m_pCurrentBattleActor = member;
          break;
        }
      }
      skip = m_battleTick <= battlemode::kSlowMotionTicks && m_battleTick % 3 == 0;
    }
    if (skip) return;
    context->UpdateBattleObjects();
    context->UpdateEffects();
    context->UpdateMacroActors();
    TickCaptionTimer();
    return;
  }
  if (m_battlePhase == kPhasePause) {
    context->UpdateEffects();
    TickCaptionTimer();
  }
  context->SyncBattleObjects();
  context->SyncEffects();
}

void CSelvarinFrame::TickBattleTimers() {
  // Message 4: the delay first, then the drawn frames count the flash down.
  if (m_battleValues[1] > 0) --m_battleValues[1];
  if (m_battlePhase == kPhaseRunning && m_hitTicks > 0) {
    --m_hitTicks;
    if (m_hitShown < m_battleCounter) ++m_hitShown;
    if (m_hitTicks == 0) m_battleCounter = m_hitShown = 0;
  }
  for (ScreenFlash& band : m_flashes) {
    if (band.on != 0 && ++band.tick > band.length) band = ScreenFlash{};
  }
  if (m_timedEffect.on != 0) ++m_timedEffect.tick;
  TickHudTimers();
}

// One tick of the escape: the party runs to the escape point, then the
// screen fades and the battle is over.
void CSelvarinFrame::RunEscapePhase() {
  CSelvarinContext* context = GetContext();
  if (context == nullptr) return;
  if (m_phaseTick == 0) {
    m_transKind = battlemode::kFadeToColour;
    m_transColor = 0;
    m_transStep = 0;
    float x = m_battleCenterX, z = m_battleCenterZ + 2.0f * m_battleSet.regionRadius;
    for (CActor* object : context->m_battleParty) {
      auto* member = dynamic_cast<CBattleActor*>(object);
      if (member == nullptr || member->m_actionCode == kActRemoved || member->m_actionCode == kActDefeated) continue;
      member->OnMessage(this, kMsgWalkPoint, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&z), 0);
      member->OnMessage(this, kMsgWalkToPoint, static_cast<intptr_t>(x), static_cast<intptr_t>(z), 0);
    }
  }
  for (CActor* object : context->m_battleParty) object->OnProcess();
  if (++m_phaseTick >= battlemode::kEscapeTicks) {
    m_transKind = battlemode::kFadeFromColour;
    m_transStep = 0;
    m_battlePhase = kPhaseEscaped;
  }
}

void CSelvarinFrame::BattleMenuInput() {
  SetBattleCamera();
  switch (m_battlePhase) {
    case kPhaseRunning:
      if (m_phaseTick++ == 0) m_battleControl = 0;
      if (battlemode::ConfirmDown()) m_battleControl = 1;
      g_brightnessFactor = std::min(1.0f, g_brightnessFactor + 0.007f);
      break;
    case kPhaseCommandMenu:
      BICaptionDeskTop::GetInstance().OnKey();
      break;
    case kPhaseAttackTarget:
    case kPhaseAllyTarget:
      RunTargetSelection();
      break;
    case kPhaseGroundPoint:
      RunGroundSelection();
      break;
    case kPhaseOpening:
      if (m_modeTick > battlemode::kOpeningTicks) {
        m_battlePhase = kPhaseRunning;
        m_phaseTick = 0;
      }
      break;
    case kPhasePause:
      g_brightnessFactor = std::max(0.3f, g_brightnessFactor - 0.05f);
      if (++m_phaseTick > m_pauseLength) {
        m_battlePhase = kPhaseRunning;
        m_phaseTick = 0;
      }
      break;
    case kPhaseRunningAway:
      RunEscapePhase();
      break;
    default:
      break;
  }
}

// The view looks at the script's focus while one is held, else at the
// midpoint of the current actor and its look target, at the command actor
// while a command is chosen.
void CSelvarinFrame::SetBattleCamera() {
  CSelvarinView* view = GetView();
  if (view == nullptr || m_battlePhase > kPhaseOpening) return;
  if (m_battlePhase >= kPhaseAttackTarget && m_battlePhase <= kPhaseGroundPoint) {
    SetSelectionCamera();
    return;
  }
  const CSelvarinActor* actor = battlemode::Placed(m_pCurrentBattleActor);
  const CSelvarinActor* look = m_lookTarget != nullptr ? battlemode::Placed(m_lookTarget) : actor;
  if (m_battlePhase == kPhaseCommandMenu && battlemode::Placed(m_commandActor) != nullptr) {
    const Vec3& at = battlemode::Placed(m_commandActor)->m_pos;
    view->ClampCamera(at.x, at.y, at.z, 250.0f);
    return;
  }
  // A battle script's camera, or a joining member's shot, holds the view.
  if (m_battlePhase == kPhaseRunning && view->m_pFocus != nullptr) {
    const Vec3& at = view->m_pFocus->m_pos;
    view->ClampCamera(at.x, at.y, at.z, 190.0f);
    return;
  }
  if (actor == nullptr || look == nullptr) return;
  const Vec3 a = actor->m_pos, b = look->m_pos;
  Vec3 mid{(a.x + b.x) / 2.0f, std::min(a.y, b.y), (a.z + b.z) / 2.0f};
  const float minimum = m_turnRequest > 0 ? 190.0f : 350.0f;
  const float distance = std::max(std::fabs(a.x - b.x) * 4.86f, minimum);
  if (m_battlePhase == kPhaseOpening) {
    const float apart = std::hypot(a.x - b.x, a.z - b.z);
    const float back = std::max(35.0f - apart, 0.0f);
    const float heading = view->m_yaw * 3.14159265f / 180.0f;
    mid.x -= std::sin(heading) * back;
    mid.z -= std::cos(heading) * back;
  }
  view->ClampCamera(mid.x, mid.y, mid.z, distance);
}

// The midpoint of the command actor and the highlighted target, shifted
// toward a screen edge the pointer rests on.
void CSelvarinFrame::SetSelectionCamera() {
  CSelvarinView* view = GetView();
  const CSelvarinActor* actor = battlemode::Placed(m_commandActor);
  if (view == nullptr || actor == nullptr) return;
  const bool listed = m_targetCursor >= 0 && m_targetCursor < std::min(m_targetCount, kTargetSlots);
  const CSelvarinActor* highlighted = listed ? battlemode::Placed(m_targetList[static_cast<size_t>(m_targetCursor)]) : nullptr;
  const Vec3 a = actor->m_pos, b = highlighted != nullptr ? highlighted->m_pos : a;
  Vec3 mid{(a.x + b.x) / 2.0f, std::min(a.y, b.y), (a.z + b.z) / 2.0f};
  const bool back = battlemode::PadHeld(8), in = battlemode::PadHeld(9);
  float distance = 0.0f;
  if (m_battlePhase == kPhaseGroundPoint) {
    distance = back ? 400.0f : in ? 100.0f : 250.0f;
  } else {
    distance = std::max(std::fabs(a.x - b.x) * 4.86f, 350.0f - mid.y);
    if (back) distance += 150.0f;
    if (in) distance -= 150.0f;
  }
  UpdateEdgeShift();
  const float shift = distance * 0.092f;
  const float heading = view->m_yaw * 3.14159265f / 180.0f;
  const float right = static_cast<float>(m_edgeShiftX) * shift, ahead = static_cast<float>(-m_edgeShiftY) * shift;
  mid.x += std::cos(heading) * right + std::sin(heading) * ahead;
  mid.z += -std::sin(heading) * right + std::cos(heading) * ahead;
  view->ClampCamera(mid.x, mid.y, mid.z, distance);
}

void CSelvarinFrame::UpdateEdgeShift() {
  const CMouse& mouse = CMouse::GetInstance();
  const int width = m_pRC != nullptr ? m_pRC->ViewWidth() : 640;
  const int height = m_pRC != nullptr ? m_pRC->ViewHeight() : 480;
  m_edgeShiftX = battlemode::EdgeShift(m_edgeShiftX, mouse.m_x, width);
  m_edgeShiftY = battlemode::EdgeShift(m_edgeShiftY, mouse.m_y, height);
}

void CSelvarinFrame::DragBattleCamera() {
  const CMouse& mouse = CMouse::GetInstance();
  CSelvarinView* view = GetView();
  if (view == nullptr || view->m_noRotate != 0 || m_cameraSweepStep != 0.0f) return;
  if (mouse.m_mouseButtons[1] == kStateUp || mouse.m_mouseButtons[0] != kStateUp) return;
  m_cameraRotating = 1;
  view->m_targetYaw -= static_cast<float>(mouse.m_dx);
}

void CSelvarinFrame::TickDelay() {
  if (m_battleScriptDelay <= 0) return;
  if (--m_battleScriptDelay == 0 && m_battleScriptRunning != 0) RunBattleEventScript(m_battleScriptLine);
}

// A run starts from the script's first line on an idle tick; the message
// window steps while a run waits on it or closes, and a confirm in state 5
// resumes the run.
void CSelvarinFrame::StepBattleScript() {
  const bool idle = m_battlePhase == kPhaseRunning || m_battlePhase == kPhaseOpening;
  const bool windowFree = m_messageState == 0 || m_messageState == battlemode::kWaitingForKey;
  if (m_battleEventLine != -1 && idle && m_battleScriptRunning == 0 && windowFree && m_battleScriptLine == -1) {
    m_battleScriptRunning = 1;
    m_battleConditions.clear();
    m_battleEvents.clear();
    RunBattleEventScript(m_battleEventLine);
  }
  if (m_battleScriptRunning == 0 && m_messageState == 0) return;
  TickDelay();
  UpdateBattleMessage();
  if (m_battleScriptRunning != 0 && m_messageState == battlemode::kWaitingForKey && battlemode::TakeBattleConfirm()) {
    PlayWave(battlemode::kPageSound);
    RunBattleEventScript(m_battleScriptLine);
  }
}

void CSelvarinFrame::DrawBattle() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  rc.Clear(true);
  if (rc.BeginScene()) {
    g_pickRegionList.Clear();
    DrawSky();
    if (CSelvarinView* view = GetView()) view->RenderBattleScene(rc);
    DrawScreenOverlay();
    rc.EndScene();
  }
  DrawBattleHud();
  LoadFaceImage();
  DrawBattleMessage();
  // The pointer shows in every phase: targets, ground points and a script's
  // wait are chosen and clicked with it too.
  BICaptionDeskTop& deskTop = BICaptionDeskTop::GetInstance();
  const bool menu = m_battlePhase == kPhaseCommandMenu;
  if (menu) deskTop.DrawTree(&rc);
  battlemode::DrawPointer(rc, menu && deskTop.ChildUnderPointer() != nullptr ? battlemode::kPointerOverWidget : battlemode::kPointer);
  if (rc.BeginScene()) {
    if (m_battlePhase == kPhaseAttackTarget || m_battlePhase == kPhaseAllyTarget) DrawTargetMarker();
    if (m_battlePhase != kPhaseRunningAway && m_battlePhase != kPhaseEscaped) DrawScreenFlashes();
    rc.EndScene();
  }
  // The veil opens a scene of its own: begun inside this one it drew nothing.
  if (m_modeTick < battlemode::kOpeningTicks) rc.FadeScreen(1.0f - static_cast<float>(m_modeTick) / battlemode::kOpeningTicks);
  if (m_transKind != 0 && rc.BeginScene()) {
    DrawTransition();
    rc.EndScene();
  }
  TakeScreenshot();
  rc.Flip();
}

// Above the highlighted target's pick rectangle, shown every other four
// ticks.
void CSelvarinFrame::DrawTargetMarker() {
  if ((m_modeTick / 4) % 2 != 0 || m_targetCursor < 0 || m_targetCursor >= std::min(m_targetCount, kTargetSlots)) return;
  const auto* target = dynamic_cast<const CSelvarinActor*>(m_targetList[static_cast<size_t>(m_targetCursor)]);
  if (target == nullptr) return;
  CResMgr& res = CResMgr::GetInstance();
  const auto* sprites = dynamic_cast<const CSprRes*>(res.GetRes("system\\cursors.spr"));
  const auto* actions = dynamic_cast<const CActRes*>(res.GetRes("system\\cursors.act"));
  if (sprites == nullptr || actions == nullptr) return;
  for (const PickRegion& region : g_pickRegionList.Regions()) {
    if (region.actor2d != target) continue;
    m_pRC->DrawAction((region.x0 + region.x1) / 2, region.y0 - 8, actions, sprites, 0, 0, 1.0f, 0, 0xFFFFFFFF, true);
    return;
  }
}

void CSelvarinFrame::IssueBattleOrder(int position, int isParty) {
  CSession& session = CSession::GetInstance();
  const bool party = isParty != 0;
  auto* actor = dynamic_cast<CBattleActor*>(session.GetBattleActor(position, party));
  if (actor == nullptr) {
    DebugLog("CSelvarinFrame : an order for a participant who is not in the battle");
    return;
  }
  session.RunTactics(position, party);
  const CSession::TacticDecision decision = session.tacticDecision;
  CActor* target = decision.target;
  int32_t special = 0;
  if (party) {
    m_pCurrentBattleActor = actor;
    if (decision.target != nullptr) {
      m_lookTarget = decision.target;
      if (decision.target->m_decoy != nullptr && platform::Rand() % 3 == 0) target = decision.target->m_decoy;
    }
    const PlayerData* member = session.GetPartyMember(position);
    special = decision.kind == 0 && member != nullptr && member->cp == PlayerData::kFullCombatPoints ? 1 : 0;
  } else if (decision.target != nullptr) {
    const CSelvarinContext* context = GetContext();
    if (decision.target->m_decoy != nullptr && platform::Rand() % 3 == 0) {
      target = decision.target->m_decoy;
    } else if (decision.kind == 0 && context != nullptr && !context->m_battleSpots.empty() && platform::Rand() % 3 == 0) {
      target = context->PickRandomBattleSpot();
    }
  }
  float x = decision.x, z = decision.z;
  actor->OnMessage(this, kMsgChosenIndex, decision.index, 0, 0);
  actor->OnMessage(this, kMsgWalkPoint, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&z), 0);
  actor->OnMessage(this, kMsgOrder, battlemode::AsValue(target), decision.kind, special);
  if (!party) return;
  if (decision.kind == 9) session.PayMagicCost(position, decision.index);
  if (decision.kind == 10) session.PaySkillCost(position, decision.index);
}
