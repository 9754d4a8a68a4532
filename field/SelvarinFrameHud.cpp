// What the frame draws over the field: the message window and the caption
// frames, the compass, the screen overlays and picture slots, the HUD texts,
// the action-mode sign and the time-attack clock, and the rain.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/ActRes.h"
#include "engine/BitmapRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "field/SysexCrowd.h"
#include "platform/Surface.h"
#include "render/RC.h"
#include "render/Texture.h"
#include "render/TgaTextureMgr.h"
#include "script/ScriptPosition.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

namespace {
namespace selvarinframehud {

constexpr uint32_t kFrameColor = 0xCCFFFFFF;
constexpr int kWhite = 255;
constexpr int kTile = 40;
constexpr int kClosing = 4;
constexpr float kRadians = 57.29579f;
constexpr int kNoticeIconShift = 15;
constexpr int kNoticeIconWidth = 24;  // the item pictures' size
constexpr int kNoticeIconDrop = 5;   // above the text's top, to centre it on the line
constexpr int kMessageWindowTop = 128;  // the window frame's top edge, up from the screen's bottom

// The speaker's portrait: the picture of the party character whose name the
// speaker line holds, by its English name as the battle shows it; anyone
// else's under the speaker line itself.
std::string PortraitName(const std::string& speaker) {
  for (const PlayerData& player : CSession::GetInstance().players) {
    if (!player.engname.empty() && player.name == speaker) return "UserInterface\\" + player.engname + "_face.bmp";
  }
  return "UserInterface\\" + speaker + "_face.bmp";
}

int Tiles(int width) { return (width + kTile - 1) / kTile; }

int Degrees(float angle) {
  const int whole = static_cast<int>(angle) % 360;
  return whole < 0 ? whole + 360 : whole;
}

struct Animation {
  const CActRes* actions = nullptr;
  const CSprRes* sprites = nullptr;
  bool Loaded() const { return actions != nullptr && sprites != nullptr; }
};

Animation LoadAnimation(const char* act, const char* spr) {
  CResMgr& res = CResMgr::GetInstance();
  return {dynamic_cast<const CActRes*>(res.GetRes(act)), dynamic_cast<const CSprRes*>(res.GetRes(spr))};
}

struct ScreenPoint {
  int x = 0, y = 0;
};

}  // namespace selvarinframehud
}  // namespace

// Where caption i sits on a screen: its anchor for a text this wide.
static selvarinframehud::ScreenPoint CaptionAnchor(int i, int width, int height, int textWidth) {
  const int w = textWidth + 40;
  const int y = height * (i < 3 ? 50 : 350) / 480;
  const int side = width * 50 / 640;
  switch (i % 3) {
    case 0:
      return {side, y};
    case 1:
      return {width / 2 - w / 2, y};
    default:
      return {width - side - w, y};
  }
}

// A speech caption's anchor, kept on the screen.
static selvarinframehud::ScreenPoint SpeechAnchor(const CSysexCrowd& caption, int width, int height, int textWidth) {
  const int x = caption.m_screenX - (textWidth + 40) / 2;
  return {std::max(15, std::min(x, width - textWidth - 45)), std::max(40, std::min(caption.m_screenY, height - 40))};
}

bool CSelvarinFrame::IsHudActive() const {
  if (m_overlayState > 0 || m_captionTimer > 0 || !m_speechCaptions.empty() || m_messagePending != 0) return true;
  for (const int32_t timer : m_captionTimers) {
    if (timer > 0) return true;
  }
  return (m_messageState >= 2 && m_messageState != selvarinframehud::kClosing) || m_choiceCount > 0 || m_compassOn != 0;
}

bool CSelvarinFrame::CompassWanted() const {
  const CSelvarinView* view = GetView();
  return m_compassOn != 0 && (m_mode == kModeField || m_mode == kModeMapView) && m_transKind == 0 &&
         (view == nullptr || view->m_noRotate == 0);
}

// The selected compass point, or null while none (or a stale one) is.
const CompassPoint* CSelvarinFrame::SelectedPoint() const {
  if (m_selectedMember < 0 || m_selectedMember >= m_compassCount || m_selectedMember >= kCompassPoints) return nullptr;
  return &m_compassPoints[static_cast<size_t>(m_selectedMember)];
}

