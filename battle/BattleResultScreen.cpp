// The result mode of the game frame: after a won battle the experience is
// shared out, levels rise, the drops and the money are announced, and play
// goes back to where it was.
#include <algorithm>
#include <string>

#include "battle/ResultScreen.h"
#include "engine/ActRes.h"
#include "engine/CdAudio.h"
#include "engine/Controller.h"
#include "engine/FrameClock.h"
#include "engine/Mouse.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "render/RC.h"
#include "render/TgaTextureMgr.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

namespace {
namespace battleresultscreen {

constexpr uint32_t kDim = 0x77000000;
constexpr uint32_t kPanelColour = 0xEEFFFFFF;
constexpr const char* kStatLabels[] = {"STR", "VIT", "INT", "AGI", "LUK"};

struct PanelPlace {
  int x, y;
};
constexpr PanelPlace kPanels[kResultPositions] = {{40, 165}, {345, 165}, {40, 330}, {345, 330}};
// The frame hangs a tile left of its point; one tile more than the twelve
// the layout names keeps the numbers, which end 272 right of the point,
// inside its right border.
constexpr int kPanelTiles = 13;
constexpr int kPanelRows = 7;

platform::Rect Box(int left, int top, int right, int bottom) { return platform::Rect{left, top, right, bottom}; }

void DrawTga(CRC& rc, const char* name, const platform::Rect& rect, float alpha = 1.0f) {
  if (CTexture* texture = CTgaTextureMgr::GetInstance().GetTexture(name)) rc.DrawQuad(rect, texture, alpha, 0xFFFFFF, 1, 1);
}

struct Sheet {
  const CActRes* actions = nullptr;
  const CSprRes* sprites = nullptr;
};
Sheet LoadSheet(const std::string& act, const std::string& spr) {
  CResMgr& res = CResMgr::GetInstance();
  return {dynamic_cast<const CActRes*>(res.GetResStr(act)), dynamic_cast<const CSprRes*>(res.GetResStr(spr))};
}

// The member's victory pose, or its own battle sheet for a name without one.
Sheet PoseSheet(const PlayerData& player, int32_t variant) {
  int weaponClass = -1;
  const CItemMgr& items = CItemMgr::GetInstance();
  if (player.weapon >= 0 && player.weapon < items.GetCount()) weaponClass = items.GetItem(player.weapon)->GetAttr(7);
  const std::string pose = VictoryPoseSheet(player.engname, variant, weaponClass);
  if (pose.empty()) return LoadSheet(player.battleactname, player.battlesprname);
  return LoadSheet(pose + ".act", pose + ".spr");
}

PlayerData* ShownMember(const BattleResult& result, int position) {
  const int32_t id = result.memberIds[static_cast<size_t>(position)];
  if (id < 0 || id >= CSession::kPlayerCount) return nullptr;
  return &CSession::GetInstance().players[static_cast<size_t>(id)];
}

bool LevelPanelShown(const ResultScreenState::Position& at) {
  return at.levelUp != 0 && g_resultScreen.valuesShown != 0;
}

// The scene's pictures over the backdrop: the roulette, the titles and the
// four panel frames.
void DrawResultScene(CRC& rc, int ox, int oy) {
  const ResultScreenState& s = g_resultScreen;
  DrawTga(rc, "result\\분배방식.tga", Box(ox + 185, oy + 105, ox + 308, oy + 164));
  const Sheet wheel = LoadSheet("system\\룰렛2.act", "system\\룰렛2.spr");
  if (wheel.actions != nullptr && wheel.sprites != nullptr) {
    rc.DrawAction(ox + 400, oy + 153, wheel.actions, wheel.sprites, 0, s.roulette.segment, 1.0f, 0, 0xFFFFFFFF, false);
  }
  DrawTga(rc, "result\\battle.tga", Box(ox + 64, oy - 10, ox + 320, oy + 118));
  DrawTga(rc, "result\\result.tga", Box(ox + 320, oy - 10, ox + 576, oy + 118));
  for (const PanelPlace& panel : kPanels) {
    DrawDialogFrameSmall(&rc, ox + panel.x, oy + panel.y, kPanelTiles, kPanelRows, kPanelColour);
  }
}

std::string CounterText(const ResultScreenState::Position& at, const PlayerData& player) {
  if (player.lvl >= 99) return "999999";
  return std::to_string(std::min<int64_t>(at.counter, kResultMaxExperience));
}

// `draw(player, at, x, y)` for each shown member's panel at its place.
template <typename Draw>
void ForEachPanel(const BattleResult& result, int ox, int oy, Draw draw) {
  for (int p = 0; p < ResultMemberCount(result); ++p) {
    const PlayerData* player = ShownMember(result, p);
    if (player == nullptr) continue;
    draw(*player, g_resultScreen.positions[static_cast<size_t>(p)], ox + kPanels[p].x, oy + kPanels[p].y);
  }
}

// The panels' bitmaps and numbers, in the locked pass.
void DrawPanelBitmaps(CRC& rc, const BattleResult& result, int ox, int oy) {
  ForEachPanel(result, ox, oy, [&rc](const PlayerData& player, const ResultScreenState::Position& at, int x, int y) {
    DrawBitmap(&rc, x - 20, y + 80, "userinterface\\result\\shadow.bmp", 0, 0xFFFFFF);
    if (LevelPanelShown(at)) {
      DrawBitmap(&rc, x + 65, y - 10, "userinterface\\result\\levelup-s.bmp", 0, 0xFFFFFF);
      DrawBitmap(&rc, x + 45, y + 20, "userinterface\\result\\level.bmp", 0, 0xFFFFFF);
      DrawResultNumber(&rc, x, y + 50, std::to_string(player.lvl));
      return;
    }
    DrawBitmap(&rc, x + 45, y + 30, "userinterface\\result\\get.bmp", 0, 0xFFFFFF);
    DrawBitmap(&rc, x + 45, y + 62, "userinterface\\result\\total.bmp", 0, 0xFFFFFF);
    DrawBitmap(&rc, x + 45, y + 94, "userinterface\\result\\rest.bmp", 0, 0xFFFFFF);
    DrawResultNumber(&rc, x + 170, y + 30, std::to_string(at.share));
    DrawResultNumber(&rc, x + 170, y + 62, CounterText(at, player));
    DrawResultNumber(&rc, x + 170, y + 94, NextLevelText(player.lvl));
  });
}

// The poses, the MVP's mark, the level-up values and the level-up zoom.
void DrawPanelSprites(CRC& rc, const BattleResult& result, int ox, int oy) {
  const ResultScreenState& s = g_resultScreen;
  ForEachPanel(result, ox, oy, [&](const PlayerData& player, const ResultScreenState::Position& at, int x, int y) {
    if (LevelPanelShown(at) || at.isMvp != 0) {
      const Sheet pose = PoseSheet(player, at.poseVariant);
      const int last = MotionCount(pose.actions, 0) - 1;
      if (last >= 0 && pose.sprites != nullptr) {
        rc.DrawAction(x + 15, y + 95, pose.actions, pose.sprites, 0, std::min(at.poseFrame, last), 1.0f, 0, 0xFFFFFFFF,
                      false);
      }
    }
    if (at.isMvp != 0) DrawTga(rc, "result\\mvp.tga", Box(x - 5, y - 20, x + 123, y + 44));
    if (LevelPanelShown(at)) {
      for (int k = 0; k < PlayerData::kStatCount; ++k) {
        const int row = y + 50 + 18 * k;
        const int32_t before = at.statsBefore[static_cast<size_t>(k)], after = at.statsAfter[static_cast<size_t>(k)];
        DrawFontText(&rc, x + 130, row, kStatLabels[k], 0);
        DrawFontTextRight(&rc, x + 190, row, std::to_string(before).c_str(), 0);
        DrawSystemNumber(&rc, x + 195, row, StatChangeMark(before, after), 0);
        DrawFontTextRight(&rc, x + 230, row, std::to_string(after).c_str(), before != after ? 1 : 0);
      }
    }
    if (s.effectOn != 0 && at.levelUp != 0) {
      const int c = 10 * s.zoomCountdown;
      DrawTga(rc, "result\\levelup-l.tga", Box(x - c, y - c, x + 256 + c, y + 256 + c), s.zoomAlpha);
    }
  });
}

void DrawResultPointer(CRC& rc) {
  const Sheet cursors = LoadSheet("system\\cursors.act", "system\\cursors.spr");
  if (cursors.actions == nullptr || cursors.sprites == nullptr) return;
  const CMouse& mouse = CMouse::GetInstance();
  rc.DrawAction(mouse.m_x, mouse.m_y, cursors.actions, cursors.sprites, 2, 0, 1.0f, 0, 0xFFFFFFFF, true);
}

}  // namespace battleresultscreen
}  // namespace

