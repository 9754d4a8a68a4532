#pragma once
// A frame with a pixel render context and glyphs of varied widths, so the
// text boxes measure and wrap as they do in the game.
#include "engine/FrameMgr.h"
#include "render/3dFrame.h"
#include "render/Font.h"
#include "render/PixelRC.h"

struct TextFrameRig {
  TextFrameRig() {
    for (int i = 0; i < kAsciiGlyphCount; ++i) AsciiWidths[i] = i % 13;
    rc.SetViewSize(640, 480);
    frame.m_pRC = &rc;
    g_pCurrentFrame = &frame;
  }
  ~TextFrameRig() {
    g_pCurrentFrame = nullptr;
    frame.m_pRC = nullptr;  // not the device's to free
  }
  TextFrameRig(const TextFrameRig&) = delete;
  TextFrameRig& operator=(const TextFrameRig&) = delete;
  CPixelRC rc;
  C3dFrame frame;
};
