#include "tools/lib/ModelSource.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <sstream>

#include "platform/TextEncoding.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/RsmWriter.h"
#include "tools/lib/RsxWriter.h"

namespace slvtools {
namespace {

struct SourceNode {
  std::string name, parent;
  std::vector<Vec3> vertices;
  std::vector<ModelFace> faces;
  std::vector<int32_t> textures;  // the texture indices its boxes use
  struct Swing {
    int first, last;
    Vec3 amount;
  };
  std::vector<Swing> swings;
};

// Twelve faces turned outwards over the box's corners, as the model
// drawing's winding wants them.
constexpr uint16_t kBoxFaces[12][3] = {{0, 2, 1}, {2, 0, 3}, {5, 7, 4}, {7, 5, 6}, {1, 6, 5}, {6, 1, 2},
                                       {4, 3, 0}, {3, 4, 7}, {4, 1, 5}, {1, 4, 0}, {3, 6, 2}, {6, 3, 7}};
// The texture corners of the two triangles of each side.
constexpr uint16_t kBoxTex[2][3] = {{0, 2, 1}, {2, 0, 3}};

class ModelParser {
 public:
  bool Parse(const std::string& text, const std::string& modelName, std::vector<DataFile>* out, std::string* error);

 private:
  bool Line(const std::vector<std::string>& words);
  bool Numbers(const std::vector<std::string>& words, size_t first, size_t count, std::vector<float>* out);
  bool Box(const std::vector<std::string>& words);
  bool Fail(const std::string& why) {
    m_error = why;
    return false;
  }
  std::string BuildRsm() const;
  std::string BuildRsx() const;
  std::vector<ModelTexVertex> TexVertices() const;

