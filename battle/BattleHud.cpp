// The battle's heads-up display: the time-gauge bar with the participants'
// icons, the hit counter, the party panels, the current actor's and the
// target's panels, the screen flashes and the opening fade, and the
// portraits.
#include <algorithm>
#include <cstdio>
#include <string>

#include "battle/ActionCode.h"
#include "battle/BattlePlayer.h"
#include "battle/enemy/BattleEnemy.h"
#include "engine/ActRes.h"
#include "engine/BitmapRes.h"
#include "engine/FrameClock.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "platform/Random.h"
#include "render/RC.h"
#include "render/TextureMgr.h"
#include "render/TgaTextureMgr.h"
#include "rules/Condition.h"
#include "session/MonsterMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

namespace {
namespace battlehud {

// Opaque: the party panels lie under the window's lower lines.
constexpr uint32_t kWindowColour = 0xFFFFFFFF;
constexpr int32_t kWindowClosing = 4;
constexpr int kBarY = 64;
constexpr int kBarWidth = 106;
constexpr int kMpSteps = 22;
constexpr int kPanelTop = 400;
constexpr int kPanelStep = 155;
constexpr int kPanelHalf = 70;
// Actions of "system\\battle.act".
constexpr int kHeadBase = 6, kPanelFrameBase = 18, kLeftCap = 21, kRightCap = 22, kCentreMark = 23, kFullMarker = 24;
constexpr int32_t kGuardCounter = 2;  // the attack mode of a counter from defence

struct Sheet {
  const CActRes* actions = nullptr;
  const CSprRes* sprites = nullptr;
  bool Ready() const { return actions != nullptr && sprites != nullptr; }
};

Sheet LoadSheet(const char* spr, const char* act) {
  CResMgr& res = CResMgr::GetInstance();
  return Sheet{dynamic_cast<const CActRes*>(res.GetRes(act)), dynamic_cast<const CSprRes*>(res.GetRes(spr))};
}

void DrawSheet(CRC& rc, const Sheet& sheet, int x, int y, int action, int frame = 0, uint32_t colour = 0xFFFFFFFF) {
  if (sheet.Ready()) rc.DrawAction(x, y, sheet.actions, sheet.sprites, action, frame, 1.0f, 0, colour, true);
}

platform::Rect Box(int x, int y, int width, int height) { return platform::Rect{x, y, x + width, y + height}; }

// A bar's filled length; a bar without a maximum is empty.
int Filled(int value, int maximum, int length) {
  if (maximum <= 0) return 0;
  return std::clamp(value, 0, maximum) * length / maximum;
}

// Where a member's icon sits on the time-gauge bar.
int MemberIconX(const CBattlePlayer& member) {
  switch (member.m_actionCode) {
    case kActAttack:
      if (member.m_attackMode != kGuardCounter) return 320;
      break;
    case kActWalkBack:
    case kActDying:
    case kActKnockedUp:
    case kActKnockedFall:
    case kActLying:
    case kActGettingUp:
    case kActLanding:
    case kActDazed:
      return 160;
    default:
      break;
  }
  if (member.m_timeGauge >= 100.0f) return 320;
  return 160 + static_cast<int>(member.m_timeGauge * 1.1f);
}

int EnemyMarkerX(const CBattleActor& enemy) {
  switch (enemy.m_actionCode) {
    case kActDying:
    case kActRemoved:
    case kActWander:
    case kActDefeated:
      return 490;
    default:
      return 490 - static_cast<int>(enemy.m_timeGauge * 1.2f);
  }
}

uint32_t FlashColour(int32_t kind) {
  switch (kind) {
    case 0:
      return 0x88FFFFFF;
    case 1:
      return 0x88FF0000;
    case 2:
      return 0xFFFFFFFF;
    default:
      return 0xEEFFFFFF;
  }
}

void DrawNumber(CRC& rc, int x, int y, int value) {
  rc.DrawText(x, y, std::to_string(value).c_str(), false, 255, 255, 255);
}

}  // namespace battlehud
}  // namespace