void CSelvarinFrame::DrawHudCaptions() {
  CRC& rc = *m_pRC;
  for (int i = 0; i < 6; ++i) {
    const auto slot = static_cast<size_t>(i);
    if (m_captionTimers[slot] <= 0) continue;
    const char* text = m_captionTexts[slot].c_str();
    const selvarinframehud::ScreenPoint at = CaptionAnchor(i, rc.ViewWidth(), rc.ViewHeight(), rc.GetTextWidth(text));
    rc.DrawText2(at.x + 20, at.y - 19, text, false, selvarinframehud::kWhite, selvarinframehud::kWhite, selvarinframehud::kWhite);
  }
  for (const CSysexCrowd* caption : m_speechCaptions) {
    const char* text = caption->m_text.c_str();
    const selvarinframehud::ScreenPoint at = SpeechAnchor(*caption, rc.ViewWidth(), rc.ViewHeight(), rc.GetTextWidth(text));
    rc.DrawText2(at.x + 20, at.y - 19, text, false, selvarinframehud::kWhite, selvarinframehud::kWhite, selvarinframehud::kWhite);
  }
}

void CSelvarinFrame::DrawScreenOverlay() {
  CRC& rc = *m_pRC;
  const int width = rc.ViewWidth();
  const int height = rc.ViewHeight();
  const int cx = width / 2;
  CTgaTextureMgr& tga = CTgaTextureMgr::GetInstance();
  if (m_overlayState == 1) rc.DrawQuad({0, 0, width, height}, nullptr, 1.0f, 0xFFFFFF, 1, 1);
  if (m_overlayState == 2) {
    const float alpha = m_transKind == 2 ? 1.0f : OverlayAlpha(m_overlayTick, m_overlayLength);
    platform::Rect first{cx - 251, height - 140, cx + 5, height - 12};
    platform::Rect second{cx, height - 140, cx + 256, height - 12};
    if (m_overlayLayout == 1 || m_overlayLayout > 2) {
      const int top = m_overlayLayout == 1 ? 64 : height - 96;
      first = {width - 531, top, width - 275, top + 64};
      second = {width - 275, top, width - 19, top + 64};
    }
    if (CTexture* t = tga.GetTexture(m_overlayPictures[0].c_str())) rc.DrawQuad(first, t, alpha, 0xFFFFFF, 1, 1);
    if (CTexture* t = tga.GetTexture(m_overlayPictures[1].c_str())) rc.DrawQuad(second, t, alpha, 0xFFFFFF, 1, 1);
  }
  if (m_overlayState == 3 && m_flashbackShown != 0) {
    if (CTexture* t = tga.GetTexture("회상.tga")) {
      for (int i = 0; i < 4; ++i) rc.DrawScreenTexture(t, i);
    }
  }
  DrawPictureSlots();
  // One-line frames: a frame's first line lies above its point, so they
  // need no rows.
  for (int i = 0; i < 6; ++i) {
    const auto slot = static_cast<size_t>(i);
    if (m_captionTimers[slot] <= 0) continue;
    const int textWidth = rc.GetTextWidth(m_captionTexts[slot].c_str());
    const selvarinframehud::ScreenPoint at = CaptionAnchor(i, width, height, textWidth);
    DrawDialogFrame(&rc, at.x, at.y, 2 * selvarinframehud::Tiles(textWidth + 40), 0, m_captionStyles[slot], selvarinframehud::kFrameColor, true);
  }
  for (const CSysexCrowd* caption : m_speechCaptions) {
    const int textWidth = rc.GetTextWidth(caption->m_text.c_str());
    const selvarinframehud::ScreenPoint at = SpeechAnchor(*caption, width, height, textWidth);
    DrawDialogFrame(&rc, at.x, at.y, 2 * selvarinframehud::Tiles(textWidth + 40), 0, 0, selvarinframehud::kFrameColor, true);
  }
}

