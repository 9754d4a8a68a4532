#include "render/3dAnimModelRes.h"

#include <algorithm>
#include <cmath>

#include "engine/FieldReader.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"
#include "render/ModelLighting.h"
#include "render/TextureMgr.h"

SLV_REGISTER_RES(C3dAnimModelRes, "rsx", "model\\");

namespace {

constexpr uint32_t kNameSize = 40;
constexpr int32_t kTexVertexBytes = 12;
// A node record takes at least its sentinels, names and counts.
constexpr int64_t kMinNodeBytes = 4 + 2 * kNameSize + 4 + 4 + 8 + 4 + 4;

}  // namespace

const Vec3* C3dAnimModelNode::FrameVertices(int frame) const {
  if (frame < 0 || frame >= m_numFrames) return nullptr;
  return vertices.data() + static_cast<size_t>(frame) * static_cast<size_t>(m_numVertices);
}

const ModelTexVertex* C3dAnimModelNode::FrameTexVertices(int frame) const {
  if (frame < 0 || frame >= m_numFrames) return nullptr;
  const size_t slot = m_sharedTexVertices != 0 ? 0 : static_cast<size_t>(frame);
  return texVertices.data() + slot * static_cast<size_t>(m_numTexVertices);
}

void C3dAnimModelNode::ComputeLighting(const Matrix& m, int frame, const Vec3& light, const Vec3& diffuse,
                                       const Vec3& ambient, int shadeType, int alpha) {
  LightModelFaces(m, FrameVertices(frame), static_cast<size_t>(m_numVertices), faces, FrameTexVertices(frame),
                  ModelLight{light, diffuse, ambient}, shadeType, alpha, colors);
  for (C3dAnimModelNode* child : children) {
    child->ComputeLighting(m, frame, light, diffuse, ambient, shadeType, alpha);
  }
}

C3dAnimModelRes::C3dAnimModelRes() : C3dAnimModelRes(CTextureMgr::GetInstance()) {}

C3dAnimModelRes::C3dAnimModelRes(CTextureMgr& textures) : m_textures(&textures) {}

bool C3dAnimModelRes::Load(const std::string& name) {
  Reset();
  CMemFile file;
  if (!file.LoadFile(name)) {
    DebugLog("Model :: Cannot open File : " + name);
    return false;
  }
  return Parse(file);
}

bool C3dAnimModelRes::Parse(CMemFile& file) {
  m_shadeType = 2;
  m_numFrames = m_headerValue = 0;
  m_scale = 1.0f;
  m_offset = Vec3{};
  m_alpha = 255;
  FieldReader r(file);
  uint8_t major = 0, minor = 0;
  r.Skip(4).U8(major).U8(minor);
  if (major == 1 && minor >= 2) r.F32(m_scale).Vec(m_offset);
  if (major == 1 && minor == 3) r.I32(m_alpha);
  int32_t textureCount;
  r.I32(m_shadeType).I32(m_numFrames).I32(m_headerValue).Skip(16).Count(textureCount, kNameSize);
  if (!r.ok() || m_numFrames < 0) {
    DebugLog("Model :: damaged header : " + file.GetName());
    Reset();
    return false;
  }
  std::vector<std::string> textureNames(static_cast<size_t>(textureCount));
  for (std::string& textureName : textureNames) r.Text(kNameSize, textureName);
  std::string mainName;
  int32_t nodeCount;
  r.Text(kNameSize, mainName).Count(nodeCount, kMinNodeBytes);
  if (!r.ok()) {
    DebugLog("Model :: damaged header : " + file.GetName());
    Reset();
    return false;
  }
  for (const std::string& textureName : textureNames) m_textures->Load(textureName.c_str(), 0);
  for (int32_t i = 0; i < nodeCount; ++i) {
    auto node = std::make_unique<C3dAnimModelNode>();
    node->owner = this;
    node->m_numFrames = m_numFrames;
    const NodeResult result = ReadNode(r, *node, textureNames);
    if (result == NodeResult::kBadOpening) return false;  // the nodes read so far stay
    if (result == NodeResult::kShort) {
      ReleaseModelTextures(*m_textures, node->textures);
      DebugLog("Model :: file too short : " + file.GetName());
      Reset();
      return false;
    }
    m_nodes.push_back(std::move(node));
    if (result == NodeResult::kBadClosing) return false;
  }
  C3dModelRes::LinkTree(m_nodes);
  m_mainNodeNames.push_back(mainName);
  return true;
}

C3dAnimModelRes::NodeResult C3dAnimModelRes::ReadNode(FieldReader& r, C3dAnimModelNode& node,
                                                      const std::vector<std::string>& textureNames) {
  uint32_t sentinel = 0;
  if (!r.U32(sentinel).ok()) return NodeResult::kShort;
  if (sentinel != kSentinel) {
    DebugLog("data corrupt");
    return NodeResult::kBadOpening;
  }
  int32_t textureCount;
  r.Text(kNameSize, node.name).Text(kNameSize, node.parentName).Count(textureCount, 4);
  if (!r.ok()) return NodeResult::kShort;
  std::vector<int32_t> indices(static_cast<size_t>(textureCount));
  for (int32_t& index : indices) r.I32(index);
  if (!r.ok() || !ReadMesh(r, node)) return NodeResult::kShort;
  node.textures = TakeModelTextures(*m_textures, indices, textureNames, 0);
  if (!r.U32(sentinel).ok()) return NodeResult::kShort;
  if (sentinel != kSentinel) {
    DebugLog("data corrupt");
    return NodeResult::kBadClosing;
  }
  return NodeResult::kOk;
}

bool C3dAnimModelRes::ReadMesh(FieldReader& r, C3dAnimModelNode& node) {
  if (!r.Count(node.m_numVertices, 12, m_numFrames).ok()) return false;
  node.vertices.resize(static_cast<size_t>(node.m_numVertices) * static_cast<size_t>(m_numFrames));
  for (Vec3& v : node.vertices) r.Vec(v);
  r.I32(node.m_numTexVertices).I32(node.m_sharedTexVertices);
  const int32_t copies = node.m_sharedTexVertices != 0 ? 1 : m_numFrames;
  const int64_t unit = int64_t{kTexVertexBytes} * std::max(copies, 1);
  if (!r.ok() || node.m_numTexVertices < 0 || node.m_numTexVertices > r.Left() / unit) return false;
  node.texVertices.resize(static_cast<size_t>(node.m_numTexVertices) * static_cast<size_t>(copies));
  for (ModelTexVertex& tv : node.texVertices) r.U32(tv.color).F32(tv.u).F32(tv.v);
  int32_t faceCount;
  if (!r.Count(faceCount, kModelFaceBytes).ok()) return false;
  node.faces.reserve(static_cast<size_t>(faceCount));
  bool logged = false;
  for (int32_t i = 0; i < faceCount; ++i) {
    ModelFace face;
    ReadModelFace(r, face, false);
    const size_t vertices = static_cast<size_t>(node.m_numVertices);
    if (CheckModelFace(face, vertices, static_cast<size_t>(node.m_numTexVertices), &logged, node.name)) {
      node.faces.push_back(face);
    }
  }
  node.colors.assign(node.faces.size() * 3, 0xFFFFFFFF);
  return r.ok();
}

void C3dAnimModelRes::Reset() {
  for (const auto& node : m_nodes) ReleaseModelTextures(*m_textures, node->textures);
  m_nodes.clear();
  m_mainNodeNames.clear();
}
