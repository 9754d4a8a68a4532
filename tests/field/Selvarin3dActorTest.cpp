// The model prop: its animation ranges and states, its scripts, its pick
// rectangle; and the jail door that slides open.
#include "field/Selvarin3dActor.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "field/MovingDoor1.h"
#include "field/PickRegionList.h"
#include "platform/Device3D.h"
#include "render/3dModelRes.h"
#include "render/PixelRC.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "tests/field/FieldActorFixture.h"
#include "tools/lib/RsmWriter.h"

namespace {

using slvtools::RsmNode;
using slvtools::RsmWriter;

platform::Result FakeLoad(CTexture& t, const char* name) {
  t.m_name = name;
  t.m_width = t.m_height = 2;
  t.m_surface = std::make_shared<platform::Surface>(2, 2, platform::PixelFormat::RGB565);
  t.m_texture = t.m_surface.get();
  return platform::S_OK;
}

int Chained(const CTexture* t) {
  int n = 0;
  for (const TriangleBatch* b = t == nullptr ? nullptr : t->m_batch; b != nullptr; b = b->next) ++n;
  return n;
}

namespace selvarin3dactortest {
// A 10 x 10 x 10 box whose faces turn outwards.
RsmNode Box() {
  RsmNode node;
  node.name = "box";
  node.textures = {0};
  const float lo = -5.0f, hi = 5.0f;
  node.vertices = {{lo, lo, lo}, {hi, lo, lo}, {hi, hi, lo}, {lo, hi, lo},
                   {lo, lo, hi}, {hi, lo, hi}, {hi, hi, hi}, {lo, hi, hi}};
  node.texVertices = {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}};
  static constexpr uint16_t kFaces[12][3] = {{0, 2, 1}, {2, 0, 3}, {5, 7, 4}, {7, 5, 6}, {1, 6, 5}, {6, 1, 2},
                                             {4, 3, 0}, {3, 4, 7}, {4, 1, 5}, {1, 4, 0}, {3, 6, 2}, {6, 3, 7}};
  for (const auto& f : kFaces) {
    ModelFace face;
    for (int k = 0; k < 3; ++k) {
      face.vertex[k] = f[k];
      face.texVertex[k] = static_cast<uint16_t>(k);
    }
    node.faces.push_back(face);
  }
  return node;
}
}  // namespace selvarin3dactortest

class PropTest : public FieldActorTest {
 protected:
  static constexpr int kW = 64, kH = 48;

