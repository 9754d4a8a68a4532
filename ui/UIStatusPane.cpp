#include "ui/UIStatusPane.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "platform/DebugLog.h"
#include "render/RC.h"
#include "render/ScreenVertex.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIStatusBar.h"
#include "ui/UIStatusTab.h"

namespace {
namespace uistatuspane {

constexpr int kBarLength = 142;
constexpr int kGaugeFrames = 22;
constexpr int kRadarX = 297, kRadarY = 253, kRadarRadius = 44;
constexpr uint32_t kDerivedColor = 0xFFD8E0E8, kBaseColor = 0xFFB0B8D8;

struct HelpRegion {
  int x, y, width, height;
  const char* title;
  const char* text;
};

constexpr HelpRegion kGeneralHelp[] = {
    {160, 96, 100, 15, "현재의 레벨", ""},
    {160, 115, 100, 15, "현재의 경험치와 다음 레벨로 올라가기 위해 필요한 경험치", ""},
    {160, 135, 170, 25, "현재배리어량 / 배리어량의 최대치", ""},
    {160, 170, 170, 25, "현재체력량 / 체력의 최대치", ""},
    {160, 211, 65, 15, "완력", ""},
    {160, 228, 65, 15, "맷집", ""},
    {160, 245, 65, 15, "지력", ""},
    {160, 262, 65, 15, "민첩성", ""},
    {160, 279, 65, 15, "운", ""},
    {325, 211, 65, 12, "공격력", "기본적인 완력에 장착한 아이템에 의해 가감된 수치"},
    {325, 228, 65, 15, "방어력", "기본적인 맷집에 장착한 아이템에 의해 가감된 수치"},
    {325, 245, 65, 15, "마력", "기본적인 지력에 장착한 아이템에 의해 가감된 수치"},
    {325, 262, 65, 15, "스피드", "기본적인 민첩성에 장착한 아이템에 의해 가감된 수치"},
    {325, 279, 65, 15, "크리티컬 확률", "기본적인 운에 장착한 아이템에 의해 가감된 수치"},
    {160, 315, 115, 22, "머리부분에 장착하는 헬멧류의 아이템", "주로 방어력에 영향을 끼친다"},
    {160, 343, 115, 22, "손에 장착하는 무기류의 아이템", "주로 공격력에 영향을 끼친다"},
    {160, 371, 115, 22, "입고 있는 갑옷류의 아이템", "주로 방어력에 영향을 끼친다"},
    {160, 399, 115, 22, "신고 있는 신발류의 아이템", "주로 스피드에 영향을 끼친다"},
    {325, 315, 115, 22, "목에 거는 악세사리류의 아이템", "다양한 효과가 있다"},
    {325, 343, 115, 22, "손에 쥐고 있는 방패류의 아이템", "주로방어력에 영향을 끼친다"},
    {325, 371, 115, 22, "악세사리류의 아이템", "다양한 효과가 있다"},
    {325, 399, 115, 22, "악세사리류의 아이템", "다양한 효과가 있다"},
};

constexpr HelpRegion MpRow(int row, const char* title) { return {340, 125 + 25 * row, 100, 20, title, ""}; }
constexpr HelpRegion kSizzHelp[] = {MpRow(0, "화 매직포인트 (Fire) 의 현재수치/최대치"),
                                    MpRow(1, "풍 매직포인트 (Wind) 의 현재수치/최대치"),
                                    MpRow(2, "지 매직포인트 (Earth) 의 현재수치/최대치")};
constexpr HelpRegion kAiHelp[] = {MpRow(0, "화 매직포인트 (Fire) 의 현재수치/최대치"),
                                  MpRow(1, "수 매직포인트 (Water) 의 현재수치/최대치"),
                                  MpRow(2, "지 매직포인트 (Earth) 의 현재수치/최대치")};
constexpr HelpRegion kSkillHelp[] = {MpRow(0, "지적스킬포인트 (I.S.P) 의 현재수치/최대치"),
                                     MpRow(1, "감성적스킬포인트 (E.S.P) 의 현재수치/최대치"),
                                     MpRow(2, "육체적스킬포인트 (P.S.P) 의 현재수치/최대치")};

template <size_t N>
const HelpRegion* FirstHit(const HelpRegion (&table)[N], int x, int y) {
  for (const HelpRegion& r : table) {
    if (x > r.x && x < r.x + r.width && y > r.y && y < r.y + r.height) return &r;
  }
  return nullptr;
}

// The slots in the order they are drawn: the field, the picture's place and
// the name's place.
struct Slot {
  int32_t PlayerData::*field;
  int pictureX, pictureY, nameX, nameY;
};
constexpr std::array<Slot, 8> kSlots = {{{&PlayerData::helmet, 248, 314, 160, 316},
                                         {&PlayerData::weapon, 248, 342, 160, 344},
                                         {&PlayerData::armor, 248, 370, 160, 372},
                                         {&PlayerData::shoes, 248, 398, 160, 400},
                                         {&PlayerData::acc1, 330, 314, 357, 316},
                                         {&PlayerData::shield, 330, 342, 357, 344},
                                         {&PlayerData::acc2, 330, 370, 357, 372},
                                         {&PlayerData::acc3, 330, 398, 357, 400}}};

std::string Pair(int a, int b) { return std::to_string(a) + "/" + std::to_string(b); }

void PaintBar(StatusPaint& out, int value, int maximum, int sprite, int y) {
  out.Sprite(198, y + 6, sprite);
  const int cover = BarCoverWidth(value, maximum);
  if (cover > 0) out.Cover(341 - cover, y + 7, 341, y + 9);
}

void PaintRadarSet(StatusPaint& out, const std::array<int, 5>& values, int scale, uint32_t color) {
  float vx[5], vy[5];
  for (int k = 0; k < 5; ++k) {
    const double angle = (72.0 * k - 90.0) * std::numbers::pi / 180.0;
    const double r = static_cast<double>(kRadarRadius) * values[static_cast<size_t>(k)] / scale;
    vx[k] = static_cast<float>(kRadarX + r * std::cos(angle));
    vy[k] = static_cast<float>(kRadarY + r * std::sin(angle));
  }
  for (int k = 0; k < 5; ++k) {
    const int n = (k + 1) % 5;
    out.Triangle({static_cast<float>(kRadarX), vx[k], vx[n]}, {static_cast<float>(kRadarY), vy[k], vy[n]}, color);
  }
}

// Drawing on the render context, shifted to the UI origin.
class RcPaint : public StatusPaint {
 public:
  explicit RcPaint(CRC& rc) : m_rc(rc) {
    CResMgr& res = CResMgr::GetInstance();
    m_status = dynamic_cast<const CSprRes*>(res.GetRes("system/status.spr"));
    m_battleSpr = dynamic_cast<const CSprRes*>(res.GetRes("system/battle.spr"));
    m_battleAct = dynamic_cast<const CActRes*>(res.GetRes("system/battle.act"));
  }
  void Text(int x, int y, const std::string& text) override {
    DrawFontText(&m_rc, g_uiOriginX + x, g_uiOriginY + y, text.c_str(), 0);
  }
  void TextRight(int rightX, int y, const std::string& text) override {
    DrawFontTextRight(&m_rc, g_uiOriginX + rightX, g_uiOriginY + y, text.c_str(), 0);
  }
  void Sprite(int x, int y, int id) override {
    if (m_status != nullptr) m_rc.DrawSprite(g_uiOriginX + x, g_uiOriginY + y, m_status, id, 0xFFFFFFFF);
  }
  void Gauge(int x, int y, int frame) override {
    if (m_battleSpr == nullptr || m_battleAct == nullptr) return;
    m_rc.DrawAction(g_uiOriginX + x, g_uiOriginY + y, m_battleAct, m_battleSpr, 5, frame, 1.0f, 0, 0xFFFFFFFF, true);
  }
  void Cover(int left, int top, int right, int bottom) override {
    m_rc.FillRect(platform::Rect{g_uiOriginX + left, g_uiOriginY + top, g_uiOriginX + right, g_uiOriginY + bottom},
                  0xFF000000, 0xFF000000);
  }
  void Triangle(const float (&x)[3], const float (&y)[3], uint32_t color) override {
    platform::TexturedVertex v[3];
    for (int k = 0; k < 3; ++k) v[k] = ScreenVertex(static_cast<float>(g_uiOriginX) + x[k], static_cast<float>(g_uiOriginY) + y[k], color);
    m_rc.DrawTriangle(v);
  }

