#pragma once
// The frame "worldmap": the land as a 1280 x 1024 picture of 16 tiles that
// the player scrolls, a marker on every open place and the party leader on
// the map it left. A click on an enterable place takes the party there.
#include <array>
#include <cstdint>

#include "render/3dFrame.h"

class CTexture;
class WorldMapList;

class CWorldMapFrame : public C3dFrame {
  SLV_OBJECT(CWorldMapFrame)
 public:
  static constexpr int kMapWidth = 1280, kMapHeight = 1024;
  static constexpr int kTileWidth = 320, kTileHeight = 256;
  static constexpr int kTiles = 16;
  static constexpr int kEdgeStep = 4;

  struct Scroll {
    int x = 0, y = 0;
  };

  // Tiles from the BMP cache, the scroll centred on the open places.
  void Init() override;
  void Run() override;
  // Gives the tiles back to the BMP cache.
  void Exit() override;

  // One pass of Run.
  void RunPass();
  // What a pass draws, the screenshot and the flip.
  void DrawPass();
  // The left button: drag, edge scrolling, or a click on a place.
  void StepMouse();
  // The open place under a screen point (first opened wins), or -1.
  int HoveredPlace(int x, int y) const;

  // The mean of the open places, centred and clamped; the map's middle when
  // none is open.
  static Scroll InitialScroll(const WorldMapList& list, int width, int height);
  static Scroll Clamped(Scroll scroll, int width, int height);

  int32_t m_tick = 0;
  Scroll m_scroll;

 private:
  void DrawTiles();
  void DrawPlaces(int hovered);
  void DrawHoverPicture(int hovered);
  void DrawLabelPicture(int hovered);
  int ViewWidth() const;
  int ViewHeight() const;

  std::array<CTexture*, kTiles> m_tiles{};  // borrowed from the BMP cache
  bool m_dragging = false;
  int32_t m_lastMouseX = 0, m_lastMouseY = 0;
};
