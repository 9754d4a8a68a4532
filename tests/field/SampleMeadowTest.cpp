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
#include "tests/support/SampleMapFrame.h"
#include "tests/support/TestSupport.h"

namespace {

constexpr int kSpawnEffect = 51;

class SampleMeadowTest : public ::testing::Test {
 protected:
  SampleMeadowTest() {
    EXPECT_TRUE(m_map.Registered());
    Context().m_player = &m_leader;  // the party's own actors come later
  }

  CSelvarinContext& Context() { return m_map.Context(); }

  CSelvarinActor m_leader;  // outlives the map, which still points at it
  testsupport::SampleMapFrame<CRecordingFrame> m_map{"meadow"};
  CRecordingFrame& m_frame = m_map.frame;
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