// Attack attributes count from 1 (5 holy, 8 iron); 0 is none.
const char* CSelvarinFrame::BattleElementName(int attr) {
  static constexpr const char* kNames[] = {"Water", "Earth", "Fire", "Wind", "Holy", "Dark", "Poison", "Iron"};
  if (attr < 1 || attr > static_cast<int>(std::size(kNames))) return "None";
  return kNames[attr - 1];
}

void CSelvarinFrame::DrawBattleHud() {
  if (m_pRC == nullptr || m_battlePhase == 8 || m_battlePhase == 9) return;
  CRC& rc = *m_pRC;
  if (!rc.BeginScene()) return;
  const int c = rc.ViewWidth() / 2;
  CSelvarinContext* context = GetContext();
  const battlehud::Sheet battle = battlehud::LoadSheet("system\\battle.spr", "system\\battle.act");
  if (m_gaugeShown != 0 && context != nullptr) {
    rc.FillRect(battlehud::Box(c - 169, battlehud::kBarY - 4, 339, 8), 0xAF0000FF, 0xBFFF00FF);
    battlehud::DrawSheet(rc, battle, c - 169, battlehud::kBarY, battlehud::kLeftCap);
    battlehud::DrawSheet(rc, battle, c + 170, battlehud::kBarY, battlehud::kRightCap);
    battlehud::DrawSheet(rc, battle, c, battlehud::kBarY, battlehud::kCentreMark);
    for (CActor* object : context->m_battleParty) {
      const auto* member = dynamic_cast<const CBattlePlayer*>(object);
      if (member == nullptr || member->m_playerId < 0 || member->m_playerId > 11) continue;
      battlehud::DrawSheet(rc, battle, c - 320 + battlehud::MemberIconX(*member), battlehud::kBarY - 7, member->m_playerId + battlehud::kHeadBase);
    }
    for (CActor* object : context->m_battleEnemies) {
      auto* enemy = dynamic_cast<CBattleEnemy*>(object);
      if (enemy != nullptr) enemy->DrawBattleChar(rc, c - 320 + battlehud::EnemyMarkerX(*enemy), 57, object == m_lookTarget);
    }
  }
  if (m_hitTicks > 0 && m_battleCounter > 1 && m_hitShown > 1) DrawBattleNumber(&rc, 10, 150, m_battleCounter);
  DrawPartyPanels(c);
  DrawActorPanels(c);
  rc.EndScene();
  DrawBattleCaption();
  if (!rc.LockBackBuffer()) return;
  DrawPartyPanelTexts(c);
  DrawActorPanelTexts(c);
  if (m_debugSwitch != 0) DrawBattleDebugTexts();
  rc.UnlockBackBuffer();
}

void CSelvarinFrame::DrawBattleDebugTexts() {
  CRC& rc = *m_pRC;
  const FrameClock& clock = g_frameClock;
  const float fps = clock.m_lastFrameMs > 0 ? 1000.0f / static_cast<float>(clock.m_lastFrameMs) : 0.0f;
  const uint32_t frames = clock.m_drawnFrames + clock.m_skippedFrames;
  const float drawn = frames > 0 ? 100.0f * static_cast<float>(clock.m_drawnFrames) / static_cast<float>(frames) : 0.0f;
  const CSelvarinContext* context = GetContext();
  const Vec3 at = context != nullptr && context->m_player != nullptr ? context->m_player->m_pos : Vec3{};
  char lines[6][96];
  std::snprintf(lines[0], sizeof lines[0], "%.2f FPS  %.2f Percent", fps, drawn);
  std::snprintf(lines[1], sizeof lines[1], "%3d Resource Object in Memory",
                static_cast<int>(CResMgr::GetInstance().GetResNames().size()));
  std::snprintf(lines[2], sizeof lines[2], "%3d Texture in Memory", CTextureMgr::GetInstance().Count());
  std::snprintf(lines[3], sizeof lines[3], "%3d TgaTexture in Memory", CTgaTextureMgr::GetInstance().Count());
  std::snprintf(lines[4], sizeof lines[4], "%3d Faces Per Frames", CRC::s_primitiveCount);
  std::snprintf(lines[5], sizeof lines[5], "Player Pos %.2f %.2f %.2f", at.x, at.y, at.z);
  for (int i = 0; i < 6; ++i) rc.DrawText(10, 180 + 16 * i, lines[i], false, 255, 255, 255);
}