 private:
  CRC& m_rc;
  const CSprRes* m_status = nullptr;
  const CSprRes* m_battleSpr = nullptr;
  const CActRes* m_battleAct = nullptr;
};

}  // namespace uistatuspane
}  // namespace

int64_t NextLevelExperience(const CSession& session, int level) {
  const int steps = std::clamp(level, 1, static_cast<int>(session.nextlevel.size()));
  int64_t sum = 0;
  for (int i = 0; i < steps; ++i) sum += session.nextlevel[static_cast<size_t>(i)];
  return sum;
}

int BarCoverWidth(int value, int maximum) {
  if (maximum == 0) return 0;
  const int64_t shown = int64_t{value} * uistatuspane::kBarLength / maximum;
  return static_cast<int>(std::clamp<int64_t>(uistatuspane::kBarLength - shown, 0, uistatuspane::kBarLength));
}

int MpGaugeFrame(int value, int maximum) {
  if (maximum == 0 || value == maximum) return -1;
  const double frame = (static_cast<double>(maximum) - value) / maximum * uistatuspane::kGaugeFrames;
  return static_cast<int>(std::clamp(std::trunc(frame), 0.0, static_cast<double>(uistatuspane::kGaugeFrames)));
}

std::string SlotItemName(const std::string& name) {
  if (name.size() <= 10 || name[0] == '(') return name;
  size_t taken = 0;
  while (taken < 7 && taken < name.size()) taken += static_cast<unsigned char>(name[taken]) >= 0x80 ? 2 : 1;
  return name.substr(0, std::min(taken, name.size())) + "...";
}

