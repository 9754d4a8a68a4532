// A model enemy on fuzzed model text and model bytes: the first two bytes
// give the model text's length, the model follows. Every action (up to 16)
// is bound in turn with its own delay and play mode, and stepped, asked for
// its hit frames and drawn for 200 ticks, fading: nothing reads outside the
// model's vertices.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "battle/enemy/BattleGroundEnemy3d.h"
#include "engine/ResMgr.h"
#include "engine/RmaRes.h"
#include "fuzz/DataFileFuzzEnv.h"
#include "render/PixelRC.h"

namespace {

constexpr int kActions = 16;
constexpr int kTicks = 200;

void Play(CBattleEnemy3d& enemy, CRC& rc) {
  Matrix view;
  view.MakeTranslation(0.0f, 0.0f, 40.0f);
  const int actions = std::min(enemy.m_actionTable->GetActionCount(), kActions);
  for (int i = -1; i <= actions; ++i) {
    enemy.SetModelAction(i, i % 3, i & 3);
    enemy.m_drawMode = i & 3;
    enemy.m_shakeTicks = i & 1;
    for (int t = 0; t < kTicks; ++t) {
      enemy.UpdateFrame();
      enemy.CheckHitFrame();
      enemy.Render(rc, view);
      enemy.FadeOut(1);
      rc.ClearQueues();
    }
    enemy.m_visible = 1;
    enemy.m_alpha = 255;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static DataFileFuzzEnv env("model_enemy");
  if (size < 2) return 0;
  const size_t textSize = std::min<size_t>(data[0] | (data[1] << 8), size - 2);
  // The model text names the fuzzed model first; its own lines may add more.
  std::string text = "#rsxname f.rsx\n";
  text.append(reinterpret_cast<const char*>(data + 2), textSize);
  env.Run("model/f.rsx", data + 2 + textSize, size - 2 - textSize, [] {});
  env.Run("model/f.rma", reinterpret_cast<const uint8_t*>(text.data()), text.size(), [] {
    static CRC565 rc;
    rc.SetViewSize(64, 48);
    CBattleGroundEnemy3d enemy;
    enemy.m_actionTable = CResMgr::GetInstance().GetResAs<CRmaRes>("f.rma");
    if (enemy.m_actionTable != nullptr) Play(enemy, rc);
    CResMgr::GetInstance().UnloadResources();  // the next input loads anew
  });
  return 0;
}
