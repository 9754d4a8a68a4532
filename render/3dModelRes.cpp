#include "render/3dModelRes.h"

#include <cstring>

#include "engine/FieldReader.h"
#include "engine/MemFile.h"
#include "engine/ResMgr.h"
#include "platform/DebugLog.h"
#include "render/TextureMgr.h"

SLV_REGISTER_RES(C3dModelRes, "rsm", "model\\");

namespace {
namespace modelres3d {

constexpr uint32_t kNameSize = 40;
constexpr int kMaxMinor = 4;
constexpr int32_t kKeyBytes = 20;
constexpr int32_t kLongBoxBytes = 40;   // from 1.3
constexpr int32_t kShortBoxBytes = 36;  // 1.2
// Box records with flag 0 are widened by this on x and z (from 1.3).
constexpr float kBoxMargin = 3.0f;

void ReadRotKeys(FieldReader& r, std::vector<QuatKey>& keys) {
  int32_t count;
  if (!r.Count(count, kKeyBytes).ok()) return;
  keys.resize(static_cast<size_t>(count));
  for (QuatKey& key : keys) r.I32(key.frame).F32(key.q.x).F32(key.q.y).F32(key.q.z).F32(key.q.w);
}

void ReadPosKeys(FieldReader& r, std::vector<PosKey>& keys) {
  int32_t count;
  if (!r.Count(count, kKeyBytes).ok()) return;
  keys.resize(static_cast<size_t>(count));
  for (PosKey& key : keys) r.I32(key.frame).Vec(key.pos).F32(key.unused);
}

}  // namespace modelres3d
}  // namespace

void C3dModelRes::ReadBox(FieldReader& r, ModelBox& box) const {
  r.Vec(box.halfExtents).Vec(box.position).Vec(box.rotation);
  if (m_minor < 3) return;
  r.I32(box.flag);
  if (box.flag == 0) {
    box.halfExtents.x += modelres3d::kBoxMargin;
    box.halfExtents.z += modelres3d::kBoxMargin;
  }
}

void ReadModelFace(FieldReader& r, ModelFace& face, bool shortRecord) {
  for (uint16_t& v : face.vertex) r.U16(v);
  for (uint16_t& v : face.texVertex) r.U16(v);
  r.U16(face.texture);
  if (shortRecord) {
    r.Skip(6);  // not taken: the face stays one-sided in smoothing group 0
    return;
  }
  r.Skip(2).I32(face.twoSided).I32(face.smoothGroup);
}

bool CheckModelFace(ModelFace& face, size_t vertices, size_t texVertices, bool* logged, const std::string& node) {
  if (face.smoothGroup < 0 || face.smoothGroup >= kSmoothGroups) face.smoothGroup = 0;
  for (int k = 0; k < 3; ++k) {
    if (face.vertex[k] < vertices && face.texVertex[k] < texVertices) continue;
    if (!*logged) DebugLogf("Model :: face index outside the node %s : face dropped", node.c_str());
    *logged = true;
    return false;
  }
  return true;
}

C3dModelRes::C3dModelRes() : C3dModelRes(CTextureMgr::GetInstance()) {}

C3dModelRes::C3dModelRes(CTextureMgr& textures) : m_textures(&textures) {}

bool C3dModelRes::Load(const std::string& name) {
  Reset();
  CMemFile file;
  if (!file.LoadFile(name)) {
    DebugLog("Model :: Cannot open File : " + name);
    return false;
  }
  if (!Parse(file)) {
    Reset();
    return false;
  }
  m_fileName = name;
  return true;
}

