#include "render/3dAnimModelRes.h"

#include <algorithm>
#include <cmath>

#include "engine/FieldReader.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"
#include "render/TextureMgr.h"

SLV_REGISTER_RES(C3dAnimModelRes, "rsx", "model\\");

namespace {

constexpr uint32_t kNameSize = 40;
constexpr int32_t kTexVertexBytes = 12;
// A node record takes at least its sentinels, names and counts.
constexpr int64_t kMinNodeBytes = 4 + 2 * kNameSize + 4 + 4 + 8 + 4 + 4;

// One channel of a lit colour: min(1, i d + a) times the scale, cut toward
// zero; what is not a number counts as 0.
uint32_t Channel(float intensity, float diffuse, float ambient, float scale) {
  const float c = intensity * diffuse + ambient;
  if (!(c > 0.0f)) return 0;
  return static_cast<uint32_t>(std::min(c, 1.0f) * scale);
}

uint32_t LitColor(float intensity, const Vec3& diffuse, const Vec3& ambient, float scale, int alpha) {
  return static_cast<uint32_t>(alpha & 0xFF) << 24 | Channel(intensity, diffuse.x, ambient.x, scale) << 16 |
         Channel(intensity, diffuse.y, ambient.y, scale) << 8 | Channel(intensity, diffuse.z, ambient.z, scale);
}

// A non-zero colour word halves the scale.
float CornerScale(const ModelTexVertex* tex, uint16_t index) { return tex[index].color != 0 ? 128.0f : 255.0f; }

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
  const Vec3* frameVertices = FrameVertices(frame);
  const ModelTexVertex* tex = FrameTexVertices(frame);
  if (shadeType != 1 && shadeType != 2) {
    if (shadeType != 0) DebugLog("Invalid Shade Type");
    std::fill(colors.begin(), colors.end(), static_cast<uint32_t>(alpha & 0xFF) << 24 | 0xFFFFFF);
  } else if (frameVertices != nullptr) {
    std::vector<Vec3> normals(faces.size());
    for (size_t i = 0; i < faces.size(); ++i) {
      const Vec3 a = m.TransformPoint(frameVertices[faces[i].vertex[0]]);
      const Vec3 b = m.TransformPoint(frameVertices[faces[i].vertex[1]]);
      const Vec3 c = m.TransformPoint(frameVertices[faces[i].vertex[2]]);
      normals[i] = Cross(c - b, c - a).Normalize();
    }
    if (shadeType == 1) {
      LightFlat(normals, tex, light, diffuse, ambient, alpha);
    } else {
      LightSmooth(normals, tex, light, diffuse, ambient, alpha);
    }
  }
  for (C3dAnimModelNode* child : children) {
    child->ComputeLighting(m, frame, light, diffuse, ambient, shadeType, alpha);
  }
}

void C3dAnimModelNode::LightFlat(const std::vector<Vec3>& normals, const ModelTexVertex* tex, const Vec3& light,
                                 const Vec3& diffuse, const Vec3& ambient, int alpha) {
  for (size_t i = 0; i < faces.size(); ++i) {
    const float intensity = std::max(0.0f, Dot(normals[i], light));
    for (int k = 0; k < 3; ++k) {
      colors[i * 3 + k] = LitColor(intensity, diffuse, ambient, CornerScale(tex, faces[i].texVertex[k]), alpha);
    }
  }
}

// Vertex normals per smoothing group, in tables the size of the node.
void C3dAnimModelNode::LightSmooth(const std::vector<Vec3>& normals, const ModelTexVertex* tex, const Vec3& light,
                                   const Vec3& diffuse, const Vec3& ambient, int alpha) {
  std::vector<size_t> groups[kSmoothGroups];
  for (size_t i = 0; i < faces.size(); ++i) groups[faces[i].smoothGroup].push_back(i);
  std::vector<Vec3> vertexNormals(static_cast<size_t>(m_numVertices));
  for (const std::vector<size_t>& group : groups) {
    if (group.empty()) continue;
    std::fill(vertexNormals.begin(), vertexNormals.end(), Vec3{});
    for (size_t i : group) {
      for (uint16_t v : faces[i].vertex) vertexNormals[v] = vertexNormals[v] + normals[i];
    }
    for (Vec3& n : vertexNormals) n.Normalize();
    for (size_t i : group) {
      for (int k = 0; k < 3; ++k) {
        const float intensity = std::max(0.0f, Dot(vertexNormals[faces[i].vertex[k]], light));
        colors[i * 3 + k] = LitColor(intensity, diffuse, ambient, CornerScale(tex, faces[i].texVertex[k]), alpha);
      }
    }
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
