// The price of a magic: catalyst items, the caster's three MP kinds and, for
// cooperative magic, the partner's share.
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "platform/DebugLog.h"
#include "session/ItemMgr.h"
#include "session/MagicMgr.h"
#include "session/Session.h"

namespace {
namespace magiccost {

struct Catalyst {
  const char* item;
  int reason;  // when the party has none
};

constexpr Catalyst kDismal{"디스말", 1};
constexpr Catalyst kChronaim{"크로나임", 2};
constexpr Catalyst kHwiyel{"휘옐", 3};

struct CatalystRule {
  std::initializer_list<Catalyst> catalysts;  // tested in this order
  std::initializer_list<const char*> magic;
};

const CatalystRule kCatalystRules[] = {
    {{kDismal},
     {"힐", "힐라", "힐리온", "콜드볼트", "레인", "베이퍼_스톰", "플레임_스트라이크", "화이어_뱃", "피닉스",
      "플레임_리자드", "플레임_드라군", "사라만다", "워터_볼", "헤일_샤워", "아이스_스톰", "블리자드"}},
    {{kChronaim},
     {"스톤_슈츠", "프루드_타이드", "스톤_커스", "화이어_볼", "화이어_필라", "화이어_블래더", "화이어_월",
      "라바_에마네이션"}},
    {{kHwiyel}, {"레이_스네어", "비스커스_포메이션", "생츄어리", "디멘젼_홀"}},
    {{kChronaim, kDismal}, {"쇼크웨이브", "코멧_스트라이크", "메테오_스트라이크", "마스테마"}},
};

const CatalystRule* FindCatalysts(const std::string& magic) {
  for (const CatalystRule& rule : kCatalystRules) {
    for (const char* name : rule.magic) {
      if (magic == name) return &rule;
    }
  }
  return nullptr;
}

// The catalyst's item index; -1 (logged) when the item table lacks it, and
// then the party holds none.
int CatalystItem(const Catalyst& catalyst) {
  const int item = CItemMgr::GetInstance().Find(catalyst.item);
  if (item < 0) DebugLogf("magic cost: no catalyst item %s", catalyst.item);
  return item;
}

// The four costs by their place on the "#cost" line.
struct Costs {
  explicit Costs(const MagicTypeInfo& magic)
      : c1(magic.cost[0]), c2(magic.cost[1]), c3(magic.cost[3]), c4(magic.cost[2]) {}
  int64_t c1, c2, c3, c4;
};

bool WearsAccessory(const PlayerData& player, const char* name) {
  const CItemMgr& items = CItemMgr::GetInstance();
  for (int32_t item : {player.acc2, player.acc3}) {
    if (item >= 0 && item < items.GetCount() && items.GetItem(item)->name == name) return true;
  }
  return false;
}

bool IsSizz(const std::string& engname) { return engname == "sizz" || engname == "sizz2"; }

// The part of the table cost the character pays, in percent.
int64_t CostShare(const CSession& session, const PlayerData& player, int magic) {
  const int64_t rate = WearsAccessory(player, "멘탈링") ? 66 : 100;
  return session.CostPercent(player.playerId, magic, true) * rate / 100;
}

// What `cost` comes to at a share.
int64_t Due(int64_t cost, int64_t share) { return cost * share / 100; }

int32_t Less(int32_t mp, int64_t due) {
  return static_cast<int32_t>(std::clamp<int64_t>(int64_t{mp} - due, INT32_MIN, INT32_MAX));
}

constexpr const char* kFirstChapterEnd = "제1장끝";

// The partner of "ai" follows the story: "sizz" until the first chapter
// ends.
const char* AiPartner(int32_t chapterEnded) { return chapterEnded != 0 ? "sizz2" : "sizz"; }

}  // namespace magiccost
}  // namespace

bool CSession::CanCastMagic(int position, int magic, int* reason) {
  const PlayerData* caster = GetPartyMember(position);
  const MagicTypeInfo* info = CMagicMgr::GetInstance().GetMagicTypeInfo(magic);
  if (caster == nullptr || info == nullptr) return false;
  if (const magiccost::CatalystRule* rule = magiccost::FindCatalysts(info->name)) {
    for (const magiccost::Catalyst& catalyst : rule->catalysts) {
      const int item = magiccost::CatalystItem(catalyst);
      if (item < 0 || GetItemCount(item) == 0) {
        if (reason != nullptr) *reason = catalyst.reason;
        return false;
      }
    }
  }
  const magiccost::Costs c(*info);
  const int64_t p = magiccost::CostShare(*this, *caster, magic);
  const char* partnerName = nullptr;
  int64_t partnerCost = 0;
  if (magiccost::IsSizz(caster->engname)) {
    if (caster->mp1 < magiccost::Due(c.c3, p) || caster->mp2 < magiccost::Due(c.c4, p) || caster->mp3 < magiccost::Due(c.c2, p)) return false;
    partnerName = "ai", partnerCost = c.c1;
  } else if (caster->engname == "ai") {
    if (caster->mp1 < magiccost::Due(c.c3, p) || caster->mp2 < magiccost::Due(c.c1, p) || caster->mp3 < magiccost::Due(c.c2, p)) return false;
    if (c.c4 == 0) return true;
    partnerName = magiccost::AiPartner(scriptVariables.GetCreated(magiccost::kFirstChapterEnd)), partnerCost = c.c4;
  } else {
    DebugLog("this player is not magic man");
    return true;
  }
  if (partnerCost == 0) return true;
  const int partnerId = FindPlayer(partnerName);
  if (!IsMemberAlive(partnerName) || partnerId < 0) {
    if (reason != nullptr) *reason = 4;
    return false;
  }
  const PlayerData& partner = players[static_cast<size_t>(partnerId)];
  return partner.mp2 >= magiccost::Due(partnerCost, magiccost::CostShare(*this, partner, magic));
}

