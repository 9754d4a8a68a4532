// The spark a landed blow leaves on the one it hit.
#include "field/SelvarinActor.h"
#include "platform/Random.h"
#include "session/ITM.h"
#include "session/ItemMgr.h"
#include "session/Session.h"

namespace {

constexpr int kWeaponClassAttr = 7;
constexpr int32_t kSparkSmall = 202;
constexpr int32_t kSparkMiddle = 203;
constexpr int32_t kSparkLarge = 204;
constexpr int32_t kSparkHeavy = 205;

// The spark of a weapon class; 0 for a class that has none.
int32_t SparkOfClass(int weaponClass) {
  switch (weaponClass) {
    case 0:
    case 2:
    case 3:
      return kSparkMiddle;
    case 1:
    case 11:
      return kSparkSmall;
    case 6:
    case 10:
    case 12:
    case 13:
      return kSparkHeavy;
    case 4:
    case 5:
    case 7:
    case 8:
    case 9:
      return kSparkLarge;
    default:
      return 0;
  }
}

}  // namespace

void CSession::SpawnHitEffect(int position, bool isParty, CSelvarinActor* actor) const {
  if (actor == nullptr) return;
  if (!isParty) {
    actor->SpawnEffect(kSparkSmall + platform::Rand() % 3);
    return;
  }
  const PlayerData* member = GetPartyMember(position);
  const CItemMgr& items = CItemMgr::GetInstance();
  if (member == nullptr || member->weapon < 0 || member->weapon >= items.GetCount()) return;
  if (const int32_t spark = SparkOfClass(items.GetItem(member->weapon)->GetAttr(kWeaponClassAttr)); spark != 0) {
    actor->SpawnEffect(spark);
  }
}
