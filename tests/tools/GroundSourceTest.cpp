#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/ResMgr.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"
#include "render/TextureMgr.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/GroundSource.h"
#include "tools/lib/TextureImages.h"

namespace {

using slvtools::BuildGroundSource;
using slvtools::DataFile;

platform::Result NamedOnly(CTexture& t, const char* name) {
  t.m_name = name;
  return platform::S_OK;
}

// The sample map, built into a game folder, loads as the game reads it; the
// attribute grid follows the ground's surface.
using SampleMapTest = GameFolderTest;

TEST_F(SampleMapTest, LoadsAsTheGameReadsIt) {
  std::string error;
  ASSERT_TRUE(
      slvtools::BuildSampleMap(testsupport::SourceDir() / "data/maps", m_dir / "game/data", &error))
      << error;
  for (int frame : {0, 9, 10, 31}) {
    const std::string name = "game/data/texture/워터/water1" + std::string(frame < 10 ? "0" : "") +
                             std::to_string(frame) + ".bmp";
    EXPECT_TRUE(std::filesystem::exists(m_dir / name)) << frame;
  }
  CTextureMgr textures(NamedOnly);
  CResMgr resources;
  C3dGround ground(textures, resources);
  ASSERT_TRUE(ground.Load("sample.gnd"));
  C3dAttr attr;
  ASSERT_TRUE(attr.Load("sample.gat"));
  ASSERT_EQ(ground.Width(), 12);
  ASSERT_EQ(ground.Height(), 10);
  EXPECT_EQ(attr.Width(), 24);
  EXPECT_EQ(attr.Height(), 20);
  EXPECT_EQ(textures.Count(), 4);
  EXPECT_NE(textures.Find("rock.bmp", 0), nullptr);
  // The pond's floor lies under the water level of 2; the rise stands high.
  EXPECT_GT(ground.GetHeight(30.0f, 5.0f), 2.0f);
  EXPECT_LT(ground.GetHeight(-55.0f, -45.0f), -5.0f);
  EXPECT_EQ(attr.GetCellType(30.0f, 5.0f), 1);
  EXPECT_EQ(attr.GetCellType(-55.0f, -45.0f), 1);
  EXPECT_EQ(attr.GetCellType(0.0f, 0.0f), 0);
  for (float x = -59.0f; x < 60.0f; x += 7.3f) {
    for (float z = -49.0f; z < 50.0f; z += 6.1f) {
      EXPECT_NEAR(attr.GetHeight(x, z), ground.GetHeight(x, z), 1e-4f) << x << ", " << z;
    }
  }
}

TEST(GroundSourceTest, MalformedSourcesNameTheirFault) {
  const std::string good =
      "texture g grass.bmp 1 2 3 4 5 6\nsize 2 1\nheights\n0 1 2\n0 1 2\nend\ntops\ng.\nend\n";
  std::vector<DataFile> files;
  std::string error;
  ASSERT_TRUE(BuildGroundSource(good, "m", &files, &error)) << error;
  ASSERT_EQ(files.size(), 3u);
  EXPECT_EQ(files[0].name, "m.gnd");
  EXPECT_EQ(files[1].name, "m.gat");
  EXPECT_EQ(files[2].name, "texture\\grass.bmp");
  struct Case {
    std::string text, error;
  } cases[] = {
      {"size 0 1", "line 1: size takes"},
      {"heights\nend", "line 1: heights before size"},
      {"size 1 1\nheights\n0 0\n0\nend", "line 4: a heights row holds"},
      {"size 1 1\nheights\n0 0\n0 0", "heights has no end"},
      {"size 1 1\nheights\n0 0\n0 0\nend\ntops\nx\nend", "no texture for x"},
      {"size 1 1\nheights\n0 0\nend\ntops\n.\nend", "heights need"},
      {"size 1 1\nheights\n0 0\n0 0\nend\ntops\n.\nend\ntypes\nx\nend", "type x is not a digit"},
      {"water 10", "line 1: water takes"},
      {"texture g grass.bmp 1 2 3 4 5 256", "colour channels"},
      {"hills 3", "unknown word hills"},
  };
  for (const Case& c : cases) {
    files.clear();
    EXPECT_FALSE(BuildGroundSource(c.text, "m", &files, &error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " gave " << error;
  }
}

}  // namespace
