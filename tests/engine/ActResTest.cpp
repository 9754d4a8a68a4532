#include "engine/ActRes.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "tests/support/GameFolder.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/ActWriter.h"
#include "tools/lib/SprWriter.h"

namespace {

using slvtools::BuildAct;

ActLayer Layer(int32_t x, int32_t y, int32_t sprite, float scale = 1.0f, int32_t kind = 0) {
  ActLayer layer;
  layer.x = x;
  layer.y = y;
  layer.sprite = sprite;
  layer.mirror = 1;
  layer.color[0] = 10;
  layer.color[1] = 20;
  layer.color[2] = 30;
  layer.color[3] = 40;
  layer.scale = scale;
  layer.value2 = 7;
  layer.kind = kind;
  return layer;
}

ActMotion Motion(std::vector<ActLayer> layers, int32_t eventIndex = 2) {
  ActMotion motion;
  for (int i = 0; i < 4; ++i) {
    motion.box1[i] = i + 1;
    motion.box2[i] = -i;
  }
  motion.layers = std::move(layers);
  motion.eventIndex = eventIndex;
  return motion;
}

// Animations in data\sprite\ with their companion sprites, fetched through
// the game's resource manager.
class ActResTest : public GameFolderTest {
 protected:
  ActResTest() { SetResDirectory("\\sprite\\"); }
  ~ActResTest() override { CResMgr::GetInstance().UnloadResources(); }

