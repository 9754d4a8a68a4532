#pragma once
// The lighting both model kinds share: a node's faces turned into three ARGB
// corner colours each, unlit (0), flat (1) or smooth by smoothing group (2).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/Math.h"
#include "render/3dModelRes.h"

// The light direction and the two colours, channels 0 to 1.
struct ModelLight {
  Vec3 direction;
  Vec3 diffuse;
  Vec3 ambient;
};

// Fills `colors` (three a face) for faces whose vertices the matrix takes to
// the world. Any shade type but 1 and 2 gives alpha over white, logging the
// unknown ones; without vertices a lit shade type leaves the colours.
// The faces' indices must lie inside `vertices` and `tex`.
void LightModelFaces(const Matrix& m, const Vec3* vertices, size_t vertexCount, const std::vector<ModelFace>& faces,
                     const ModelTexVertex* tex, const ModelLight& light, int shadeType, int alpha,
                     std::vector<uint32_t>& colors);