StatusHelp FindStatusHelp(int x, int y, const std::string& engname) {
  StatusHelp help{nullptr, nullptr};
  if (const uistatuspane::HelpRegion* hit = uistatuspane::FirstHit(uistatuspane::kGeneralHelp, x, y)) help = {hit->title, hit->text};
  const uistatuspane::HelpRegion* mp = engname == "sizz" || engname == "sizz2" ? uistatuspane::FirstHit(uistatuspane::kSizzHelp, x, y)
                         : engname == "ai"                        ? uistatuspane::FirstHit(uistatuspane::kAiHelp, x, y)
                                                                  : uistatuspane::FirstHit(uistatuspane::kSkillHelp, x, y);
  if (mp != nullptr) help = {mp->title, mp->text};
  return help;
}

void PaintStatus(const PlayerData& p, const CSession& session, StatusPaint& out) {
  out.Text(160, 108, "Level");
  out.Text(208, 108, std::to_string(p.lvl));
  out.Text(160, 126, "Exp");
  char exp[64];
  std::snprintf(exp, sizeof exp, "%d    Next  %lld", p.exp, static_cast<long long>(NextLevelExperience(session, p.lvl)));
  out.Text(208, 126, exp);

  out.Text(160, 144, "Barrier Point");
  out.TextRight(320, 144, uistatuspane::Pair(p.shp, p.maxshp));
  uistatuspane::PaintBar(out, p.shp, p.maxshp, 0, 144);
  out.Text(160, 180, "Hit Point");
  out.TextRight(320, 180, uistatuspane::Pair(p.hp, p.maxhp));
  uistatuspane::PaintBar(out, p.hp, p.maxhp, 1, 180);

  std::string names[3];
  session.GetMpKindNames(p.engname, &names[0], &names[1], &names[2]);
  const int mp[3][2] = {{p.mp1, p.maxmp1}, {p.mp2, p.maxmp2}, {p.mp3, p.maxmp3}};
  for (int k = 0; k < 3; ++k) {
    const int y = 144 + 24 * k;
    out.Text(347, y, names[k]);
    out.Sprite(388, 122 + 24 * k, 2 + k);
    out.TextRight(465, y, uistatuspane::Pair(mp[k][0], mp[k][1]));
    const int frame = MpGaugeFrame(mp[k][0], mp[k][1]);
    if (frame >= 0) out.Gauge(401, 139 + 24 * k, frame);
  }

  static const char* const kBaseLabels[5] = {"STR", "VIT", "INT", "AGI", "LUK"};
  static const char* const kDerivedLabels[5] = {"ATK", "DEF", "MAG", "SPD", "CRI"};
  std::array<int, 5> base{}, derived{};
  int scale = 0;
  for (int k = 0; k < 5; ++k) {
    base[static_cast<size_t>(k)] = p.levelStats[static_cast<size_t>(k)];
    derived[static_cast<size_t>(k)] = p.Stat(k);
    scale = std::max({scale, base[static_cast<size_t>(k)], derived[static_cast<size_t>(k)]});
    const int y = 221 + 18 * k;
    out.Text(160, y, kBaseLabels[k]);
    out.TextRight(224, y, std::to_string(base[static_cast<size_t>(k)]));
    out.Text(368, y, kDerivedLabels[k]);
    out.TextRight(432, y, std::to_string(derived[static_cast<size_t>(k)]));
  }
  // With every stat 0 the chart has no size.
  if (scale == 0) return;
  uistatuspane::PaintRadarSet(out, derived, scale, uistatuspane::kDerivedColor);
  uistatuspane::PaintRadarSet(out, base, scale, uistatuspane::kBaseColor);
}

