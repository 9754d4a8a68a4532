#include "render/3dWorldRes.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/RswWriter.h"

namespace {

using slvtools::RswWriter;

class WorldResTest : public GameFolderTest {
 protected:
  bool Load(C3dWorldRes& world, const std::string& bytes) {
    Write("data/map.rsw", bytes);
    return world.Load("map.rsw");
  }
};

namespace worldrestest {
void ExpectVec(const Vec3& v, float x, float y, float z) {
  EXPECT_NEAR(v.x, x, 1e-4f);
  EXPECT_NEAR(v.y, y, 1e-4f);
  EXPECT_NEAR(v.z, z, 1e-4f);
}
}  // namespace worldrestest

WorldModelPlacement Placement(float animSpeed) {
  WorldModelPlacement m;
  m.name = "문";
  m.flags = 1;
  m.animSpeed = animSpeed;
  m.value = 77;
  m.modelName = "소품\\감옥문.rsm";
  m.nodeName = "root";
  m.position = {1, 2, 3};
  m.rotation = {0, 90, 0};
  m.scale = {1, -1, 2};
  return m;
}

// One object of each type, in the order 7, 6, ..., 1, so that file order
// across the lists shows.
void AddOneOfEach(RswWriter& w) {
  w.Add(World3dModel{"tree", "tree.rsm", {7, 8, 9}, {10, 20, 30}, 5});
  w.Add(World3dFieldEnemy{"golem", "golem.rsx", {1, 1, 1}, 0.5f, {0, 9, 10, 19}, 0});
  w.Add(WorldSoundSource{"well", "water.wav", {4, 5, 6}, {100, -3}});
  w.Add(WorldParticleMaker{"smoke", {3, 2, 1}, 2});
  w.Add(WorldFieldEnemy{"slime", "slime.spr", {1.5f, 2, 3, 4}, {-1, -2, -3}});
  WorldCharacter box{"gate", "", WorldCharacter::kEventBox, 9, {}, {10, 0, 20}};
  const float halfX = 12.5f, halfZ = 4.0f;
  std::memcpy(&box.words[0], &halfX, 4);
  std::memcpy(&box.words[2], &halfZ, 4);
  box.words[1] = 0xDEADBEEF;
  w.Add(box);
  w.Add(Placement(150.0f));
}

TEST_F(WorldResTest, ReadsEveryVersionWithOneObjectOfEachType) {
  struct Case {
    uint8_t minor;
    bool hasAttr, hasMapValue, hasLight, hasBounds;
  };
  for (const Case c : {Case{2, false, false, false, false}, Case{3, false, true, false, false},
                       Case{4, true, true, false, false}, Case{6, true, true, true, true}}) {
    SCOPED_TRACE(c.minor);
    RswWriter w(c.minor);
    w.SetTitle("never read");
    w.SetNames("field.gnd", "field.gat", "field.scr");
    w.SetMapValue(42);
    w.SetLight(90, 90, {0.5f, 0.6f, 0.7f}, {0.1f, 0.2f, 0.25f});
    w.SetBounds({-100, 200, -300, 400});
    AddOneOfEach(w);
    C3dWorldRes world;
    ASSERT_TRUE(Load(world, w.Build()));

    EXPECT_EQ(world.m_groundName, "field.gnd");
    EXPECT_EQ(world.m_attrName, c.hasAttr ? "field.gat" : "");
    EXPECT_EQ(world.m_scriptName, "field.scr");
    EXPECT_EQ(world.m_mapValue, c.hasMapValue ? 42 : 0);
    if (c.hasLight) {
      worldrestest::ExpectVec(world.m_lightDir, -1.0f, 0.0f, 0.0f);
      worldrestest::ExpectVec(world.m_diffuse, 0.5f, 0.6f, 0.7f);
      worldrestest::ExpectVec(world.m_ambient, 0.1f, 0.2f, 0.25f);
    } else {
      worldrestest::ExpectVec(world.m_lightDir, -0.5f, 0.70710677f, 0.5f);
      worldrestest::ExpectVec(world.m_diffuse, 1.0f, 1.0f, 1.0f);
      worldrestest::ExpectVec(world.m_ambient, 0.3f, 0.3f, 0.3f);
    }
    const std::array<int32_t, 4> bounds =
        c.hasBounds ? std::array<int32_t, 4>{-100, 200, -300, 400} : std::array<int32_t, 4>{-500, 500, -500, 500};
    EXPECT_EQ(world.m_bounds, bounds);

    ASSERT_EQ(world.m_models.size(), 1u);
    const WorldModelPlacement& m = world.m_models[0];
    EXPECT_EQ(m.name, c.minor >= 3 ? "문" : "");
    EXPECT_EQ(m.flags, c.minor >= 3 ? 1 : 0);
    EXPECT_EQ(m.value, c.minor >= 3 ? 77 : 0);
    EXPECT_EQ(m.animSpeed, 1.0f);
    EXPECT_EQ(m.modelName, "소품\\감옥문.rsm");
    EXPECT_EQ(m.nodeName, "root");
    worldrestest::ExpectVec(m.position, 1, 2, 3);
    worldrestest::ExpectVec(m.rotation, 0, 90, 0);
    worldrestest::ExpectVec(m.scale, 1, -1, 2);

    ASSERT_EQ(world.m_characters.size(), 1u);
    const WorldCharacter& box = world.m_characters[0];
    EXPECT_EQ(box.name, "gate");
    EXPECT_EQ(box.kind, WorldCharacter::kEventBox);
    EXPECT_EQ(box.value, 9);
    EXPECT_EQ(box.WordAsFloat(0), 12.5f);
    EXPECT_EQ(box.words[1], 0xDEADBEEFu);
    EXPECT_EQ(box.WordAsFloat(2), 4.0f);
    worldrestest::ExpectVec(box.position, 10, 0, 20);

    ASSERT_EQ(world.m_fieldEnemies.size(), 1u);
    EXPECT_EQ(world.m_fieldEnemies[0].sprName, "slime.spr");
    EXPECT_EQ(world.m_fieldEnemies[0].values, (std::array<float, 4>{1.5f, 2, 3, 4}));
    worldrestest::ExpectVec(world.m_fieldEnemies[0].position, -1, -2, -3);

    ASSERT_EQ(world.m_particleMakers.size(), 1u);
    EXPECT_EQ(world.m_particleMakers[0].name, "smoke");
    EXPECT_EQ(world.m_particleMakers[0].kind, 2);
    worldrestest::ExpectVec(world.m_particleMakers[0].position, 3, 2, 1);

    ASSERT_EQ(world.m_soundSources.size(), 1u);
    EXPECT_EQ(world.m_soundSources[0].waveName, "water.wav");
    EXPECT_EQ(world.m_soundSources[0].settings, (std::array<int32_t, 2>{100, -3}));

    ASSERT_EQ(world.m_3dFieldEnemies.size(), 1u);
    const World3dFieldEnemy& golem = world.m_3dFieldEnemies[0];
    EXPECT_EQ(golem.modelName, "golem.rsx");
    EXPECT_EQ(golem.speed, 0.5f);
    EXPECT_EQ(golem.ranges, (std::array<float, 4>{0, 9, 10, 19}));
    EXPECT_EQ(golem.frameDelay, 0);

    ASSERT_EQ(world.m_3dModels.size(), 1u);
    EXPECT_EQ(world.m_3dModels[0].name, "tree");
    worldrestest::ExpectVec(world.m_3dModels[0].rotation, 10, 20, 30);
    EXPECT_EQ(world.m_3dModels[0].speed, 5);
  }
}

TEST_F(WorldResTest, AnimationSpeedOutsideZeroToHundredBecomesOne) {
  RswWriter w(3);
  for (float speed : {0.0f, 150.0f, 100.0f, -2.0f, 0.25f}) w.Add(Placement(speed));
  C3dWorldRes world;
  ASSERT_TRUE(Load(world, w.Build()));
  ASSERT_EQ(world.m_models.size(), 5u);
  const float expected[] = {1.0f, 1.0f, 100.0f, 1.0f, 0.25f};
  for (size_t i = 0; i < 5; ++i) EXPECT_EQ(world.m_models[i].animSpeed, expected[i]) << i;
}

TEST_F(WorldResTest, UnknownTypeEndsTheObjectListAndKeepsWhatWasRead) {
  RswWriter w;
  w.Add(WorldParticleMaker{"first", {}, 0});
  w.AddRaw(9, std::string(96, '\0'));
  w.Add(WorldParticleMaker{"after", {}, 0});
  testsupport::DebugLogCapture log;
  C3dWorldRes world;
  ASSERT_TRUE(Load(world, w.Build()));
  ASSERT_EQ(world.m_particleMakers.size(), 1u);
  EXPECT_EQ(world.m_particleMakers[0].name, "first");
  EXPECT_TRUE(log.Contains("not implemented type : 9"));
}

TEST_F(WorldResTest, NoObjectsGiveSevenEmptyLists) {
  C3dWorldRes world;
  ASSERT_TRUE(Load(world, RswWriter(6).Build()));
  EXPECT_TRUE(world.m_models.empty() && world.m_characters.empty() && world.m_fieldEnemies.empty() &&
              world.m_particleMakers.empty() && world.m_soundSources.empty() &&
              world.m_3dFieldEnemies.empty() && world.m_3dModels.empty());
}

TEST_F(WorldResTest, BadFilesFailAndLeaveTheResourceEmpty) {
  RswWriter good(6);
  good.SetNames("a.gnd", "a.gat", "a.scr");
  AddOneOfEach(good);
  const std::string file = good.Build();
  RswWriter tooMany(6);
  tooMany.Add(WorldParticleMaker{"only", {}, 0});
  tooMany.SetCount(2);
  RswWriter negative(6);
  negative.SetCount(-1);
  std::string badMajor = file;
  badMajor[4] = 2;
  std::string badMinor = file;
  badMinor[5] = 7;

  struct Case {
    const char* what;
    std::string bytes;
    const char* log;
  };
  const Case cases[] = {
      {"magic", "QZSX" + file.substr(4), "Invalid Format"},
      {"major", badMajor, "C3dWorldRes :: Unsupported Version"},
      {"minor", badMinor, "C3dWorldRes :: Unsupported Version"},
      {"inside a header name", file.substr(0, 60), "truncated header"},
      {"inside the bounds", file.substr(0, 6 + 160 + 4 + 32 + 8), "truncated header"},
      {"inside the count", file.substr(0, 6 + 160 + 4 + 32 + 16 + 2), "bad object count"},
      {"inside the last record", file.substr(0, file.size() - 1), "truncated object"},
      {"inside a record's name", file.substr(0, file.size() - 248 + 10), "truncated object"},
      {"count beyond the bytes left", file.substr(0, 240), "bad object count"},
      {"count past the objects", tooMany.Build(), "1 of 2 objects"},
      {"negative count", negative.Build(), "bad object count"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testsupport::DebugLogCapture log;
    C3dWorldRes world;
    EXPECT_FALSE(Load(world, c.bytes));
    EXPECT_TRUE(log.Contains(c.log));
    EXPECT_TRUE(world.m_groundName.empty());
    EXPECT_TRUE(world.m_3dModels.empty() && world.m_particleMakers.empty());
  }
}

TEST_F(WorldResTest, TheResourceManagerLoadsWorldFiles) {
  Write("data/worldres-test.rsw", RswWriter(6).Build());
  CResMgr& mgr = CResMgr::GetInstance();
  auto* world = dynamic_cast<C3dWorldRes*>(mgr.GetRes("worldres-test.rsw"));
  ASSERT_NE(world, nullptr);
  worldrestest::ExpectVec(world->m_lightDir, -0.5f, 0.70710677f, 0.5f);
  mgr.ReleaseRes(world);
}

}  // namespace
