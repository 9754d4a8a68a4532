#pragma once
// The BMP texture cache: owns every BMP texture and hands it out by file
// name, counts locks, stamps uses and frees what is no longer used. It also
// draws, once a frame, the triangles that the ground and the models queued
// per texture, so that each texture is bound once.
#include <cstdint>
#include <list>
#include <map>  // FreeTexturesWhere looks std::erase_if up here, for both caches
#include <memory>
#include <string>
#include <utility>

#include "platform/Device3D.h"
#include "platform/Result.h"
#include "render/Texture.h"

class CRC;

// One queued triangle, linked to the next one of the same texture; a
// texture's batch link is the first of its chain this frame.
struct TriangleBatch {
  platform::TexturedVertex v[3];
  TriangleBatch* next = nullptr;
};

// The diffuse colours of every batch are scaled by this while drawn (battle
// scenes darken); 1.0 leaves them alone.
extern float g_brightnessFactor;

// Loads a texture's image by name under the current resource directory;
// 0 or E_FAIL. The caches load through one (tests give their own).
using TextureLoader = platform::Result (*)(CTexture& texture, const char* name);
platform::Result LoadBmpTexture(CTexture& texture, const char* name);
platform::Result LoadTgaTexture(CTexture& texture, const char* name);

// Stamps the last use and counts the lock; the new count. Null is ignored.
int32_t LockTexture(CTexture* texture);
// A texture that is not locked stays at 0, with the mismatch logged.
void UnLockTexture(CTexture* texture);

// What both caches share: the size a texture counts in the memory counter,
// and freeing the entries whose texture matches, which takes their size off
// the counter.
uint32_t TextureBytes(const CTexture& texture);
template <class Entries, class Pred>
void FreeTexturesWhere(Entries& entries, uint32_t& memory, Pred matches) {
  std::erase_if(entries, [&](const auto& entry) {
    if (!matches(*entry.second)) return false;
    memory -= TextureBytes(*entry.second);
    return true;
  });
}
// A new texture loaded under the texture directory, its load time stamped
// and its size counted; null (with failText logged) when it cannot load.
std::unique_ptr<CTexture> LoadCachedTexture(TextureLoader loader, const char* name,
                                            const char* failText, uint32_t& memory);
// Unlocked and unmarked; unlocked and unused for longer than the age limit.
bool IsUnmarked(const CTexture& texture);
bool IsExpired(const CTexture& texture, uint32_t now);

class CTextureMgr {
 public:
  // The game's cache, with BMP textures.
  static CTextureMgr& GetInstance();
  explicit CTextureMgr(TextureLoader loader = LoadBmpTexture);
  ~CTextureMgr() = default;
  CTextureMgr(const CTextureMgr&) = delete;
  CTextureMgr& operator=(const CTextureMgr&) = delete;

  // flagged: 0 the ordinary list, 1 the list drawn in the flagged pass.
  CTexture* Find(const char* name, int flagged);
  // 0 loaded, 1 already cached, E_FAIL (nothing cached).
  platform::Result Load(const char* name, int flagged);
  // Loads on first use; null when the texture cannot be loaded.
  CTexture* GetTexture(const char* name, int flagged);

  int32_t Lock(CTexture* texture) { return LockTexture(texture); }
  void UnLock(CTexture* texture) { UnLockTexture(texture); }

  void MarkAll();
  // Frees unlocked textures loaded since the last MarkAll.
  void FreeUnmarked();
  // Frees unlocked textures unused for longer than the age limit.
  void PurgeUnused();
  void Destroy(CTexture* texture);
  void ReleaseAll();

  void ClearBatchLinks();
  // alphaPass 0: textures without transparent texels, 1: those with them.
  void DrawBatches(CRC& rc, int alphaPass);
  void DrawFlaggedBatches(CRC& rc);

  int32_t Count() const { return static_cast<int32_t>(m_list.size()); }
  int32_t FlaggedCount() const { return static_cast<int32_t>(m_flagged.size()); }
  uint32_t MemoryBytes() const { return m_memory; }

 private:
  using Entry = std::pair<std::string, std::unique_ptr<CTexture>>;
  using List = std::list<Entry>;

  List& ListOf(int flagged) { return flagged != 0 ? m_flagged : m_list; }
  bool RemoveEntry(List& list, const CTexture* texture);
  void Draw(CRC& rc, const List& list, int alphaPass);

  TextureLoader m_loader;
  List m_list;
  List m_flagged;
  uint32_t m_memory = 0;  // bytes of the textures held
};
