#include "ui/UIMemberHeader.h"

#include <array>

#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "session/Session.h"
#include "ui/Draw2d.h"
#include "ui/UIObject.h"
#include "ui/UIStatusPane.h"

namespace {
namespace uimemberheader {

constexpr std::array<HeaderPictures, 3> kPictures = {{
    {"UserInterface\\tab2-5.bmp", "UserInterface\\item_desk.bmp"},
    {"UserInterface\\tab4-5.bmp", "UserInterface\\magic_desk.bmp"},
    {"UserInterface\\tab5-5.bmp", "UserInterface\\skill_desk.bmp"},
}};

constexpr int kPoisonBits = 3;
constexpr int kConditionBits = 8;
constexpr int kBarRight = 503;

std::string Pair(int a, int b) { return std::to_string(a) + "/" + std::to_string(b); }

void PaintBar(HeaderPaint& out, const char* label, int value, int maximum, int sprite, int y) {
  out.Text(360, y, label);
  out.TextRight(500, y, Pair(value, maximum));
  out.Sprite(360, y + 1, sprite);
  const int cover = BarCoverWidth(value, maximum);
  if (cover > 0) out.Cover(kBarRight - cover, y + 2, kBarRight, y + 4);
}

class RcHeaderPaint : public HeaderPaint {
 public:
  explicit RcHeaderPaint(CRC& rc) : m_rc(rc) {
    CResMgr& res = CResMgr::GetInstance();
    m_status = dynamic_cast<const CSprRes*>(res.GetRes("system/status.spr"));
    m_abnormal = dynamic_cast<const CSprRes*>(res.GetRes("system/abnormal.spr"));
  }
  void Text(int x, int y, const std::string& text) override {
    DrawFontText(&m_rc, g_uiOriginX + x, g_uiOriginY + y, text.c_str(), 0);
  }
  void TextRight(int rightX, int y, const std::string& text) override {
    DrawFontTextRight(&m_rc, g_uiOriginX + rightX, g_uiOriginY + y, text.c_str(), 0);
  }
  void Sprite(int x, int y, int id) override { Draw(m_status, x, y, id); }
  void Condition(int x, int y, int id) override { Draw(m_abnormal, x, y, id); }
  void Cover(int left, int top, int right, int bottom) override {
    m_rc.FillRect(platform::Rect{g_uiOriginX + left, g_uiOriginY + top, g_uiOriginX + right, g_uiOriginY + bottom},
                  0xFF000000, 0xFF000000);
  }

 private:
  void Draw(const CSprRes* spr, int x, int y, int id) {
    if (spr != nullptr) m_rc.DrawSprite(g_uiOriginX + x, g_uiOriginY + y, spr, id, 0xFFFFFFFF);
  }
  CRC& m_rc;
  const CSprRes* m_status = nullptr;
  const CSprRes* m_abnormal = nullptr;
};

}  // namespace uimemberheader
}  // namespace

HeaderPictures PicturesOf(HeaderPage page) { return uimemberheader::kPictures[static_cast<size_t>(page)]; }

int MemberTitleX(const std::string& title) { return 350 - 9 * static_cast<int>(title.size()); }

void DrawMemberHeaderLocked(CRC* rc, HeaderPage page, UIObject& pane, const PlayerData* member) {
  const HeaderPictures pictures = PicturesOf(page);
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 4, pictures.tab, 0, 0xFFFFFF);
  DrawBitmap(rc, g_uiOriginX + 154, g_uiOriginY + 38, pictures.desk, 0, 0xFFFFFF);
  for (UIObject* child : pane.m_children) child->DrawLocked(rc);
  if (rc == nullptr || member == nullptr) return;
  const std::string title = member->name + "의 상태";
  rc->DrawText2(g_uiOriginX + MemberTitleX(title), g_uiOriginY + 53, title.c_str(), false, 255, 255, 255);
}

void PaintMemberHeader(const PlayerData& p, const CSession& session, HeaderPaint& out) {
  // The three poison levels share the first place.
  int n = 0;
  for (int bit = 0; bit < uimemberheader::kConditionBits; ++bit) {
    if ((p.stateid & (1 << bit)) == 0) continue;
    if (bit < uimemberheader::kPoisonBits) n = 0;
    out.Condition(168 + 30 * n, 73, bit < uimemberheader::kPoisonBits ? 0 : bit - 2);
    ++n;
  }
  uimemberheader::PaintBar(out, "Barrier Point", p.shp, p.maxshp, 0, 65);
  uimemberheader::PaintBar(out, "Hit Point", p.hp, p.maxhp, 1, 91);
  std::string names[3];
  session.GetMpKindNames(p.engname, &names[0], &names[1], &names[2]);
  const int mp[3][2] = {{p.mp1, p.maxmp1}, {p.mp2, p.maxmp2}, {p.mp3, p.maxmp3}};
  const int places[3][2] = {{513, 65}, {510, 81}, {510, 97}};
  for (int k = 0; k < 3; ++k) {
    out.Text(places[k][0], places[k][1], names[k]);
    out.TextRight(600, places[k][1], uimemberheader::Pair(mp[k][0], mp[k][1]));
  }
}

void DrawMemberHeader(CRC* rc, const PlayerData* member) {
  if (rc == nullptr || member == nullptr) return;
  uimemberheader::RcHeaderPaint paint(*rc);
  PaintMemberHeader(*member, CSession::GetInstance(), paint);
}
