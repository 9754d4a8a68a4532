#include "battle/BattleCharacters.h"

#include "session/Session.h"

namespace {

using Animation = BattleCharacterRow::Animation;

constexpr int32_t kOnce = CBattleObject::kPlayOnce;
constexpr int32_t kLoop = CBattleObject::kPlayLoop;
constexpr int32_t kAfterimageOffColour = static_cast<int32_t>(0x88FFFFFFu);
constexpr int32_t kAfterimageOffLength = 10;

constexpr Animation kOwnIdle{};
constexpr Animation kSlowIdle{0, 12, kLoop};
constexpr Animation kStrike4{8, 4, kOnce};
constexpr Animation kStrike8{8, 8, kOnce};

const BattleCharacterRow kSizz{0, kSlowIdle, kStrike4};
const BattleCharacterRow kSizz2{0, {0, 8, kLoop}, kStrike4};
const BattleCharacterRow kMaria{1, kSlowIdle, kStrike4};
const BattleCharacterRow kElluard{2, kSlowIdle, kStrike8};
const BattleCharacterRow kAi{8, kOwnIdle, kStrike8};
const BattleCharacterRow kTenzi{3, kOwnIdle, kStrike4};
const BattleCharacterRow kCeline{4, kOwnIdle, kStrike8, true};
const BattleCharacterRow kCarrot{5, kOwnIdle, kStrike8};
const BattleCharacterRow kPeach{6, kOwnIdle, kStrike8};
const BattleCharacterRow kKreutzer{7, kOwnIdle, kStrike8};

}  // namespace

SLV_REGISTER_ACTOR(CBattleSizz, "battlesizz");
SLV_REGISTER_ACTOR(CBattleSizz2, "battlesizz2");
SLV_REGISTER_ACTOR(CBattleMaria, "battlemaria");
SLV_REGISTER_ACTOR(CBattleMaria2, "battlemaria2");
SLV_REGISTER_ACTOR(CBattleElluard, "battleelluard");
SLV_REGISTER_ACTOR(CBattleElluard2, "battleelluard2");
SLV_REGISTER_ACTOR(CBattleAi, "battleai");
SLV_REGISTER_ACTOR(CBattleTenzi, "battletenzi");
SLV_REGISTER_ACTOR(CBattleCeline, "battleceline");
SLV_REGISTER_ACTOR(CBattleCarrot, "battlecarrot");
SLV_REGISTER_ACTOR(CBattlePeach, "battlepeach");
SLV_REGISTER_ACTOR(CBattleKreutzer, "battlekreutzer");

CBattleSizz::CBattleSizz() : CBattleCharacter(kSizz) {}
CBattleSizz2::CBattleSizz2() : CBattleSizz(kSizz2) {}
CBattleMaria::CBattleMaria() : CBattleCharacter(kMaria) {}
CBattleMaria2::CBattleMaria2() : CBattleMaria(kMaria) {}
CBattleElluard::CBattleElluard() : CBattleCharacter(kElluard) {}
CBattleElluard2::CBattleElluard2() : CBattleElluard(kElluard) {}
CBattleAi::CBattleAi() : CBattleCharacter(kAi) {}
CBattleTenzi::CBattleTenzi() : CBattleCharacter(kTenzi) {}
CBattleCeline::CBattleCeline() : CBattleCharacter(kCeline) {}
CBattleCarrot::CBattleCarrot() : CBattleCharacter(kCarrot) {}
CBattlePeach::CBattlePeach() : CBattleCharacter(kPeach) {}
CBattleKreutzer::CBattleKreutzer() : CBattleCharacter(kKreutzer) {}

CBattleCharacter::CBattleCharacter(const BattleCharacterRow& row) : m_row(&row) { m_menuIndex = row.menuIndex; }

void CBattleCharacter::SetAction(int32_t code) {
  const Animation* own = code == kActIdle ? &m_row->idle : code == kActAttack ? &m_row->strike : nullptr;
  UseOwnSheet();
  if (own == nullptr || own->base < 0) {
    CBattlePlayer::SetAction(code);
    return;
  }
  SetAfterimage(0, kAfterimageOffLength, kAfterimageOffColour);
  m_hitStrength = 0;
  SetAnimation(own->base, own->delay, own->mode);
  CBattleActor::SetAction(code);
}

int CBattleCharacter::UpdateAction(int code) {
  if (code != kActAttack) return CBattlePlayer::UpdateAction(code);
  if (m_target == nullptr) {
    SetAction(kActIdle);
    return 1;
  }
  FaceToward(m_target->m_pos.x, m_target->m_pos.z);
  if (CheckHitFrame() != 0) {
    CSession& session = CSession::GetInstance();
    if (m_row->shootsArrows) {
      session.LaunchBullet(Position(), true);
    } else {
      session.ResolveWeaponAttack(Position(), true, 1.0f);
    }
  }
  if (m_holdLast == 0) return 1;
  switch (m_attackMode) {
    case 0:
      SetAction(kActWalkBack);
      break;
    case 1:
      SetAction(kActIdle);
      break;
    default:
      SetAction(kActDefend);
      break;
  }
  return 1;
}
