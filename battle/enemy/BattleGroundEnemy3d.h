#pragma once
// The model enemies that walk: the battle tick with the time gauge, and the
// default behaviour every model kind falls back on: idle facing its target,
// approach, weapon attack, return, knock-back and a death with its death
// skill and fade.
#include <span>
#include <string>

#include "battle/enemy/BattleEnemy3d.h"
#include "battle/enemy/ModelKindDef.h"

class CBattleGroundEnemy3d : public CBattleEnemy3d {
 public:
  bool OnProcess() override;
  // 0 when the enemy is finished with the battle.
  int UpdateAction(int code) override;

 protected:
  // A model kind run from its table (TableEnemy3d): the code entered with
  // its row's model action, and one tick of what the table names.
  void EnterModelRow(const ModelKindDef& def, int32_t code);
  int UpdateFromModelDef(const ModelKindDef& def, int code);

 private:
  void Dispatch(std::span<const ModelName> names, const std::string* chosen);
  void RunModelApproach(const ModelKindDef& def, const ModelApproach& approach);
  void RunModelStrike(const ModelStrike& strike);
  void RunLunge(const ModelLunge& lunge);
  void CastAtTarget(int32_t magic, int32_t hitLock);
  // Up to the target at `speed` until within reach x `reachShare`, then
  // `next` (`reachBonus` added to the reach first); the give-up after 600
  // ticks or 55 blocked ones, on the same tick.
  void StepApproach(float speed, float reachShare, int32_t next, float reachBonus = 0.0f);
  void GiveUpIfStuck();
  bool ReactionOverdue() const;
  void UpdateReturn();
  int UpdateDying();
};
