// The sprite character's drawing: the layers of its current action and
// frame into the queues their kind and opacity choose, and its shadow.
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/ActRes.h"
#include "engine/ResMgr.h"
#include "engine/SprRes.h"
#include "field/SelvarinActor.h"
#include "platform/DebugLog.h"
#include "render/Projection.h"
#include "render/RC.h"
#include "render/SprDevice.h"

namespace {
namespace selvarinactorrender {

constexpr float kSpriteScale = 0.14285715f;
constexpr float kHeadHeight = 10.0f;  // the later layers' depth point above the foot
constexpr float kLayerStep = 0.00001f;
constexpr uint32_t kWhite = 0xFFFFFFFFu;
constexpr uint32_t kOpaque = 255;

// A screen coordinate as a whole pixel; what is not a number, or lies
// beyond any screen, is held at the ends.
int32_t ToPixel(float v) {
  if (std::isnan(v)) return 0;
  constexpr float kLimit = 1.0e9f;
  return static_cast<int32_t>(std::clamp(v, -kLimit, kLimit));
}

// A layer's rectangle: mirrored about the anchor as stored, the mirror flag
// turning it back.
struct LayerBox {
  float top, left, bottom, right;

  LayerBox(const ActLayer& layer, int32_t width, int32_t height, float x, float y, float sizeX, float sizeY) {
    const float ox = static_cast<float>(layer.x), oy = static_cast<float>(layer.y);
    top = y + sizeY * oy;
    bottom = y + sizeY * (oy + static_cast<float>(height));
    const float outer = x - sizeX * (ox + static_cast<float>(width));
    const float inner = x - sizeX * ox;
    left = layer.mirror != 0 ? outer : inner;
    right = layer.mirror != 0 ? inner : outer;
  }
  bool OnScreen(const CRC& rc) const {
    return top < static_cast<float>(rc.ViewHeight()) && bottom > 0.0f &&
           std::min(left, right) < static_cast<float>(rc.ViewWidth()) && std::max(left, right) > 0.0f;
  }
};

uint32_t TintedColour(const ActLayer& layer, uint32_t tint) {
  return tint == kWhite ? layer.Argb() : layer.Modulate(tint);
}

}  // namespace selvarinactorrender
}  // namespace

void CSelvarinActor::ScreenRect::Add(float l, float t, float r, float b) {
  const float lo = std::min(l, r), hi = std::max(l, r);
  if (!any) {
    any = true;
    left = lo, top = t, right = hi, bottom = b;
    return;
  }
  left = std::min(left, lo);
  top = std::min(top, t);
  right = std::max(right, hi);
  bottom = std::max(bottom, b);
}

CSelvarinActor::LayerStyle CSelvarinActor::FieldLayerStyle(uint32_t tint) const {
  LayerStyle style;
  style.tint = tint;
  style.flash = m_hitFlash;
  style.allSolid = m_alwaysFull != 0;
  return style;
}

void CSelvarinActor::Render(CRC& rc, const Matrix& view) {
  if (m_visible == 0) return;
  ScreenRect drawn;
  if (!QueueLayers(rc, view, selvarinactorrender::kWhite, &drawn)) return;
  if (m_drawShadow != 0) QueueShadow(rc, view, m_groundHeight);
  if (drawn.any) AddPickRegion(drawn.left, drawn.top, drawn.right, drawn.bottom, 0);
}

