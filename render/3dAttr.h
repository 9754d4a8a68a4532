#pragma once
// The attribute grid of a map ("gat" files): half-size cells of 5 world
// units, each with four corner walking heights and a type word that the game
// rules read (walkable, blocked and so on). Centred on the world origin like
// the ground.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Res.h"

class CMemFile;

struct AttrCell {
  // Corner 0 at (x0, z0), 1 at (x1, z0), 2 at (x0, z1), 3 at (x1, z1).
  float height[4] = {0.0f, 0.0f, 0.0f, 0.0f};
  int32_t type = 0;
};

class C3dAttr : public CRes {
  SLV_RES(C3dAttr)

 public:
  static constexpr int32_t kDefaultCellSize = 5;
  static constexpr int32_t kCellFileBytes = 20;

  // False only for a file without the "QZAT" magic, or one too short for
  // the cells it declares. Another version loads as an empty grid (true).
  bool Load(const std::string& name) override;
  void Reset() override { Free(); }

  // Negative sizes give an empty grid.
  void Allocate(int32_t width, int32_t height);
  void Free();

  // The type and the walking height of the cell under world (x, z); 0
  // outside the grid.
  int32_t GetCellType(float x, float z) const;
  float GetHeight(float x, float z) const;

  int32_t Width() const { return m_width; }
  int32_t Height() const { return m_height; }
  int32_t CellSize() const { return m_cellSize; }
  // The file's version bytes; 0 before a file with the magic is read.
  uint8_t MajorVersion() const { return m_majorVersion; }
  uint8_t MinorVersion() const { return m_minorVersion; }
  void SetCellSize(int32_t size) { m_cellSize = size; }
  // Null outside the grid.
  const AttrCell* GetCell(int32_t column, int32_t row) const;
  AttrCell* GetCell(int32_t column, int32_t row);

 private:
  bool ReadCells(CMemFile& file);
  // The cell under (x, z) and the offsets into it; false outside.
  bool Locate(float x, float z, int32_t* column, int32_t* row, float* fx, float* fz) const;

  int32_t m_width = 0;
  int32_t m_height = 0;
  int32_t m_cellSize = kDefaultCellSize;
  uint8_t m_majorVersion = 0;
  uint8_t m_minorVersion = 0;
  std::vector<AttrCell> m_cells;  // row by row, x fastest
};