bool C3dModelRes::Parse(CMemFile& file) {
  char magic[4] = {};
  uint8_t major = 0;
  FieldReader r(file);
  if (!r.Bytes(magic, 4).ok() || std::memcmp(magic, "QZSM", 4) != 0) {
    DebugLog("잘못된 포맷의 모델파일임.");
    return false;
  }
  if (!r.U8(major).U8(m_minor).ok() || major != 1 || m_minor > modelres3d::kMaxMinor) {
    DebugLog("지원되지 않는 버젼입니다. 내용물이 깨져있을 수 있습니다");
    return false;
  }
  r.I32(m_animLen).I32(m_shadeType);
  if (m_minor >= 4) r.U8(m_alpha);
  int32_t textureCount;
  r.Skip(16).Count(textureCount, modelres3d::kNameSize);
  if (!r.ok()) return false;
  std::vector<std::string> textureNames(static_cast<size_t>(textureCount));
  for (std::string& textureName : textureNames) r.Text(modelres3d::kNameSize, textureName);
  std::string mainName;
  int32_t nodeCount;
  // A node record takes at least its names and fixed fields.
  r.Text(modelres3d::kNameSize, mainName).Count(nodeCount, 2 * modelres3d::kNameSize + 4 + 48 + 40 + 16);
  if (!r.ok()) {
    DebugLog("Model :: file too short : " + file.GetName());
    return false;
  }
  const int flagged = m_alpha != 0xFF ? 1 : 0;
  for (const std::string& textureName : textureNames) m_textures->Load(textureName.c_str(), flagged);
  for (int32_t i = 0; i < nodeCount; ++i) {
    auto node = std::make_unique<C3dModelNode>();
    node->owner = this;
    node->alpha = m_alpha;
    C3dModelNode& added = *node;
    m_nodes.push_back(std::move(node));
    if (!ReadNode(r, added, textureNames)) {
      DebugLog("Model :: damaged node in " + file.GetName());
      return false;
    }
    m_meshes[added.name] = &added.mesh;
  }
  std::vector<PosKey> posKeys;
  modelres3d::ReadPosKeys(r, posKeys);
  // Without the main node the model has no position track.
  if (C3dModelNode* main = FindNode(mainName)) main->posKeys = std::move(posKeys);
  LinkTree(m_nodes);
  m_mainNodeNames.push_back(mainName);
  // Files before 1.2 count boxes but hold no records.
  int32_t boxCount;
  if (m_minor < 2) {
    r.I32(boxCount);
  } else if (r.Count(boxCount, m_minor >= 3 ? modelres3d::kLongBoxBytes : modelres3d::kShortBoxBytes).ok()) {
    m_boxes.resize(static_cast<size_t>(boxCount));
    for (ModelBox& box : m_boxes) ReadBox(r, box);
  }
  if (!r.ok()) DebugLog("Model :: file too short : " + file.GetName());
  return r.ok();
}

bool C3dModelRes::ReadNode(FieldReader& r, C3dModelNode& node, const std::vector<std::string>& textureNames) {
  int32_t textureCount;
  r.Text(modelres3d::kNameSize, node.name).Text(modelres3d::kNameSize, node.parentName).Count(textureCount, 4);
  if (!r.ok()) return false;
  std::vector<int32_t> indices(static_cast<size_t>(textureCount));
  for (int32_t& index : indices) r.I32(index);
  for (float& value : node.local.m) r.F32(value);
  r.Vec(node.position).F32(node.rotAngle).Vec(node.rotAxis).Vec(node.scale);
  if (!r.ok() || !ReadMesh(r, node)) return false;
  modelres3d::ReadRotKeys(r, node.rotKeys);
  if (!r.ok()) return false;
  node.textures = TakeModelTextures(*m_textures, indices, textureNames, m_alpha != 0xFF ? 1 : 0);
  return true;
}

bool C3dModelRes::ReadMesh(FieldReader& r, C3dModelNode& node) {
  ModelMesh& mesh = node.mesh;
  const bool v11 = m_minor == 1;
  int32_t count;
  if (!r.Count(count, 12).ok()) return false;
  mesh.vertices.resize(static_cast<size_t>(count));
  for (Vec3& v : mesh.vertices) r.Vec(v);
  if (!r.Count(count, v11 ? 8 : 12).ok()) return false;
  mesh.texVertices.resize(static_cast<size_t>(count));
  for (ModelTexVertex& tv : mesh.texVertices) {
    if (!v11) r.U32(tv.color);
    r.F32(tv.u).F32(tv.v);
  }
  if (!r.Count(count, v11 ? 20 : kModelFaceBytes).ok()) return false;
  mesh.faces.reserve(static_cast<size_t>(count));
  bool logged = false;
  for (int32_t i = 0; i < count; ++i) {
    ModelFace face;
    ReadModelFace(r, face, v11);
    if (CheckModelFace(face, mesh.vertices.size(), mesh.texVertices.size(), &logged, node.name)) {
      mesh.faces.push_back(face);
    }
  }
  return r.ok();
}

std::vector<CTexture*> TakeModelTextures(CTextureMgr& cache, const std::vector<int32_t>& indices,
                                         const std::vector<std::string>& names, int flagged) {
  std::vector<CTexture*> textures;
  textures.reserve(indices.size());
  for (int32_t index : indices) {
    CTexture* texture = nullptr;
    if (index >= 0 && static_cast<size_t>(index) < names.size()) {
      texture = cache.GetTexture(names[static_cast<size_t>(index)].c_str(), flagged);
    }
    if (texture != nullptr) cache.Lock(texture);
    textures.push_back(texture);
  }
  return textures;
}

void ReleaseModelTextures(CTextureMgr& cache, const std::vector<CTexture*>& textures) {
  for (CTexture* texture : textures) {
    if (texture != nullptr) cache.UnLock(texture);
  }
}

C3dModelNode* C3dModelRes::RootNode() const {
  for (const auto& node : m_nodes) {
    if (node->parent == nullptr) return node.get();
  }
  return nullptr;
}

void C3dModelRes::Reset() {
  for (const auto& node : m_nodes) ReleaseModelTextures(*m_textures, node->textures);
  m_nodes.clear();
  m_meshes.clear();
  m_mainNodeNames.clear();
  m_boxes.clear();
  m_animLen = 0;
  m_shadeType = 0;
  m_alpha = 0xFF;
}
