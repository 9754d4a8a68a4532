#include "ui/UIMemberCard.h"

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "render/RC.h"
#include "render/TextProbe.h"
#include "session/ItemMgr.h"
#include "session/Session.h"
#include "ui/Draw2d.h"

namespace {
namespace uimembercard {

constexpr size_t kNameBytes = 20;
constexpr int kRowPitch = 14;
constexpr const char* kStatLabels[4] = {"ATK", "DEF", "SPD", "CRI"};

const PlayerData* Player(int id) {
  if (id < 0 || id >= CSession::kPlayerCount) return nullptr;
  return &CSession::GetInstance().players[static_cast<size_t>(id)];
}

// The second title of an item's diary entry; empty without one.
std::string SecondTitle(int item) {
  const DiaryEntry* entry = CItemMgr::GetInstance().Diary().GetEntry(item);
  return entry != nullptr ? entry->secondTitle : std::string();
}

CardText Number(int x, int y, int value, int bank) { return CardText{x, y, std::to_string(value), bank, true}; }
CardText Text(int x, int y, std::string text, int bank) { return CardText{x, y, std::move(text), bank, false}; }

void AddWorn(std::vector<CardText>& out, const MemberCard& card, const std::array<int32_t, 4>& items) {
  for (int r = 0; r < 4; ++r) {
    out.push_back(Text(card.x - 20, card.y - 35 + kRowPitch * r, SecondTitle(items[static_cast<size_t>(r)]), 1));
  }
}

}  // namespace uimembercard
}  // namespace

MemberCard MakeMemberCard(int playerId, int x, int y, int mode) {
  MemberCard card;
  card.playerId = playerId;
  card.x = x;
  card.y = y;
  const PlayerData* p = uimembercard::Player(playerId);
  if (p == nullptr) return card;
  card.sprname = p->sprname;
  card.actname = p->actname;
  card.level = p->lvl;
  card.exp = p->exp;
  if (mode == 1) card.values = {p->maxhp, p->hp, p->maxmp1, p->mp1, p->maxmp2, p->mp2, p->maxmp3, p->mp3};
  if (mode == 2) card.values = {p->strength, p->vitality, p->agility, p->luck, 0, 0, 0, 0};
  return card;
}

std::string CardName(const std::string& engname) {
  std::string name = engname.substr(0, uimembercard::kNameBytes);
  for (char& c : name) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return name;
}

int CardValueBank(int current, int maximum) { return current < maximum * 20 / 100 ? 1 : 0; }

std::vector<CardText> LayOutMemberCard(const MemberCard& card, int kind) {
  std::vector<CardText> out;
  const int x = card.x, y = card.y;
  if (kind != 5) {
    out.push_back(uimembercard::Text(x + 15, y - 70, "Lv", 1));
    out.push_back(uimembercard::Number(x + 65, y - 70, card.level, 0));
  }
  const PlayerData* p = uimembercard::Player(card.playerId);
  switch (kind) {
    case 0:
      if (p != nullptr) out.push_back(uimembercard::Text(x, y - 20, CardName(p->engname), 1));
      break;
    case 1:
      for (int r = 0; r < 4; ++r) {
        const int maximum = card.values[static_cast<size_t>(2 * r)];
        const int current = card.values[static_cast<size_t>(2 * r + 1)];
        const int bank = CardValueBank(current, maximum);
        const int ry = y - 35 + uimembercard::kRowPitch * r;
        out.push_back(uimembercard::Number(x + 20, ry, current, bank));
        out.push_back(uimembercard::Text(x + 23, ry, "/", bank));
        out.push_back(uimembercard::Number(x + 60, ry, maximum, bank));
      }
      break;
    case 2:
      for (int r = 0; r < 4; ++r) {
        const int ry = y - 35 + uimembercard::kRowPitch * r;
        out.push_back(uimembercard::Text(x - 20, ry, uimembercard::kStatLabels[r], 1));
        out.push_back(uimembercard::Number(x + 60, ry, card.values[static_cast<size_t>(r)], 0));
      }
      break;
    case 3:
      if (p != nullptr) uimembercard::AddWorn(out, card, {p->helmet, p->armor, p->weapon, p->shield});
      break;
    case 4:
      if (p != nullptr) uimembercard::AddWorn(out, card, {p->acc1, p->acc2, p->acc3, p->shoes});
      break;
    default:
      break;
  }
  return out;
}

void DrawMemberCard(const MemberCard& card, CRC* rc, int kind, bool selected) {
  if (rc == nullptr) return;
  if (selected) rc->DrawRectOutline(platform::Rect{card.x - 20, card.y - 80, card.x + 20, card.y - 30}, 0xFFFF0000);
  CResMgr& res = CResMgr::GetInstance();
  const auto* act = dynamic_cast<const CActRes*>(res.GetRes(card.actname.c_str()));
  const auto* spr = dynamic_cast<const CSprRes*>(res.GetRes(card.sprname.c_str()));
  if (act != nullptr && spr != nullptr) {
    const WidgetProbeScope probe;  // the figure is not the card's texts' ground
    rc->DrawAction(card.x, card.y, act, spr, 1, 0, 1.0f, 0, 0xFFFFFFFF, true);
  }
  for (const CardText& t : LayOutMemberCard(card, kind)) {
    if (t.number) {
      DrawFontNumberRight(rc, t.x, t.y, std::stoi(t.text), t.bank);
    } else {
      DrawFontText(rc, t.x, t.y, t.text.c_str(), t.bank);
    }
  }
}
