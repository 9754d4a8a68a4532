// Passes 5, 7 and 11 to 15: the triangles that models and effects queue per
// texture.
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/Device3D.h"
#include "render/RC.h"
#include "render/RCPassStates.h"
#include "render/Texture.h"

using namespace platform;

namespace {

constexpr uint32_t kPassSpecular = 0x80FFFFFF;

// A texture that never loaded binds none: its triangles draw untextured.
bool Drawable(const CTexture* texture) { return texture != nullptr; }

void Bind(Device3D& device, const Surface* texture) {
  if (device.Texture() != texture) device.SetTexture(texture);
}

template <class Vertex>
void SetDepths(Vertex (&v)[3]) {
  for (Vertex& k : v) k.z = DepthFromRhw(k.rhw);
}

void DrawTriangle(Device3D& device, TexturedVertex (&v)[3]) {
  SetDepths(v);
  for (TexturedVertex& k : v) k.specular = kPassSpecular;
  device.DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Textured, v, 3);
  ++CRC::s_primitiveCount;
}

// In texture order, each texture bound once.
template <class Record>
void DrawByTexture(Device3D& device, CRC::TextureQueue<Record>& queue) {
  for (auto& [texture, records] : queue) {
    if (!Drawable(texture)) continue;
    Bind(device, texture->m_texture);
    for (Record& r : records) DrawTriangle(device, r.v);
  }
}

struct SortedTriangle {
  float key;  // the first vertex's reciprocal depth
  const Surface* texture;
  QueuedTriangle* record;
};

// Every texture's triangles farthest first (smallest reciprocal depth); ties
// keep texture order, then queue order. A key that is not a number has no
// place in that order: the device would draw nothing for it anyway.
void DrawByDepth(Device3D& device, CRC::TextureQueue<QueuedTriangle>& queue) {
  std::vector<SortedTriangle> sorted;
  for (auto& [texture, records] : queue) {
    if (!Drawable(texture)) continue;
    for (QueuedTriangle& r : records) {
      if (!std::isnan(r.v[0].rhw)) sorted.push_back({r.v[0].rhw, texture->m_texture, &r});
    }
  }
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](const SortedTriangle& a, const SortedTriangle& b) { return a.key < b.key; });
  for (const SortedTriangle& t : sorted) {
    Bind(device, t.texture);
    DrawTriangle(device, t.record->v);
  }
}

// The depths are rewritten, the specular kept as queued.
void DrawUntextured(Device3D& device, const std::vector<std::unique_ptr<QueuedColorTriangle>>& queue) {
  device.SetTexture(nullptr);
  for (const std::unique_ptr<QueuedColorTriangle>& r : queue) {
    if (r == nullptr) continue;
    SetDepths(r->v);
    device.DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Colored, r->v, 3);
    ++CRC::s_primitiveCount;
  }
}

}  // namespace

void CRC::FlushTrisZLess() { RunPass(m_device, pass_states::kTrisZLess, m_zLessTris, DrawByTexture<QueuedTriangle>); }

void CRC::FlushAlphaTestTris() {
  RunPass(m_device, pass_states::kAlphaTestTris, m_alphaTestTris, DrawByTexture<QueuedTriangleEx>);
}

void CRC::FlushBlendTris() { RunPass(m_device, pass_states::kBlendTris, m_blendTris, DrawByTexture<QueuedTriangle>); }

void CRC::FlushBlendTrisTested() {
  RunPass(m_device, pass_states::kBlendTrisTested, m_blendTestedTris, DrawByTexture<QueuedTriangle>);
}

// The untextured triangles first, then the textured ones.
void CRC::FlushAdditiveTris() {
  RunPass(m_device, pass_states::kAdditiveTris, m_additiveTexTris,
          [this](Device3D& device, TextureQueue<QueuedTriangle>& textured) {
            DrawUntextured(device, m_additiveUntexTris);
            DrawByTexture(device, textured);
          });
  m_additiveUntexTris.clear();
}

void CRC::FlushTrisZLessEqual() { RunPass(m_device, pass_states::kTrisZLessEqual, m_zLessEqualTris, DrawByDepth); }

void CRC::FlushTrisNoDepthTest() { RunPass(m_device, pass_states::kTrisNoDepthTest, m_noDepthTris, DrawByDepth); }
