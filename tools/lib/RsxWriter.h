#pragma once
// Writes animated model files ("rsx"): the header fields of the version
// given, the texture names, and the node records with their sentinels.
// Fields are written as given; AddRawNode writes a node's bytes as they
// stand.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Math.h"
#include "render/3dModelRes.h"
#include "tools/lib/RsmWriter.h"

namespace slvtools {

struct RsxNode {
  std::string name, parent;
  std::vector<int32_t> textures;
  std::vector<std::vector<Vec3>> frames;  // one vertex list a frame
  // One list when shared, else one a frame.
  std::vector<std::vector<ModelTexVertex>> texVertices;
  bool shared = true;
  std::vector<ModelFace> faces;
  uint32_t openSentinel = 0x12345678;
  uint32_t closeSentinel = 0x12345678;
};

class RsxWriter : public ModelNodesWriter {
 public:
  explicit RsxWriter(uint8_t minor = 3, uint8_t major = 1) : m_major(major), m_minor(minor) {}

  // Written only where the version carries them.
  void SetPlacement(float scale, const Vec3& offset) {
    m_scale = scale;
    m_offset = offset;
  }
  void SetAlpha(int32_t alpha) { m_alpha = alpha; }
  void SetHeader(int32_t shadeType, int32_t frames, int32_t value = 0);
  void AddNode(const RsxNode& node);

  std::string Build() const;

 private:
  uint8_t m_major, m_minor;
  float m_scale = 1.0f;
  Vec3 m_offset;
  int32_t m_alpha = 255;
  int32_t m_shadeType = 2, m_frames = 0, m_value = 0;
};

}  // namespace slvtools
