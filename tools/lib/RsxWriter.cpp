#include "tools/lib/RsxWriter.h"

#include "tools/lib/ByteWriter.h"

namespace slvtools {

void RsxWriter::SetHeader(int32_t shadeType, int32_t frames, int32_t value) {
  m_shadeType = shadeType;
  m_frames = frames;
  m_value = value;
}

void RsxWriter::AddNode(const RsxNode& node) {
  std::string out;
  PutU32(out, node.openSentinel);
  PutModelName(out, node.name);
  PutModelName(out, node.parent);
  PutI32(out, static_cast<int32_t>(node.textures.size()));
  for (int32_t index : node.textures) PutI32(out, index);
  PutI32(out, node.frames.empty() ? 0 : static_cast<int32_t>(node.frames[0].size()));
  for (const std::vector<Vec3>& frame : node.frames) {
    for (const Vec3& v : frame) PutVec(out, v);
  }
  PutI32(out, node.texVertices.empty() ? 0 : static_cast<int32_t>(node.texVertices[0].size()));
  PutI32(out, node.shared ? 1 : 0);
  for (const std::vector<ModelTexVertex>& list : node.texVertices) {
    for (const ModelTexVertex& tv : list) {
      PutU32(out, tv.color);
      PutF32(out, tv.u);
      PutF32(out, tv.v);
    }
  }
  PutI32(out, static_cast<int32_t>(node.faces.size()));
  for (const ModelFace& face : node.faces) PutModelFace(out, face, false);
  PutU32(out, node.closeSentinel);
  AddRawNode(out);
}

std::string RsxWriter::Build() const {
  std::string out = "RSX ";
  out += static_cast<char>(m_major);
  out += static_cast<char>(m_minor);
  if (m_major == 1 && m_minor >= 2) {
    PutF32(out, m_scale);
    PutVec(out, m_offset);
  }
  if (m_major == 1 && m_minor == 3) PutI32(out, m_alpha);
  PutI32(out, m_shadeType);
  PutI32(out, m_frames);
  PutI32(out, m_value);
  out.append(16, '\0');
  PutTexturesAndNodes(out);
  return out;
}

}  // namespace slvtools