void CSession::PayMagicCost(int position, int magic) {
  PlayerData* caster = GetPartyMember(position);
  const MagicTypeInfo* info = CMagicMgr::GetInstance().GetMagicTypeInfo(magic);
  if (caster == nullptr || info == nullptr) return;
  if (const magiccost::CatalystRule* rule = magiccost::FindCatalysts(info->name)) {
    for (const magiccost::Catalyst& catalyst : rule->catalysts) {
      const int item = magiccost::CatalystItem(catalyst);
      if (item >= 0) RemoveItem(item, 1);
    }
  }
  const magiccost::Costs c(*info);
  const int64_t p = magiccost::CostShare(*this, *caster, magic);
  const char* partnerName = nullptr;
  int64_t partnerCost = 0;
  if (magiccost::IsSizz(caster->engname)) {
    caster->mp1 = magiccost::Less(caster->mp1, magiccost::Due(c.c3, p));
    caster->mp2 = magiccost::Less(caster->mp2, magiccost::Due(c.c4, p));
    caster->mp3 = magiccost::Less(caster->mp3, magiccost::Due(c.c2, p));
    partnerName = "ai", partnerCost = c.c1;
  } else if (caster->engname == "ai") {
    caster->mp1 = magiccost::Less(caster->mp1, magiccost::Due(c.c3, p));
    caster->mp2 = magiccost::Less(caster->mp2, magiccost::Due(c.c1, p));
    caster->mp3 = magiccost::Less(caster->mp3, magiccost::Due(c.c2, p));
    partnerName = magiccost::AiPartner(scriptVariables.GetCreated(magiccost::kFirstChapterEnd)), partnerCost = c.c4;
  } else {
    DebugLog("this player is not magic man");
    return;
  }
  // Without the partner in the data there is nobody to take a share from.
  const int partnerId = GetPlayerId(partnerName);
  if (partnerId < 0) return;
  PlayerData& partner = players[static_cast<size_t>(partnerId)];
  partner.mp2 = magiccost::Less(partner.mp2, magiccost::Due(partnerCost, magiccost::CostShare(*this, partner, magic)));
}

std::array<CSession::CostDue, 4> CSession::MagicDues(int position, int magic) const {
  std::array<CostDue, 4> dues{};
  const PlayerData* caster = GetPartyMember(position);
  const MagicTypeInfo* info = CMagicMgr::GetInstance().GetMagicTypeInfo(magic);
  const bool sizz = caster != nullptr && magiccost::IsSizz(caster->engname);
  if (caster == nullptr || info == nullptr || (!sizz && caster->engname != "ai")) return dues;
  const magiccost::Costs c(*info);
  const int64_t p = magiccost::CostShare(*this, *caster, magic);
  const int partnerId = GetPlayerId(sizz ? "ai" : magiccost::AiPartner(scriptVariables.Get(magiccost::kFirstChapterEnd)));
  const PlayerData* partner = partnerId >= 0 ? &players[static_cast<size_t>(partnerId)] : nullptr;
  const auto due = [](int64_t cost, int64_t share) {
    return static_cast<int32_t>(std::clamp<int64_t>(magiccost::Due(cost, share), INT32_MIN, INT32_MAX));
  };
  const int32_t partnerMp = partner != nullptr ? partner->mp2 : 0;
  const int64_t partnerShare = partner != nullptr ? magiccost::CostShare(*this, *partner, magic) : p;
  dues[0] = sizz ? CSession::CostDue{due(c.c1, partnerShare), partnerMp} : CSession::CostDue{due(c.c1, p), caster->mp2};
  dues[1] = {due(c.c2, p), caster->mp3};
  dues[2] = {due(c.c3, p), caster->mp1};
  dues[3] = sizz ? CSession::CostDue{due(c.c4, p), caster->mp2} : CSession::CostDue{due(c.c4, partnerShare), partnerMp};
  return dues;
}