void CSelvarinFrame::DrawPartyPanels(int c) {
  CRC& rc = *m_pRC;
  CSession& session = CSession::GetInstance();
  const battlehud::Sheet frames = battlehud::LoadSheet("system\\battle.spr", "system\\battle.act");
  const auto* abnormal = dynamic_cast<const CSprRes*>(CResMgr::GetInstance().GetRes("system\\abnormal.spr"));
  const bool blinkOn = (m_modeTick / 5) % 2 == 0;
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* record = session.GetPartyMember(n);
    if (record == nullptr) continue;
    const auto* member = dynamic_cast<const CBattlePlayer*>(record->battlePtr);
    const int x = c - 192 + n * battlehud::kPanelStep - battlehud::kPanelHalf;
    const int32_t id = session.partyIds[static_cast<size_t>(n)];
    const int style = id == 0 || id == 9 ? 0 : id == 3 ? 1 : 2;
    battlehud::DrawSheet(rc, frames, x, battlehud::kPanelTop, battlehud::kPanelFrameBase + style);
    const std::array<std::pair<int, int>, 3> mps{{{record->mp1, record->maxmp1}, {record->mp2, record->maxmp2}, {record->mp3, record->maxmp3}}};
    for (size_t i = 0; i < mps.size(); ++i) {
      const int fill = battlehud::Filled(mps[i].first, mps[i].second, battlehud::kMpSteps) * 3;
      rc.FillRect(battlehud::Box(x + 8, battlehud::kPanelTop + 8 + static_cast<int>(i) * 5, fill, 3), 0xFF3060FF, 0xFF60A0FF);
    }
    const bool bpFlash = member != nullptr && member->m_bpFlashTicks > 0 && blinkOn;
    const bool hpFlash = member != nullptr && member->m_hpFlashTicks > 0 && blinkOn;
    rc.FillRect(battlehud::Box(x + 8, battlehud::kPanelTop + 26, battlehud::Filled(record->shp, record->maxshp, battlehud::kBarWidth), 4),
                bpFlash ? 0xFFFFFFFF : 0xFF20C020, bpFlash ? 0xFFFFFFFF : 0xFF80FF80);
    rc.FillRect(battlehud::Box(x + 8, battlehud::kPanelTop + 42, battlehud::Filled(record->hp, record->maxhp, battlehud::kBarWidth), 4),
                hpFlash ? 0xFFFFFFFF : 0xFFC02020, hpFlash ? 0xFFFFFFFF : 0xFFFF8080);
    const uint32_t bits = static_cast<uint32_t>(record->stateid);
    int place = 0;
    const auto icon = [&](int sprite) {
      if (abnormal != nullptr) rc.DrawSprite(x + 8 + (place % 4) * 25, battlehud::kPanelTop - 20 - (place / 4) * 25, abnormal, sprite, 0xFFFFFFFF);
      ++place;
    };
    if ((bits & (kPoison1 | kPoison2 | kPoison3)) != 0) icon(0);
    static constexpr uint32_t kIconBits[] = {kPanic, kCurse, kStone, kUndead, kDying};
    for (size_t i = 0; i < std::size(kIconBits); ++i) {
      if ((bits & kIconBits[i]) != 0) icon(static_cast<int>(i) + 1);
    }
  }
}

