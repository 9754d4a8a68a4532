#pragma once
// The ground of a map ("gnd" files): a grid of square cells, each with four
// corner heights, a textured top and two textured walls that close the step
// to the next cell in x and in z. Lit once when the map is set up, queried
// for heights, and drawn every frame into the texture batches together with
// an animated water plane. Centred on the world origin: cell (cx, cz) spans
// x from cx * 10 - width * 5, likewise z.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Math.h"
#include "engine/Res.h"
#include "render/TextureMgr.h"

class CMemFile;
class CRC;
class CResMgr;
class CGroundPickList;

// The value of a resource-list "set" variable ("" when undefined), and
// whether the frame's list defines one of that name.
std::string GetResValue(const std::string& name);
bool HasResValue(const std::string& name);

enum GroundLayer : int32_t {
  kGroundTop = 0,
  kGroundWallX = 1,
  kGroundWallZ = 2,
  kGroundLayers = 3
};

struct GroundLayerData {
  float uv[4][2] = {};  // corners 0 to 3
  CTexture* texture = nullptr;
};

struct GroundCell {
  // Corner 0 at (x0, z0), 1 at (x1, z0), 2 at (x0, z1), 3 at (x1, z1); y
  // points down, so a greater height lies lower.
  float height[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  uint32_t color = 0;  // ARGB, tints the lit top
  uint32_t extra = 0;  // kept with the cell, read by nobody
  GroundLayerData layer[kGroundLayers];
  // Point into the ground (+y for flat ground); the light direction is the
  // way the light travels.
  Vec3 topNormal[2];                        // triangles (0, 1, 2) and (1, 3, 2)
  Vec3 wallNormal[2];                       // +x wall, +z wall
  uint32_t layerColor[kGroundLayers] = {};  // lit colours, alpha included
  // Two triangles per layer, linked into their texture's chain while drawn.
  TriangleBatch batch[kGroundLayers * 2];
  // Corner of each batch vertex among the cell's eight points: 0-3 the top
  // corners, 4-5 the next x cell's corners 0 and 2, 6-7 the next z cell's
  // corners 0 and 1.
  uint8_t batchPoint[kGroundLayers * 2][3] = {};
  uint8_t prepared = 0;  // bit per batch made by the lighting
};

class C3dGround : public CRes {
  SLV_RES(C3dGround)

 public:
  static constexpr int32_t kCellSize = 10;
  static constexpr int32_t kMaxTextures = 1000;
  static constexpr int32_t kNameBytes = 80;
  static constexpr int32_t kCellFileBytes = 132;
  static constexpr int32_t kWaterFrames = 32;

  // Textures from the game's cache, variables from the game's resource lists.
  C3dGround();
  C3dGround(CTextureMgr& textures, const CResMgr& resources);
  ~C3dGround() override;
  C3dGround(const C3dGround&) = delete;
  C3dGround& operator=(const C3dGround&) = delete;

  // Always true: a missing file, a file that cannot hold what it declares or
  // more than 1000 names leave the ground empty (logged); a texture that
  // cannot load leaves its layer untextured.
  bool Load(const std::string& name) override;
  void Reset() override { Free(); }

  // An empty grid; negative sizes give none.
  void Allocate(int32_t width, int32_t height);
  // Unlocks every cell texture and frees the grid.
  void Free();

  // Normals, lit colours and the cells' triangles; once after loading. The
  // colours are (red, green, blue) factors.
  void ComputeLighting(const Vec3& lightDir, const Vec3& diffuse, const Vec3& ambient);

  // Bilinear over the cell's corners; 0 outside the grid.
  float GetHeight(float x, float z) const;

  // Links the visible cells' triangles into their textures' batch chains and
  // queues the water (m_blendTris) and the highlight (m_additiveUntexTris).
  // waterType 0 to 9 picks the water pictures; any other draws no water.
  // Batches of an earlier call that were never drawn are taken out of the
  // chains first, so a chain never runs through one batch twice.
  void Render(CRC& rc, const Matrix& view, float planeHeight, float waterLevel, int32_t waterType,
              int32_t waveHeight, int32_t extraCells, CGroundPickList* pickList,
              int32_t highlightColumn, int32_t highlightRow);

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  int32_t CellSize() const { return m_cellSize; }
  // The names the cells' texture indices count in, as the file holds them.
  const std::vector<std::string>& TextureNames() const { return m_textureNames; }
  // Null outside the grid. Heights may be changed (battle effects) and put back.
  const GroundCell* GetCell(int32_t column, int32_t row) const;
  GroundCell* GetCell(int32_t column, int32_t row);
  // Whether the layer's texture lives in the flagged list.
  bool IsFlagged(int32_t column, int32_t row, int32_t layer) const;

  // The water picture of a type and frame: "워터\water%d%d.bmp", the frame
  // two digits wide.
  static std::string WaterTextureName(int32_t waterType, int32_t frame);

  // Water and waves; the map set-up changes them for sea water.
  int32_t m_waterPeriod = 3;     // render calls per water frame
  int32_t m_waveAngleStep = 50;  // degrees per grid step
  int32_t m_waveSpeed = 2;       // degrees per render call
  float m_waveScale = 1.0f;
  int32_t m_opacity = 255;  // alpha of flagged layers, from "gndopacity"

  // Shared by every ground: the water frame counter and the wave phase.
  static int32_t s_waterCounter;
  static int32_t s_wavePhase;

 private:
  bool Parse(CMemFile& file);
  bool ReadCell(CMemFile& file, const std::vector<std::string>& names, GroundCell& cell,
                int32_t* flags);
  CTexture* TakeTexture(const std::string& name, int32_t* flag);
  void ComputeNormals(int32_t column, int32_t row);
  Vec3 CornerNormal(int32_t column, int32_t row) const;
  void PrepareTriangles(int32_t column, int32_t row);

  struct ViewRange;
  struct Projector;
  ViewRange VisibleRange(const CRC& rc, const Matrix& view, float planeHeight,
                         int32_t extraCells) const;
  void LinkBatch(TriangleBatch& batch, CTexture* texture);
  // Takes this ground's batches out of the chains they were linked into.
  void UnlinkBatches();
  bool OwnsBatch(const TriangleBatch* batch) const;
  void RenderCell(CRC& rc, const Projector& projector, int32_t column, int32_t row,
                  CGroundPickList* pickList, bool highlight);
  float WaterHeight(float waterLevel, int32_t waveHeight, int32_t step) const;
  void RenderWater(CRC& rc, const Projector& projector, int32_t column, int32_t row,
                   float waterLevel, int32_t waveHeight, CTexture* water) const;

  CTextureMgr* m_textures;
  const CResMgr* m_resources;
  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_cellSize = kCellSize;
  std::vector<GroundCell> m_cells;          // row by row, x fastest
  std::vector<std::string> m_textureNames;  // as the file lists them
  std::vector<int32_t> m_layerFlags;        // three per cell
  std::vector<CTexture*> m_linkedTextures;  // chains holding this ground's batches
};