void CSelvarinFrame::DimScreen() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  if (rc.BeginScene()) {
    rc.FillRect(battleresultscreen::Box(0, 0, rc.ViewWidth(), rc.ViewHeight()), battleresultscreen::kDim, battleresultscreen::kDim);
    rc.EndScene();
  }
  if (rc.LockBackBuffer()) {
    rc.SaveRect(0, 0, 0, rc.ViewWidth(), rc.ViewHeight());
    rc.UnlockBackBuffer();
  }
}

bool CSelvarinFrame::ResultPress() {
  for (int button : {4, 5}) {
    const int32_t state = g_pMainKeyPad != nullptr ? g_pMainKeyPad->m_buttons[static_cast<size_t>(button)] : kStateUp;
    if (IsNewlyPressed(state)) return true;
  }
  const CMouse& mouse = CMouse::GetInstance();
  return mouse.m_mouseButtons[0] == kStatePressed || mouse.m_mouseButtons[1] == kStatePressed;
}

void CSelvarinFrame::ShowBattleResult() {
  if (StepResultScreen(g_resultScreen, m_battleResult, ResultPress(), m_modeTick)) {
    LeaveBattleResult();
    return;
  }
  if (WaitNextFrame()) DrawBattleResult();
}

void CSelvarinFrame::LeaveBattleResult() {
  g_resultScreen = ResultScreenState{};
  // Nothing else clears the result: a later battle pays only its own.
  m_battleResult = BattleResult{};
  const int32_t back = m_prevMode;
  if (back == kModeScript) {
    if (CSelvarinView* view = GetView()) view->RestoreCamera();
    m_battleCameraSaved = 0;
    m_scriptModeRequest = 1;
  } else {
    RestoreBattleCamera();
    const bool menu = back == kModeFieldMenu || back == kModeShop || back == kModeStillMenu;
    const bool known = back >= 0 && back <= kModeGameOver && back != kModeBattle && back != kModeBattleResult;
    m_pendingMode = menu || !known ? kModeField : back;
  }
  if (m_pRC != nullptr) m_pRC->FreeSavedRects();
  if (m_battleSet.restoreDisc != -1 && m_battleSet.restoreTrack != -1) {
    PlayCdTrack(m_battleSet.restoreDisc, m_battleSet.restoreTrack);
  } else {
    StopCdAudio();
  }
}

