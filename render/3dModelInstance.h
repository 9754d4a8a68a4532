#pragma once
// An actor's own copy of a model's node tree: per node the matrices, the
// rotation track and the lit corner colours; the mesh and the textures stay
// the model resource's.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/Math.h"

class C3dActor;
class CRC;
class CTexture;
struct C3dModelNode;
struct ModelLight;
struct ModelMesh;
struct TriangleBatch;

class C3dModelInstance {
 public:
  // The node and its children, recursively.
  C3dModelInstance(const C3dModelNode& node, C3dActor* owner, C3dModelInstance* parent);

  // Every node's rotation at the frame of its track; a frame after the last
  // key keeps the rotation as it stands.
  void SetAnimFrame(int frame);
  // The corner colours of every node; `parent` takes the root's vertices
  // to the world.
  void ComputeLighting(const Matrix& parent, const ModelLight& light, int shadeType);
  // Links the faces that face the camera and lie on the view into their
  // textures' batch chains; `parent` takes the root to view space.
  void Render(CRC& rc, const Matrix& parent, bool mirror);
  // Widens lo and hi by every vertex of the tree through `parent`.
  void ExtendBounds(const Matrix& parent, Vec3& lo, Vec3& hi) const;

  // Gives every node its run of the owner's face records, from `first` on;
  // the index after the tree's last.
  size_t AssignRecords(TriangleBatch* records, size_t first);
  size_t FaceCount() const;
  size_t LargestVertexCount() const;

  std::string m_name;
  int32_t m_alpha = 255;
  std::vector<CTexture*> m_textures;  // the resource's; null: no texture
  const ModelMesh* m_mesh = nullptr;
  Matrix m_transform;  // the node's stored transform
  bool m_transformIsIdentity = true;
  Matrix m_offset;    // translation by the node position
  Matrix m_rotation;  // rest rotation and scale, or the track's rotation
  Matrix m_local;     // the rotation with the node position as translation
  std::vector<QuatKey> m_rotKeys;
  std::vector<uint32_t> m_colors;  // three a face
  TriangleBatch* m_records = nullptr;  // one a face, in the owner's block
  std::vector<std::unique_ptr<C3dModelInstance>> m_children;
  C3dModelInstance* m_parent = nullptr;
  C3dActor* m_owner = nullptr;

 private:
  // The node's vertex transform under `parent`, and the matrix its children
  // take as theirs.
  Matrix VertexMatrix(const Matrix& parent, Matrix& childParent) const;
  void RenderFaces(CRC& rc, const Matrix& v, bool mirror);
};
