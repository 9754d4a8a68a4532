#include "render/ModelLighting.h"

#include <algorithm>

#include "platform/DebugLog.h"

namespace {

// One channel of a lit colour: min(1, i d + a) times the scale, cut toward
// zero; what is not a number counts as 0.
uint32_t Channel(float intensity, float diffuse, float ambient, float scale) {
  const float c = intensity * diffuse + ambient;
  if (!(c > 0.0f)) return 0;
  return static_cast<uint32_t>(std::min(c, 1.0f) * scale);
}

uint32_t LitColor(float intensity, const ModelLight& light, float scale, int alpha) {
  return static_cast<uint32_t>(alpha & 0xFF) << 24 | Channel(intensity, light.diffuse.x, light.ambient.x, scale) << 16 |
         Channel(intensity, light.diffuse.y, light.ambient.y, scale) << 8 |
         Channel(intensity, light.diffuse.z, light.ambient.z, scale);
}

// A non-zero colour word halves the scale.
float CornerScale(const ModelTexVertex* tex, uint16_t index) { return tex[index].color != 0 ? 128.0f : 255.0f; }

void LightFlat(const std::vector<ModelFace>& faces, const std::vector<Vec3>& normals, const ModelTexVertex* tex,
               const ModelLight& light, int alpha, std::vector<uint32_t>& colors) {
  for (size_t i = 0; i < faces.size(); ++i) {
    const float intensity = std::max(0.0f, Dot(normals[i], light.direction));
    for (int k = 0; k < 3; ++k) {
      colors[i * 3 + k] = LitColor(intensity, light, CornerScale(tex, faces[i].texVertex[k]), alpha);
    }
  }
}

// Vertex normals per smoothing group, in tables the size of the node.
void LightSmooth(const std::vector<ModelFace>& faces, size_t vertexCount, const std::vector<Vec3>& normals,
                 const ModelTexVertex* tex, const ModelLight& light, int alpha, std::vector<uint32_t>& colors) {
  std::vector<size_t> groups[kSmoothGroups];
  for (size_t i = 0; i < faces.size(); ++i) groups[faces[i].smoothGroup].push_back(i);
  std::vector<Vec3> vertexNormals(vertexCount);
  for (const std::vector<size_t>& group : groups) {
    if (group.empty()) continue;
    std::fill(vertexNormals.begin(), vertexNormals.end(), Vec3{});
    for (size_t i : group) {
      for (uint16_t v : faces[i].vertex) vertexNormals[v] = vertexNormals[v] + normals[i];
    }
    for (Vec3& n : vertexNormals) n.Normalize();
    for (size_t i : group) {
      for (int k = 0; k < 3; ++k) {
        const float intensity = std::max(0.0f, Dot(vertexNormals[faces[i].vertex[k]], light.direction));
        colors[i * 3 + k] = LitColor(intensity, light, CornerScale(tex, faces[i].texVertex[k]), alpha);
      }
    }
  }
}

}  // namespace

void LightModelFaces(const Matrix& m, const Vec3* vertices, size_t vertexCount, const std::vector<ModelFace>& faces,
                     const ModelTexVertex* tex, const ModelLight& light, int shadeType, int alpha,
                     std::vector<uint32_t>& colors) {
  colors.resize(faces.size() * 3);
  if (shadeType != 1 && shadeType != 2) {
    if (shadeType != 0) DebugLog("Invalid Shade Type");
    std::fill(colors.begin(), colors.end(), static_cast<uint32_t>(alpha & 0xFF) << 24 | 0xFFFFFF);
    return;
  }
  if (vertices == nullptr) return;
  std::vector<Vec3> normals(faces.size());
  for (size_t i = 0; i < faces.size(); ++i) {
    const Vec3 a = m.TransformPoint(vertices[faces[i].vertex[0]]);
    const Vec3 b = m.TransformPoint(vertices[faces[i].vertex[1]]);
    const Vec3 c = m.TransformPoint(vertices[faces[i].vertex[2]]);
    normals[i] = Cross(c - b, c - a).Normalize();
  }
  if (shadeType == 1) {
    LightFlat(faces, normals, tex, light, alpha, colors);
  } else {
    LightSmooth(faces, vertexCount, normals, tex, light, alpha, colors);
  }
}