// State 2's alpha over its length: in over the first third, out over the
// last. In floats, so that a length under 3 shows the pictures whole.
float CSelvarinFrame::OverlayAlpha(int tick, int length) {
  const float third = static_cast<float>(length) / 3.0f;
  if (third < 1.0f) return 1.0f;
  const float n = static_cast<float>(tick);
  if (n < third) return n / third;
  if (n > 2.0f * third) return std::max(0.0f, (static_cast<float>(length) - n + 1.0f) / third);
  return 1.0f;
}

void CSelvarinFrame::DrawPictureSlots() {
  if (m_pictureBlink > 0) {
    --m_pictureBlink;
    ++m_blinkCalls;
    if ((m_blinkCalls / 25) % 2 != 0) return;
  } else {
    m_blinkCalls = 0;
  }
  CRC& rc = *m_pRC;
  const int width = rc.ViewWidth();
  const int height = rc.ViewHeight();
  for (size_t i = 0; i < m_pictureSlotCounters.size(); ++i) {
    const int counter = m_pictureSlotCounters[i];
    const int period = std::max(m_pictureSlotPeriods[i], 1);
    if (counter <= 0) continue;
    CTexture* texture = CTgaTextureMgr::GetInstance().GetTexture(m_pictureSlotNames[i].c_str());
    if (texture == nullptr) continue;
    float alpha = 1.0f;
    if (counter < period && m_transKind != 2) alpha = static_cast<float>(counter) / static_cast<float>(period);
    if (counter >= 2 * period) alpha = static_cast<float>(3 * period - counter) / static_cast<float>(period);
    const int scale = g_isLowResTexture != 0 ? 2 : 1;
    const int w = static_cast<int>(texture->m_width) * scale;
    const int h = static_cast<int>(texture->m_height) * scale;
    const int left = i == 0 || i == 1 ? width - 1 - w : i == 4 ? width / 2 - w / 2 : 0;
    const int top = i == 0 || i == 2 ? 64 : i == 4 ? height / 2 - h / 2 : height - 64 - h;
    rc.DrawQuad({left, top, left + w, top + h}, texture, alpha, 0xFFFFFF, 1, 1);
  }
}

void CSelvarinFrame::DrawDebugOverlay() {
  CRC& rc = *m_pRC;
  const int width = rc.ViewWidth();
  const int height = rc.ViewHeight();
  const bool mapView = m_mode == kModeMapView;
  // A line kept for the player's key ("wait") stays in its window: the lines
  // are drawn while the window waits, so the window is too.
  const bool showing = m_messageState > 0 && (m_messageState != selvarinframehud::kClosing || m_messagePending != 0);
  if (!mapView && showing) DrawDialogFrameLarge(&rc, width / 2 - 300, height - 100, 14, 5, 0, selvarinframehud::kFrameColor);
  if (!mapView && m_captionTimer > 0) {
    const int tiles = selvarinframehud::Tiles(rc.GetTextWidth(m_caption.c_str()));
    DrawDialogFrame(&rc, width / 2 - tiles * selvarinframehud::kTile / 2, 53 + 100 * m_captionLine, 2 * tiles, 0, 0, selvarinframehud::kFrameColor, true);
  }
  if (!mapView && m_messagePending != 0) {
    const int tiles = selvarinframehud::Tiles(rc.GetTextWidth(PendingText().c_str()));
    DrawDialogFrame(&rc, width / 2 - tiles * selvarinframehud::kTile / 2, 153, 2 * tiles, 0, 0, selvarinframehud::kFrameColor, true);
  }
  DrawCompass();
  if (!mapView && m_choiceCount > 0) {
    int widest = 0;
    for (int i = 0; i < std::min(m_choiceCount, kChoiceSlots); ++i) {
      widest = std::max(widest, rc.GetTextWidth(m_choiceTexts[static_cast<size_t>(i)].c_str()));
    }
    DrawDialogFrameLarge(&rc, m_choiceX, m_choiceY + 20, selvarinframehud::Tiles(widest), m_choiceCount, 0, selvarinframehud::kFrameColor);
  }
}

