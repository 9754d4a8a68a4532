#include "render/TgaTextureMgr.h"

#include "platform/Clock.h"

using namespace platform;

CTgaTextureMgr& CTgaTextureMgr::GetInstance() {
  static CTgaTextureMgr instance;
  return instance;
}

CTgaTextureMgr::CTgaTextureMgr(TextureLoader loader) : m_loader(loader) {}

CTexture* CTgaTextureMgr::Find(const char* name) {
  const auto it = m_textures.find(name);
  if (it == m_textures.end()) return nullptr;
  it->second->m_lastUse = NowMs();
  return it->second.get();
}

Result CTgaTextureMgr::Load(const char* name) {
  if (Find(name) != nullptr) return 1;
  auto texture = LoadCachedTexture(m_loader, name, "TGA texture %s load failed", m_memory);
  if (texture == nullptr) return E_FAIL;
  m_textures.emplace(name, std::move(texture));
  return 0;
}

CTexture* CTgaTextureMgr::GetTexture(const char* name) {
  if (CTexture* texture = Find(name)) return texture;
  if (Load(name) != 0) return nullptr;
  return Find(name);
}

void CTgaTextureMgr::MarkAll() {
  for (auto& entry : m_textures) entry.second->m_keep = 1;
}

void CTgaTextureMgr::FreeUnmarked() { FreeTexturesWhere(m_textures, m_memory, IsUnmarked); }

void CTgaTextureMgr::PurgeUnused() {
  const uint32_t now = NowMs();
  FreeTexturesWhere(m_textures, m_memory, [now](const CTexture& t) { return IsExpired(t, now); });
}

void CTgaTextureMgr::ReleaseAll() {
  m_memory = 0;
  m_textures.clear();
}
