// A prop-heavy field frame at 640 x 480: 40 placements of a 300-face model
// (a 200-face body with a 100-face lid on a rotation track, the body on a
// position track), each frame set to its animation frame, drawn into the
// texture batches and drained by the opaque batch pass. Against it, the
// ground drawing into the same batches and drained by the same pass. Both
// are given per triangle drawn, so the models' own cost (tracks, node walk,
// projection, culling, linking) sets against the ground's. And 40 animated
// models of the same 300 faces in 16 vertex frames, lit once, drawn as the
// field's 3-D models draw into the alpha-tested triangle queue and drained
// by its pass.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "engine/FileStream.h"
#include "engine/ResMgr.h"
#include "field/ModelDraw.h"
#include "platform/Device3D.h"
#include "platform/Surface.h"
#include "render/3dActor.h"
#include "render/3dAnimModelRes.h"
#include "render/3dGround.h"
#include "render/3dModelRes.h"
#include "render/PixelRC.h"
#include "render/RCPassStates.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"
#include "tools/lib/GndWriter.h"
#include "tools/lib/RsmWriter.h"
#include "tools/lib/RsxWriter.h"

namespace {

using namespace platform;

constexpr int kWidth = 640, kHeight = 480;
constexpr int kProps = 40;
constexpr int kAnimLen = 1600;

// Flat 8 x 8 pictures, one colour a name; no display device needed.
Result FlatTexture(CTexture& t, const char* name) {
  t.m_name = name;
  t.m_width = t.m_height = 8;
  t.m_bitsPerPixel = 16;
  t.m_surface = std::make_shared<Surface>(8, 8, PixelFormat::RGB565);
  const uint16_t color = static_cast<uint16_t>(std::hash<std::string>{}(name) | 0x0821);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) t.m_surface->Row(y)[x] = color;
  }
  t.m_texture = t.m_surface.get();
  return S_OK;
}

// A band of a sphere of the radius: rings from latitude a0 to a1 (radians
// from the top), each of `slices` quads cut in two; `texture` picks among
// the node's two textures by ring.
slvtools::RsmNode Band(const std::string& name, const std::string& parent, int rings, int slices, float a0, float a1,
                       float radius) {
  slvtools::RsmNode node;
  node.name = name;
  node.parent = parent;
  node.textures = {0, 1};
  for (int r = 0; r <= rings; ++r) {
    const float lat = a0 + (a1 - a0) * static_cast<float>(r) / static_cast<float>(rings);
    for (int s = 0; s <= slices; ++s) {
      const float lon = 2.0f * std::numbers::pi_v<float> * static_cast<float>(s) / static_cast<float>(slices);
      node.vertices.push_back({radius * std::sin(lat) * std::cos(lon), -radius * std::cos(lat),
                               radius * std::sin(lat) * std::sin(lon)});
      node.texVertices.push_back({0, static_cast<float>(s) / static_cast<float>(slices),
                                  static_cast<float>(r) / static_cast<float>(rings)});
    }
  }
  const auto at = [slices](int r, int s) { return static_cast<uint16_t>(r * (slices + 1) + s); };
  for (int r = 0; r < rings; ++r) {
    for (int s = 0; s < slices; ++s) {
      const uint16_t a = at(r, s), b = at(r + 1, s), c = at(r + 1, s + 1), d = at(r, s + 1);
      for (const auto& tri : {std::array<uint16_t, 3>{a, b, c}, std::array<uint16_t, 3>{a, c, d}}) {
        ModelFace face;
        for (int k = 0; k < 3; ++k) face.vertex[k] = face.texVertex[k] = tri[static_cast<size_t>(k)];
        face.texture = static_cast<uint16_t>(r % 2);
        face.smoothGroup = 1;
        node.faces.push_back(face);
      }
    }
  }
  return node;
}

