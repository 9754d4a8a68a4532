// Effects, their owners and their primitives in the field context: who
// tells whom when one of them goes, in every order, and how the context's
// walk treats what a tick adds.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "effect/EffectPrimitive.h"
#include "effect/SelvarinEffect.h"
#include "tests/effect/EffectTestSupport.h"

namespace {

using effecttest::CRecordingOwner;

constexpr int kForgetEffect = 46;
constexpr int kEffectEnded = 10045;

class EffectLifecycleTest : public ::testing::Test {
 protected:
  std::list<CSelvarinActor*>& List() { return m_field.Context().m_effects; }
  bool Listed(const CSelvarinActor* actor) { return std::count(List().begin(), List().end(), actor) == 1; }
  CSelvarinEffect* Spawn(CSelvarinActor& owner, EffectId id) {
    owner.SpawnEffect(id);
    CSelvarinEffect* effect = owner.m_effects.back();
    if (id == effecttest::kQuietEffect) effect->m_lifetime = effecttest::kQuietLifetime;
    return effect;
  }

  std::vector<int> m_codes;  // outlives the field, whose clearing may still send
  effecttest::FieldFrame m_field;
};

TEST_F(EffectLifecycleTest, SpawningPutsTheEffectInBothLists) {
  CRecordingOwner owner(&m_codes);
  owner.OnMessage(nullptr, 51, 202, 0, 0);
  ASSERT_EQ(owner.m_effects.size(), 1u);
  CSelvarinEffect* effect = owner.m_effects.front();
  EXPECT_TRUE(Listed(effect));
  EXPECT_EQ(effect->GetEffectId(), 202);
  EXPECT_EQ(effect->GetOwner(), &owner);
}

TEST_F(EffectLifecycleTest, AnEffectEndsAtItsLifetimeAndTellsItsOwner) {
  CRecordingOwner owner(&m_codes);
  const CSelvarinEffect* effect = Spawn(owner, 1054);  // 20 ticks
  for (int tick = 1; tick < 20; ++tick) m_field.Context().UpdateEffects();
  EXPECT_TRUE(Listed(effect));
  EXPECT_EQ(effect->m_tickCount, 19);
  m_field.Context().UpdateEffects();
  EXPECT_TRUE(List().empty());
  EXPECT_TRUE(owner.m_effects.empty());
  EXPECT_EQ(m_codes, (std::vector<int>{kForgetEffect, kEffectEnded}));
}

TEST_F(EffectLifecycleTest, AnOwnerDestroyedMidLifeEndsItsEffectsNextTick) {
  auto* owner = new CRecordingOwner(&m_codes);
  const CSelvarinEffect* effect = Spawn(*owner, 202);
  m_field.Context().UpdateEffects();
  EXPECT_EQ(effect->m_tickCount, 1);
  delete owner;
  EXPECT_EQ(effect->GetOwner(), nullptr);
  m_field.Context().SyncEffects();  // reads no owner
  m_field.Context().UpdateEffects();
  EXPECT_TRUE(List().empty());
  EXPECT_TRUE(m_codes.empty());  // nothing went to the gone owner
}

TEST_F(EffectLifecycleTest, OwnerAndEffectMayGoInEitherOrder) {
  {
    CRecordingOwner owner(&m_codes);
    Spawn(owner, 202);
    m_field.Context().FreeEffects();
    EXPECT_TRUE(owner.m_effects.empty());
    EXPECT_EQ(m_codes, (std::vector<int>{kForgetEffect, kEffectEnded}));
  }
  m_codes.clear();
  {
    auto* owner = new CRecordingOwner(&m_codes);
    Spawn(*owner, 202);
    Spawn(*owner, 203);
    delete owner;
    m_field.Context().FreeEffects();
    EXPECT_TRUE(m_codes.empty());
  }
}

// An owner that lives in the effect list (a particle maker) and dies in the
// walk after its effect ticked: the effect follows no one in the sync.
TEST_F(EffectLifecycleTest, AnOwnerGoneBeforeTheSyncIsNotRead) {
  auto* owner = new CRecordingOwner(&m_codes);
  owner->tick = [] { return false; };
  CSelvarinEffect* effect = Spawn(*owner, 205);
  List().push_back(owner);
  owner->m_screenX = 10;
  m_field.Context().UpdateEffects();
  ASSERT_TRUE(Listed(effect));
  EXPECT_EQ(effect->GetOwner(), nullptr);
  m_field.Context().SyncEffects();
  EXPECT_EQ(effect->m_pos.x, 0.0f);
  m_field.Context().UpdateEffects();
  EXPECT_TRUE(List().empty());
}

TEST_F(EffectLifecycleTest, ScreenAnchoredNumbersFollowTheOwnersScreenPoint) {
  CRecordingOwner owner(&m_codes);
  owner.m_screenX = 100;
  owner.m_screenY = 50;
  const CSelvarinEffect* slash = Spawn(owner, 205);
  const CSelvarinEffect* guard = Spawn(owner, 206);
  owner.m_screenX = 300;
  owner.m_screenY = 200;
  owner.m_pos = {1.0f, 2.0f, 3.0f};
  m_field.Context().SyncEffects();
  EXPECT_EQ(slash->m_pos.x, 300.0f);
  EXPECT_EQ(slash->m_pos.y, 200.0f);
  EXPECT_EQ(guard->m_pos.x, 100.0f);
  EXPECT_EQ(guard->m_pos.y, 50.0f);
  for (const CSelvarinEffect* effect : {slash, guard}) EXPECT_EQ(effect->m_ownerPos.z, 3.0f);
}

TEST_F(EffectLifecycleTest, APrimitiveStartsAtItsEffectAndJoinsTheContext) {
  CRecordingOwner owner(&m_codes);
  owner.m_screenX = 40;
  CSelvarinEffect* effect = Spawn(owner, 202);
  CEffectPrimitive* primitive = effect->AddPrimitive(SpriteFlight);
  EXPECT_EQ(primitive->GetEffect(), effect);
  EXPECT_EQ(primitive->m_kind, SpriteFlight);
  EXPECT_EQ(primitive->m_pos.x, 40.0f);
  EXPECT_EQ(primitive->m_anchor.x, 40.0f);
  EXPECT_TRUE(Listed(primitive));
  EXPECT_EQ(effect->GetPrimitives(), (std::list<CEffectPrimitive*>{primitive}));
}

TEST_F(EffectLifecycleTest, APrimitiveLivesThroughItsLifetime) {
  CRecordingOwner owner(&m_codes);
  CEffectPrimitive* primitive = Spawn(owner, effecttest::kQuietEffect)->AddPrimitive(ScreenRing);
  EXPECT_EQ(primitive->m_lifetime, 100);
  List().remove(primitive);
  int ticks = 0;
  while (primitive->OnProcess()) ++ticks;
  EXPECT_EQ(ticks, 100);
  delete primitive;
}

TEST_F(EffectLifecycleTest, ADestroyedEffectsPrimitivesEndOnTheirNextTick) {
  CRecordingOwner owner(&m_codes);
  CSelvarinEffect* effect = Spawn(owner, effecttest::kQuietEffect);
  std::vector<CEffectPrimitive*> primitives;
  for (int i = 0; i < 3; ++i) primitives.push_back(effect->AddPrimitive(SpriteBounce));
  List().remove(effect);
  delete effect;
  for (const CEffectPrimitive* primitive : primitives) EXPECT_EQ(primitive->GetEffect(), nullptr);
  m_field.Context().UpdateEffects();
  EXPECT_TRUE(List().empty());
}

TEST_F(EffectLifecycleTest, APrimitiveDestroyedFirstIsForgotten) {
  CRecordingOwner owner(&m_codes);
  CSelvarinEffect* effect = Spawn(owner, effecttest::kQuietEffect);
  CEffectPrimitive* brief = effect->AddPrimitive(SpriteFlight);
  CEffectPrimitive* lasting = effect->AddPrimitive(SpriteFlight);
  brief->m_lifetime = 1;
  m_field.Context().UpdateEffects();
  m_field.Context().UpdateEffects();
  EXPECT_FALSE(Listed(brief));
  EXPECT_EQ(effect->GetPrimitives(), (std::list<CEffectPrimitive*>{lasting}));
  // Clearing the context deletes effect and primitive in list order.
  m_field.Context().FreeEffects();
  EXPECT_TRUE(owner.m_effects.empty());
}

// A tick that appends runs the new entry in the same walk; a tick that puts
// one in front runs it next time.
TEST_F(EffectLifecycleTest, TheWalkReachesWhatATickAppends) {
  CRecordingOwner owner(&m_codes);
  CSelvarinEffect* effect = Spawn(owner, effecttest::kQuietEffect);
  CEffectPrimitive* appended = nullptr;
  auto* front = new CRecordingOwner(&m_codes);
  int frontTicks = 0;
  front->tick = [&frontTicks] { return ++frontTicks > 0; };
  auto* maker = new CRecordingOwner(&m_codes);
  maker->tick = [&] {
    if (appended == nullptr) {
      appended = effect->AddPrimitive(SpriteFlight);
      List().push_front(front);
    }
    return true;
  };
  List().push_back(maker);
  m_field.Context().UpdateEffects();
  ASSERT_NE(appended, nullptr);
  EXPECT_EQ(appended->m_tickCount, 1);
  EXPECT_EQ(frontTicks, 0);
  m_field.Context().UpdateEffects();
  EXPECT_EQ(frontTicks, 1);
  EXPECT_EQ(appended->m_tickCount, 2);
}

}  // namespace
