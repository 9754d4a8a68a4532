#pragma once
// Drawing one node of an animated model, and its children, into the render
// context's per-texture triangle queues for one vertex frame; the optional
// wobble deforms the vertices and scrolls the textures with the game
// frame's tick counter.
#include <cstdint>

#include "engine/Math.h"

class C3dAnimModelRes;
class CRC;
struct C3dAnimModelNode;

// Nodes with more vertices are not drawn, nor their children.
inline constexpr int32_t MAX_VERTEX_PER_MESH = 1000;

struct ProjectedModelVertex {
  float x = 0.0f, y = 0.0f;
  float rhw = 0.0f;
};

// The one table every node's projection goes through.
extern ProjectedModelVertex g_modelVertices[MAX_VERTEX_PER_MESH];

// alpha: non-zero queues the blended list, else the alpha-tested one.
// colour: ARGB used with alpha (see the colour rules). outline: non-zero
// also queues each drawn triangle, flat in colour, for the additive pass.
// The offsets are added to the projected point; the scales multiply its
// offset from the screen centre. A frame outside the node's frames is
// clamped into them.
void DrawModelNode(CRC& rc, const Matrix& m, int frame, const C3dAnimModelNode* node, int alpha, uint32_t colour,
                   int outline, int xOffset1, int wobble, int xOffset2, int yOffset, float xScale, float yScale);

// Deforms the vertex in place and yields the texture scroll of wobble types
// 1 and 2 at tick `tick`; other types change nothing and yield 0.
float ApplyModelWobble(Vec3& vertex, int wobble, int32_t tick);
// The same at the game frame's tick counter (0 without a game frame).
float ApplyModelWobble(Vec3& vertex, int wobble);

// Lights a model at the frame (kept inside its frames) from the field's one
// light, the first time only: the model keeps its colours after.
void LightModelOnce(C3dAnimModelRes& model, const Matrix& m, int frame);
// An animated model placed in the world: scaled by its own scale, shifted by
// its offset, turned by the angles (degrees: x, the heading, z), moved to
// the position, seen through the view.
Matrix PlacedModelMatrix(const C3dAnimModelRes& model, const Vec3& pos, const Vec3& angles, const Matrix& view);
// The placed model lit once, then queued as DrawModelNode queues it. A
// model without nodes or frames draws nothing.
void DrawPlacedModel(CRC& rc, const Matrix& view, C3dAnimModelRes& model, int frame, const Vec3& pos,
                     const Vec3& angles, int alpha, uint32_t colour, int wobble);
