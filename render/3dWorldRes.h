#pragma once
// The world description of one field map ("rsw"): the names of its ground,
// attribute and script files, its light, its field bounds, one map value and
// the objects it places. The field context turns the records into actors.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/Math.h"
#include "engine/Res.h"

class CMemFile;

// Object type 1: a 3-D model placed in the map.
struct WorldModelPlacement {
  std::string name;       // the prefix of its script labels
  int32_t flags = 0;      // 1: the new actor gets message 10 at once
  float animSpeed = 1.0f;
  int32_t value = 0;      // kept by the actor
  std::string modelName;  // a "rsm" resource
  std::string nodeName;   // the node the placed model starts at
  Vec3 position;
  Vec3 rotation;  // degrees about x, y, z
  Vec3 scale;
};

// Object type 2: a sprite character (kind 0) or an event box (kind 2).
struct WorldCharacter {
  static constexpr int32_t kSprite = 0;
  static constexpr int32_t kEventBox = 2;

  std::string name;
  std::string sprName;
  int32_t kind = 0;
  int32_t value = 0;
  // Kept raw: a sprite character keeps all four, an event box reads words 0
  // and 2 as its half-extents in x and z.
  std::array<uint32_t, 4> words{};
  Vec3 position;

  float WordAsFloat(int index) const;
};

// Object type 3.
struct WorldFieldEnemy {
  std::string name;
  std::string sprName;
  std::array<float, 4> values{};  // the first is also the speed
  Vec3 position;
};

// Object type 4.
struct WorldParticleMaker {
  std::string name;
  Vec3 position;
  int32_t kind = 0;  // 2 starts switched off
};

// Object type 5.
struct WorldSoundSource {
  std::string name;
  std::string waveName;
  Vec3 position;
  std::array<int32_t, 2> settings{};
};

// Object type 6.
struct World3dFieldEnemy {
  std::string name;
  std::string modelName;
  Vec3 position;
  float speed = 0.0f;
  std::array<float, 4> ranges{};  // idle start, idle end, walk start, walk end
  int32_t frameDelay = 0;         // ticks; the field context takes 0 as 1
};

// Object type 7.
struct World3dModel {
  std::string name;
  std::string modelName;
  Vec3 position;
  Vec3 rotation;  // degrees about x, y, z
  int32_t speed = 0;
};

class C3dWorldRes : public CRes {
  SLV_RES(C3dWorldRes)
 public:
  ~C3dWorldRes() override { Reset(); }
  // False for another format or version, a truncated file or a bad count;
  // the resource is then empty.
  bool Load(const std::string& name) override;
  void Reset() override;

  std::vector<WorldModelPlacement> m_models;
  std::vector<WorldCharacter> m_characters;
  std::vector<WorldFieldEnemy> m_fieldEnemies;
  std::vector<WorldParticleMaker> m_particleMakers;
  std::vector<WorldSoundSource> m_soundSources;
  std::vector<World3dFieldEnemy> m_3dFieldEnemies;
  std::vector<World3dModel> m_3dModels;

  std::string m_groundName;
  std::string m_attrName;
  std::string m_scriptName;
  int32_t m_mapValue = 0;
  int32_t m_lightLongitude = 45;
  int32_t m_lightLatitude = 45;
  Vec3 m_lightDir;
  Vec3 m_diffuse{1.0f, 1.0f, 1.0f};  // red, green, blue
  Vec3 m_ambient{0.3f, 0.3f, 0.3f};
  // Lowest z, highest z, lowest x, highest x, as in the file.
  std::array<int32_t, 4> m_bounds{-500, 500, -500, 500};

 private:
  bool Parse(CMemFile& file);
  bool ReadHeader(CMemFile& file, int minor);
  bool ReadObjects(CMemFile& file, int minor);
  bool ReadObject(CMemFile& file, int32_t type, int minor);
  void ComputeLightDir();
};