// B.P. and H.P. with their maxima; a current value in a pinch blinks.
void CSelvarinFrame::DrawPartyPanelTexts(int c) {
  CRC& rc = *m_pRC;
  CSession& session = CSession::GetInstance();
  const bool pinchShown = (m_modeTick / 8) % 2 == 0;
  for (int n = 0; n < std::min<int>(session.partyCount, CSession::kMaxParty); ++n) {
    const PlayerData* record = session.GetPartyMember(n);
    if (record == nullptr) continue;
    const auto* member = dynamic_cast<const CBattlePlayer*>(record->battlePtr);
    const int x = c - 192 + n * battlehud::kPanelStep - battlehud::kPanelHalf;
    const bool bpPinch = member != nullptr && member->IsInPinchBP();
    const bool hpPinch = member != nullptr && member->IsInPinchHP();
    if (!bpPinch || pinchShown) battlehud::DrawNumber(rc, x + 8, battlehud::kPanelTop + 30, record->shp);
    battlehud::DrawNumber(rc, x + 60, battlehud::kPanelTop + 30, record->maxshp);
    if (!hpPinch || pinchShown) battlehud::DrawNumber(rc, x + 8, battlehud::kPanelTop + 46, record->hp);
    battlehud::DrawNumber(rc, x + 60, battlehud::kPanelTop + 46, record->maxhp);
  }
}

void CSelvarinFrame::DrawActorPanels(int c) {
  CRC& rc = *m_pRC;
  if (const auto* actor = dynamic_cast<const CBattlePlayer*>(m_pCurrentBattleActor); actor != nullptr && actor->m_record != nullptr) {
    const PlayerData& record = *actor->m_record;
    const bool full = record.cp >= PlayerData::kFullCombatPoints;
    rc.FillRect(battlehud::Box(c - 285, 24, 68, 6), 0x88888888, 0x88888888);
    if (!full || (m_modeTick / 4) % 2 == 0) rc.FillRect(battlehud::Box(c - 285, 24, battlehud::Filled(record.cp, PlayerData::kFullCombatPoints, 68), 6), 0xAAFF0000, 0xAAFF0000);
    if (full) {
      const battlehud::Sheet battle = battlehud::LoadSheet("system\\battle.spr", "system\\battle.act");
      battlehud::DrawSheet(rc, battle, c - 285 + 68, 27, battlehud::kFullMarker, platform::Rand() % 2);
    }
  }
  auto* enemy = dynamic_cast<CBattleEnemy*>(m_lookTarget);
  if (enemy != nullptr && enemy->m_battleId[0] >= 0 && enemy->m_battleId[0] < CSession::kMaxEnemies) {
    enemy->DrawBattleChar(rc, c + 183, 30, true);
  }
}

// The current actor's field picture and the target panel's words.
void CSelvarinFrame::DrawActorPanelTexts(int c) {
  CRC& rc = *m_pRC;
  if (const auto* actor = dynamic_cast<const CBattlePlayer*>(m_pCurrentBattleActor); actor != nullptr && actor->m_record != nullptr) {
    CResMgr& res = CResMgr::GetInstance();
    if (const auto* picture = dynamic_cast<const CBitmapRes*>(res.GetResStr("주연급\\필드\\" + actor->m_record->engname))) {
      rc.DrawRleImage(c - 250, 90, picture, 1);
    }
  }
  const int left = c + 173;
  CSession& session = CSession::GetInstance();
  if (const auto* member = dynamic_cast<const CBattlePlayer*>(m_lookTarget); member != nullptr && member->m_record != nullptr) {
    const PlayerData& record = *member->m_record;
    rc.DrawText(left, 20, ("Level " + std::to_string(record.lvl)).c_str(), false, 255, 255, 255);
    rc.DrawText(left, 36, ("B.P. " + std::to_string(record.shp)).c_str(), false, 255, 255, 255);
    rc.DrawText(left, 52, ("H.P. " + std::to_string(record.hp)).c_str(), false, 255, 255, 255);
    return;
  }
  const auto* enemy = dynamic_cast<const CBattleEnemy*>(m_lookTarget);
  if (enemy == nullptr) return;
  const int slot = enemy->m_battleId[0];
  if (slot < 0 || slot >= CSession::kMaxEnemies) return;
  const EnemySlot& record = session.enemies[static_cast<size_t>(slot)];
  const CMonsterMgr& monsters = CMonsterMgr::GetInstance();
  const int index = monsters.LookupName(record.name);
  const int attr = index >= 0 ? monsters.GetMonsterTypeInfo(index).attr : -1;
  rc.DrawText(left + 30, 20, (std::string("Attr ") + BattleElementName(attr)).c_str(), false, 255, 255, 255);
  rc.DrawText(left + 30, 36, ("Level " + std::to_string(record.level)).c_str(), false, 255, 255, 255);
  rc.DrawText(left + 30, 52, ("B.P. " + std::to_string(record.shp) + "  H.P. " + std::to_string(record.hp)).c_str(),
              false, 255, 255, 255);
}