void CSelvarinFrame::DrawCompass() {
  m_compassFade = CompassWanted() ? std::min(1.0f, m_compassFade + 0.05f) : std::max(0.0f, m_compassFade - 0.05f);
  if (m_compassFade <= 0.0f) return;
  const selvarinframehud::Animation news = selvarinframehud::LoadAnimation("system\\news.act", "system\\news.spr");
  if (!news.Loaded()) return;
  CRC& rc = *m_pRC;
  const CSelvarinView* view = GetView();
  const float yaw = view != nullptr ? view->m_yaw : 0.0f;
  const bool mapView = m_mode == kModeMapView;
  const uint32_t white = 0xFFFFFFFF;
  if (!mapView) rc.DrawAction(65, 141, news.actions, news.sprites, 2, 0, m_compassFade, 0, white, false);
  rc.DrawAction(64, 64, news.actions, news.sprites, 0, 0, m_compassFade,
                selvarinframehud::Degrees(yaw + static_cast<float>(m_northAngle)), white, false);
  if (mapView) return;
  const CSelvarinContext* context = GetContext();
  const CSelvarinActor* player = context != nullptr ? context->m_player : nullptr;
  if (player == nullptr) return;
  const CompassPoint* point = SelectedPoint();
  float angle = yaw - player->m_angle + 180.0f;
  if (point != nullptr) {
    const float dx = static_cast<float>(point->x) - player->m_pos.x;
    const float dz = static_cast<float>(point->z) - player->m_pos.z;
    if (std::fabs(dx) + std::fabs(dz) < 20.0f) return;
    angle = std::atan2(dx, dz) * selvarinframehud::kRadians + yaw;
  }
  rc.DrawAction(64, 64, news.actions, news.sprites, 1, 0, m_compassFade, selvarinframehud::Degrees(angle), white, false);
}

std::string CSelvarinFrame::PendingText() const {
  const size_t length = static_cast<size_t>(std::max(m_messagePending, 0));
  return m_messageText.substr(0, std::min(length, m_messageText.size()));
}

// The compass's label for the selection: the party's load, the way it
// walks, or the selected point's name.
std::string CSelvarinFrame::CompassLabel() const {
  if (const CompassPoint* point = SelectedPoint()) return point->area;
  return CSession::GetInstance().IsOverSupplyLimit() ? "소지량초과" : "이동방향";
}

void CSelvarinFrame::DrawFieldHud() {
  CRC& rc = *m_pRC;
  const int width = rc.ViewWidth();
  const int height = rc.ViewHeight();
  const auto centred = [&rc](int x, int y, const std::string& text) {
    rc.DrawText2(x - rc.GetTextWidth(text.c_str()) / 2, y, text.c_str(), false, selvarinframehud::kWhite, selvarinframehud::kWhite, selvarinframehud::kWhite);
  };
  if (CompassWanted() && m_compassFade > 0.8f) centred(64, 133, CompassLabel());
  if (m_captionTimer > 0) centred(width / 2, 40 + 100 * m_captionLine, m_caption);
  if (m_messagePending != 0) DrawPendingNotice(width);
  if (m_messageState > 1 && m_messageState != selvarinframehud::kClosing) {
    const bool whole = m_messageState == 3 || m_messageState == 6;
    const int last = whole ? kMessageLines - 1 : std::min(m_messageLine, kMessageLines - 1);
    for (int i = 0; i <= last; ++i) {
      rc.DrawText2(width / 2 - 289, height - 116 + 20 * i, m_messageLines[static_cast<size_t>(i)].c_str(), false,
                   selvarinframehud::kWhite, selvarinframehud::kWhite, selvarinframehud::kWhite);
    }
    DrawSpeakerPortrait(width, height);
  }
  for (int i = 0; i < std::min(m_choiceCount, kChoiceSlots); ++i) {
    const std::string& row = m_choiceTexts[static_cast<size_t>(i)];
    const std::string text = i == m_choiceSelected ? "&r" + row : row;
    rc.DrawText2(m_choiceX + 10, m_choiceY + 5 + 20 * i, text.c_str(), false, selvarinframehud::kWhite, selvarinframehud::kWhite, selvarinframehud::kWhite);
  }
}

