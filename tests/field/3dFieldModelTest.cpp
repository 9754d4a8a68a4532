// The field's model actors: actions and frame delays, the script codes and
// their guards, turning, physics, lighting once a model, the blink; the 3-D
// field enemy's wandering, chase, return and battle request; the cut-scene
// 3-D actor on the same behaviour.
#include "field/3dFieldModel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "field/MacroActor3d.h"
#include "platform/Random.h"
#include "render/3dAnimModelRes.h"
#include "render/PixelRC.h"
#include "render/Texture.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/support/TestSupport.h"

namespace {

// A model of `frames` frames: one node, one triangle facing the camera.
std::unique_ptr<C3dAnimModelRes> Model(int frames, CTexture* texture, int alpha = 255) {
  auto model = std::make_unique<C3dAnimModelRes>();
  model->m_numFrames = frames;
  model->m_shadeType = 1;
  model->m_alpha = alpha;
  auto node = std::make_unique<C3dAnimModelNode>();
  node->owner = model.get();
  node->m_numVertices = 3;
  node->m_numTexVertices = 3;
  node->m_sharedTexVertices = 1;
  node->m_numFrames = frames;
  for (int f = 0; f < frames; ++f) node->vertices.insert(node->vertices.end(), {{0, 0, 0}, {0, 4, 0}, {4, 0, 0}});
  node->texVertices.resize(3);
  ModelFace face;
  face.vertex[1] = face.texVertex[1] = 1;
  face.vertex[2] = face.texVertex[2] = 2;
  node->faces = {face};
  node->colors.assign(3, 0xFFFFFFFF);
  node->textures = {texture};
  model->m_nodes.push_back(std::move(node));
  return model;
}

class FieldModelTest : public FieldActorTest {
 protected:
  FieldModelTest() {
    m_texture.m_name = "m.bmp";
    m_model = Model(30, &m_texture);
    m_rc.SetViewSize(64, 48);
    m_view.MakeLookAt({0.0f, 0.0f, -100.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
  }
  ~FieldModelTest() override { Context().m_player = nullptr; }

  template <class T = C3dFieldModel>
  std::unique_ptr<T> Make() {
    auto actor = std::make_unique<T>();
    actor->m_model.SetModel(m_model.get());
    actor->OnMessage(nullptr, 11, 0, 0, 0);
    return actor;
  }
  void PlayerAt(float x, float z) {
    m_player.m_pos = Vec3{x, 0.0f, z};
    Context().m_player = &m_player;
  }

  CTexture m_texture;
  std::unique_ptr<C3dAnimModelRes> m_model;
  CSelvarinActor m_player;
  CRC565 m_rc;
  Matrix m_view;
};

TEST_F(FieldModelTest, AnActionPlaysAtItsDelayAndStopsAtItsEnd) {
  auto model = Make();
  model->OnMessage(nullptr, 40, 2, 10, 20);
  model->OnMessage(nullptr, 41, 2, 0, 0);
  model->OnMessage(nullptr, 19, 2, 0, 0);
  std::vector<int32_t> frames;
  for (int tick = 0; tick < 24; ++tick) {
    model->OnProcess();
    frames.push_back(model->m_model.m_frame);
  }
  EXPECT_EQ(frames[0], 10);
  EXPECT_EQ(frames[1], 11);
  EXPECT_EQ(frames[2], 11);
  EXPECT_EQ(frames[19], 20);
  EXPECT_EQ(frames[21], 20);
  EXPECT_EQ(model->m_model.m_animating, 0);

  // With the loop flag it starts over; an undefined action leaves none.
  model->OnMessage(nullptr, 50, 1, 0, 0);
  model->OnMessage(nullptr, 19, 2, 0, 0);
  for (int tick = 0; tick < 22; ++tick) model->OnProcess();
  EXPECT_EQ(model->m_model.m_frame, 10);
  testsupport::DebugLogCapture log;
  model->OnMessage(nullptr, 19, 7, 0, 0);
  EXPECT_TRUE(log.Contains("만들어진 액션이 없음"));
  EXPECT_EQ(model->m_model.m_action, -1);
  model->OnProcess();
  EXPECT_EQ(model->m_model.m_frame, 0);
}

TEST_F(FieldModelTest, FrameCodesKeepToTheModelsFrames) {
  auto model = Make();
  testsupport::DebugLogCapture log;
  model->OnMessage(nullptr, 40, 1, -5, 99);
  EXPECT_EQ(model->m_model.m_actions[1], std::make_pair(0, 29));
  EXPECT_TRUE(log.Contains("Invalid startFrame"));
  EXPECT_TRUE(log.Contains("Invalid endFrame"));
  model->OnMessage(nullptr, 48, 12, 0, 0);
  EXPECT_EQ(model->m_model.m_frame, 12);
  EXPECT_EQ(model->m_model.m_animating, 0);
  model->OnMessage(nullptr, 48, 30, 0, 0);
  EXPECT_EQ(model->m_model.m_frame, 12);
  EXPECT_TRUE(log.Contains("Error SetFrame!!"));
  model->OnMessage(nullptr, 41, 0, 0, 0);
  EXPECT_EQ(model->m_model.m_frameDelay, 1);
  model->OnMessage(nullptr, 41, -3, 0, 0);  // only 0 counts as 1
  EXPECT_EQ(model->m_model.m_frameDelay, -3);
  model->OnMessage(nullptr, 59, 300, 0, 0);
  EXPECT_EQ(model->m_model.m_alpha, 300);
  EXPECT_TRUE(log.Contains("Invalid Range"));
}

TEST_F(FieldModelTest, PointerCodesIgnoreNullsAndBringTargetsIntoATurn) {
  auto model = Make();
  for (int code : {34, 35, 36, 37, 54, 55, 56, 57}) model->OnMessage(nullptr, code, 0, 0, 0);
  EXPECT_EQ(model->m_state, 0);
  const float inf = std::numeric_limits<float>::infinity();
  float x = 725.0f, y = -30.0f, z = inf;
  model->OnMessage(nullptr, 37, reinterpret_cast<intptr_t>(&x), reinterpret_cast<intptr_t>(&y),
                   reinterpret_cast<intptr_t>(&z));
  EXPECT_FLOAT_EQ(model->m_model.m_rotTarget.x, 5.0f);
  EXPECT_FLOAT_EQ(model->m_model.m_rotTarget.y, 330.0f);
  EXPECT_EQ(model->m_model.m_rotTarget.z, 0.0f);
  // Above 359 loses a turn, then below 0 gains one: all three end at 359.5.
  float past = 359.5f, below = -0.5f, twice = 719.5f;
  model->OnMessage(nullptr, 37, reinterpret_cast<intptr_t>(&past), reinterpret_cast<intptr_t>(&below),
                   reinterpret_cast<intptr_t>(&twice));
  EXPECT_EQ(model->m_model.m_rotTarget.x, 359.5f);
  EXPECT_EQ(model->m_model.m_rotTarget.y, 359.5f);
  EXPECT_EQ(model->m_model.m_rotTarget.z, 359.5f);
  float huge = 1.0e30f;
  model->OnMessage(nullptr, 37, reinterpret_cast<intptr_t>(&huge), reinterpret_cast<intptr_t>(&y),
                   reinterpret_cast<intptr_t>(&y));
  EXPECT_GE(model->m_model.m_rotTarget.x, 0.0f);
  EXPECT_LT(model->m_model.m_rotTarget.x, 360.0f);

  // Turning: steps of the speed while the truncated speed is smaller than
  // the truncated gap, then the target itself.
  float speed = 4.0f, zero = 0.0f, target = 10.0f;
  model->OnMessage(nullptr, 36, reinterpret_cast<intptr_t>(&speed), reinterpret_cast<intptr_t>(&zero),
                   reinterpret_cast<intptr_t>(&zero));
  model->OnMessage(nullptr, 37, reinterpret_cast<intptr_t>(&target), reinterpret_cast<intptr_t>(&zero),
                   reinterpret_cast<intptr_t>(&zero));
  std::vector<float> angles;
  for (int tick = 0; tick < 4; ++tick) {
    model->OnProcess();
    angles.push_back(model->m_angleX);
  }
  EXPECT_EQ(angles, (std::vector<float>{4.0f, 8.0f, 10.0f, 10.0f}));
  // Spinning wraps once past 359.
  float spin = 200.0f;
  model->OnMessage(nullptr, 36, reinterpret_cast<intptr_t>(&spin), reinterpret_cast<intptr_t>(&zero),
                   reinterpret_cast<intptr_t>(&zero));
  model->OnMessage(nullptr, 39, 0, 0, 0);
  model->OnProcess();
  model->OnProcess();
  EXPECT_FLOAT_EQ(model->m_angleX, 50.0f);
}

TEST_F(FieldModelTest, PhysicsBouncesWithAFrictionOfZeroCountingAsOne) {
  // A bounce divides the horizontal speeds by 1.5 times the friction; a
  // negative friction turns them round.
  const auto bounced = [this](float friction) {
    auto model = Make();
    model->m_pos = Vec3{0.0f, -1.0f, 0.0f};
    float velocity[3] = {3.0f, 2.0f, 1.5f};
    float bounce = 1.0f;
    model->OnMessage(nullptr, 55, reinterpret_cast<intptr_t>(velocity), 0, 0);
    model->OnMessage(nullptr, 57, reinterpret_cast<intptr_t>(&friction), 0, 0);
    model->OnMessage(nullptr, 56, reinterpret_cast<intptr_t>(&bounce), 0, 0);
    model->OnMessage(nullptr, 52, 0, 0, 0);
    model->OnProcess();
    return model;
  };
  EXPECT_FLOAT_EQ(bounced(-2.0f)->m_velocity.x, -1.0f);
  auto model = bounced(0.0f);
  EXPECT_TRUE(std::isfinite(model->m_pos.x));
  EXPECT_FLOAT_EQ(model->m_pos.x, 3.0f);
  EXPECT_EQ(model->m_inAir, 1);
  EXPECT_LT(model->m_velocity.y, 0.0f);  // bounced up
  EXPECT_FLOAT_EQ(model->m_velocity.x, 2.0f);

  // Moving to a point stops once the distance grows.
  float to[5] = {9.0f, 0.0f, 0.0f, 4.0f, 0.0f};
  model->OnMessage(nullptr, 53, 0, 0, 0);
  model->m_pos = Vec3{};
  model->OnMessage(nullptr, 34, reinterpret_cast<intptr_t>(to), 0, 0);
  EXPECT_EQ(model->m_state, CModelBehaviour::kMoving);
  for (int tick = 0; tick < 4; ++tick) model->OnProcess();
  EXPECT_EQ(model->m_state, 0);
  EXPECT_FLOAT_EQ(model->m_pos.x, 12.0f);
}

TEST_F(FieldModelTest, ModelsSharingAResourceAreLitOnceAndBlinkWithTheirOwnAlpha) {
  auto a = Make();
  auto b = Make();
  m_model->m_nodes[0]->colors.assign(3, 0);
  a->Render(m_rc, m_view);
  EXPECT_EQ(m_model->m_lit, 1);
  const uint32_t lit = m_model->m_nodes[0]->colors[0];
  EXPECT_NE(lit, 0u);
  m_model->m_nodes[0]->colors.assign(3, 0x00123456);
  b->Render(m_rc, m_view);
  EXPECT_EQ(m_model->m_nodes[0]->colors[0], 0x00123456u);  // not lit again
  EXPECT_EQ(m_rc.m_alphaTestTris[&m_texture].size(), 2u);

  // Code 59's 300 shifted into a 32-bit word leaves alpha 44.
  b->OnMessage(nullptr, 58, 1, 0, 0);
  b->OnMessage(nullptr, 59, 300, 0, 0);
  b->Render(m_rc, m_view);  // the first draw of a blink shows the model's own
  EXPECT_EQ(m_rc.m_alphaTestTris[&m_texture].size(), 3u);
  b->Render(m_rc, m_view);
  ASSERT_EQ(m_rc.m_blendTris[&m_texture].size(), 1u);
  EXPECT_EQ(m_rc.m_blendTris[&m_texture][0].v[0].diffuse >> 24, 44u);

  // Hidden, or without frames: nothing drawn, nothing lit.
  b->m_visible = 0;
  b->Render(m_rc, m_view);
  EXPECT_EQ(m_rc.m_alphaTestTris[&m_texture].size(), 3u);
  auto empty = Model(0, &m_texture);
  a->m_model.SetModel(empty.get());
  a->Render(m_rc, m_view);
  EXPECT_EQ(empty->m_lit, 0);
  a->m_model.SetModel(nullptr);
}

TEST_F(FieldModelTest, TheEnemyWandersChasesWithinReachAndTurnsHomeFarOut) {
  platform::Srand(1);
  auto enemy = Make<C3dFieldEnemy>();
  enemy->m_speed = 1.0f;
  enemy->m_idleStart = 0;
  enemy->m_idleEnd = 4;
  enemy->m_walkStart = 10;
  enemy->m_walkEnd = 19;
  PlayerAt(200.0f, 0.0f);
  // Idle: more than 100 ticks, then a random heading.
  for (int tick = 0; tick < 100; ++tick) enemy->OnProcess();
  EXPECT_EQ(enemy->m_state, C3dFieldEnemy::kWander);
  EXPECT_LE(enemy->m_model.m_frame, 4);
  enemy->OnProcess();
  EXPECT_EQ(enemy->m_state, C3dFieldEnemy::kChase);

  // A player nearer than 30 is chased from the 21st tick.
  auto near = Make<C3dFieldEnemy>();
  near->m_speed = 0.5f;
  near->m_walkStart = 10;
  near->m_walkEnd = 19;
  PlayerAt(25.0f, 0.0f);
  for (int tick = 0; tick < 20; ++tick) near->OnProcess();
  EXPECT_EQ(near->m_state, C3dFieldEnemy::kWander);
  near->OnProcess();
  EXPECT_EQ(near->m_state, C3dFieldEnemy::kChase);
  near->OnProcess();
  EXPECT_FLOAT_EQ(near->m_angle, 90.0f);  // toward +x
  EXPECT_LT(near->m_model.m_frame, 10);   // climbing toward the walk range

  // Past 120 from home by the truncated sum of the two distances: home at
  // 1.2 times the speed until nearer than 30, the sum untruncated.
  near->m_pos = Vec3{100.4f, 0.0f, 20.5f};
  PlayerAt(150.0f, 0.0f);
  near->UpdateAction(near->m_state);
  EXPECT_EQ(near->m_state, C3dFieldEnemy::kChase);  // 120.9 is 120
  near->m_pos = Vec3{100.6f, 0.0f, 20.6f};           // 121.2, though 100 + 20 apart
  near->UpdateAction(near->m_state);
  EXPECT_EQ(near->m_state, C3dFieldEnemy::kReturn);
  near->UpdateAction(near->m_state);
  EXPECT_FLOAT_EQ(std::hypot(near->m_velocity.x, near->m_velocity.z), 0.6f);
  near->m_pos = Vec3{20.5f, 0.0f, 9.7f};  // 30.2, though 20 + 9 apart
  near->UpdateAction(near->m_state);
  EXPECT_EQ(near->m_state, C3dFieldEnemy::kReturn);
  near->m_pos = Vec3{20.0f, 0.0f, 9.9f};
  near->UpdateAction(near->m_state);
  EXPECT_EQ(near->m_state, C3dFieldEnemy::kWander);
}

// Past its range's end a frame starts the range over; below its start it
// walks up into it.
TEST_F(FieldModelTest, TheEnemysFrameWrapsPastItsRangeAndClimbsIntoIt) {
  auto enemy = Make<C3dFieldEnemy>();
  enemy->m_idleStart = 5;
  enemy->m_idleEnd = 8;
  struct Case {
    int32_t from, to;
  };
  for (const Case c : {Case{2, 3}, Case{6, 7}, Case{8, 5}, Case{20, 5}}) {
    enemy->m_model.m_frame = c.from;
    enemy->UpdateFrame();
    EXPECT_EQ(enemy->m_model.m_frame, c.to) << c.from;
  }
}

TEST_F(FieldModelTest, TheEnemyAsksForItsBattleOnlyWhenTheFieldIsFree) {
  struct Case {
    const char* what;
    void (*block)(CSelvarinFrame&, CSelvarinActor&);
  };
  const Case cases[] = {
      {"transition", [](CSelvarinFrame& f, CSelvarinActor&) { f.m_transKind = 2; }},
      {"message", [](CSelvarinFrame& f, CSelvarinActor&) { f.m_messageState = 5; }},
      {"choices", [](CSelvarinFrame& f, CSelvarinActor&) { f.m_choiceCount = 2; }},
      {"script busy", [](CSelvarinFrame& f, CSelvarinActor&) { f.m_scriptBusy = 1; }},
      {"battle pending", [](CSelvarinFrame& f, CSelvarinActor&) { f.m_pendingMode = kModeBattle; }},
      {"player falling", [](CSelvarinFrame&, CSelvarinActor& p) { p.m_inAir = 1; }},
      {"after a battle", [](CSelvarinFrame&, CSelvarinActor& p) { p.m_graceTicks = 120; }},
  };
  for (const Case& c : cases) {
    auto enemy = Make<C3dFieldEnemy>();
    PlayerAt(9.0f, 0.0f);
    c.block(Frame(), m_player);
    enemy->OnProcess();
    EXPECT_EQ(enemy->m_triggered, 0) << c.what;
    Frame().m_transKind = Frame().m_messageState = Frame().m_choiceCount = Frame().m_scriptBusy = 0;
    Frame().m_pendingMode = -1;
    m_player.m_inAir = 0;
    m_player.m_graceTicks = 0;
  }
  auto enemy = Make<C3dFieldEnemy>();
  Context().m_player = nullptr;
  enemy->OnProcess();
  EXPECT_EQ(enemy->m_triggered, 0);
  PlayerAt(10.0f, 0.0f);
  enemy->OnProcess();
  EXPECT_EQ(enemy->m_triggered, 0);  // exactly 10 is not a touch
  PlayerAt(9.99f, 0.0f);
  enemy->OnProcess();
  EXPECT_EQ(enemy->m_triggered, 1);
  EXPECT_EQ(enemy->m_visible, 0);
  const Vec3 stood = enemy->m_pos;
  enemy->OnProcess();
  EXPECT_EQ(enemy->m_pos.x, stood.x);
}

TEST_F(FieldModelTest, TheCutSceneModelSharesTheBehaviourButNotTheStartScript) {
  auto actor = std::make_unique<CMacroActor3d>();
  actor->m_model.SetModel(m_model.get());
  actor->m_initLine = 5;
  actor->m_scriptStack.m_line = -1;
  actor->m_angle = 33.0f;
  actor->OnMessage(nullptr, 11, 0, 0, 0);  // its Init first, then the turn on what that left
  EXPECT_EQ(actor->m_scriptStack.m_line, -1);
  EXPECT_EQ(actor->m_angle, 0.0f);
  EXPECT_EQ(actor->m_model.m_rotTarget.y, 0.0f);
  EXPECT_EQ(actor->m_model.m_rotSpeed.y, 1.0f);
  actor->OnMessage(nullptr, 40, 3, 5, 6);
  actor->OnMessage(nullptr, 19, 3, 0, 0);
  actor->OnProcess();
  EXPECT_EQ(actor->m_model.m_frame, 6);

  auto model = Make();
  model->m_initLine = 5;
  model->OnMessage(nullptr, 11, 0, 0, 0);
  EXPECT_EQ(model->m_scriptStack.m_line, 5);
}

}  // namespace