  PropTest() {
    g_pickRegionList.Clear();
    m_rc.SetViewSize(kW, kH);
    m_view.MakeLookAt({0.0f, 0.0f, -100.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  }
  ~PropTest() override {
    m_props.clear();
    g_pickRegionList.Clear();
  }

  void LoadModel(int32_t animLen) {
    ASSERT_TRUE(m_props.empty());
    RsmWriter rsm;
    rsm.SetHeader(animLen, 1);
    rsm.AddTexture("t.bmp");
    rsm.AddNode(selvarin3dactortest::Box());
    Write("data/model/m.rsm", rsm.Build());
    SetResDirectory("\\model\\");
    ASSERT_TRUE(m_model.Load("m.rsm"));
  }
  // Filled as map loading fills a prop.
  template <class T = CSelvarin3dActor>
  T& Place(int32_t animLen, Vec3 at = {}) {
    if (m_model.m_animLen != animLen) LoadModel(animLen);  // once a test: props borrow it
    auto actor = std::make_unique<T>();
    T& prop = *actor;
    prop.Init();
    prop.m_name = "chest";
    prop.m_animLen = m_model.m_animLen;
    prop.m_shade = m_model.m_shadeType;
    prop.SetPlacement(0, 0, 0, at.x, at.y, at.z, 1, 1, 1);
    prop.SetModel(m_model.FindNode("box"));
    prop.SetAnimFrame(0);
    prop.UpdateNodeMatrices({0, 1, 0}, {1, 1, 1}, {0.3f, 0.3f, 0.3f});
    m_props.push_back(std::move(actor));
    return prop;
  }
  // The line the prop's last script started at; -1 when none ran since.
  static int32_t Ran(CSelvarin3dActor& prop) {
    const int32_t line = prop.m_scriptStack.m_line;
    prop.m_scriptStack.m_line = -1;
    return line;
  }

  CTextureMgr m_textures{FakeLoad};
  C3dModelRes m_model{m_textures};
  CRC565 m_rc;
  Matrix m_view;
  std::vector<std::unique_ptr<CSelvarin3dActor>> m_props;  // freed before the model
};

TEST_F(PropTest, RangesOpenAndCloseInStepsOf80) {
  struct Case {
    int code;
    intptr_t range;
    int32_t animLen;
    int32_t from, to;  // the frames the run starts and stops at
    int32_t endState;
  };
  const Case cases[] = {
      {7, 2, 4800, 1600, 2720, CSelvarin3dActor::kOpen},
      {8, 2, 4800, 2720, 1600, CSelvarin3dActor::kClosed},
      {7, 0, 4800, 0, 4640, CSelvarin3dActor::kOpen},
      {8, 0, 4800, 4640, 0, CSelvarin3dActor::kClosed},
  };
  for (const Case& c : cases) {
    CSelvarin3dActor& prop = Place(c.animLen);
    prop.OnMessage(nullptr, c.code, c.range, 0, 0);
    EXPECT_EQ(prop.m_frame, c.from);
    const int32_t running = c.code == 7 ? CSelvarin3dActor::kOpening : CSelvarin3dActor::kClosing;
    int ticks = 0;
    while (prop.m_state == running && ticks < 1000) {
      const int32_t before = prop.m_frame;
      prop.OnProcess();
      ++ticks;
      if (prop.m_state == running) {
        EXPECT_EQ(std::abs(prop.m_frame - before), 80);
      }
    }
    EXPECT_EQ(prop.m_frame, c.to) << c.code << " " << c.range;
    EXPECT_EQ(prop.m_state, c.endState);
    EXPECT_EQ(ticks, (std::abs(c.to - c.from) + 79) / 80);
    prop.OnProcess();  // holding
    EXPECT_EQ(prop.m_frame, c.to);
  }
}

TEST_F(PropTest, PlayingOnceReturnsToFrameZeroEightyBeforeTheEnd) {
  CSelvarin3dActor& prop = Place(800);
  prop.OnMessage(nullptr, 9, 0, 0, 0);
  std::vector<int32_t> frames;
  for (int i = 0; i < 9; ++i) {
    prop.OnProcess();
    frames.push_back(prop.m_frame);
  }
  EXPECT_EQ(frames, (std::vector<int32_t>{80, 160, 240, 320, 400, 480, 560, 640, 0}));
  EXPECT_EQ(prop.m_state, CSelvarin3dActor::kClosed);

  // Looping wraps at the last frame; a half speed truncates its steps.
  prop.m_animSpeed = 0.5f;
  prop.OnMessage(nullptr, 10, 0, 0, 0);
  for (int i = 0; i < 19; ++i) prop.OnProcess();
  EXPECT_EQ(prop.m_frame, 760);
  prop.OnProcess();
  EXPECT_EQ(prop.m_frame, 0);
  EXPECT_EQ(prop.m_state, CSelvarin3dActor::kLooping);
}

TEST_F(PropTest, RangeTimesSaturateAndNonNumbersStepFromZero) {
  CSelvarin3dActor& prop = Place(4800);
  prop.OnMessage(nullptr, 7, INTPTR_MAX, 0, 0);
  EXPECT_EQ(prop.m_rangeStart, INT32_MAX);
  EXPECT_EQ(prop.m_rangeEnd, INT32_MAX);
  prop.OnMessage(nullptr, 8, -3000000, 0, 0);
  EXPECT_EQ(prop.m_rangeStart, INT32_MIN);
  prop.m_animSpeed = std::numeric_limits<float>::quiet_NaN();
  prop.OnMessage(nullptr, 9, 0, 0, 0);
  prop.OnProcess();  // the step truncates to 0 instead of an undefined value
  EXPECT_EQ(prop.m_frame, 0);
}

TEST_F(PropTest, ScriptsRunByLabelDelayAndStoredLine) {
  CSelvarin3dActor& prop = Place(800);
  prop.m_initLine = 4;
  prop.OnMessage(nullptr, 11, 0, 0, 0);
  EXPECT_EQ(Ran(prop), 4);
  EXPECT_EQ(prop.m_scriptStack.m_name, "chest");

  // The click: only with "::Action", no message showing and no choices.
  g_scriptObjectName.clear();
  prop.OnMessage(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(Ran(prop), -1);
  prop.m_actionLine = 9;
  Frame().m_messageState = 5;
  prop.OnMessage(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(Ran(prop), -1);
  Frame().m_messageState = 0;
  Frame().m_choiceCount = 2;
  prop.OnMessage(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(Ran(prop), -1);
  EXPECT_EQ(g_scriptObjectName, "");
  Frame().m_choiceCount = 0;
  prop.OnMessage(nullptr, 0, 0, 0, 0);
  EXPECT_EQ(Ran(prop), 9);
  EXPECT_EQ(g_scriptObjectName, "chest");

  // The message window's 13 after every message: -1 until a 12.
  prop.OnMessage(nullptr, 13, 0, 0, 0);
  EXPECT_EQ(Ran(prop), -1);
  prop.OnMessage(nullptr, 12, 21, 0, 0);
  prop.OnMessage(nullptr, 13, 0, 0, 0);
  EXPECT_EQ(Ran(prop), 21);

  // A delay of 3 is due in the fifth tick, when the counter (4) passes it.
  prop.OnMessage(nullptr, 17, 3, 30, 0);
  for (int tick = 1; tick <= 4; ++tick) {
    prop.OnProcess();
    EXPECT_EQ(Ran(prop), -1) << tick;
  }
  prop.OnProcess();
  EXPECT_EQ(Ran(prop), 30);
  for (int tick = 0; tick < 5; ++tick) prop.OnProcess();
  EXPECT_EQ(Ran(prop), -1);  // once
  g_scriptObjectName.clear();
}

TEST_F(PropTest, OnlyAPropWithAnActionOnScreenCanBePicked) {
  CSelvarin3dActor& plain = Place(800, {-20, 0, 0});
  CSelvarin3dActor& chest = Place(800, {20, 0, 0});
  chest.m_actionLine = 3;
  CTexture* texture = m_textures.Find("t.bmp", 0);
  ASSERT_NE(texture, nullptr);
  plain.Render(m_rc, m_view);
  EXPECT_EQ(g_pickRegionList.Count(), 0);
  const int plainFaces = Chained(texture);
  EXPECT_GT(plainFaces, 0);
  chest.Render(m_rc, m_view);
  ASSERT_EQ(g_pickRegionList.Count(), 1);
  EXPECT_GT(Chained(texture), plainFaces);
  const PickRegion& r = g_pickRegionList.Regions().front();
  EXPECT_EQ(r.kind, 3);
  EXPECT_EQ(r.actor3d, &chest);
  EXPECT_EQ(r.actor2d, nullptr);
  // The box centred on its base lies right of the centre and above it.
  EXPECT_GT(r.x0, kW / 2);
  EXPECT_LT(r.x0, r.x1);
  EXPECT_LT(r.y0, r.y1);
  EXPECT_LE(r.y1, kH / 2 + 1);

  // Off screen (or behind the camera): nothing drawn, nothing to pick.
  g_pickRegionList.Clear();
  for (const Vec3& away : {Vec3{400, 0, 0}, Vec3{0, -400, 0}, Vec3{0, 0, -300}}) {
    chest.SetPlacement(0, 0, 0, away.x, away.y, away.z, 1, 1, 1);
    chest.SetAnimFrame(0);
    chest.Render(m_rc, m_view);
    EXPECT_EQ(g_pickRegionList.Count(), 0);
  }
  EXPECT_EQ(Chained(texture), plainFaces);  // the chest's faces left the chain

  // A prop that goes leaves no rectangle and no picked pointer behind.
  chest.SetPlacement(0, 0, 0, 20, 0, 0, 1, 1, 1);
  chest.SetAnimFrame(0);
  chest.Render(m_rc, m_view);
  Frame().m_pPicked3dActor = &chest;
  Frame().m_pMessage3dActor = &chest;
  ASSERT_EQ(g_pickRegionList.Count(), 1);
  m_props.pop_back();
  EXPECT_EQ(g_pickRegionList.Count(), 0);
  EXPECT_EQ(Frame().m_pPicked3dActor, nullptr);
  EXPECT_EQ(Frame().m_pMessage3dActor, nullptr);
}

TEST_F(PropTest, TheDoorSlides49TimesAndRestartsOnAnotherOpen) {
  auto& door = Place<CMovingDoor1>(100, {10, 0, 0});
  door.OnMessage(nullptr, 7, 0, 0, 0);
  int moves = 0;
  for (int tick = 0; tick < 80; ++tick) {
    const float before = door.m_pos.x;
    door.OnProcess();
    if (door.m_pos.x != before) ++moves;
  }
  EXPECT_EQ(moves, 49);
  EXPECT_FLOAT_EQ(door.m_pos.x, 10.0f - 24.5f);
  EXPECT_EQ(door.m_doorState, CSelvarin3dActor::kOpen);
  // The placement moved with it, and frame 0 is shown.
  EXPECT_FLOAT_EQ(door.m_world.m[9], 10.0f - 24.5f);
  EXPECT_FLOAT_EQ(door.m_worldInv.m[9], -(10.0f - 24.5f));

  // Opened again halfway: the count starts over.
  door.OnMessage(nullptr, 7, 0, 0, 0);
  for (int tick = 0; tick < 20; ++tick) door.OnProcess();
  door.OnMessage(nullptr, 7, 0, 0, 0);
  for (int tick = 0; tick < 80; ++tick) door.OnProcess();
  EXPECT_FLOAT_EQ(door.m_pos.x, 10.0f - 24.5f - 10.0f - 24.5f);
  // Halting stops it where it stands.
  door.OnMessage(nullptr, 7, 0, 0, 0);
  door.OnProcess();
  door.OnMessage(nullptr, 8, 0, 0, 0);
  const float halted = door.m_pos.x;
  for (int tick = 0; tick < 10; ++tick) door.OnProcess();
  EXPECT_EQ(door.m_pos.x, halted);
  EXPECT_EQ(door.m_doorState, CSelvarin3dActor::kClosing);
}

TEST_F(PropTest, ADoorRequestCountsDoorTicksSinceTheLastStateChange) {
  auto& door = Place<CMovingDoor1>(100);
  for (int tick = 0; tick < 50; ++tick) door.OnProcess();
  door.OnMessage(nullptr, 17, 10, 12, 0);  // stood still for 50 ticks
  door.OnProcess();
  EXPECT_EQ(Ran(door), 12);

  door.OnMessage(nullptr, 8, 0, 0, 0);  // a state change resets the count
  door.OnMessage(nullptr, 17, 2, 14, 0);
  door.OnProcess();
  door.OnProcess();
  door.OnProcess();
  EXPECT_EQ(Ran(door), -1);
  door.OnProcess();
  EXPECT_EQ(Ran(door), 14);
}

}  // namespace
