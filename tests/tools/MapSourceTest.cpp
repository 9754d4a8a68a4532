// Map sources: the world and the script around a ground source, built into
// files the game loads.
#include "tools/lib/MapSource.h"

#include <gtest/gtest.h>

#include "engine/TextRes.h"
#include "render/3dWorldRes.h"
#include "tests/support/GameFolder.h"
#include "tools/lib/PictureSource.h"

namespace {

const char* kGround =
    "texture g grass.bmp 70 128 52 96 150 64\n"
    "size 2 2\n"
    "heights\n0 0 0\n0 0 0\n0 0 0\nend\n"
    "tops\ngg\ngg\nend\n";

using MapSourceTest = GameFolderTest;

TEST_F(MapSourceTest, TheWorldAndScriptLoadAsTheGameReadsThem) {
  const std::string source = std::string(kGround) +
                             "light 90 0  0.5 0.5 0.5  0.2 0.2 0.2\n"
                             "bounds -10 20 -30 40\n"
                             "mapvalue 3\n"
                             "character elder villager.spr 1 2 3   # a comment\n"
                             "eventbox gate 4 5 6 7.5 8\n"
                             "character farmer farmer.spr 9 0 -9 2 12.5 8\n"
                             "character smith smith.spr 9 0 -9 5\n"
                             "enemy wolf wolf.spr 10 0 20 0.6\n"
                             "enemy boar boar.spr 11 0 21 0.5 1 2.5 3\n"
                             "script\n"
                             "Frame::Init\n"
                             "say \"hello # not a comment\"\n"
                             // The source is UTF-8.
                             + reinterpret_cast<const char*>(u8"say \"어서 오세요\"\n") +
                             "endscript\n";
  std::vector<slvtools::DataFile> files;
  std::string error;
  ASSERT_TRUE(slvtools::BuildMapSource(source, "hamlet", &files, &error)) << error;
  ASSERT_TRUE(slvtools::WriteDataFiles(files, m_dir / "game/data", &error)) << error;

  C3dWorldRes world;
  ASSERT_TRUE(world.Load("hamlet.rsw"));
  EXPECT_EQ(world.m_groundName, "hamlet.gnd");
  EXPECT_EQ(world.m_attrName, "hamlet.gat");
  EXPECT_EQ(world.m_scriptName, "hamlet.scr");
  EXPECT_EQ(world.m_bounds, (std::array<int32_t, 4>{-10, 20, -30, 40}));
  EXPECT_EQ(world.m_mapValue, 3);
  EXPECT_EQ(world.m_lightLongitude, 90);
  EXPECT_FLOAT_EQ(world.m_ambient.x, 0.2f);
  ASSERT_GE(world.m_characters.size(), 2u);
  EXPECT_EQ(world.m_characters[0].name, "elder");
  EXPECT_EQ(world.m_characters[0].sprName, "villager.spr");
  EXPECT_FLOAT_EQ(world.m_characters[0].position.z, 3.0f);
  EXPECT_EQ(world.m_characters[1].kind, WorldCharacter::kEventBox);
  EXPECT_FLOAT_EQ(world.m_characters[1].WordAsFloat(0), 7.5f);
  EXPECT_FLOAT_EQ(world.m_characters[1].WordAsFloat(2), 8.0f);
  ASSERT_EQ(world.m_characters.size(), 4u);
  EXPECT_EQ(world.m_characters[0].value, 0);
  EXPECT_EQ(world.m_characters[2].value, 2);
  EXPECT_FLOAT_EQ(world.m_characters[2].WordAsFloat(0), 12.5f);
  EXPECT_FLOAT_EQ(world.m_characters[2].WordAsFloat(2), 8.0f);
  EXPECT_EQ(world.m_characters[3].value, 5);
  ASSERT_EQ(world.m_fieldEnemies.size(), 2u);
  EXPECT_EQ(world.m_fieldEnemies[0].sprName, "wolf.spr");
  EXPECT_EQ(world.m_fieldEnemies[0].values, (std::array<float, 4>{0.6f, 0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(world.m_fieldEnemies[1].values, (std::array<float, 4>{0.5f, 1.0f, 2.5f, 3.0f}));
  EXPECT_FLOAT_EQ(world.m_fieldEnemies[1].position.z, 21.0f);

  CTextRes script;
  ASSERT_TRUE(script.Load("hamlet.scr"));
  EXPECT_EQ(script.FindLine("Frame::Init"), 0);
  EXPECT_EQ(script.GetLine(1), "say \"hello # not a comment\"");
  EXPECT_EQ(script.GetLine(2), "say \"어서 오세요\"");  // in code page 949
}

TEST_F(MapSourceTest, MalformedSourcesNameTheirLine) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {std::string(kGround) + "light 1 2 3\n", "line 12: light"},
      {std::string(kGround) + "character elder villager.spr 1 2\n", "line 12: character"},
      {std::string(kGround) + "character elder villager.spr 1 2 3 4 5\n", "line 12: character"},
      {std::string(kGround) + "enemy wolf wolf.spr 1 2 3\n", "line 12: enemy"},
      {std::string(kGround) + "enemy wolf wolf.spr 1 2 3 1 2\n", "line 12: enemy"},
      {std::string(kGround) + "eventbox gate 1 2 3 4 x\n", "line 12: eventbox"},
      {std::string(kGround) + "script\nFrame::Init\n", "script without endscript"},
      {"size 2 2\nbogus\n", "line 2: unknown word bogus"},
  };
  for (const Case& c : cases) {
    std::vector<slvtools::DataFile> files;
    std::string error;
    EXPECT_FALSE(slvtools::BuildMapSource(c.text, "bad", &files, &error)) << c.text;
    EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
  }
}

TEST_F(MapSourceTest, TheSampleVillageBuilds) {
  std::string error;
  ASSERT_TRUE(slvtools::BuildSampleMaps(testsupport::SourceDir() / "data/maps", m_dir / "game/data", &error))
      << error;
  C3dWorldRes world;
  ASSERT_TRUE(world.Load("village.rsw"));
  CTextRes script;
  ASSERT_TRUE(script.Load(world.m_scriptName));
  EXPECT_GE(script.FindLine("Frame::Init"), 0);
}

}  // namespace
