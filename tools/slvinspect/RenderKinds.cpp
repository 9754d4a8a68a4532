// The kinds the render layer's loaders read: textures, the ground, the
// attribute grid, worlds and models.
#include <memory>

#include "engine/FileStream.h"
#include "render/3dAnimModelRes.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"
#include "render/3dModelRes.h"
#include "render/3dWorldRes.h"
#include "render/Texture.h"
#include "tools/slvinspect/InspectKinds.h"
#include "tools/slvinspect/InspectSource.h"
#include "tools/slvinspect/JsonWriter.h"

namespace slvinspect {
namespace {

const char* FormatName(platform::PixelFormat format) {
  switch (format) {
    case platform::PixelFormat::RGB565:
      return "RGB565";
    case platform::PixelFormat::XRGB1555:
      return "XRGB1555";
    case platform::PixelFormat::ARGB1555:
      return "ARGB1555";
    case platform::PixelFormat::ARGB4444:
      return "ARGB4444";
    case platform::PixelFormat::Depth16:
      return "Depth16";
  }
  return "unknown";
}

// The texels the device samples, row by row.
uint32_t TexelCrc(const platform::Surface& surface) {
  std::vector<uint16_t> texels;
  texels.reserve(static_cast<size_t>(surface.Width()) * static_cast<size_t>(surface.Height()));
  for (int y = 0; y < surface.Height(); ++y) {
    const uint16_t* row = surface.Row(y);
    texels.insert(texels.end(), row, row + surface.Width());
  }
  return Crc32(texels);
}

void WriteTexture(const CTexture& texture, JsonWriter& out) {
  out.BeginObject();
  out.Field("name", texture.m_name);
  out.Field("width", texture.m_width);
  out.Field("height", texture.m_height);
  out.Field("bitsPerPixel", texture.m_bitsPerPixel);
  out.Field("hasTransparency", texture.m_hasTransparency);
  out.Field("alphaFormat", texture.m_alphaFormat);
  out.Key("format").Utf8(FormatName(texture.m_surface->Format()));
  out.Field("texelsCrc", TexelCrc(*texture.m_surface));
  out.EndObject();
}

template <platform::Result (CTexture::*Load)(const char*)>
bool InspectTexture(const InspectSource& source, JsonWriter& out) {
  CTexture texture;
  SetResDirectory("\\");
  if (platform::Failed((texture.*Load)(source.ResName().c_str())) || texture.m_surface == nullptr) return false;
  WriteTexture(texture, out);
  return true;
}

// A texture a loader took from the cache: its name, or null for none.
void WriteTextureName(const CTexture* texture, JsonWriter& out) {
  if (texture == nullptr) {
    out.Null();
  } else {
    out.Text(texture->m_name);
  }
}

}  // namespace

bool InspectBmp(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  return InspectTexture<&CTexture::LoadTextureImage>(source, out);
}

bool InspectTga(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  return InspectTexture<&CTexture::LoadTgaTextureImage>(source, out);
}

namespace {

void WriteGroundCell(const C3dGround& ground, int32_t column, int32_t row, JsonWriter& out) {
  const GroundCell& cell = *ground.GetCell(column, row);
  out.BeginObject();
  out.Field("height", cell.height, 4);
  out.Field("color", cell.color);
  out.Field("extra", cell.extra);
  out.Key("layer").BeginArray();
  for (int32_t layer = 0; layer < kGroundLayers; ++layer) {
    const GroundLayerData& data = cell.layer[layer];
    out.BeginObject();
    out.Field("uv", &data.uv[0][0], 8);
    out.Key("texture");
    WriteTextureName(data.texture, out);
    out.Field("flagged", ground.IsFlagged(column, row, layer));
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
}

}  // namespace

// The ground loader keeps an empty ground for a file it cannot use, with its
// failure text logged: that is its refusal.
bool InspectGnd(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  C3dGround ground;
  SetResDirectory("\\");
  const size_t logged = LoggedTextCount();
  ground.Load(source.ResName());
  if (ground.Width() == 0 && LoggedTextCount() != logged) return false;
  out.BeginObject();
  out.Field("width", ground.Width());
  out.Field("height", ground.Height());
  out.Field("cellSize", ground.CellSize());
  out.Field("textureNames", ground.TextureNames());
  out.Key("cells").BeginArray();
  for (int32_t row = 0; row < ground.Height(); ++row) {
    for (int32_t column = 0; column < ground.Width(); ++column) WriteGroundCell(ground, column, row, out);
  }
  out.EndArray();
  out.EndObject();
  return true;
}

bool InspectGat(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto attr = LoadRes<C3dAttr>(source);
  if (attr == nullptr) return false;
  out.BeginObject();
  out.Field("majorVersion", attr->MajorVersion());
  out.Field("minorVersion", attr->MinorVersion());
  out.Field("width", attr->Width());
  out.Field("height", attr->Height());
  out.Field("cellSize", attr->CellSize());
  out.Key("cells").BeginArray();
  for (int32_t row = 0; row < attr->Height(); ++row) {
    for (int32_t column = 0; column < attr->Width(); ++column) {
      const AttrCell& cell = *attr->GetCell(column, row);
      out.BeginObject();
      out.Field("height", cell.height, 4);
      out.Field("type", cell.type);
      out.EndObject();
    }
  }
  out.EndArray();
  out.EndObject();
  return true;
}

namespace {

template <class Record, class Write>
void WriteRecords(const char* key, const std::vector<Record>& records, JsonWriter& out, Write write) {
  out.Key(key).BeginArray();
  for (const Record& record : records) {
    out.BeginObject();
    write(record);
    out.EndObject();
  }
  out.EndArray();
}

void WriteWorldObjects(const C3dWorldRes& world, JsonWriter& out) {
  WriteRecords("models", world.m_models, out, [&](const WorldModelPlacement& r) {
    out.Field("name", r.name);
    out.Field("flags", r.flags);
    out.Field("animSpeed", r.animSpeed);
    out.Field("value", r.value);
    out.Field("modelName", r.modelName);
    out.Field("nodeName", r.nodeName);
    out.Field("position", r.position);
    out.Field("rotation", r.rotation);
    out.Field("scale", r.scale);
  });
  WriteRecords("characters", world.m_characters, out, [&](const WorldCharacter& r) {
    out.Field("name", r.name);
    out.Field("sprName", r.sprName);
    out.Field("kind", r.kind);
    out.Field("value", r.value);
    out.Field("words", r.words.data(), r.words.size());
    out.Field("position", r.position);
  });
  WriteRecords("fieldEnemies", world.m_fieldEnemies, out, [&](const WorldFieldEnemy& r) {
    out.Field("name", r.name);
    out.Field("sprName", r.sprName);
    out.Field("values", r.values.data(), r.values.size());
    out.Field("position", r.position);
  });
  WriteRecords("particleMakers", world.m_particleMakers, out, [&](const WorldParticleMaker& r) {
    out.Field("name", r.name);
    out.Field("position", r.position);
    out.Field("kind", r.kind);
  });
  WriteRecords("soundSources", world.m_soundSources, out, [&](const WorldSoundSource& r) {
    out.Field("name", r.name);
    out.Field("waveName", r.waveName);
    out.Field("position", r.position);
    out.Field("settings", r.settings.data(), r.settings.size());
  });
  WriteRecords("3dFieldEnemies", world.m_3dFieldEnemies, out, [&](const World3dFieldEnemy& r) {
    out.Field("name", r.name);
    out.Field("modelName", r.modelName);
    out.Field("position", r.position);
    out.Field("speed", r.speed);
    out.Field("ranges", r.ranges.data(), r.ranges.size());
    out.Field("frameDelay", r.frameDelay);
  });
  WriteRecords("3dModels", world.m_3dModels, out, [&](const World3dModel& r) {
    out.Field("name", r.name);
    out.Field("modelName", r.modelName);
    out.Field("position", r.position);
    out.Field("rotation", r.rotation);
    out.Field("speed", r.speed);
  });
}

}  // namespace

bool InspectRsw(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto world = LoadRes<C3dWorldRes>(source);
  if (world == nullptr) return false;
  out.BeginObject();
  out.Field("groundName", world->m_groundName);
  out.Field("attrName", world->m_attrName);
  out.Field("scriptName", world->m_scriptName);
  out.Field("mapValue", world->m_mapValue);
  out.Field("lightLongitude", world->m_lightLongitude);
  out.Field("lightLatitude", world->m_lightLatitude);
  out.Field("lightDir", world->m_lightDir);
  out.Field("diffuse", world->m_diffuse);
  out.Field("ambient", world->m_ambient);
  out.Field("bounds", world->m_bounds.data(), world->m_bounds.size());
  WriteWorldObjects(*world, out);
  out.EndObject();
  return true;
}

namespace {

void WriteFace(const ModelFace& face, JsonWriter& out) {
  out.BeginObject();
  out.Field("vertex", face.vertex, 3);
  out.Field("texVertex", face.texVertex, 3);
  out.Field("texture", face.texture);
  out.Field("twoSided", face.twoSided);
  out.Field("smoothGroup", face.smoothGroup);
  out.EndObject();
}

void WriteTexVertices(const char* key, const std::vector<ModelTexVertex>& vertices, JsonWriter& out) {
  out.Key(key).BeginArray();
  for (const ModelTexVertex& v : vertices) {
    out.BeginArray();
    out.UInt(v.color);
    out.Float(v.u);
    out.Float(v.v);
    out.EndArray();
  }
  out.EndArray();
}

void WriteFaces(const std::vector<ModelFace>& faces, JsonWriter& out) {
  out.Key("faces").BeginArray();
  for (const ModelFace& face : faces) WriteFace(face, out);
  out.EndArray();
}

void WriteTextures(const std::vector<CTexture*>& textures, JsonWriter& out) {
  out.Key("textures").BeginArray();
  for (const CTexture* texture : textures) WriteTextureName(texture, out);
  out.EndArray();
}

void WriteModelNode(const C3dModelNode& node, JsonWriter& out) {
  out.BeginObject();
  out.Field("name", node.name);
  out.Field("parentName", node.parentName);
  out.Key("parent");
  if (node.parent == nullptr) {
    out.Null();
  } else {
    out.Text(node.parent->name);
  }
  out.Field("alpha", node.alpha);
  WriteTextures(node.textures, out);
  out.Key("mesh").BeginObject();
  out.Field("vertices", node.mesh.vertices);
  WriteTexVertices("texVertices", node.mesh.texVertices, out);
  WriteFaces(node.mesh.faces, out);
  out.EndObject();
  out.Field("local", node.local);
  out.Field("position", node.position);
  out.Field("rotAxis", node.rotAxis);
  out.Field("rotAngle", node.rotAngle);
  out.Field("scale", node.scale);
  out.Key("rotKeys").BeginArray();
  for (const QuatKey& key : node.rotKeys) {
    out.BeginObject();
    out.Field("frame", key.frame);
    out.Field("q", key.q);
    out.EndObject();
  }
  out.EndArray();
  out.Key("posKeys").BeginArray();
  for (const PosKey& key : node.posKeys) {
    out.BeginObject();
    out.Field("frame", key.frame);
    out.Field("pos", key.pos);
    out.Field("unused", key.unused);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
}

}  // namespace

bool InspectRsm(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto model = LoadRes<C3dModelRes>(source);
  if (model == nullptr) return false;
  out.BeginObject();
  out.Field("fileName", model->m_fileName);
  out.Field("animLen", model->m_animLen);
  out.Field("shadeType", model->m_shadeType);
  out.Field("alpha", model->m_alpha);
  out.Field("mainNodeNames", model->m_mainNodeNames);
  out.Key("nodes").BeginArray();
  for (const auto& node : model->m_nodes) WriteModelNode(*node, out);
  out.EndArray();
  out.Key("boxes").BeginArray();
  for (const ModelBox& box : model->m_boxes) {
    out.BeginObject();
    out.Field("halfExtents", box.halfExtents);
    out.Field("position", box.position);
    out.Field("rotation", box.rotation);
    out.Field("flag", box.flag);
    out.EndObject();
  }
  out.EndArray();
  out.EndObject();
  return true;
}

namespace {

void WriteAnimNode(const C3dAnimModelNode& node, JsonWriter& out) {
  out.BeginObject();
  out.Field("name", node.name);
  out.Field("parentName", node.parentName);
  WriteTextures(node.textures, out);
  out.Field("numVertices", node.m_numVertices);
  out.Field("numTexVertices", node.m_numTexVertices);
  out.Field("sharedTexVertices", node.m_sharedTexVertices);
  out.Field("numFrames", node.m_numFrames);
  WriteFaces(node.faces, out);
  // Frame by frame, as the loader keeps them.
  out.Field("vertices", node.vertices);
  WriteTexVertices("texVertices", node.texVertices, out);
  out.EndObject();
}

}  // namespace

bool InspectRsx(const InspectSource& source, const InspectOptions&, JsonWriter& out) {
  const auto model = LoadRes<C3dAnimModelRes>(source);
  if (model == nullptr) return false;
  out.BeginObject();
  out.Field("shadeType", model->m_shadeType);
  out.Field("numFrames", model->m_numFrames);
  out.Field("headerValue", model->m_headerValue);
  out.Field("scale", model->m_scale);
  out.Field("offset", model->m_offset);
  out.Field("alpha", model->m_alpha);
  out.Field("mainNodeNames", model->m_mainNodeNames);
  out.Key("nodes").BeginArray();
  for (const auto& node : model->m_nodes) WriteAnimNode(*node, out);
  out.EndArray();
  out.EndObject();
  return true;
}

}  // namespace slvinspect
