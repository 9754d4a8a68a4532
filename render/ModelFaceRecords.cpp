#include "render/ModelFaceRecords.h"

#include <algorithm>
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
  if (std::find(m_linkedTextures.begin(), m_linkedTextures.end(), texture) == m_linkedTextures.end()) {
    m_linkedTextures.push_back(texture);
  }
}

bool ModelFaceRecords::Owns(const TriangleBatch* record) const {
  if (m_records.empty()) return false;
  const std::less<const void*> before;
  return !before(record, m_records.data()) && before(record, m_records.data() + m_records.size());
}

// A drained chain is empty; only chains left undrawn are walked.
void ModelFaceRecords::Unlink() {
  for (CTexture* texture : m_linkedTextures) {
    for (TriangleBatch** link = &texture->m_batch; *link != nullptr;) {
      if (Owns(*link)) {
        *link = (*link)->next;
      } else {
        link = &(*link)->next;
      }
    }
  }
  m_linkedTextures.clear();
}
