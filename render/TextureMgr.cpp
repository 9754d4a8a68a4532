#include "render/TextureMgr.h"

#include <algorithm>
#include <bit>
#include <vector>

#include "engine/AppShell.h"
#include "engine/FileStream.h"
#include "engine/Res.h"
#include "platform/Clock.h"
#include "platform/DebugLog.h"
#include "render/RC.h"

using namespace platform;

float g_brightnessFactor = 1.0f;

Result LoadBmpTexture(CTexture& texture, const char* name) {
  return texture.LoadTextureImage(name);
}

Result LoadTgaTexture(CTexture& texture, const char* name) {
  return texture.LoadTgaTextureImage(name);
}

int32_t LockTexture(CTexture* texture) {
  if (texture == nullptr) return 0;
  texture->m_lastUse = NowMs();
  return ++texture->m_lockCount;
}

void UnLockTexture(CTexture* texture) {
  if (texture == nullptr) return;
  if (texture->m_lockCount <= 0) {
    DebugLogf("Lock Count misMatch in void\tCTextureMgr\t:: UnLock(PTexture t) Texture Name : %s ",
              texture->m_name.c_str());
    return;
  }
  --texture->m_lockCount;
}

uint32_t TextureBytes(const CTexture& texture) {
  return texture.m_width * texture.m_height * texture.m_bitsPerPixel / 8;
}

std::unique_ptr<CTexture> LoadCachedTexture(TextureLoader loader, const char* name,
                                            const char* failText, uint32_t& memory) {
  auto texture = std::make_unique<CTexture>();
  SetResDirectory(g_texturePath.c_str());
  if (Failed(loader(*texture, name))) {
    DebugLogf(failText, name);
    return nullptr;
  }
  texture->m_lastUse = NowMs();
  memory += TextureBytes(*texture);
  return texture;
}

bool IsUnmarked(const CTexture& texture) {
  return texture.m_lockCount == 0 && texture.m_keep == 0;
}

bool IsExpired(const CTexture& texture, uint32_t now) {
  return texture.m_lockCount == 0 && now - texture.m_lastUse > kResAgeLimitMs;
}

CTextureMgr& CTextureMgr::GetInstance() {
  static CTextureMgr instance;
  return instance;
}

CTextureMgr::CTextureMgr(TextureLoader loader) : m_loader(loader) {}

CTexture* CTextureMgr::Find(const char* name, int flagged) {
  for (const Entry& entry : ListOf(flagged)) {
    if (entry.first != name) continue;
    if (flagged == 0) entry.second->m_lastUse = NowMs();
    return entry.second.get();
  }
  return nullptr;
}

Result CTextureMgr::Load(const char* name, int flagged) {
  if (Find(name, flagged) != nullptr) return 1;
  auto texture = LoadCachedTexture(m_loader, name, "texture %s load failed", m_memory);
  if (texture == nullptr) return E_FAIL;
  ListOf(flagged).emplace_back(name, std::move(texture));
  return 0;
}

CTexture* CTextureMgr::GetTexture(const char* name, int flagged) {
  if (CTexture* texture = Find(name, flagged)) return texture;
  if (Load(name, flagged) != 0) return nullptr;
  return Find(name, flagged);
}

void CTextureMgr::MarkAll() {
  for (List* list : {&m_list, &m_flagged}) {
    for (Entry& entry : *list) entry.second->m_keep = 1;
  }
}

void CTextureMgr::FreeUnmarked() {
  for (List* list : {&m_list, &m_flagged}) FreeTexturesWhere(*list, m_memory, IsUnmarked);
}

void CTextureMgr::PurgeUnused() {
  const uint32_t now = NowMs();
  const auto expired = [now](const CTexture& t) { return IsExpired(t, now); };
  for (List* list : {&m_list, &m_flagged}) FreeTexturesWhere(*list, m_memory, expired);
}

bool CTextureMgr::RemoveEntry(List& list, const CTexture* texture) {
  const auto it = std::find_if(list.begin(), list.end(),
                               [texture](const Entry& e) { return e.second.get() == texture; });
  if (it == list.end()) return false;
  m_memory -= TextureBytes(*it->second);
  list.erase(it);
  return true;
}

void CTextureMgr::Destroy(CTexture* texture) {
  if (texture == nullptr || (!RemoveEntry(m_list, texture) && !RemoveEntry(m_flagged, texture))) {
    DebugLog("Destroy Failure!!!");
  }
}

void CTextureMgr::ReleaseAll() {
  m_memory = 0;
  m_list.clear();
  m_flagged.clear();
}

void CTextureMgr::ClearBatchLinks() {
  for (List* list : {&m_list, &m_flagged}) {
    for (Entry& entry : *list) {
      entry.second->m_batch = nullptr;
      ++entry.second->m_batchDrains;
    }
  }
}

void CTextureMgr::DrawBatches(CRC& rc, int alphaPass) { Draw(rc, m_list, alphaPass); }

void CTextureMgr::DrawFlaggedBatches(CRC& rc) { Draw(rc, m_flagged, -1); }

namespace {

uint32_t Scaled(uint32_t color, float factor) {
  uint32_t out = color & 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const float channel = static_cast<float>((color >> shift) & 0xFF) * factor;
    out |= static_cast<uint32_t>(std::clamp(channel, 0.0f, 255.0f)) << shift;
  }
  return out;
}

// The batch's vertices get their depth and specular for good; the
// brightness only lasts the draw.
void DrawBatch(Device3D& device, TriangleBatch& batch) {
  uint32_t saved[3];
  for (int i = 0; i < 3; ++i) {
    TexturedVertex& v = batch.v[i];
    v.specular = 0x80FFFFFF;
    v.z = DepthFromRhw(v.rhw);
    saved[i] = v.diffuse;
    if (g_brightnessFactor != 1.0f) v.diffuse = Scaled(v.diffuse, g_brightnessFactor);
  }
  device.DrawPrimitive(PrimitiveType::TriangleList, VertexFormat::Textured, batch.v, 3);
  ++CRC::s_primitiveCount;
  for (int i = 0; i < 3; ++i) batch.v[i].diffuse = saved[i];
}

// Farthest first: ascending reciprocal w of the first vertex of the first
// batch, compared by bit pattern; ties keep list order.
void SortByDepth(std::vector<CTexture*>& textures) {
  std::stable_sort(textures.begin(), textures.end(), [](const CTexture* a, const CTexture* b) {
    return std::bit_cast<uint32_t>(a->m_batch->v[0].rhw) <
           std::bit_cast<uint32_t>(b->m_batch->v[0].rhw);
  });
}

}  // namespace

// alphaPass -1 draws every texture with batches.
void CTextureMgr::Draw(CRC& rc, const List& list, int alphaPass) {
  Device3D* device = rc.Device();
  if (device == nullptr) return;
  std::vector<CTexture*> textures;
  for (const Entry& entry : list) {
    CTexture* t = entry.second.get();
    if (t->m_batch == nullptr) continue;
    if (alphaPass >= 0 && (t->m_hasTransparency != 0) != (alphaPass != 0)) continue;
    textures.push_back(t);
  }
  if (g_zBufferSort != 0) SortByDepth(textures);
  for (CTexture* t : textures) {
    device->SetTexture(t->m_texture);
    for (TriangleBatch* batch = t->m_batch; batch != nullptr; batch = batch->next) {
      DrawBatch(*device, *batch);
    }
    t->m_batch = nullptr;
    ++t->m_batchDrains;
  }
}
