// The catalogue: what an effect number takes from the tables at creation,
// the wave it plays, and how long it lives.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effect/EffectTables.h"
#include "effect/SelvarinEffect.h"
#include "engine/SoundDevice.h"
#include "platform/Random.h"
#include "tests/effect/EffectTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

using effecttest::CRecordingOwner;

class EffectCatalogueTest : public ::testing::Test {
 protected:
  EffectCatalogueTest() : m_owner(&m_codes) {
    m_owner.m_pos = {10.0f, -2.0f, 30.0f};
    m_owner.m_angle = 135.0f;
    m_owner.m_screenX = 320;
    m_owner.m_screenY = 200;
  }
  ~EffectCatalogueTest() override { g_soundEnabled = m_savedSound; }

  // An effect made as its owner spawns it, outside any field context.
  CSelvarinEffect& Make(EffectId id) {
    m_effects.push_back(std::make_unique<CSelvarinEffect>());
    m_effects.back()->Init(&m_owner, id);
    return *m_effects.back();
  }
  // Ticks until the effect ends, at most `limit` ticks.
  static int TicksLived(CSelvarinEffect& effect, int limit = 5000) {
    int ticks = 0;
    while (ticks < limit) {
      ++ticks;
      if (!effect.OnProcess()) break;
    }
    return ticks;
  }
  // The waves asked for: with sound on and no files, each request logs the
  // name it could not find.
  std::vector<std::string> WavesPlayedBy(const std::vector<EffectId>& ids) {
    g_soundEnabled = 1;
    testsupport::DebugLogCapture log;
    std::vector<std::string> waves;
    for (EffectId id : ids) {
      const size_t before = log.Lines().size();
      Make(id);
      std::string played;
      for (size_t i = before; i < log.Lines().size(); ++i) {
        const std::string& line = log.Lines()[i];
        const size_t end = line.find(".wav");
        if (end == std::string::npos) continue;
        const size_t start = line.find("파일 ");
        played = line.substr(start + std::string("파일 ").size(), end + 4 - start - std::string("파일 ").size());
      }
      waves.push_back(played);
    }
    g_soundEnabled = m_savedSound;
    return waves;
  }

  std::vector<int> m_codes;
  CRecordingOwner m_owner;
  std::vector<std::unique_ptr<CSelvarinEffect>> m_effects;
  int32_t m_savedSound = g_soundEnabled;
};

TEST_F(EffectCatalogueTest, ConstructionDefaults) {
  const CSelvarinEffect effect;
  EXPECT_EQ(effect.m_scale, 1.0f);
  EXPECT_EQ(effect.m_spriteMode, 3);
  EXPECT_EQ(effect.m_lifetime, 1000);
  EXPECT_EQ(effect.m_red + effect.m_green + effect.m_blue, 3 * 255);
  for (int32_t slot : effect.m_slots) EXPECT_EQ(slot, -1);
  EXPECT_EQ(effect.m_tickCount, 0);
  EXPECT_TRUE(effect.GetPrimitives().empty());
}

TEST_F(EffectCatalogueTest, InitTakesTheOwnersScreenPointPositionAndHeading) {
  const CSelvarinEffect& effect = Make(202);
  EXPECT_EQ(effect.GetOwner(), &m_owner);
  EXPECT_EQ(effect.GetEffectId(), 202);
  EXPECT_EQ(effect.m_pos.x, 320.0f);
  EXPECT_EQ(effect.m_pos.y, 200.0f);
  EXPECT_EQ(effect.m_ownerPos.z, 30.0f);
  EXPECT_EQ(effect.m_ownerHeading, 135.0f);
}