// The notice centred, 15 pixels further right when it names an item, whose
// icon stands just left of the text.
void CSelvarinFrame::DrawPendingNotice(int width) {
  CRC& rc = *m_pRC;
  const std::string text = PendingText();
  const ITM* item = m_messageItem >= 0 && m_messageItem < CItemMgr::GetInstance().GetCount()
                        ? CItemMgr::GetInstance().GetItem(m_messageItem)
                        : nullptr;
  const int shift = item != nullptr ? selvarinframehud::kNoticeIconShift : 0;
  const int left = width / 2 + shift - rc.GetTextWidth(text.c_str()) / 2;
  rc.DrawText2(left, 135, text.c_str(), false, selvarinframehud::kWhite, selvarinframehud::kWhite, selvarinframehud::kWhite);
  if (item == nullptr || item->icon.empty()) return;
  DrawBitmap(&rc, left - selvarinframehud::kNoticeIconWidth - 6, 135 - selvarinframehud::kNoticeIconDrop, item->icon.c_str(), 0, 0xFFFFFF);
}

// On the window's top edge above the first letters, where the lines never
// reach; a speaker without a picture shows none.
void CSelvarinFrame::DrawSpeakerPortrait(int width, int height) {
  if (m_messageSpeaker.empty()) return;
  const auto* face = dynamic_cast<const CBitmapRes*>(CResMgr::GetInstance().GetResStr(selvarinframehud::PortraitName(m_messageSpeaker)));
  if (face == nullptr) return;
  m_pRC->DrawRleImage(width / 2 - 289, height - selvarinframehud::kMessageWindowTop - face->GetHeight(), face, 1);
}

void CSelvarinFrame::DrawActionModeSign() {
  if (g_actionMode == 0) return;
  const selvarinframehud::Animation sign = selvarinframehud::LoadAnimation("system/Action_mode.act", "system/Action_mode.spr");
  if (!sign.Loaded()) return;
  const ActAction* action = sign.actions->GetAction(0);
  const int frames = action != nullptr ? static_cast<int>(action->motions.size()) : 0;
  if (frames <= 0) return;
  m_actionSignFrame = (m_actionSignFrame + 1) % frames;
  m_pRC->DrawAction(m_pRC->ViewWidth() - 65, 43, sign.actions, sign.sprites, 0, m_actionSignFrame, 1.0f, 0,
                    0xFFFFFFFF, false);
}

void CSelvarinFrame::DrawLcdHud() {
  DrawActionModeSign();
  if (g_timeAttack.m_on == 0) return;
  const selvarinframehud::Animation lcd = selvarinframehud::LoadAnimation("system/LCD.act", "system/LCD.spr");
  if (!lcd.Loaded()) return;
  CRC& rc = *m_pRC;
  const int left = std::max(g_timeAttack.m_limit - g_timeAttack.m_current, 0);
  const int seconds = left % 60;
  const int minutes = left / 60;
  int x = rc.ViewWidth() - 20;
  const int y = rc.ViewHeight() - 27;
  const auto digit = [&](int action) {
    rc.DrawAction(x, y, lcd.actions, lcd.sprites, action, 0, 1.0f, 0, 0xFFFFFFFF, false);
    x -= 24;
  };
  digit(seconds % 10);
  digit(seconds / 10);
  digit(10);
  int rest = minutes;
  do {
    digit(rest % 10);
    rest /= 10;
  } while (rest > 0);
}

void CSelvarinFrame::DrawWeather(CRC& rc) {
  if (m_weather != 1) return;
  const int band = std::max(rc.ViewHeight() / 5, 1);
  for (const RainDrop& drop : m_rainDrops) {
    const float level = (static_cast<float>(drop.stop) / static_cast<float>(band) + 10.0f) * 0.05f * 255.0f;
    const auto g = static_cast<uint32_t>(std::clamp(static_cast<int>(level), 0, 255));
    const uint32_t color = 0xDD000000u | g << 16 | g << 8 | g;
    if (drop.y == drop.prevY && drop.y != 0) {
      rc.DrawLine(drop.x - 2, drop.y, drop.x + 2, drop.y, color);
    } else {
      rc.DrawLine(drop.prevX, drop.prevY, drop.x, drop.y, color);
    }
  }
}

