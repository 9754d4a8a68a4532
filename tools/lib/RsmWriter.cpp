#include "tools/lib/RsmWriter.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {

void PutModelName(std::string& out, const std::string& name) { PutText(out, name, 40); }

void PutModelFace(std::string& out, const ModelFace& face, bool shortRecord) {
  for (uint16_t v : face.vertex) PutU16(out, v);
  for (uint16_t v : face.texVertex) PutU16(out, v);
  PutU16(out, face.texture);
  if (shortRecord) {
    out.append(6, '\0');
    return;
  }
  PutU16(out, 0);
  PutI32(out, face.twoSided);
  PutI32(out, face.smoothGroup);
}

void RsmWriter::SetHeader(int32_t animLen, int32_t shadeType, uint8_t alpha) {
  m_animLen = animLen;
  m_shadeType = shadeType;
  m_alpha = alpha;
}

int32_t ModelNodesWriter::AddTexture(const std::string& name) {
  m_textures.push_back(name);
  return static_cast<int32_t>(m_textures.size()) - 1;
}

void ModelNodesWriter::AddRawNode(const std::string& bytes) {
  m_nodes += bytes;
  ++m_nodeCount;
}

void ModelNodesWriter::PutTexturesAndNodes(std::string& out) const {
  PutI32(out, static_cast<int32_t>(m_textures.size()));
  for (const std::string& name : m_textures) PutModelName(out, name);
  PutModelName(out, m_mainNode);
  PutI32(out, m_nodeCount);
  out += m_nodes;
}

void RsmWriter::AddNode(const RsmNode& node) {
  const bool v11 = m_minor == 1;
  std::string out;
  PutModelName(out, node.name);
  PutModelName(out, node.parent);
  PutI32(out, static_cast<int32_t>(node.textures.size()));
  for (int32_t index : node.textures) PutI32(out, index);
  for (float value : node.local.m) PutF32(out, value);
  PutVec(out, node.position);
  PutF32(out, node.rotAngle);
  PutVec(out, node.rotAxis);
  PutVec(out, node.scale);
  PutI32(out, static_cast<int32_t>(node.vertices.size()));
  for (const Vec3& v : node.vertices) PutVec(out, v);
  PutI32(out, static_cast<int32_t>(node.texVertices.size()));
  for (const ModelTexVertex& tv : node.texVertices) {
    if (!v11) PutU32(out, tv.color);
    PutF32(out, tv.u);
    PutF32(out, tv.v);
  }
  PutI32(out, static_cast<int32_t>(node.faces.size()));
  for (const ModelFace& face : node.faces) PutModelFace(out, face, v11);
  PutI32(out, static_cast<int32_t>(node.rotKeys.size()));
  for (const QuatKey& key : node.rotKeys) {
    PutI32(out, key.frame);
    PutF32(out, key.q.x);
    PutF32(out, key.q.y);
    PutF32(out, key.q.z);
    PutF32(out, key.q.w);
  }
  AddRawNode(out);
}

std::string RsmWriter::Build() const {
  std::string out = "QZSM";
  out += static_cast<char>(m_major);
  out += static_cast<char>(m_minor);
  PutI32(out, m_animLen);
  PutI32(out, m_shadeType);
  if (m_minor >= 4) out += static_cast<char>(m_alpha);
  out.append(16, '\0');
  PutTexturesAndNodes(out);
  PutI32(out, static_cast<int32_t>(m_posKeys.size()));
  for (const PosKey& key : m_posKeys) {
    PutI32(out, key.frame);
    PutVec(out, key.pos);
    PutF32(out, key.unused);
  }
  PutI32(out, m_boxCount.value_or(static_cast<int32_t>(m_boxes.size())));
  if (m_minor < 2) return out;
  for (const ModelBox& box : m_boxes) {
    PutVec(out, box.halfExtents);
    PutVec(out, box.position);
    PutVec(out, box.rotation);
    if (m_minor >= 3) PutI32(out, box.flag);
  }
  return out;
}

}  // namespace slvtools
