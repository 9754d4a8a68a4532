// Map loading's model actors, from sources made by our model and map
// writers: props and the jail door with their labels, the looping flag,
// missing models and nodes, the 3-D field enemies and models.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/FileStream.h"
#include "engine/FrameMgr.h"
#include "engine/MacroRes.h"
#include "field/MacroActor3d.h"
#include "engine/ResMgr.h"
#include "field/3dFieldModel.h"
#include "field/MovingDoor1.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/GatWriter.h"
#include "tools/lib/GndWriter.h"
#include "tools/lib/ModelSource.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/RswWriter.h"

namespace {

const char* kChest =
    "kind rsm\nshade 1\nanimlen 800\n"
    "texture wood.bmp 150 100 50 120 78 38\n"
    "node chest\nbox -4 -5 -3 4 0 3\ncollide 4 3 3 0 -3 0\n";
const char* kSlime =
    "kind rsx\nshade 1\nframes 16\n"
    "texture slime.bmp 70 170 80 50 140 60\n"
    "node body\nbox -4 -6 -4 4 0 4\nswing 0 7 0 -0.4 0\n";

WorldModelPlacement Placement(const std::string& name, const std::string& model, const std::string& node, float x,
                              int32_t flags = 0) {
  WorldModelPlacement p;
  p.name = name;
  p.modelName = model;
  p.nodeName = node;
  p.position = Vec3{x, 0.0f, 10.0f};
  p.scale = Vec3{1.0f, 1.0f, 1.0f};
  p.flags = flags;
  return p;
}

class MapModelsTest : public ::testing::Test {
 protected:
  MapModelsTest() : m_previous(std::filesystem::current_path()) {
    std::vector<slvtools::DataFile> files;
    std::string error;
    EXPECT_TRUE(slvtools::BuildModelSource(kChest, "소품\\감옥문.rsm", &files, &error)) << error;
    EXPECT_TRUE(slvtools::BuildModelSource(kChest, "chest.rsm", &files, &error)) << error;
    EXPECT_TRUE(slvtools::BuildModelSource(kSlime, "slime.rsx", &files, &error)) << error;
    EXPECT_TRUE(slvtools::WriteDataFiles(files, m_dir.Path() / "game/data", &error)) << error;

    slvtools::RswWriter world;
    world.SetNames("models.gnd", "models.gat", "models.scr");
    world.Add(Placement("door", "소품\\감옥문.rsm", "chest", 0.0f));
    world.Add(Placement("chest", "chest.rsm", "chest", 20.0f, 1));
    world.Add(Placement("lost", "none.rsm", "chest", 30.0f));
    world.Add(Placement("nodeless", "chest.rsm", "lid", 40.0f));
    World3dFieldEnemy slime;
    slime.name = "slime";
    slime.modelName = "slime.rsx";
    slime.position = Vec3{-20.0f, 0.0f, 5.0f};
    slime.speed = 0.5f;
    slime.ranges = {0.0f, 7.9f, 8.0f, 15.0f};
    world.Add(slime);
    World3dModel statue;
    statue.name = "statue";
    statue.modelName = "slime.rsx";
    statue.position = Vec3{5.0f, 0.0f, -5.0f};
    statue.rotation = Vec3{0.0f, 90.0f, 0.0f};
    statue.speed = 3;
    world.Add(statue);
    Write("models.rsw", world.Build());
    Write("models.gnd", slvtools::GndWriter(8, 8).Build());
    Write("models.gat", slvtools::GatWriter(16, 16).Build());
    Write("models.scr", "chest::Action\nsay hi\nreturn\ndoor::Init\nreturn\nslime::Battle\nreturn\nstatue::Init\nreturn\n");
    Write("models.ini", "load world models.rsw\n");
    std::filesystem::current_path(m_dir.Path() / "game");
    SetResDirectory("\\");
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
  }
  ~MapModelsTest() override {
    if (m_frame.m_running != 0) m_frame.Exit();
    g_pCurrentFrame = nullptr;
    CResMgr::GetInstance().UnloadResources();
    std::filesystem::current_path(m_previous);
  }
  void Write(const std::string& name, const std::string& bytes) { m_dir.Write("game/data/" + name, bytes); }
  CSelvarinContext& Context() { return *m_frame.GetContext(); }

