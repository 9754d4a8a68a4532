#include "render/ModelFaceRecords.h"

#include <functional>

#include "render/Texture.h"

void ModelFaceRecords::Allocate(size_t faces, size_t largestNode) {
  Unlink();
  m_records.assign(faces, TriangleBatch{});
  m_scratch.assign(largestNode, ProjectedVertex{});
}

void ModelFaceRecords::Free() {
  Unlink();
  m_records.clear();
  m_records.shrink_to_fit();
  m_scratch.clear();
  m_scratch.shrink_to_fit();
}

void ModelFaceRecords::Link(TriangleBatch& record, CTexture* texture) {
  record.next = texture->m_batch;
  texture->m_batch = &record;
  for (LinkedChain& chain : m_linked) {
    if (chain.texture != texture) continue;
    chain.drains = texture->m_batchDrains;
    return;
  }
  m_linked.push_back({texture, texture->m_batchDrains});
}

bool ModelFaceRecords::Owns(const TriangleBatch* record) const {
  if (m_records.empty()) return false;
  const std::less<const void*> before;
  return !before(record, m_records.data()) && before(record, m_records.data() + m_records.size());
}

// A chain drained since holds none of our records.
void ModelFaceRecords::Unlink() {
  for (const LinkedChain& chain : m_linked) {
    if (chain.texture->m_batchDrains != chain.drains) continue;
    for (TriangleBatch** link = &chain.texture->m_batch; *link != nullptr;) {
      if (Owns(*link)) {
        *link = (*link)->next;
      } else {
        link = &(*link)->next;
      }
    }
  }
  m_linked.clear();
}
