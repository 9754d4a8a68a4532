#pragma once
// Vertex-animated models ("rsx", folder "model\"): a tree of named nodes
// whose meshes hold one set of vertex positions per animation frame, with
// textures, texture vertices (per frame or shared), faces, the model's
// scale, offset and opacity, and the lighting that turns a node's faces
// into corner colours for one frame.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Math.h"
#include "engine/Res.h"
#include "render/3dModelRes.h"

class CTexture;
class CTextureMgr;

class C3dAnimModelRes;

struct C3dAnimModelNode {
  std::string name;
  std::string parentName;  // empty for a root
  C3dAnimModelNode* parent = nullptr;
  std::vector<C3dAnimModelNode*> children;
  C3dAnimModelRes* owner = nullptr;
  std::vector<CTexture*> textures;  // locked once each; null: no texture
  int32_t m_numVertices = 0;
  int32_t m_numTexVertices = 0;
  int32_t m_sharedTexVertices = 0;  // non-zero: frame 0's serve every frame
  int32_t m_numFrames = 0;
  std::vector<ModelFace> faces;   // their indices lie inside the node
  std::vector<uint32_t> colors;   // three ARGB corner colours a face
  std::vector<Vec3> vertices;     // frame by frame, m_numVertices each
  std::vector<ModelTexVertex> texVertices;  // likewise, or once when shared

  // Null for a frame outside 0 .. m_numFrames - 1.
  const Vec3* FrameVertices(int frame) const;
  const ModelTexVertex* FrameTexVertices(int frame) const;

  // Fills the corner colours for vertex frame `frame` (colour channels 0 to
  // 1), then the children's. A frame the node does not have leaves its
  // colours as they are.
  void ComputeLighting(const Matrix& m, int frame, const Vec3& light, const Vec3& diffuse, const Vec3& ambient,
                       int shadeType, int alpha);

};

class C3dAnimModelRes : public CRes {
  SLV_RES(C3dAnimModelRes)
 public:
  static constexpr uint32_t kSentinel = 0x12345678;

  C3dAnimModelRes();
  explicit C3dAnimModelRes(CTextureMgr& textures);
  ~C3dAnimModelRes() override { Reset(); }

  // False for a wrong sentinel (the nodes read so far stay) or a damaged
  // file (nothing is kept).
  bool Load(const std::string& name) override;
  void Reset() override;

  C3dAnimModelNode* FindNode(const std::string& name) const { return C3dModelRes::FindNodeIn(m_nodes, name); }

  int32_t m_shadeType = 2;
  int32_t m_numFrames = 0;
  int32_t m_headerValue = 0;  // the third header value, kept
  float m_scale = 1.0f;
  int32_t m_lit = 0;  // set by a user that has lit the model once
  Vec3 m_offset;
  int32_t m_alpha = 255;
  std::vector<std::unique_ptr<C3dAnimModelNode>> m_nodes;  // file order
  std::vector<std::string> m_mainNodeNames;

 private:
  // A node with a wrong leading sentinel is not added; one with a wrong
  // closing sentinel is.
  enum class NodeResult { kOk, kBadOpening, kBadClosing, kShort };
  bool Parse(CMemFile& file);
  NodeResult ReadNode(FieldReader& r, C3dAnimModelNode& node, const std::vector<std::string>& textureNames);
  bool ReadMesh(FieldReader& r, C3dAnimModelNode& node);

  CTextureMgr* m_textures;
};
