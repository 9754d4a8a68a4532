// The sample meadow's sage, loaded from the sample game: he turns to whoever
// speaks, his talk offers his spells, and each spell he is asked for (the
// effect message a script's "sysex effect" sends him) draws at his feet.
#include <gtest/gtest.h>

#include <filesystem>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/PackFile.h"
#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinView.h"
#include "field/Villager.h"
#include "tests/field/RecordingFrame.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr int kSpawnEffect = 51;

class SampleMeadowTest : public ::testing::Test {
 protected:
  SampleMeadowTest() : m_previous(std::filesystem::current_path()) {
    std::filesystem::current_path(testsupport::BinaryDir() / "game");
    SetResDirectory("\\");
    EXPECT_TRUE(RegisterPack("data.pak"));
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    m_frame.m_name = "meadow";
    g_pCurrentFrame = &m_frame;
    m_frame.Init();
    m_frame.m_transKind = 0;
    Context().m_player = &m_leader;
  }
  ~SampleMeadowTest() override {
    Context().m_player = nullptr;
    m_frame.Exit();
    g_pCurrentFrame = nullptr;
    g_scriptObjectName.clear();
    CResMgr::GetInstance().UnloadResources();
    FreePacks();
    std::filesystem::current_path(m_previous);
  }

  CSelvarinContext& Context() { return *m_frame.GetContext(); }

  std::filesystem::path m_previous;
  CRecordingFrame m_frame;
  CSelvarinActor m_leader;
};

TEST_F(SampleMeadowTest, TheSageOffersHisSpellsAndEachDrawsAtHisFeet) {
  auto* sage = dynamic_cast<CVillager*>(Context().FindActorByName("sage"));
  ASSERT_NE(sage, nullptr);
  EXPECT_EQ(sage->m_pattern, 1);
  ASSERT_NE(sage->m_talkLine, -1);
  EXPECT_EQ(Context().m_script->GetLine(sage->m_talkLine).rfind("choose", 0), 0u);
  m_leader.m_pos = Vec3{sage->m_pos.x, sage->m_pos.y, sage->m_pos.z - 6.0f};
  m_frame.runs.clear();
  sage->OnMessage(&m_leader, 0, 0, 0, 0);
  ASSERT_EQ(m_frame.runs.size(), 1u);
  EXPECT_EQ(m_frame.runs[0].line, sage->m_talkLine);

  for (const EffectId id : {1011, 1012, 210, 228, 259, 250}) {
    SCOPED_TRACE(id);
    sage->OnMessage(nullptr, kSpawnEffect, id, 0, 0);
    ASSERT_FALSE(sage->m_effects.empty());
    const CSelvarinEffect* effect = sage->m_effects.back();
    EXPECT_EQ(effect->GetEffectId(), id);
    for (int tick = 0; tick < 30 && effect->GetPrimitives().empty(); ++tick) {
      Context().UpdateEffects();
      Context().SyncEffects();
    }
    ASSERT_FALSE(effect->GetPrimitives().empty());
    for (const CEffectPrimitive* p : effect->GetPrimitives()) {
      if (p->m_kind <= ScreenRing) continue;  // on the screen
      const float dx = p->m_pos.x - sage->m_pos.x;
      const float dz = p->m_pos.z - sage->m_pos.z;
      EXPECT_LT(dx * dx + dz * dz, 140.0f * 140.0f) << "kind " << p->m_kind;
    }
    Context().FreeEffects();
  }
}

}  // namespace
