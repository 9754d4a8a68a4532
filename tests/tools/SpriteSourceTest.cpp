#include "tools/lib/SpriteSource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/ActRes.h"
#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/PartySprites.h"

namespace {

using slvtools::BuildSpriteSource;
using slvtools::BuildSpriteSourceFile;
using slvtools::BuiltSprite;

class SpriteSourceTest : public GameFolderTest {
 protected:
  ~SpriteSourceTest() override { CResMgr::GetInstance().UnloadResources(); }
};

// The sample's cursors load back through the engine as the game reads them.
TEST_F(SpriteSourceTest, SampleCursorsLoadAsTheGameReadsThem) {
  BuiltSprite built;
  std::string error;
  ASSERT_TRUE(BuildSpriteSourceFile(testsupport::SourceDir() / "data/sprite/system/cursors.sprite", &built, &error))
      << error;
  Write("data/sprite/system/cursors.spr", built.spr);
  Write("data/sprite/system/cursors.act", built.act);
  auto* act = dynamic_cast<CActRes*>(CResMgr::GetInstance().GetRes("system\\cursors.act"));
  auto* spr = dynamic_cast<CSprRes*>(CResMgr::GetInstance().GetRes("system\\cursors.spr"));
  ASSERT_NE(act, nullptr);
  ASSERT_NE(spr, nullptr);
  ASSERT_EQ(act->GetActionCount(), 6);
  for (int a = 0; a < 6; ++a) {
    const ActMotion* motion = act->GetMotion(a, 0);
    ASSERT_NE(motion, nullptr) << a;
    ASSERT_EQ(motion->layers.size(), 1u) << a;
    EXPECT_NE(spr->GetImage(motion->layers[0].sprite), nullptr) << a;
  }
  // The pointer's tip is the point itself, and it is opaque black.
  const ActLayer& pointer = act->GetMotion(2, 0)->layers[0];
  EXPECT_EQ(pointer.x, 0);
  EXPECT_EQ(pointer.y, 0);
  const SprImage* image = spr->GetImage(pointer.sprite);
  EXPECT_TRUE(image->fullSize);
  EXPECT_EQ(image->pixels[0], 0x8001);
  EXPECT_EQ(image->pixels[1], 0);
  // The turned arrow is centred on the point.
  const ActLayer& arrow = act->GetMotion(0, 0)->layers[0];
  EXPECT_EQ(arrow.x, -6);
  EXPECT_EQ(arrow.y, -5);
  EXPECT_EQ(act->GetMotion(4, 1)->layers[0].Argb(), 0xA0FFFFFFu);
}

TEST(SpriteSource, EventsColoursAndCorners) {
  const std::string text =
      "color a 8 16 24  # a comment\n"
      "image dot\n"
      "a.a\n"
      ".a.\n"
      "end\n"
      "action 0\n"
      "motion step.wav\n"
      "layer dot 1 2 10 20 30 40\n"
      "motion\n";
  BuiltSprite built;
  std::string error;
  ASSERT_TRUE(BuildSpriteSource(text, &built, &error)) << error;
  // Two 3 x 2 pixels of indexes after the 8-byte header and the image's size.
  EXPECT_EQ(built.spr.substr(0, 8), std::string("SP\x00\x02\x01\x00\x00\x00", 8));
  EXPECT_EQ(built.spr.substr(12, 6), std::string("\x01\x00\x01\x00\x01\x00", 6));
  EXPECT_EQ(built.spr.substr(built.spr.size() - 1020, 4), std::string("\x08\x10\x18\x00", 4));
  // The layer's centre: (1 + 2, 2 + 1).
  const std::string layer = built.act.substr(16 + 4 + 32 + 4, 12);
  EXPECT_EQ(layer, std::string("\x03\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00", 12));
  EXPECT_NE(built.act.find(std::string("step.wav\0", 9)), std::string::npos);
}

// Images are numbered 0, 1, 2 in the order they are defined, whatever
// order the layers name them in.
TEST(SpriteSource, ImagesAreNumberedInTheOrderTheyAreDefined) {
  const std::string text =
      "color a 1 1 1\n"
      "image first\na\nend\n"
      "image second\naa\nend\n"
      "image third\naaa\nend\n"
      "action 0\nmotion\nlayer third 0 0\nlayer first 0 0\nlayer second 0 0\n";
  BuiltSprite built;
  std::string error;
  ASSERT_TRUE(BuildSpriteSource(text, &built, &error)) << error;
  std::vector<int32_t> images;
  // The motion's layers start after the header, the action's motion count,
  // the motion's two boxes and its layer count; each is 32 bytes.
  for (size_t layer = 0; layer < 3; ++layer) {
    int32_t index;
    std::memcpy(&index, built.act.data() + 16 + 4 + 32 + 4 + 32 * layer + 8, sizeof index);
    images.push_back(index);
  }
  EXPECT_EQ(images, (std::vector<int32_t>{2, 0, 1}));
}

TEST(SpriteSource, RefusesMalformedSources) {
  struct Case {
    const char* text;
    const char* error;
  };
  const Case cases[] = {
      {"colour a 1 2 3\n", "line 1: unknown word colour"},
      {"color . 1 2 3\n", "line 1: color needs a new drawing character"},
      {"color a 1 2 300\n", "colour values are 0 to 255"},
      {"image x\nab\n", "no colour for a"},
      {"color a 1 1 1\nimage x\na\naa\nend\n", "line 4: rows of image x differ in width"},
      {"image x\nend\n", "image x has no rows"},
      {"color a 1 1 1\nimage x\na\n", "image x has no end"},
      {"action 1\n", "actions are numbered"},
      {"motion\n", "motion [event] after an action"},
      {"action 0\nlayer x 0 0\n", "layer outside a motion"},
      {"action 0\nmotion\nlayer x 0 0\n", "no image x"},
      {"color a 1 1 1\nimage x\na\nend\naction 0\nmotion\nlayer x 0\n", "layer NAME X Y"},
  };
  for (const Case& c : cases) {
    BuiltSprite built;
    std::string error;
    EXPECT_FALSE(BuildSpriteSource(c.text, &built, &error)) << c.text;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.text << " gave: " << error;
  }
}

}  // namespace

// The party's battle sheets load as the battle reads them: twenty groups of
// four facings, the strike's third frame its hit frame.
TEST_F(SpriteSourceTest, PartyBattleSheetsHaveEightyActionsAndAStrikeThatHits) {
  std::vector<slvtools::DataFile> files;
  std::string error;
  ASSERT_TRUE(slvtools::BuildPartySprites(&files, &error)) << error;
  for (slvtools::DataFile& file : files) {
    std::replace(file.name.begin(), file.name.end(), '\\', '/');
    Write("data/" + file.name, file.bytes);
  }
  auto* act = dynamic_cast<CActRes*>(CResMgr::GetInstance().GetRes("주연급\\전투\\기본형\\kreutzer_기본전투_검.act"));
  ASSERT_NE(act, nullptr);
  ASSERT_EQ(act->GetActionCount(), 80);
  for (int facing = 0; facing < 4; ++facing) {
    const ActMotion* hit = act->GetMotion(8 + facing, 2);
    ASSERT_NE(hit, nullptr);
    ASSERT_GE(hit->eventIndex, 0);
    EXPECT_STREQ(act->GetEventName(hit->eventIndex), "attacktime.atk");
  }
  EXPECT_NE(CResMgr::GetInstance().GetRes("주연급\\필드\\maria.act"), nullptr);
}