void UIStatusPane::Draw(CRC* rc) {
  if (rc == nullptr || g_pMenuPlayer == nullptr) return;
  uistatuspane::RcPaint paint(*rc);
  PaintStatus(*g_pMenuPlayer, CSession::GetInstance(), paint);
}

void UIStatusPane::DrawLocked(CRC* rc) {
  if (g_pMenuPlayer == nullptr) return;
  const PlayerData& p = *g_pMenuPlayer;
  const std::string desk = "UserInterface\\" + p.engname + "_desk.bmp";
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 38, desk.c_str(), 0, 0xFFFFFF);
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 4, "UserInterface\\tab1-5.bmp", 0, 0xFFFFFF);
  const CItemMgr& items = CItemMgr::GetInstance();
  for (const uistatuspane::Slot& slot : uistatuspane::kSlots) {
    const int index = p.*slot.field;
    const ITM* item = index >= 0 && index < items.GetCount() ? items.GetItem(index) : nullptr;
    if (item == nullptr) {
      DebugLogf("UIStatusPane :: no item %d in a slot", index);
      continue;
    }
    if (!item->icon.empty()) {
      DrawBitmap(rc, g_uiOriginX + slot.pictureX, g_uiOriginY + slot.pictureY, item->icon.c_str(), 0, 0xFFFFFF);
    }
    if (rc != nullptr) {
      rc->DrawText2(g_uiOriginX + slot.nameX, g_uiOriginY + slot.nameY, SlotItemName(item->name).c_str(), false, 255,
                    255, 255);
    }
  }
}

void UIStatusPane::OnMouseMove() {
  if (g_pStatusBar == nullptr) return;
  g_pStatusBar->Clear();
  if (g_pMenuPlayer == nullptr) return;
  const UIPoint p = UIPointer();
  const StatusHelp help = FindStatusHelp(p.x - g_uiOriginX, p.y - g_uiOriginY, g_pMenuPlayer->engname);
  if (help.title != nullptr) g_pStatusBar->SetText(help.title, help.text);
}
