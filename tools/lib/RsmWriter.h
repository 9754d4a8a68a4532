#pragma once
// Writes model files ("rsm") of versions 1.0 to 1.4 from the model
// resource's own records. Fields are written as given, so tests can make
// files that disagree with themselves; AddRawNode writes a node's bytes as
// they stand.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "render/3dModelRes.h"

namespace slvtools {

struct RsmNode {
  std::string name, parent;
  std::vector<int32_t> textures;  // indices into the file's texture names
  Matrix local;
  Vec3 position;
  float rotAngle = 0.0f;
  Vec3 rotAxis{0.0f, 1.0f, 0.0f};
  Vec3 scale{1.0f, 1.0f, 1.0f};
  std::vector<Vec3> vertices;
  std::vector<ModelTexVertex> texVertices;  // 1.1 files leave out the colour
  std::vector<ModelFace> faces;             // 1.1 files keep 14 bytes of 20
  std::vector<QuatKey> rotKeys;
};

// The faces of both model writers: 24 bytes, or 20 with the last six zero.
void PutModelFace(std::string& out, const ModelFace& face, bool shortRecord);

// A 40-byte name field of the model files: cut, or padded with zeros.
void PutModelName(std::string& out, const std::string& name);

// What the model files ("rsm", "rsx") keep alike after their headers: the
// texture names, the main node's name and the nodes.
class ModelNodesWriter {
 public:
  // Its index among the texture names.
  int32_t AddTexture(const std::string& name);
  void SetMainNode(const std::string& name) { m_mainNode = name; }
  void AddRawNode(const std::string& bytes);

 protected:
  void PutTexturesAndNodes(std::string& out) const;

 private:
  std::vector<std::string> m_textures;
  std::string m_mainNode;
  std::string m_nodes;
  int32_t m_nodeCount = 0;
};

class RsmWriter : public ModelNodesWriter {
 public:
  explicit RsmWriter(uint8_t minor = 4, uint8_t major = 1) : m_major(major), m_minor(minor) {}

  void SetHeader(int32_t animLen, int32_t shadeType, uint8_t alpha = 0xFF);
  void AddNode(const RsmNode& node);
  void SetPosKeys(const std::vector<PosKey>& keys) { m_posKeys = keys; }
  // Written as records from 1.2 on; files before count them only.
  void AddBox(const ModelBox& box) { m_boxes.push_back(box); }
  void SetBoxCount(int32_t count) { m_boxCount = count; }

  std::string Build() const;

 private:
  uint8_t m_major, m_minor;
  int32_t m_animLen = 0, m_shadeType = 0;
  uint8_t m_alpha = 0xFF;
  std::vector<PosKey> m_posKeys;
  std::vector<ModelBox> m_boxes;
  std::optional<int32_t> m_boxCount;
};

}  // namespace slvtools