// How long each number lives and whether its ticks log a number the
// catalogue does not serve.
TEST_F(EffectCatalogueTest, NumbersLiveTheirRowsLifetime) {
  struct Case {
    EffectId id;
    int ticks;
    bool invalid;
  };
  const Case cases[] = {
      {209, 1, false},   // listed, empty row
      {221, 1, true},    {236, 1, true},  // empty rows, no builder
      {150, 1000, true},                  // no row: the item default
      {302, 1, true},    {1100, 1, true}, {2010, 1, true}, {-1, 1, true},  // no row at all
      {2005, 1, true},   // an empty monster row
      {202, 100, false}, {2002, 60, false}, {5, 1000, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    testsupport::DebugLogCapture log;
    CSelvarinEffect& effect = Make(c.id);
    EXPECT_EQ(TicksLived(effect), c.ticks);
    int invalid = 0;
    for (const std::string& line : log.Lines()) invalid += line == "Invalid Effect Id" ? 1 : 0;
    EXPECT_EQ(invalid, c.invalid ? c.ticks : 0);
  }
}

TEST_F(EffectCatalogueTest, NumbersWithoutARowReadNothing) {
  for (EffectId id : {150, 302, 999, 1100, 1999, 2010, -5}) {
    SCOPED_TRACE(id);
    EXPECT_EQ(effect_tables::FindRow(id), nullptr);
    const CSelvarinEffect& effect = Make(id);
    EXPECT_STREQ(effect.m_row.name, "");
    EXPECT_EQ(effect.m_row.copies, 0);
  }
  EXPECT_EQ(Make(150).m_scale, 1.0f);
  EXPECT_EQ(effect_tables::ItemName(102), nullptr);
  EXPECT_EQ(effect_tables::ItemName(-1), nullptr);
}

TEST_F(EffectCatalogueTest, RowsOfTheDefinitionAndMonsterTables) {
  struct Case {
    EffectId id;
    const char* name;
    int32_t lifetime;
    float scale;
    int32_t copies;
    float fade;
  };
  const Case cases[] = {
      {210, "접시-초록.tga", 70, 0.0f, 0, 0.0f},
      {1021, "스톱워치", 60, 2.0f, 1, 30.0f},
      {2002, "몬스터\\괴물형\\전투\\헐크_특수2", 60, 1.0f, 1, 20.0f},
      {216, "", 150, 2.5f, 0, 0.0f},
      {1029, "Ef_Spell4", 45, 0.0f, 3, 0.0f},
      {1031, "나이트쉴드", 50, 0.0f, 0, 0.0f},
      {1052, "합판", 50, 0.0f, 0, 0.0f},
      {1056, "각궁", 1000, 1.0f, 5, 10.0f},
      {1068, "크레센트", 1000, 1.0f, 5, 10.0f},
      {1073, "DragonBody", 10, 1.8f, 1, 5.0f},
      {270, "", 500, 0.0f, 0, 0.0f},
      {271, "", 0, 0.0f, 0, 0.0f},
      {1099, "", 0, 0.0f, 0, 0.0f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const CSelvarinEffect& effect = Make(c.id);
    EXPECT_STREQ(effect.m_row.name, c.name);
    EXPECT_EQ(effect.m_lifetime, c.lifetime);
    EXPECT_EQ(effect.m_scale, c.scale);
    EXPECT_EQ(effect.m_row.copies, c.copies);
    EXPECT_EQ(effect.m_row.fade, c.fade);
  }
}

TEST_F(EffectCatalogueTest, ItemNames) {
  EXPECT_STREQ(effect_tables::ItemName(0), "최루탄");
  EXPECT_STREQ(effect_tables::ItemName(81), "최루탄");
  EXPECT_STREQ(effect_tables::ItemName(1), "훈제연어");
  EXPECT_STREQ(effect_tables::ItemName(68), "다트");
  EXPECT_STREQ(effect_tables::ItemName(101), "에릭서");
}

TEST_F(EffectCatalogueTest, PerNumberSettings) {
  const CSelvarinEffect& blue = Make(241);
  EXPECT_EQ(std::vector<int32_t>({blue.m_red, blue.m_green, blue.m_blue}), (std::vector<int32_t>{125, 219, 255}));
  const CSelvarinEffect& grey = Make(1014);
  EXPECT_EQ(std::vector<int32_t>({grey.m_red, grey.m_green, grey.m_blue}), (std::vector<int32_t>{90, 90, 90}));
  EXPECT_EQ(Make(214).m_strength, 10);
  EXPECT_EQ(Make(213).m_strength, 1);
  EXPECT_EQ(Make(229).m_pieceCount, 5);
  EXPECT_EQ(Make(264).m_pieceCount, 10);
  EXPECT_EQ(Make(202).m_pieceCount, 0);

  const CSelvarinEffect& arrows = Make(228);
  EXPECT_EQ(arrows.m_startPoint.x, 50.0f);
  EXPECT_EQ(arrows.m_startPoint.y, -122.0f);
  EXPECT_EQ(arrows.m_startPoint.z, 30.0f);
  EXPECT_EQ(Make(230).m_startPoint.x, 0.0f);
}

TEST_F(EffectCatalogueTest, OnlyItem68OfTheItemsIsDirectional) {
  for (EffectId id = 0; id <= 101; ++id) {
    EXPECT_EQ(Make(id).m_directional, id == 68 ? 1 : 0) << id;
  }
  for (EffectId id : {234, 235, 237, 1003, 1006, 1056, 1068, 2000, 2004}) {
    EXPECT_EQ(Make(id).m_directional, 1) << id;
    EXPECT_EQ(Make(id).m_spriteMode, 3) << id;
  }
  for (EffectId id = 1069; id <= 1073; ++id) {
    EXPECT_EQ(Make(id).m_directional, 1) << id;
    EXPECT_EQ(Make(id).m_spriteMode, 0) << id;
  }
  for (EffectId id : {236, 1007, 1053, 2001}) EXPECT_EQ(Make(id).m_directional, 0) << id;
}

// 224 and 225 draw one number each for their scale; nothing else draws.
TEST_F(EffectCatalogueTest, CometScalesAreDrawnOnce) {
  for (unsigned seed : {1u, 7u, 12345u}) {
    SCOPED_TRACE(seed);
    platform::Srand(seed);
    // Every effect, as a sprite character, draws its own number first.
    int r[6];
    for (int& v : r) v = platform::Rand();
    platform::Srand(seed);
    const CSelvarinEffect& small = Make(224);
    Make(202);
    const CSelvarinEffect& large = Make(225);
    EXPECT_FLOAT_EQ(small.m_scale, static_cast<float>(r[1] % 100 + 30) * 0.01f);
    EXPECT_FLOAT_EQ(large.m_scale, static_cast<float>(r[4] % 200 + 130) * 0.01f);
    EXPECT_GE(small.m_scale, 0.30f - 1e-6f);
    EXPECT_LE(small.m_scale, 1.29f + 1e-6f);
    EXPECT_GE(large.m_scale, 1.30f - 1e-6f);
    EXPECT_LE(large.m_scale, 3.29f + 1e-6f);
    EXPECT_EQ(platform::Rand(), r[5]);
  }
}

TEST_F(EffectCatalogueTest, CreationWaves) {
  EXPECT_EQ(WavesPlayedBy({202, 204, 216, 227, 1019, 264, 1025, 209, 150, 2000}),
            (std::vector<std::string>{"타격1.wav", "졸라쎄게맞는소리.wav", "땅에서 뭔가 폭팔하는 소리1.wav",
                                      "마법시동1.wav", "플라즈마3.wav", "플라즈마3.wav", "이동_끼에엑.wav", "", "",
                                      ""}));
}

// Seed 1 gives 41, 18467, 6334, 26500, 19169: odd, odd, even, even, odd.
TEST_F(EffectCatalogueTest, ShieldGuardsPickTheirWaveByParity) {
  // Seed 1 draws 41, 18467, 6334, 26500, ...: each effect takes one number
  // as a sprite character, then one for its wave.
  platform::Srand(1);
  EXPECT_EQ(WavesPlayedBy({1031, 1040, 1052, 1045, 1033}),
            (std::vector<std::string>{"방어_둔탁한물건.wav", "방어_단단한물건2.wav", "방어_단단한물건2.wav",
                                      "방어_단단한물건2.wav", "방어_단단한물건2.wav"}));
  // Without sound the number is still drawn.
  platform::Srand(1);
  Make(1031);
  EXPECT_EQ(platform::Rand(), 6334);
}

}  // namespace
