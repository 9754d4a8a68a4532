// Passes 4, 6, 8, 9, 10 and 16: screen-aligned quads that sprite actors,
// effects and overlays queue, each drawn as one strip.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "engine/SprRes.h"
#include "platform/Device3D.h"
#include "render/Decal.h"
#include "render/RC.h"
#include "render/RCPassStates.h"
#include "render/SprDevice.h"
#include "render/Texture.h"

using namespace platform;

namespace {
namespace rcquadpasses {

constexpr uint32_t kPassSpecular = 0x80FFFFFF;
constexpr float kRadiansPerDegree = std::numbers::pi_v<float> / 180.0f;
constexpr uint32_t kRestingAlphaRef = 240;

// What a record draws with: the surface to bind and how far across it the
// picture reaches; decals lie in it half a turn round.
struct Bound {
  const Surface* texture = nullptr;
  float umax = 1.0f, vmax = 1.0f;
  bool halfTurn = false;
};

// A record without a picture is dropped; one whose picture never loaded is
// drawn untextured.
bool Prepare(CTexture* texture, Bound* out) {
  if (texture == nullptr) return false;
  out->texture = texture->m_texture;
  return true;
}

bool Prepare(CDecal* decal, Bound* out) {
  if (decal == nullptr) return false;
  out->texture = decal->m_texture;
  out->halfTurn = true;
  return true;
}

// Through the shared decal (refilled unless it holds the image already) or
// the image's own.
bool Prepare(const SprImage* image, Bound* out) {
  if (image == nullptr) return false;
  const CDecal* decal = PrepareImageDecal(*image);
  if (decal == nullptr || decal->m_texture == nullptr || decal->m_width <= 0 || decal->m_height <= 0) return true;
  const bool halved = g_isLowResSprite != 0 && !image->fullSize;
  const int32_t width = halved ? image->width / 2 : image->width;
  const int32_t height = halved ? image->height / 2 : image->height;
  out->texture = decal->m_texture;
  out->umax = static_cast<float>(width) / static_cast<float>(decal->m_width);
  out->vmax = static_cast<float>(height) / static_cast<float>(decal->m_height);
  return true;
}

template <class Record>
auto* Picture(const Record& q) {
  if constexpr (requires { q.texture; }) {
    return q.texture;
  } else if constexpr (requires { q.decal; }) {
    return q.decal;
  } else {
    return q.image;
  }
}

struct Point {
  float x, y;
};

// Strip order: left top, right top, left bottom, right bottom; turned about
// the box's centre.
template <class Record>
void Corners(const Record& q, Point (&out)[4]) {
  const Point box[4] = {{q.left, q.top}, {q.right, q.top}, {q.left, q.bottom}, {q.right, q.bottom}};
  if (q.angle == 0) {
    std::copy(std::begin(box), std::end(box), out);
    return;
  }
  const float a = static_cast<float>(q.angle) * kRadiansPerDegree;
  const float c = std::cos(a), s = std::sin(a);
  const float hw = (q.right - q.left) / 2, hh = (q.bottom - q.top) / 2;
  const float cx = q.left + hw, cy = q.top + hh;
  const Point offsets[4] = {{-hw, -hh}, {hw, -hh}, {-hw, hh}, {hw, hh}};
  for (int i = 0; i < 4; ++i) {
    const Point d = offsets[i];
    out[i] = Point{cx + d.x * c - d.y * s, cy + d.x * s + d.y * c};
  }
}

template <class Record>
void MakeStrip(const Record& q, const Bound& bound, TexturedVertex (&strip)[4]) {
  Point corners[4];
  Corners(q, corners);
  const float top = TopRhw(q), bottom = BottomRhw(q);
  const float u0 = bound.halfTurn ? 1.0f : 0.0f, u1 = bound.halfTurn ? 0.0f : bound.umax;
  const float v0 = bound.halfTurn ? 1.0f : 0.0f, v1 = bound.halfTurn ? 0.0f : bound.vmax;
  const float us[4] = {u0, u1, u0, u1};
  const float vs[4] = {v0, v0, v1, v1};
  for (int i = 0; i < 4; ++i) {
    const float rhw = i < 2 ? top : bottom;
    strip[i] = TexturedVertex{corners[i].x, corners[i].y, DepthFromRhw(rhw), rhw, q.color, kPassSpecular, us[i], vs[i]};
  }
}

void DrawStrip(Device3D& device, const TexturedVertex (&strip)[4]) {
  device.DrawPrimitive(PrimitiveType::TriangleStrip, VertexFormat::Textured, strip, 4);
  ++CRC::s_primitiveCount;
}

void PlainStrip(Device3D& device, const TexturedVertex (&strip)[4], bool /*silhouette*/) { DrawStrip(device, strip); }

// Binds the record's picture (when it changed) and draws its strip.
template <class Record, class Draw>
void DrawRecord(Device3D& device, const Record& q, Draw draw) {
  Bound bound;
  if (!Prepare(Picture(q), &bound)) return;
  if (device.Texture() != bound.texture) device.SetTexture(bound.texture);
  TexturedVertex strip[4];
  MakeStrip(q, bound, strip);
  if constexpr (requires { q.silhouette; }) {
    draw(device, strip, q.silhouette != 0);
  } else {
    draw(device, strip, false);
  }
}

// Sorted: farthest first (smallest reciprocal depth, the bottom one for
// records with two), ties in queue order. A depth that is not a number has
// no place in that order and is left out.
template <class Record, class Draw>
void DrawQueue(Device3D& device, const std::vector<Record>& queue, bool sorted, Draw draw) {
  if (!sorted) {
    for (const Record& q : queue) DrawRecord(device, q, draw);
    return;
  }
  std::vector<const Record*> order;
  order.reserve(queue.size());
  for (const Record& q : queue) {
    if (!std::isnan(BottomRhw(q))) order.push_back(&q);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](const Record* a, const Record* b) { return BottomRhw(*a) < BottomRhw(*b); });
  for (const Record* q : order) DrawRecord(device, *q, draw);
}

template <class Record>
auto QuadDraw(bool sorted) {
  return [sorted](Device3D& device, std::vector<Record>& queue) { DrawQueue(device, queue, sorted, PlainStrip); };
}

}  // namespace rcquadpasses
}  // namespace