void CSelvarinFrame::DrawBattleResult() {
  if (m_pRC == nullptr) return;
  CRC& rc = *m_pRC;
  const ResultScreenState& s = g_resultScreen;
  const int width = rc.ViewWidth(), height = rc.ViewHeight();
  const int ox = (width - 640) / 2, oy = (height - 480) / 2;
  rc.Clear(false);
  if (s.whiteFlash != 0) {
    if (rc.BeginScene()) {
      rc.FillRect(battleresultscreen::Box(0, 0, width, height), 0xFFFFFFFF, 0xFFFFFFFF);
      rc.EndScene();
    }
  } else if (rc.LockBackBuffer()) {
    rc.RestoreRect(0, 0, 0, width, height);
    rc.UnlockBackBuffer();
  }
  if (rc.BeginScene()) {
    battleresultscreen::DrawResultScene(rc, ox, oy);
    rc.EndScene();
  }
  if (rc.LockBackBuffer()) {
    battleresultscreen::DrawPanelBitmaps(rc, m_battleResult, ox, oy);
    rc.UnlockBackBuffer();
  }
  if (rc.BeginScene()) {
    battleresultscreen::DrawPanelSprites(rc, m_battleResult, ox, oy);
    rc.EndScene();
  }
  DrawResultMessage(rc, oy);
  if (rc.BeginScene()) {
    battleresultscreen::DrawResultPointer(rc);
    DrawLcdHud();
    rc.EndScene();
  }
  TakeScreenshot();
  rc.Flip();
}

void CSelvarinFrame::DrawResultMessage(CRC& rc, int oy) {
  const ResultMessage message = CurrentResultMessage(g_resultScreen, m_battleResult);
  if (message.text.empty()) return;
  const bool icon = !message.icon.empty();
  // Tiles of 40 pixels, two of the frame's pieces each, enough for the text
  // (and the icon before an item's).
  const int textWidth = rc.GetTextWidth(message.text.c_str()) + (icon ? 20 : 0);
  const int tiles = (textWidth + 39) / 40;
  const int x = rc.ViewWidth() / 2 - tiles * 20 - 20;
  if (rc.BeginScene()) {
    DrawDialogFrame(&rc, x, oy + 200, 2 * tiles, 0, 0, battleresultscreen::kPanelColour, true);
    rc.EndScene();
  }
  if (!rc.LockBackBuffer()) return;
  if (icon) DrawBitmap(&rc, x - 5, oy + 175, message.icon.c_str(), 0, 0xFFFFFF);
  rc.DrawText2(icon ? x + 20 : x, oy + 180, message.text.c_str(), false, 255, 255, 255);
  rc.UnlockBackBuffer();
}
