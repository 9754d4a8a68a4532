#pragma once
// The TGA texture cache: textures with alpha for effects, actors, menus and
// battle, by file name, with the same locks, marks and ages as the BMP cache.
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/Result.h"
#include "render/Texture.h"
#include "render/TextureMgr.h"

class CTgaTextureMgr {
 public:
  static CTgaTextureMgr& GetInstance();
  explicit CTgaTextureMgr(TextureLoader loader = LoadTgaTexture);
  ~CTgaTextureMgr() = default;
  CTgaTextureMgr(const CTgaTextureMgr&) = delete;
  CTgaTextureMgr& operator=(const CTgaTextureMgr&) = delete;

  CTexture* Find(const char* name);
  // 0 loaded, 1 already cached, E_FAIL (nothing cached).
  platform::Result Load(const char* name);
  // Loads on first use; null when the texture cannot be loaded.
  CTexture* GetTexture(const char* name);
  // Textures of this cache are locked through CTextureMgr::Lock.
  void UnLock(CTexture* texture) { UnLockTexture(texture); }

  void MarkAll();
  void FreeUnmarked();
  void PurgeUnused();
  void ReleaseAll();

  int32_t Count() const { return static_cast<int32_t>(m_textures.size()); }
  uint32_t MemoryBytes() const { return m_memory; }

 private:
  TextureLoader m_loader;
  std::map<std::string, std::unique_ptr<CTexture>> m_textures;  // byte-wise name order
  uint32_t m_memory = 0;
};