  std::string m_kind;
  int32_t m_shade = 1, m_animLen = 1, m_frames = 1;
  std::vector<std::pair<std::string, std::string>> m_textures;  // name, picture
  std::vector<SourceNode> m_nodes;
  std::vector<ModelBox> m_collide;
  std::vector<std::string> m_actions;  // the model text's action lines
  std::string m_error;
};

bool ModelParser::Numbers(const std::vector<std::string>& words, size_t first, size_t count,
                          std::vector<float>* out) {
  if (words.size() < first + count) return false;
  for (size_t i = first; i < first + count; ++i) {
    std::istringstream in(words[i]);
    float value;
    char rest;
    if (!(in >> value) || in >> rest || !std::isfinite(value)) return false;
    out->push_back(value);
  }
  return true;
}

bool ModelParser::Box(const std::vector<std::string>& words) {
  std::vector<float> n;
  if ((words.size() != 7 && words.size() != 8) || !Numbers(words, 1, words.size() - 1, &n)) {
    return Fail("box takes two corners and a texture index");
  }
  if (m_nodes.empty()) return Fail("box before any node");
  SourceNode& node = m_nodes.back();
  const int32_t texture = words.size() == 8 ? static_cast<int32_t>(n[6]) : 0;
  if (texture < 0 || texture >= static_cast<int32_t>(m_textures.size())) return Fail("no such texture");
  if (node.vertices.size() + 8 > 1000) return Fail("too many vertices in one node");
  const Vec3 lo{n[0], n[1], n[2]}, hi{n[3], n[4], n[5]};
  const auto base = static_cast<uint16_t>(node.vertices.size());
  node.vertices.insert(node.vertices.end(), {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z},
                                              {lo.x, hi.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z},
                                              {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}});
  int32_t slot = -1;
  for (size_t i = 0; i < node.textures.size(); ++i) {
    if (node.textures[i] == texture) slot = static_cast<int32_t>(i);
  }
  if (slot < 0) {
    slot = static_cast<int32_t>(node.textures.size());
    node.textures.push_back(texture);
  }
  for (int f = 0; f < 12; ++f) {
    ModelFace face;
    for (int k = 0; k < 3; ++k) {
      face.vertex[k] = static_cast<uint16_t>(base + kBoxFaces[f][k]);
      face.texVertex[k] = kBoxTex[f % 2][k];
    }
    face.texture = static_cast<uint16_t>(slot);
    node.faces.push_back(face);
  }
  return true;
}

bool ModelParser::Line(const std::vector<std::string>& words) {
  const std::string& key = words[0];
  std::vector<float> n;
  if (key == "kind") {
    if (words.size() != 2 || (words[1] != "rsm" && words[1] != "rsx")) return Fail("kind is rsm or rsx");
    m_kind = words[1];
  } else if (key == "shade" || key == "animlen" || key == "frames") {
    if (words.size() != 2 || !Numbers(words, 1, 1, &n) || n[0] < 0) return Fail(key + " takes a number");
    (key == "shade" ? m_shade : key == "animlen" ? m_animLen : m_frames) = static_cast<int32_t>(n[0]);
  } else if (key == "texture") {
    if (words.size() != 8 || !Numbers(words, 2, 6, &n)) return Fail("texture takes a name and two colours");
    const auto c = [&n](size_t i) { return static_cast<uint8_t>(std::fmin(std::fmax(n[i], 0.0f), 255.0f)); };
    m_textures.emplace_back(words[1], MottledTexture(Rgba{c(0), c(1), c(2), 255}, Rgba{c(3), c(4), c(5), 255}));
  } else if (key == "node") {
    if (words.size() != 2 && words.size() != 3) return Fail("node takes a name and maybe its parent");
    m_nodes.push_back(SourceNode{words[1], words.size() == 3 ? words[2] : "", {}, {}, {}, {}});
  } else if (key == "box") {
    return Box(words);
  } else if (key == "swing") {
    if (words.size() != 6 || !Numbers(words, 1, 5, &n) || m_nodes.empty()) return Fail("swing takes two frames and a move");
    m_nodes.back().swings.push_back({static_cast<int>(n[0]), static_cast<int>(n[1]), Vec3{n[2], n[3], n[4]}});
  } else if (key == "action") {
    if (words.size() < 4 || !Numbers(words, 1, words.size() - 1, &n)) return Fail("action takes a number and frames");
    std::string line = "#action";
    for (size_t i = 1; i < words.size(); ++i) line += " " + std::to_string(static_cast<int32_t>(n[i - 1]));
    m_actions.push_back(line);
  } else if (key == "collide") {
    if (words.size() != 7 || !Numbers(words, 1, 6, &n)) return Fail("collide takes half extents and a centre");
    ModelBox box;
    box.halfExtents = Vec3{n[0], n[1], n[2]};
    box.position = Vec3{n[3], n[4], n[5]};
    m_collide.push_back(box);
  } else {
    return Fail("unknown word " + key);
  }
  return true;
}

std::vector<ModelTexVertex> ModelParser::TexVertices() const {
  return {{0xFFFFFFFF, 0.0f, 0.0f}, {0xFFFFFFFF, 1.0f, 0.0f}, {0xFFFFFFFF, 1.0f, 1.0f}, {0xFFFFFFFF, 0.0f, 1.0f}};
}

std::string ModelParser::BuildRsm() const {
  RsmWriter rsm;
  rsm.SetHeader(m_animLen, m_shade);
  for (const auto& t : m_textures) rsm.AddTexture(t.first);
  rsm.SetMainNode(m_nodes.front().name);
  for (const SourceNode& n : m_nodes) {
    RsmNode node;
    node.name = n.name;
    node.parent = n.parent;
    node.textures = n.textures;
    node.vertices = n.vertices;
    node.texVertices = TexVertices();
    node.faces = n.faces;
    rsm.AddNode(node);
  }
  for (const ModelBox& box : m_collide) rsm.AddBox(box);
  return rsm.Build();
}

std::string ModelParser::BuildRsx() const {
  RsxWriter rsx;
  rsx.SetHeader(m_shade, m_frames);
  for (const auto& t : m_textures) rsx.AddTexture(t.first);
  rsx.SetMainNode(m_nodes.front().name);
  for (const SourceNode& n : m_nodes) {
    RsxNode node;
    node.name = n.name;
    node.parent = n.parent;
    node.textures = n.textures;
    node.texVertices = {TexVertices()};
    node.faces = n.faces;
    for (int f = 0; f < m_frames; ++f) {
      Vec3 move;
      for (const SourceNode::Swing& s : n.swings) {
        if (f < s.first || f > s.last) continue;
        const float turn = 6.2831853f * static_cast<float>(f - s.first) / static_cast<float>(s.last - s.first + 1);
        move = move + s.amount * std::sin(turn);
      }
      std::vector<Vec3> frame;
      for (const Vec3& v : n.vertices) frame.push_back(v + move);
      node.frames.push_back(frame);
    }
    rsx.AddNode(node);
  }
  return rsx.Build();
}

bool ModelParser::Parse(const std::string& text, const std::string& modelName, std::vector<DataFile>* out,
                        std::string* error) {
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    std::istringstream in(line.substr(0, line.find('#')));
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    if (!words.empty() && !Line(words)) {
      *error = "line " + std::to_string(number) + ": " + m_error;
      return false;
    }
  }
  if (m_kind.empty() || m_nodes.empty()) {
    *error = "a model needs its kind and a node";
    return false;
  }
  for (const auto& t : m_textures) out->push_back({"texture\\" + t.first, t.second});
  out->push_back({"model\\" + modelName, m_kind == "rsm" ? BuildRsm() : BuildRsx()});
  if (m_actions.empty()) return true;
  if (m_kind != "rsx") {
    *error = "actions belong to an rsx";
    return false;
  }
  std::string rma = "#rsxname " + modelName + "\n";
  for (const std::string& action : m_actions) rma += action + "\n";
  out->push_back({"model\\" + modelName.substr(0, modelName.size() - 4) + ".rma", rma});
  return true;
}

}  // namespace

bool BuildModelSource(const std::string& text, const std::string& modelName, std::vector<DataFile>* out,
                      std::string* error) {
  return ModelParser().Parse(text, modelName, out, error);
}

bool BuildSampleModels(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                       std::string* error) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(sourceFolder, ec)) {
    if (!entry.is_regular_file() || entry.path().extension() != ".model") continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::string utf8Text = text.str(), cp949Text, name;
    const std::string kind = utf8Text.find("kind rsx") != std::string::npos ? ".rsx" : ".rsm";
    std::string relative = std::filesystem::relative(entry.path(), sourceFolder).replace_extension(kind).string();
    std::replace(relative.begin(), relative.end(), '/', '\\');
    std::vector<DataFile> files;
    if (!platform::Utf8ToCp949(utf8Text, &cp949Text) || !platform::Utf8ToCp949(relative, &name)) {
      *error = entry.path().string() + ": not text that code page 949 can hold";
      return false;
    }
    if (!in || !BuildModelSource(cp949Text, name, &files, error)) {
      *error = entry.path().string() + ": " + (in ? *error : "cannot be read");
      return false;
    }
    if (!WriteDataFiles(files, dataFolder, error)) return false;
  }
  if (ec) *error = sourceFolder.string() + ": " + ec.message();
  return !ec;
}

}  // namespace slvtools