// Message 4's flash once its delay is over, one drawn frame at a time, and
// message 13's colour bands.
void CSelvarinFrame::DrawScreenFlashes() {
  CRC& rc = *m_pRC;
  const int width = rc.ViewWidth(), height = rc.ViewHeight();
  if (m_battleValues[1] == 0 && m_battleValues[0] > 0) {
    --m_battleValues[0];
    rc.FillRect(battlehud::Box(0, 0, width, height), battlehud::FlashColour(m_battleValues[2]), battlehud::FlashColour(m_battleValues[2]));
  }
  for (size_t i = 0; i < m_flashes.size(); ++i) {
    const ScreenFlash& band = m_flashes[i];
    if (band.on == 0) continue;
    const int length = std::max(band.length, 0) + 1;
    const int top = (band.tick * height / length + static_cast<int>(i) * height / 2) % height;
    rc.FillRect(battlehud::Box(0, top, width, height / 4), band.colour, band.colour);
  }
}

void CSelvarinFrame::LoadFaceImage() {
  if (m_pRC == nullptr || m_faceImages == 0 || m_battlePhase == 8 || m_battlePhase == 9) return;
  CRC& rc = *m_pRC;
  CSession& session = CSession::GetInstance();
  CResMgr& res = CResMgr::GetInstance();
  if (!rc.LockBackBuffer()) return;
  int x = rc.ViewWidth() - 60;
  for (int n = std::min<int>(session.partyCount, CSession::kMaxParty) - 1; n >= 0; --n) {
    const PlayerData* record = session.GetPartyMember(n);
    if (record == nullptr) continue;
    if (const auto* face = dynamic_cast<const CBitmapRes*>(res.GetResStr("UserInterface\\" + record->engname + "_face.bmp"))) {
      rc.DrawRleImage(x, rc.ViewHeight() - 60, face, 1);
      x -= 52;
    }
  }
  rc.UnlockBackBuffer();
}

// The window while a text is shown: in states 3 and 6 the whole page, else
// the lines laid out so far, with the speaker's portrait.
void CSelvarinFrame::DrawBattleMessage() {
  if (m_pRC == nullptr || m_messageState == 0 || m_messageState == battlehud::kWindowClosing) return;
  CRC& rc = *m_pRC;
  const int width = rc.ViewWidth(), height = rc.ViewHeight();
  if (rc.BeginScene()) {
    DrawDialogFrameLarge(&rc, width / 2 - 300, height - 100, 14, 5, 0, battlehud::kWindowColour);
    rc.EndScene();
  }
  if (m_messageState < 2 || !rc.LockBackBuffer()) return;
  const bool whole = m_messageState == 3 || m_messageState == 6;
  const int last = whole ? kMessageLines - 1 : std::clamp(m_messageLine, 0, kMessageLines - 1);
  for (int i = 0; i <= last; ++i) {
    rc.DrawText2(width / 2 - 289, height - 116 + 20 * i, m_messageLines[static_cast<size_t>(i)].c_str(), false, 255, 255,
                 255);
  }
  // The speaker line finds its portrait as the field's window finds it.
  DrawSpeakerPortrait(width, height);
  rc.UnlockBackBuffer();
}
