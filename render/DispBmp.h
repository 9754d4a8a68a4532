#pragma once
// A full-screen picture shown without the 3-D pipeline: a bitmap resource
// decoded once into an off-screen surface, then stretched over the back
// buffer whenever the screen is drawn. The program has one, the screen
// bitmap; creating a new picture replaces the old one.
#include <memory>

#include "platform/Result.h"
#include "platform/Surface.h"

class CBitmapRes;

class CDispBmp {
 public:
  CDispBmp() = default;
  virtual ~CDispBmp() { Release(); }
  CDispBmp(const CDispBmp&) = delete;
  CDispBmp& operator=(const CDispBmp&) = delete;

  // The unlock result on success. A missing picture is logged and leaves
  // the screen bitmap empty, so the screen stays black.
  platform::Result Create(const CBitmapRes* bitmap);
  // Over the whole back buffer; an empty screen bitmap is only logged.
  void Draw();
  void Release();

  const platform::Surface* GetSurface() const { return m_surface.get(); }

 private:
  std::shared_ptr<platform::Surface> m_surface;
};

// The screen bitmap of the title, logo, world-map and script pictures.
extern CDispBmp g_dispBmp;
