#pragma once
// Static 3-D models ("rsm", folder "model\"): a tree of named nodes, each a
// textured triangle mesh with its local transform and rotation track; the
// main node also carries the model's position track; and the collision box
// records. The resource holds data only: the 3-D actor instances, animates
// and draws it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/Math.h"
#include "engine/Res.h"

class CTexture;
class CTextureMgr;
class CMemFile;
class FieldReader;

struct ModelTexVertex {
  uint32_t color = 0xFFFFFFFF;  // non-zero halves the lit colour scale
  float u = 0.0f, v = 0.0f;
};

struct ModelFace {
  uint16_t vertex[3] = {0, 0, 0};
  uint16_t texVertex[3] = {0, 0, 0};
  uint16_t texture = 0;  // modulo the node's texture count when drawn
  int32_t twoSided = 0;
  int32_t smoothGroup = 0;  // 0 to 31
};

// The faces of 24 bytes both model files share; 20 in model files 1.1.
inline constexpr int32_t kModelFaceBytes = 24;
inline constexpr int32_t kSmoothGroups = 32;
// A face whose indices lie outside its node's vertices or texture vertices
// is dropped (logged once a node); a smoothing group outside 0..31 counts
// as 0. False when the face was dropped.
bool CheckModelFace(ModelFace& face, size_t vertices, size_t texVertices, bool* logged, const std::string& node);
// Reads the face record's fields; 20-byte records keep the first 14 bytes.
void ReadModelFace(FieldReader& r, ModelFace& face, bool shortRecord);

// The textures a node's indices name in the file's list, each got from the
// cache's list and locked once. An index outside the names, or a texture
// that does not load, leaves its slot empty and locks nothing.
std::vector<CTexture*> TakeModelTextures(CTextureMgr& cache, const std::vector<int32_t>& indices,
                                         const std::vector<std::string>& names, int flagged);
void ReleaseModelTextures(CTextureMgr& cache, const std::vector<CTexture*>& textures);

struct ModelMesh {
  std::vector<Vec3> vertices;
  std::vector<ModelTexVertex> texVertices;
  std::vector<ModelFace> faces;
};

// How far a frame lies from one key (0) to the next (1); key times are the
// file's, so the differences are taken wide.
inline float KeyWeight(int32_t frame, int32_t from, int32_t to) {
  return static_cast<float>(int64_t{frame} - from) / static_cast<float>(int64_t{to} - from);
}

// A key of the position track: the fourth float is unused.
struct PosKey {
  int32_t frame = 0;
  Vec3 pos;
  float unused = 0.0f;
};

class C3dModelRes;

struct C3dModelNode {
  std::string name;
  std::string parentName;  // empty for a root
  C3dModelNode* parent = nullptr;
  std::vector<C3dModelNode*> children;  // in file order
  C3dModelRes* owner = nullptr;
  uint8_t alpha = 0xFF;
  std::vector<CTexture*> textures;  // locked once each; null: no texture
  ModelMesh mesh;
  Matrix local;
  Vec3 position;
  Vec3 rotAxis;
  float rotAngle = 0.0f;
  Vec3 scale{1.0f, 1.0f, 1.0f};
  std::vector<QuatKey> rotKeys;
  std::vector<PosKey> posKeys;  // the main node's only
};

struct ModelBox {
  Vec3 halfExtents;
  Vec3 position;
  Vec3 rotation;  // degrees
  int32_t flag = 0;  // non-zero: a platform
};

class C3dModelRes : public CRes {
  SLV_RES(C3dModelRes)
 public:
  C3dModelRes();
  explicit C3dModelRes(CTextureMgr& textures);
  ~C3dModelRes() override { Reset(); }

  // False for a wrong magic or version, or a damaged file; nothing of a
  // failed load is kept.
  bool Load(const std::string& name) override;
  // Unlocks the textures and frees everything.
  void Reset() override;

  // The first node of exactly that name (case matters); null when none.
  C3dModelNode* FindNode(const std::string& name) const { return FindNodeIn(m_nodes, name); }
  template <class Node>
  static Node* FindNodeIn(const std::vector<std::unique_ptr<Node>>& nodes, const std::string& name) {
    for (const auto& node : nodes) {
      if (node->name == name) return node.get();
    }
    return nullptr;
  }
  // Links every node under the parent its name finds. A node whose parent is
  // missing, itself or one of its own descendants stays a root.
  template <class Node>
  static void LinkTree(const std::vector<std::unique_ptr<Node>>& nodes) {
    for (const auto& node : nodes) {
      if (node->parentName.empty()) continue;
      Node* parent = FindNodeIn(nodes, node->parentName);
      for (Node* up = parent; up != nullptr; up = up->parent) {
        if (up == node.get()) parent = nullptr;
      }
      if (parent == nullptr) continue;
      node->parent = parent;
      parent->children.push_back(node.get());
    }
  }
  // The first root node; null without nodes.
  C3dModelNode* RootNode() const;

  int32_t m_animLen = 0;
  int32_t m_shadeType = 0;
  uint8_t m_alpha = 0xFF;
  std::vector<std::unique_ptr<C3dModelNode>> m_nodes;  // file order
  std::map<std::string, ModelMesh*> m_meshes;          // by node name
  std::vector<std::string> m_mainNodeNames;
  std::vector<ModelBox> m_boxes;
  std::string m_fileName;

 private:
  bool Parse(CMemFile& file);
  bool ReadNode(FieldReader& r, C3dModelNode& node, const std::vector<std::string>& textureNames);
  bool ReadMesh(FieldReader& r, C3dModelNode& node);
  void ReadBox(FieldReader& r, ModelBox& box) const;

  CTextureMgr* m_textures;
  uint8_t m_minor = 0;
};