std::string PropModel() {
  slvtools::RsmWriter rsm;
  rsm.SetHeader(kAnimLen, 2);
  rsm.AddTexture("wood.bmp");
  rsm.AddTexture("iron.bmp");
  rsm.SetMainNode("body");
  const float pi = std::numbers::pi_v<float>;
  rsm.AddNode(Band("body", "", 10, 10, pi / 3.0f, pi, 5.0f));  // 200 faces
  slvtools::RsmNode lid = Band("lid", "body", 5, 10, 0.0f, pi / 3.0f, 5.0f);  // 100 faces
  lid.position = Vec3{0.0f, 0.0f, 2.5f};
  lid.rotKeys = {QuatKey{0, Quat{0, 0, 0, 1}}, QuatKey{800, Quat{std::sin(0.5f), 0, 0, std::cos(0.5f)}},
                 QuatKey{kAnimLen, Quat{0, 0, 0, 1}}};
  rsm.AddNode(lid);
  rsm.SetPosKeys({PosKey{0, {0, 0, 0}, 0}, PosKey{800, {0, -2, 0}, 0}, PosKey{kAnimLen, {0, 0, 0}, 0}});
  return rsm.Build();
}

// The prop's two bands as one animated model: 16 vertex frames in which
// the lid's vertices rise and fall.
constexpr int kAnimFrames = 16;

slvtools::RsxNode AnimatedBand(const slvtools::RsmNode& band, float lift) {
  slvtools::RsxNode node;
  node.name = band.name;
  node.parent = band.parent;
  node.textures = band.textures;
  node.faces = band.faces;
  node.texVertices = {band.texVertices};
  for (int f = 0; f < kAnimFrames; ++f) {
    const float dy = lift * std::sin(2.0f * std::numbers::pi_v<float> * static_cast<float>(f) / kAnimFrames);
    std::vector<Vec3> frame;
    for (const Vec3& v : band.vertices) frame.push_back({v.x, v.y + dy, v.z});
    node.frames.push_back(frame);
  }
  return node;
}

std::string AnimatedModel() {
  slvtools::RsxWriter rsx;
  rsx.SetHeader(2, kAnimFrames);
  rsx.AddTexture("wood.bmp");
  rsx.AddTexture("iron.bmp");
  rsx.SetMainNode("body");
  const float pi = std::numbers::pi_v<float>;
  rsx.AddNode(AnimatedBand(Band("body", "", 10, 10, pi / 3.0f, pi, 5.0f), 0.0f));
  rsx.AddNode(AnimatedBand(Band("lid", "body", 5, 10, 0.0f, pi / 3.0f, 5.0f), -1.5f));
  return rsx.Build();
}

// 64 x 64 cells of 10 units with gentle hills and three textures.
std::string Ground() {
  slvtools::GndWriter gnd(64, 64);
  const int textures[3] = {gnd.AddTexture("grass.bmp"), gnd.AddTexture("dirt.bmp"), gnd.AddTexture("rock.bmp")};
  for (int z = 0; z < 64; ++z) {
    for (int x = 0; x < 64; ++x) gnd.Cell(x, z).texture[0] = textures[(x * 7 + z * 3) % 3];
  }
  for (int z = 0; z <= 64; ++z) {
    for (int x = 0; x <= 64; ++x) {
      gnd.SetGridHeight(x, z, 3.0f * std::sin(static_cast<float>(x) * 0.4f) * std::cos(static_cast<float>(z) * 0.3f));
    }
  }
  return gnd.Build();
}

struct Scene {
  std::filesystem::path dir;
  std::filesystem::path previous;
  CTextureMgr textures{FlatTexture};
  CResMgr resources;
  std::unique_ptr<C3dModelRes> model;
  std::unique_ptr<C3dAnimModelRes> animated;
  std::unique_ptr<C3dGround> ground;
  std::vector<std::unique_ptr<C3dActor>> props;
  Surface target{kWidth, kHeight, PixelFormat::RGB565};
  Surface depth{kWidth, kHeight, PixelFormat::Depth16};
  Device3D device{target, &depth};
  CRC565 rc;
  Matrix view;