void CRC::FlushQuads() { RunPass(m_device, pass_states::kQuads, m_quads, rcquadpasses::QuadDraw<QueuedImageQuad>(g_zBufferSort != 0)); }

// A silhouette is the record's colour in the shape of its image's opaque
// texels. Unsorted, the colour replaces the texels'; sorted, the image is
// drawn and then covered with the colour at exactly its depth.
void CRC::FlushEffectQuads() {
  const bool sorted = g_zBufferSort != 0;
  const auto draw = [sorted](Device3D& device, const TexturedVertex (&strip)[4], bool silhouette) {
    if (!silhouette) {
      rcquadpasses::DrawStrip(device, strip);
      return;
    }
    device.SetRenderState(RenderState::AlphaRef, strip[0].diffuse >> 24);  // the record's alpha
    if (sorted) {
      rcquadpasses::DrawStrip(device, strip);
      device.SetRenderState(RenderState::ZFunc, pass_states::kEqual);
      device.SetTexture(nullptr);
      rcquadpasses::DrawStrip(device, strip);
    } else {
      device.SetStageState(StageState::ColorOp, static_cast<uint32_t>(TextureOp::SelectArg2));
      rcquadpasses::DrawStrip(device, strip);
      device.SetStageState(StageState::ColorOp, static_cast<uint32_t>(TextureOp::Modulate));
    }
    device.SetRenderState(RenderState::AlphaRef, rcquadpasses::kRestingAlphaRef);
    device.SetRenderState(RenderState::ZFunc, pass_states::kLessEqual);
  };
  RunPass(m_device, pass_states::kEffectQuads, m_effectQuads,
          [&](Device3D& device, std::vector<QueuedEffectQuad>& queue) { rcquadpasses::DrawQueue(device, queue, sorted, draw); });
}

void CRC::FlushQuadsA() { RunPass(m_device, pass_states::kQuads, m_quadsA, rcquadpasses::QuadDraw<QueuedQuad>(g_zBufferSort != 0)); }

void CRC::FlushQuadsB() {
  RunPass(m_device, pass_states::kQuads, m_quadsB, rcquadpasses::QuadDraw<QueuedDecalQuad>(g_zBufferSort != 0));
}

void CRC::FlushSpriteQuads() {
  RunPass(m_device, pass_states::kSpriteQuads, m_spriteQuads, rcquadpasses::QuadDraw<QueuedSpriteQuad>(g_zBufferSort != 0));
}

void CRC::FlushOverlayQuads() {
  RunPass(m_device, pass_states::kOverlayQuads, m_overlayQuads, rcquadpasses::QuadDraw<QueuedDecalQuad>(false));
}