  // A 5 x 4 palette image and a 3 x 6 true-colour image.
  void WriteCompanion(const std::string& name) {
    slvtools::SprWriter spr(0x200);
    spr.AddImage(5, 4, std::vector<uint8_t>(20, 1));
    spr.AddArgbImage(3, 6, std::vector<uint32_t>(18, 0xFFFFFFFF));
    Write("data/sprite/" + name, spr.Build());
  }
  bool Load(CActRes& act, const std::string& name, const std::string& bytes) {
    Write("data/sprite/" + name, bytes);
    SetResDirectory("\\sprite\\");
    return act.Load(name);
  }
};

TEST_F(ActResTest, Version100KeepsPositionsAndDefaults) {
  WriteCompanion("old.spr");
  CActRes act;
  ASSERT_TRUE(Load(act, "old.act", BuildAct(0x100, {{{Motion({Layer(0, 0, 0, 2.0f, 1), Layer(-5, 9, 3)})}}, {}})));
  ASSERT_EQ(act.GetActionCount(), 2);
  EXPECT_EQ(act.GetAction(1)->motions.size(), 0u);
  const ActMotion* motion = act.GetMotion(0, 0);
  ASSERT_NE(motion, nullptr);
  EXPECT_EQ(motion->box1[3], 4);
  EXPECT_EQ(motion->box2[3], -3);
  EXPECT_EQ(motion->eventIndex, -1);
  ASSERT_EQ(motion->layers.size(), 2u);
  const ActLayer& layer = motion->layers[1];
  EXPECT_EQ(layer.x, -5);
  EXPECT_EQ(layer.y, 9);
  EXPECT_EQ(layer.sprite, 3);
  EXPECT_EQ(layer.mirror, 1);
  EXPECT_EQ(layer.Argb(), 0xFFFFFFFFu);
  EXPECT_EQ(layer.scale, 1.0f);
  EXPECT_EQ(layer.value2, 0);
  EXPECT_EQ(layer.kind, 0);
  EXPECT_EQ(motion->layers[0].kind, 0);
  EXPECT_EQ(act.GetEventCount(), 0);
}

TEST_F(ActResTest, NewerLayersTurnCentresIntoCorners) {
  WriteCompanion("hero.spr");
  struct Case {
    ActLayer stored;
    int32_t x, y, sprite;
  };
  const Case cases[] = {
      {Layer(0, 0, 0), -3, -2, 0},           // 5 x 4: ceil halves 3 and 2
      {Layer(10, 10, 0, 2.0f), 2, 3, 0},      // (10 - 2 * 3) / 2, (10 - 2 * 2) / 2
      {Layer(1, 1, 0, 0.5f), -1, 0, 0},       // (1 - 1.5) / 0.5, cut toward zero
      {Layer(0, 0, 0, 1.0f, 1), -2, -3, 0},   // the 3 x 6 true-colour image
      {Layer(4, 4, 1000), 1, 2, 0},           // image 1000 becomes image 0
      {Layer(4, 4, -1), 1, 2, 0},             // and so does a negative one
      {Layer(4, 4, 1), 4, 4, 1},              // no image 1: kept as stored
      {Layer(4, 4, 0, 0.0f), 4, 4, 0},        // no corner for a scale of 0
  };
  std::vector<ActLayer> layers;
  for (const Case& c : cases) layers.push_back(c.stored);
  testsupport::DebugLogCapture log;
  CActRes act;
  ASSERT_TRUE(Load(act, "hero.act", BuildAct(0x200, {{{Motion(layers)}}})));
  EXPECT_TRUE(log.Contains("스프라이트 파일이 이상함. 문의 요망"));
  EXPECT_TRUE(log.Contains("hero.spr"));  // the sprite is named, not the animation
  const ActMotion* motion = act.GetMotion(0, 0);
  ASSERT_EQ(motion->layers.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const ActLayer& layer = motion->layers[i];
    EXPECT_EQ(layer.x, cases[i].x) << i;
    EXPECT_EQ(layer.y, cases[i].y) << i;
    EXPECT_EQ(layer.sprite, cases[i].sprite) << i;
  }
  EXPECT_EQ(motion->layers[0].Argb(), 0x280A141Eu);
  EXPECT_EQ(motion->layers[0].value2, 7);
  EXPECT_EQ(motion->eventIndex, -1);  // stored 2, not yet used by 0x200 files
}

TEST_F(ActResTest, WithoutItsSpriteALayerKeepsItsPosition) {
  CActRes act;
  ASSERT_TRUE(Load(act, "lonely.act", BuildAct(0x200, {{{Motion({Layer(7, 8, 0)})}}})));
  EXPECT_EQ(act.GetMotion(0, 0)->layers[0].x, 7);
  EXPECT_EQ(act.GetMotion(0, 0)->layers[0].y, 8);
}

TEST_F(ActResTest, Version201KeepsEventsAndNames) {
  WriteCompanion("npc.spr");
  const std::string longName(45, 'x');
  CActRes act;
  ASSERT_TRUE(Load(act, "npc.act", BuildAct(0x201, {{{Motion({}), Motion({}, -1)}}}, {"a.wav", "b.wav", longName})));
  EXPECT_EQ(act.GetMotion(0, 0)->eventIndex, 2);
  EXPECT_EQ(act.GetMotion(0, 1)->eventIndex, -1);
  EXPECT_EQ(act.GetMotion(0, 2), nullptr);
  EXPECT_EQ(act.GetMotion(1, 0), nullptr);
  EXPECT_EQ(act.GetMotion(-1, 0), nullptr);
  ASSERT_EQ(act.GetEventCount(), 3);
  EXPECT_STREQ(act.GetEventName(1), "b.wav");
  EXPECT_EQ(std::string(act.GetEventName(2)), longName.substr(0, 39));
  EXPECT_EQ(act.GetEventName(3), nullptr);
  EXPECT_EQ(act.GetEventName(-1), nullptr);
}

TEST_F(ActResTest, AnEventNameWithoutItsNulStopsAtForty) {
  std::string file = BuildAct(0x201, {}, {"x"});
  file.replace(file.size() - 40, 40, std::string(40, 'e'));
  CActRes act;
  ASSERT_TRUE(Load(act, "full.act", file));
  EXPECT_EQ(std::string(act.GetEventName(0)), std::string(40, 'e'));
}

TEST_F(ActResTest, BadFilesFailEmpty) {
  WriteCompanion("bad.spr");
  const std::string good = BuildAct(0x201, {{{Motion({Layer(1, 1, 0), Layer(2, 2, 0)})}}}, {"a"});
  const auto withI32At = [&good](size_t offset, int32_t value) {
    std::string file = good;
    for (int i = 0; i < 4; ++i) file[offset + i] = static_cast<char>(static_cast<uint32_t>(value) >> (8 * i));
    return file;
  };
  const size_t motionCountAt = 16, layerCountAt = 16 + 4 + 32, eventCountAt = good.size() - 44;
  struct Case {
    const char* what;
    std::string file;
    const char* log;
  };
  const Case cases[] = {
      {"wrong magic", "CA" + good.substr(2), "Not an animation file"},
      {"header cut", good.substr(0, 15), "File too short"},
      {"negative motion count", withI32At(motionCountAt, -1), "motion count -1"},
      {"motion count past the end", withI32At(motionCountAt, 100), "motion count 100"},
      {"negative layer count", withI32At(layerCountAt, -2), "layer count -2"},
      {"layer count past the end", withI32At(layerCountAt, 1 << 30), "layer count"},
      {"negative event count", withI32At(eventCountAt, -1), "event count -1"},
      {"event count past the end", withI32At(eventCountAt, 2), "event count 2"},
  };
  for (const Case& c : cases) {
    testsupport::DebugLogCapture log;
    CActRes act;
    EXPECT_FALSE(Load(act, "bad.act", c.file)) << c.what;
    EXPECT_TRUE(log.Contains(c.log)) << c.what;
    EXPECT_EQ(act.GetActionCount(), 0) << c.what;
    EXPECT_EQ(act.GetEventCount(), 0) << c.what;
  }
  for (size_t size = 0; size < good.size(); ++size) {
    CActRes act;
    EXPECT_FALSE(Load(act, "bad.act", good.substr(0, size))) << size;
  }
  testsupport::DebugLogCapture log;
  CActRes act;
  EXPECT_FALSE(act.Load("missing.act"));
  EXPECT_TRUE(log.Contains("Cannot find File : missing.act"));
}

TEST_F(ActResTest, NewerVersionIsReportedAndRead) {
  testsupport::DebugLogCapture log;
  CActRes act;
  ASSERT_TRUE(Load(act, "new.act", BuildAct(0x2001, {{{Motion({})}}}, {"a"})));
  EXPECT_TRUE(log.Contains("Unsupported Version. Content may be corrupted"));
  EXPECT_EQ(act.GetMotion(0, 0)->eventIndex, 2);
}

TEST_F(ActResTest, TheManagerLoadsActAndSprFromTheSpriteFolder) {
  WriteCompanion("duo.spr");
  Write("data/sprite/duo.act", BuildAct(0x200, {{{Motion({Layer(0, 0, 0)})}}}));
  auto* act = dynamic_cast<CActRes*>(CResMgr::GetInstance().GetRes("DUO.ACT"));
  ASSERT_NE(act, nullptr);
  EXPECT_EQ(act->GetMotion(0, 0)->layers[0].x, -3);
  EXPECT_NE(dynamic_cast<CSprRes*>(CResMgr::GetInstance().GetRes("duo.spr")), nullptr);
}

}  // namespace

namespace {

TEST(ActLayerTest, ModulatesItsColourWithTheActors) {
  struct Case {
    uint8_t rgba[4];
    uint32_t actor, expected;
  };
  const Case cases[] = {
      {{255, 128, 0, 255}, 0xFFFFFFFF, 0xFFFF8000},
      {{255, 128, 0, 255}, 0x80808080, 0x80804000},
      {{255, 255, 255, 255}, 0x01020304, 0x01020304},
      {{1, 2, 3, 4}, 0xFFFFFFFF, 0x04010203},
      {{100, 200, 50, 10}, 0x7F7F7F7F, 0x04316318},  // 4.98, 49.8, 99.6, 24.9 cut down
  };
  for (const Case& c : cases) {
    ActLayer layer;
    for (int i = 0; i < 4; ++i) layer.color[i] = c.rgba[i];
    EXPECT_EQ(layer.Modulate(c.actor), c.expected) << std::hex << c.expected;
  }
}

}  // namespace