  Scene()
      : dir(std::filesystem::temp_directory_path() / ("slv-bench-actors-" + std::to_string(std::random_device{}()))),
        previous(std::filesystem::current_path()) {
    std::filesystem::create_directories(dir / "data/model");
    std::ofstream(dir / "data/model/prop.rsm", std::ios::binary) << PropModel();
    std::ofstream(dir / "data/model/anim.rsx", std::ios::binary) << AnimatedModel();
    std::ofstream(dir / "data/field.gnd", std::ios::binary) << Ground();
    std::ofstream(dir / "data/field.ini", std::ios::binary) << "";
    std::filesystem::current_path(dir);
    rc.SetViewSize(kWidth, kHeight);
    rc.SetDevice(&device);
    view.MakeLookAt({0.0f, -160.0f, -330.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});

    SetResDirectory("\\model\\");
    model = std::make_unique<C3dModelRes>(textures);
    model->Load("prop.rsm");
    for (int i = 0; i < kProps; ++i) {
      auto& prop = props.emplace_back(std::make_unique<C3dActor>());
      prop->m_animLen = model->m_animLen;
      prop->m_shade = model->m_shadeType;
      const float x = -56.0f + 16.0f * static_cast<float>(i % 8), z = -48.0f + 20.0f * static_cast<float>(i / 8);
      prop->SetPlacement(0.0f, static_cast<float>(i * 37 % 360), 0.0f, x, 0.0f, z, 1.0f, 1.0f, 1.0f);
      prop->SetModel(model->FindNode("body"));
      prop->SetAnimFrame(0);
      prop->UpdateNodeMatrices(Vec3{0.4f, 0.7f, 0.5f}.Normalize(), {0.8f, 0.8f, 0.8f}, {0.3f, 0.3f, 0.3f});
    }

    SetResDirectory("\\model\\");  // loading textures moved it
    animated = std::make_unique<C3dAnimModelRes>(textures);
    if (!animated->Load("anim.rsx") || animated->m_nodes.empty()) std::abort();

    SetResDirectory("\\");
    resources.LoadIni("field");
    ground = std::make_unique<C3dGround>(textures, resources);
    ground->Load("field.gnd");
    ground->ComputeLighting(Vec3{0.4f, 0.7f, 0.5f}.Normalize(), {0.8f, 0.8f, 0.8f}, {0.3f, 0.3f, 0.3f});
  }
  ~Scene() {
    props.clear();
    ground.reset();
    model.reset();
    animated.reset();
    rc.SetDevice(nullptr);
    std::filesystem::current_path(previous);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }

  void BeginFrame() {
    device.Clear(Rect{0, 0, kWidth, kHeight}, kClearTarget | kClearDepth, 0xFF202040, 1.0f);
    device.BeginScene();
  }
  // The opaque batch pass; the triangles it drew.
  int64_t Pass() {
    const int32_t before = CRC::s_primitiveCount;
    {
      PassScope pass(device, pass_states::kTextureBatches);
      textures.DrawBatches(rc, 0);
    }
    device.EndScene();
    return CRC::s_primitiveCount - before;
  }
  void QueueProps(int frame) {
    for (const auto& prop : props) {
      prop->SetAnimFrame(frame);
      prop->Render(rc, view);
    }
  }
  // As a field model draws: its matrix, lit by the first to draw, into the
  // alpha-tested queue.
  void QueueAnimated(int frame) {
    for (int i = 0; i < kProps; ++i) {
      const float x = -56.0f + 16.0f * static_cast<float>(i % 8), z = -48.0f + 20.0f * static_cast<float>(i / 8);
      Matrix m;
      m.MakeScale(1.0f, 1.0f, 1.0f);
      m.RotateY(static_cast<float>(i * 37 % 360) * kDegToRad);
      m.Translate({x, 0.0f, z});
      Matrix::Multiply(m, m, view);
      C3dAnimModelNode* first = animated->m_nodes.front().get();
      if (animated->m_lit == 0) {
        first->ComputeLighting(m, frame, Vec3{1.0f, 1.0f, 0.0f}.Normalize(), {1.0f, 1.0f, 1.0f},
                               {0.45f, 0.45f, 0.45f}, animated->m_shadeType, animated->m_alpha);
        animated->m_lit = 1;
      }
      DrawModelNode(rc, m, frame, first, 0, 0xFFFFFFFF, 0, 0, 0, 0, 0, 1.0f, 1.0f);
    }
  }
  int64_t AnimatedPass() {
    const int32_t before = CRC::s_primitiveCount;
    rc.FlushAlphaTestTris();
    device.EndScene();
    return CRC::s_primitiveCount - before;
  }
  void QueueGround() { ground->Render(rc, view, 0.0f, 0.0f, -1, 0, 0, nullptr, -1, -1); }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void Report(benchmark::State& state, int64_t triangles) {
  state.counters["triangles"] = static_cast<double>(triangles);
  state.counters["per_triangle"] =
      benchmark::Counter(static_cast<double>(triangles), benchmark::Counter::kIsIterationInvariantRate |
                                                             benchmark::Counter::kInvert);
}

// Animation frame, drawing into the batches, the batch pass.
void BM_PropsFrame(benchmark::State& state) {
  Scene& s = TheScene();
  int frame = 0;
  int64_t triangles = 0;
  for (auto _ : state) {
    s.BeginFrame();
    s.QueueProps(frame);
    triangles = s.Pass();
    frame = (frame + 80) % kAnimLen;
  }
  Report(state, triangles);
}
BENCHMARK(BM_PropsFrame)->Unit(benchmark::kMicrosecond);

// The same without the pass: what the models cost before the device draws.
void BM_PropsQueueOnly(benchmark::State& state) {
  Scene& s = TheScene();
  int frame = 0;
  s.BeginFrame();
  s.QueueProps(0);
  const int64_t triangles = s.Pass();
  for (auto _ : state) {
    s.QueueProps(frame);
    s.textures.ClearBatchLinks();
    frame = (frame + 80) % kAnimLen;
  }
  Report(state, triangles);
}
BENCHMARK(BM_PropsQueueOnly)->Unit(benchmark::kMicrosecond);

// Animated models: drawing into the queue, the alpha-tested pass.
void BM_AnimatedFrame(benchmark::State& state) {
  Scene& s = TheScene();
  int frame = 0;
  int64_t triangles = 0;
  for (auto _ : state) {
    s.BeginFrame();
    s.QueueAnimated(frame);
    triangles = s.AnimatedPass();
    frame = (frame + 1) % kAnimFrames;
  }
  Report(state, triangles);
}
BENCHMARK(BM_AnimatedFrame)->Unit(benchmark::kMicrosecond);

void BM_AnimatedQueueOnly(benchmark::State& state) {
  Scene& s = TheScene();
  int frame = 0;
  s.BeginFrame();
  s.QueueAnimated(0);
  const int64_t triangles = s.AnimatedPass();
  for (auto _ : state) {
    s.QueueAnimated(frame);
    for (auto& entry : s.rc.m_alphaTestTris) entry.second.clear();
    frame = (frame + 1) % kAnimFrames;
  }
  Report(state, triangles);
}
BENCHMARK(BM_AnimatedQueueOnly)->Unit(benchmark::kMicrosecond);

void BM_GroundFrame(benchmark::State& state) {
  Scene& s = TheScene();
  int64_t triangles = 0;
  for (auto _ : state) {
    s.BeginFrame();
    s.QueueGround();
    triangles = s.Pass();
  }
  Report(state, triangles);
}
BENCHMARK(BM_GroundFrame)->Unit(benchmark::kMicrosecond);

void BM_GroundQueueOnly(benchmark::State& state) {
  Scene& s = TheScene();
  s.BeginFrame();
  s.QueueGround();
  const int64_t triangles = s.Pass();
  for (auto _ : state) {
    s.QueueGround();
    s.textures.ClearBatchLinks();
  }
  Report(state, triangles);
}
BENCHMARK(BM_GroundQueueOnly)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