bool CSelvarinActor::QueueLayers(CRC& rc, const Matrix& view, const LayerStyle& style, ScreenRect* drawn) {
  const CSprRes* sprites = CResMgr::GetInstance().GetResAs<CSprRes>(m_sprName);
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>(m_actName);
  if (sprites == nullptr || actions == nullptr) return false;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const ProjectedPoint foot = projector.Project(m_pos);
  m_screenX = selvarinactorrender::ToPixel(foot.x);
  m_screenY = selvarinactorrender::ToPixel(foot.y);
  const float size = foot.rhw * projector.FocalX() * selvarinactorrender::kSpriteScale;
  const ActAction* action = actions->GetAction(m_action);
  if (action == nullptr) {
    DebugLogf("Error : %s - Illegal action", style.who);
    DebugLogf("name : %s, actcnt : %d, actid : %d, ", m_name.c_str(), actions->GetActionCount(), m_action);
    return false;
  }
  const ActMotion* motion = actions->GetMotion(m_action, m_motion);
  if (motion == nullptr) {
    DebugLogf("Error : %s - Illegal motion", style.who);
    DebugLogf("name : %s, actid : %d, motcnt : %d, motid : %d", m_name.c_str(), m_action,
              static_cast<int>(action->motions.size()), m_motion);
    return false;
  }
  const float headRhw =
      style.headDepth ? projector.Rhw(Vec3{m_pos.x, m_pos.y - selvarinactorrender::kHeadHeight, m_pos.z}) : foot.rhw;
  const size_t count = motion->layers.size();
  for (size_t i = 0; i < count; ++i) {
    const ActLayer& layer = motion->layers[i];
    int32_t width = 0, height = 0;
    if (!sprites->GetImageSize(layer.kind, layer.sprite, &width, &height)) continue;
    const selvarinactorrender::LayerBox box(layer, width, height, foot.x + style.shiftX + style.offsetX * size,
                       foot.y + style.offsetY * size, size * style.scaleX, size * style.scaleY);
    if (!box.OnScreen(rc)) {
      if (count == 1 && style.lonelyLayerOffScreenHides) return false;
      continue;
    }
    if (style.measureOnly) {
      drawn->Add(box.left, box.top, box.right, box.bottom);
      continue;
    }
    const float key = style.fixedKey != 0.0f ? style.fixedKey
                                             : (i == 0 ? foot.rhw : headRhw) + selvarinactorrender::kLayerStep * static_cast<float>(i);
    const uint32_t colour = selvarinactorrender::TintedColour(layer, style.tint);
    if (layer.kind != 0) {
      // True-colour images are textures: the texture-quad queue takes them.
      const SprArgbImage* image = sprites->GetArgbImage(layer.sprite);
      CTexture* texture = image != nullptr ? GetImageTexture(*image) : nullptr;
      if (texture == nullptr) continue;
      rc.m_quadsA.push_back({box.top, box.left, box.bottom, box.right, key, 0, colour, texture});
    } else if ((colour >> 24) == selvarinactorrender::kOpaque || style.allSolid || (style.flashInColour && style.flash != 0)) {
      const int32_t silhouette = style.flashInColour ? style.flash : (style.flash != 0 ? 1 : 0);
      const bool white = !style.flashInColour && silhouette != 0;
      rc.m_effectQuads.push_back({box.top, box.left, box.bottom, box.right, key, key, 0, silhouette,
                                  white ? selvarinactorrender::kWhite : colour, sprites->GetImage(layer.sprite)});
    } else {
      rc.m_spriteQuads.push_back(
          {box.top, box.left, box.bottom, box.right, key, key, 0, colour, sprites->GetImage(layer.sprite)});
    }
    drawn->Add(box.left, box.top, box.right, box.bottom);
  }
  return true;
}

void CSelvarinActor::QueueShadow(CRC& rc, const Matrix& view, float groundHeight, float scale, uint32_t tint) const {
  const CSprRes* sprites = CResMgr::GetInstance().GetResAs<CSprRes>("shadow.spr");
  const CActRes* actions = CResMgr::GetInstance().GetResAs<CActRes>("shadow.act");
  const ActMotion* motion = actions != nullptr ? actions->GetMotion(0, 0) : nullptr;
  if (sprites == nullptr || motion == nullptr) return;
  const CProjector projector(rc, view, kSpriteDepthRule);
  const ProjectedPoint at = projector.Project(Vec3{m_pos.x, groundHeight, m_pos.z});
  const float size = at.rhw * projector.FocalX() * selvarinactorrender::kSpriteScale * scale;
  for (const ActLayer& layer : motion->layers) {
    // The image quads carry palette images only.
    const SprImage* image = layer.kind == 0 ? sprites->GetImage(layer.sprite) : nullptr;
    if (image == nullptr) continue;
    const selvarinactorrender::LayerBox box(layer, image->width, image->height, at.x, at.y, size, size);
    if (!box.OnScreen(rc)) continue;
    rc.m_quads.push_back({box.top, box.left, box.bottom, box.right, at.rhw, 0, selvarinactorrender::TintedColour(layer, tint), image});
  }
}
