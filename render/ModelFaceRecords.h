#pragma once
// The per-face records of one placed model, held in one block so that the
// model can tell its own records in a texture's batch chain, and the scratch
// its nodes project their vertices into. A record joins a chain at most once
// before the passes drain it: the records a draw linked are taken out of
// whatever chain still holds them before the next draw links them again.
// Only chains not drained since are walked, so many models sharing
// textures do not walk one another's records.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "render/TextureMgr.h"

class CTexture;

// One vertex of a node in screen space.
struct ProjectedVertex {
  float x = 0.0f, y = 0.0f, rhw = 0.0f;
  bool finite = false;  // a position that is not a number is never drawn
};

class ModelFaceRecords {
 public:
  ModelFaceRecords() = default;
  ~ModelFaceRecords() { Unlink(); }
  ModelFaceRecords(const ModelFaceRecords&) = delete;
  ModelFaceRecords& operator=(const ModelFaceRecords&) = delete;

  // Room for `faces` records and the largest node's vertices; unlinks first.
  void Allocate(size_t faces, size_t largestNode);
  void Free();

  TriangleBatch* Records(size_t first) { return m_records.data() + first; }
  std::vector<ProjectedVertex>& Scratch() { return m_scratch; }

  // At the head of the texture's chain.
  void Link(TriangleBatch& record, CTexture* texture);
  // Takes every record of this block out of the chains it was linked into.
  void Unlink();

 private:
  bool Owns(const TriangleBatch* record) const;

  std::vector<TriangleBatch> m_records;
  std::vector<ProjectedVertex> m_scratch;
  // The chains our records joined, with the texture's drain count then.
  struct LinkedChain {
    CTexture* texture;
    uint32_t drains;
  };
  std::vector<LinkedChain> m_linked;
};