  testsupport::TempDir m_dir;
  std::filesystem::path m_previous;
  CSelvarinFrame m_frame;
};

TEST_F(MapModelsTest, PlacementsBecomePropsTheJailDoorItsOwnClass) {
  testsupport::DebugLogCapture log;
  m_frame.m_name = "models";
  m_frame.Init();
  EXPECT_TRUE(log.Contains("모델파일이 없습니다"));
  EXPECT_TRUE(log.Contains("모델노드가 없습니다"));
  CSelvarinContext& context = Context();
  ASSERT_EQ(context.m_modelActors.size(), 2u);
  auto* door = dynamic_cast<CMovingDoor1*>(context.FindActorByResName("door"));
  ASSERT_NE(door, nullptr);
  EXPECT_EQ(door->m_initLine, 4);
  EXPECT_EQ(door->m_actionLine, -1);
  EXPECT_EQ(door->m_animLen, 800);
  EXPECT_EQ(door->m_collide, 1);
  EXPECT_EQ(door->m_boxes.size(), 1u);
  EXPECT_TRUE(door->IsInsideBox(Vec3{0.0f, -3.0f, 10.0f}));
  auto* chest = dynamic_cast<CSelvarin3dActor*>(context.FindActorByResName("chest"));
  ASSERT_NE(chest, nullptr);
  EXPECT_EQ(dynamic_cast<CMovingDoor1*>(chest), nullptr);
  EXPECT_EQ(chest->m_actionLine, 1);
  EXPECT_EQ(chest->m_state, CSelvarin3dActor::kLooping);  // its flag word 1

  // The 3-D enemy in front of the live list and among the field enemies.
  ASSERT_FALSE(context.m_liveActors.empty());
  auto* statue = dynamic_cast<C3dFieldModel*>(context.m_liveActors.front());
  ASSERT_NE(statue, nullptr);
  EXPECT_EQ(statue->m_name, "statue");
  EXPECT_FLOAT_EQ(statue->m_angle, 90.0f);
  EXPECT_FLOAT_EQ(statue->m_model.m_rotTarget.y, 90.0f);
  EXPECT_FLOAT_EQ(statue->m_speed, 3.0f);
  EXPECT_EQ(statue->m_initLine, 8);
  ASSERT_EQ(context.m_fieldEnemies.size(), 1u);
  auto* slime = dynamic_cast<C3dFieldEnemy*>(context.m_fieldEnemies.front());
  ASSERT_NE(slime, nullptr);
  EXPECT_EQ(slime->m_battleLine, 6);
  EXPECT_EQ(slime->m_eventLine, -1);
  EXPECT_EQ(slime->m_idleEnd, 7);
  EXPECT_EQ(slime->m_model.m_frameDelay, 1);  // 0 counts as 1
  EXPECT_FLOAT_EQ(slime->m_targetX, -20.0f);
  ASSERT_NE(slime->m_model.Model(), nullptr);
  EXPECT_EQ(slime->m_model.FrameCount(), 16);
}

TEST_F(MapModelsTest, MacroChannelsOfModelsGetCutSceneModels) {
  m_frame.m_name = "models";
  m_frame.Init();
  CMacroRes macro;
  macro.m_tracks.resize(3);
  macro.m_tracks[0].name = "statue";
  macro.m_tracks[0].value0 = 1;
  macro.m_tracks[1].name = "nobody";
  testsupport::DebugLogCapture log;
  Context().BindMacroActors(&macro);
  EXPECT_TRUE(log.Contains("Macro Actor Channel Not Found"));
  ASSERT_EQ(Context().m_macroActors.size(), 1u);
  auto* bound = dynamic_cast<CMacroActor3d*>(Context().m_macroActors.front());
  ASSERT_NE(bound, nullptr);
  const auto* statue = dynamic_cast<const C3dFieldModel*>(Context().FindActorByName("statue"));
  ASSERT_NE(statue, nullptr);
  EXPECT_EQ(bound->m_model.Model(), statue->m_model.Model());
  EXPECT_FLOAT_EQ(bound->m_pos.x, 5.0f);
  EXPECT_FLOAT_EQ(bound->m_angle, 90.0f);
  EXPECT_EQ(bound->m_writeBack, 1);
  EXPECT_EQ(bound->m_actorName, "statue");
  EXPECT_EQ(Context().FindMacroActor("statue"), bound);
}

}  // namespace
