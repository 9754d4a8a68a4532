#include "tools/lib/PictureSource.h"

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "platform/TextEncoding.h"
#include "tools/lib/Canvas.h"
#include "tools/lib/Quantize.h"
#include "tools/lib/TextureImages.h"

#ifndef SLV_SAMPLE_FONT_DIR
#define SLV_SAMPLE_FONT_DIR "/usr/share/fonts/truetype/nanum"
#endif

namespace slvtools {
namespace {

constexpr int kMaxSide = 4096;

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

bool Number(const std::string& word, int lo, int hi, int* out) {
  std::istringstream in(word);
  int value;
  char rest;
  if (!(in >> value) || in >> rest || value < lo || value > hi) return false;
  *out = value;
  return true;
}

// The rest of the line after `count` words, as written.
std::string RestAfter(const std::string& line, size_t count) {
  size_t at = 0;
  for (size_t i = 0; i < count; ++i) {
    at = line.find_first_not_of(" \t", at);
    at = line.find_first_of(" \t", at);
    if (at == std::string::npos) return "";
  }
  const size_t start = line.find_first_not_of(" \t", at);
  const size_t end = line.find_last_not_of(" \t\r");
  return start == std::string::npos ? "" : line.substr(start, end - start + 1);
}

class PictureParser {
 public:
  PictureParser(std::string fontFolder, std::vector<DataFile>* out) : m_fonts(std::move(fontFolder)), m_out(out) {}
  bool Line(const std::string& line);
  const std::string& Error() const { return m_error; }

 private:
  // Sources are UTF-8; the game names its files in code page 949.
  bool GameName(const std::string& utf8, std::string* name) {
    return platform::Utf8ToCp949(utf8, name) || Fail("the name has a character code page 949 lacks");
  }
  bool Fail(const std::string& why) {
    m_error = why;
    return false;
  }
  // `count` numbers from words[first] on, each within [lo, hi].
  bool Numbers(const std::vector<std::string>& words, size_t first, size_t count, int lo, int hi, int* out);
  bool Colors(const std::vector<std::string>& words, size_t first, size_t count, Rgba* out);
  bool NeedCanvas() { return m_image != nullptr || Fail("no canvas yet"); }
  bool NeedMask() { return NeedCanvas() && (m_mask != nullptr || Fail("no shape to work on")); }

  bool Canvas(const std::vector<std::string>& words);
  bool Font(const std::vector<std::string>& words);
  bool Shape(const std::vector<std::string>& words, const std::string& line);
  bool Text(const std::vector<std::string>& words, const std::string& line);
  bool Stars(const std::vector<std::string>& words);
  bool SaveBmp(const std::vector<std::string>& words);
  bool SaveBmp8(const std::vector<std::string>& words);
  bool SaveOpacity(const std::vector<std::string>& words);
  static std::string OpacityBmp(int width, int height, const std::vector<uint8_t>& opacity);
  bool SaveTga(const std::vector<std::string>& words);
  bool SaveBmpPart(const std::vector<std::string>& words);

  std::string m_fonts;
  std::vector<DataFile>* m_out;
  std::unique_ptr<RgbaImage> m_image;
  std::unique_ptr<Mask> m_mask;
  TextStyle m_style;
  std::string m_error;
};

bool PictureParser::Numbers(const std::vector<std::string>& words, size_t first, size_t count, int lo, int hi,
                            int* out) {
  if (words.size() < first + count) return Fail(words[0] + " needs " + std::to_string(count) + " numbers");
  for (size_t i = 0; i < count; ++i) {
    if (!Number(words[first + i], lo, hi, &out[i])) return Fail("bad number " + words[first + i]);
  }
  return true;
}

bool PictureParser::Colors(const std::vector<std::string>& words, size_t first, size_t count, Rgba* out) {
  for (size_t c = 0; c < count; ++c) {
    int v[4];
    if (!Numbers(words, first + 4 * c, 4, 0, 255, v)) return false;
    out[c] = Rgba{static_cast<uint8_t>(v[0]), static_cast<uint8_t>(v[1]), static_cast<uint8_t>(v[2]),
                  static_cast<uint8_t>(v[3])};
  }
  return true;
}

bool PictureParser::Line(const std::string& line) {
  const std::string text = line.substr(0, line.find('#'));
  const std::vector<std::string> words = Words(text);
  if (words.empty()) return true;
  const std::string& key = words[0];
  if (key == "canvas") return Canvas(words);
  if (key == "font") return Font(words);
  if (key == "text") return Text(words, text);
  if (key == "rect" || key == "circle" || key == "ring" || key == "polygon") return Shape(words, text);
  if (key == "stars") return Stars(words);
  if (key == "bmp") return SaveBmp(words);
  if (key == "bmp8") return SaveBmp8(words);
  if (key == "opacity") return SaveOpacity(words);
  if (key == "tga") return SaveTga(words);
  int v[2];
  Rgba colors[2];
  if (key == "blur") {
    if (!NeedMask() || !Numbers(words, 1, 1, 0, 100, v)) return false;
    m_mask->Blur(v[0]);
    return true;
  }
  if (key == "shift") {
    if (!NeedMask() || !Numbers(words, 1, 2, -kMaxSide, kMaxSide, v)) return false;
    m_mask->Shift(v[0], v[1]);
    return true;
  }
  if (key == "paint") {
    if (!NeedMask() || !Colors(words, 1, 1, colors)) return false;
    Paint(*m_image, *m_mask, colors[0]);
    return true;
  }
  if (key == "gradient") {
    if (!NeedMask() || !Numbers(words, 1, 2, -kMaxSide, kMaxSide, v) || !Colors(words, 3, 2, colors)) return false;
    PaintGradient(*m_image, *m_mask, v[0], v[1], colors[0], colors[1]);
    return true;
  }
  return Fail("unknown word " + key);
}

bool PictureParser::Canvas(const std::vector<std::string>& words) {
  int size[2];
  if (!Numbers(words, 1, 2, 1, kMaxSide, size)) return false;
  m_image = std::make_unique<RgbaImage>(size[0], size[1], Rgba{0, 0, 0, 0});
  m_mask.reset();
  return true;
}

bool PictureParser::Font(const std::vector<std::string>& words) {
  int v[2] = {0, 0};
  if (words.size() < 3 || words.size() > 4) return Fail("font needs a file, a size and maybe a spacing");
  if (!Numbers(words, 2, 1, 4, 512, v) || (words.size() == 4 && !Numbers(words, 3, 1, -50, 200, v + 1))) {
    return false;
  }
  m_style = TextStyle{m_fonts + "/" + words[1], v[0], v[1]};
  return true;
}

bool PictureParser::Shape(const std::vector<std::string>& words, const std::string& line) {
  if (!NeedCanvas()) return false;
  const int w = m_image->width, h = m_image->height;
  const std::string& key = words[0];
  int v[4];
  if (key == "rect" && Numbers(words, 1, 4, -kMaxSide, kMaxSide, v)) {
    m_mask = std::make_unique<Mask>(RectMask(w, h, v[0], v[1], v[2], v[3]));
  } else if (key == "circle" && Numbers(words, 1, 3, -kMaxSide, kMaxSide, v)) {
    m_mask = std::make_unique<Mask>(CircleMask(w, h, v[0], v[1], v[2]));
  } else if (key == "ring" && Numbers(words, 1, 4, -kMaxSide, kMaxSide, v)) {
    m_mask = std::make_unique<Mask>(RingMask(w, h, v[0], v[1], v[2], v[3]));
  } else if (key == "polygon") {
    if (words.size() < 7 || words.size() % 2 == 0) return Fail("polygon needs three points or more");
    std::vector<Point> points;
    for (size_t i = 1; i < words.size(); i += 2) {
      if (!Numbers(words, i, 2, -kMaxSide, kMaxSide, v)) return false;
      points.push_back(Point{static_cast<float>(v[0]), static_cast<float>(v[1])});
    }
    m_mask = std::make_unique<Mask>(PolygonMask(w, h, points));
  } else {
    return false;
  }
  return true;
}

bool PictureParser::Text(const std::vector<std::string>& words, const std::string& line) {
  int v[2];
  if (!NeedCanvas() || !Numbers(words, 1, 2, -kMaxSide, kMaxSide, v)) return false;
  if (words.size() < 5) return Fail("text needs a position, an alignment and words");
  const Align align = words[3] == "left" ? Align::Left : words[3] == "center" ? Align::Center : Align::Right;
  if (words[3] != "left" && words[3] != "center" && words[3] != "right") return Fail("bad alignment " + words[3]);
  if (m_style.fontPath.empty()) return Fail("no font yet");
  m_mask = std::make_unique<Mask>(m_image->width, m_image->height);
  if (!TextMask(m_style, DecodeUtf8(RestAfter(line, 4)), v[0], v[1], align, m_mask.get())) {
    return Fail("cannot open the font " + m_style.fontPath);
  }
  return true;
}

// Stars of a fixed pattern for a seed: a small generator of its own keeps
// the pictures the same on every machine.
bool PictureParser::Stars(const std::vector<std::string>& words) {
  int v[6], rgb[3];
  if (!NeedCanvas()) return false;
  if (words.size() != 10) return Fail("stars needs a seed, a count, an area and a colour");
  if (!Numbers(words, 1, 6, 0, kMaxSide * kMaxSide, v) || !Numbers(words, 7, 3, 0, 255, rgb)) return false;
  uint32_t state = static_cast<uint32_t>(v[0]) * 2654435761u + 1;
  const auto next = [&state](uint32_t n) {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) % std::max(n, 1u);
  };
  for (int i = 0; i < v[1]; ++i) {
    const int x = v[2] + static_cast<int>(next(static_cast<uint32_t>(v[4])));
    const int y = v[3] + static_cast<int>(next(static_cast<uint32_t>(v[5])));
    const Rgba star{static_cast<uint8_t>(rgb[0]), static_cast<uint8_t>(rgb[1]), static_cast<uint8_t>(rgb[2]),
                    static_cast<uint8_t>(60 + next(196))};
    BlendPixel(*m_image, x, y, star, 1.0f);
  }
  return true;
}

bool PictureParser::SaveBmp(const std::vector<std::string>& words) {
  if (!NeedCanvas()) return false;
  if (words.size() == 6) return SaveBmpPart(words);
  if (words.size() < 2 || words.size() > 3 || (words.size() == 3 && words[2] != "alpha")) {
    return Fail("bmp needs a name and maybe \"alpha\", or a name and an area");
  }
  const bool alpha = words.size() == 3;
  std::string name;
  if (!GameName(words[1], &name)) return false;
  RgbaImage opaque = *m_image;
  std::vector<uint8_t> opacity;
  for (Rgba& p : opaque.pixels) {
    opacity.push_back(p.a);
    if (!alpha) p = Mix(Rgba{0, 0, 0, 255}, Rgba{p.r, p.g, p.b, 255}, p.a / 255.0f);
  }
  // The screen has five bits of red, green and blue; blended pictures are
  // mixed at full depth when drawn.
  if (!alpha) Dither(opaque, 5, false);
  m_out->push_back(DataFile{name, WriteBmp24(opaque)});
  if (alpha) {
    const size_t slash = name.find_last_of('/');
    const size_t at = slash == std::string::npos ? 0 : slash + 1;
    m_out->push_back(DataFile{name.substr(0, at) + "a_" + name.substr(at), OpacityBmp(opaque.width, opaque.height, opacity)});
  }
  return true;
}

std::string PictureParser::OpacityBmp(int width, int height, const std::vector<uint8_t>& opacity) {
  std::vector<Rgba> grey(256);
  for (int i = 0; i < 256; ++i) grey[i] = Rgba{static_cast<uint8_t>(i), static_cast<uint8_t>(i), static_cast<uint8_t>(i), 255};
  return WriteBmp8(width, height, opacity, grey);
}

bool PictureParser::SaveOpacity(const std::vector<std::string>& words) {
  if (!NeedCanvas()) return false;
  if (words.size() != 2) return Fail("opacity needs a name");
  std::string name;
  if (!GameName(words[1], &name)) return false;
  std::vector<uint8_t> opacity;
  for (const Rgba& p : m_image->pixels) opacity.push_back(p.a);
  m_out->push_back(DataFile{name, OpacityBmp(m_image->width, m_image->height, opacity)});
  return true;
}

bool PictureParser::SaveBmp8(const std::vector<std::string>& words) {
  if (!NeedCanvas()) return false;
  if (words.size() != 2) return Fail("bmp8 needs a name");
  RgbaImage opaque = *m_image;
  for (Rgba& p : opaque.pixels) p = Mix(Rgba{0, 0, 0, 255}, Rgba{p.r, p.g, p.b, 255}, p.a / 255.0f);
  std::vector<uint8_t> indices;
  std::vector<Rgba> palette;
  Quantize(opaque, 256, &indices, &palette);
  m_out->push_back(DataFile{words[1], WriteBmp8(opaque.width, opaque.height, indices, palette)});
  return true;
}

bool PictureParser::SaveBmpPart(const std::vector<std::string>& words) {
  int v[4];
  if (!Numbers(words, 2, 4, 0, kMaxSide, v)) return false;
  if (v[2] < 1 || v[3] < 1 || v[0] + v[2] > m_image->width || v[1] + v[3] > m_image->height) {
    return Fail("the area lies outside the canvas");
  }
  RgbaImage part(v[2], v[3]);
  for (int y = 0; y < v[3]; ++y) {
    for (int x = 0; x < v[2]; ++x) {
      const Rgba p = m_image->At(v[0] + x, v[1] + y);
      part.At(x, y) = Mix(Rgba{0, 0, 0, 255}, Rgba{p.r, p.g, p.b, 255}, p.a / 255.0f);
    }
  }
  Dither(part, 5, false);
  std::string name;
  if (!GameName(words[1], &name)) return false;
  m_out->push_back(DataFile{name, WriteBmp24(part)});
  return true;
}

bool PictureParser::SaveTga(const std::vector<std::string>& words) {
  int v[4];
  if (!NeedCanvas()) return false;
  if (words.size() != 6) return Fail("tga needs a name and an area");
  if (!Numbers(words, 2, 4, 0, kMaxSide, v)) return false;
  if (v[2] < 1 || v[3] < 1 || v[0] + v[2] > m_image->width || v[1] + v[3] > m_image->height) {
    return Fail("the area lies outside the canvas");
  }
  RgbaImage part(v[2], v[3]);
  for (int y = 0; y < v[3]; ++y) {
    for (int x = 0; x < v[2]; ++x) part.At(x, y) = m_image->At(v[0] + x, v[1] + y);
  }
  Dither(part, 4, true);  // textures with alpha keep four bits a channel
  std::string name;
  if (!GameName(words[1], &name)) return false;
  m_out->push_back(DataFile{name, WriteTga(part, 32, false)});
  return true;
}

}  // namespace

std::string SampleFontFolder() { return SLV_SAMPLE_FONT_DIR; }

bool BuildPictureSource(const std::string& text, const std::string& fontFolder, std::vector<DataFile>* out,
                        std::string* error) {
  PictureParser parser(fontFolder, out);
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    if (!parser.Line(line)) {
      *error = "line " + std::to_string(number) + ": " + parser.Error();
      return false;
    }
  }
  return true;
}

bool WriteDataFiles(const std::vector<DataFile>& files, const std::filesystem::path& dataFolder,
                    std::string* error) {
  for (const DataFile& file : files) {
    std::string relative = file.name;
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path path = dataFolder / relative;
    std::error_code made;  // a folder that cannot be made fails the write below
    std::filesystem::create_directories(path.parent_path(), made);
    std::ofstream write(path, std::ios::binary | std::ios::trunc);
    if (!(write << file.bytes)) {
      *error = path.string() + ": cannot be written";
      return false;
    }
  }
  return true;
}

bool BuildSamplePictures(const std::filesystem::path& sourceFolder, const std::filesystem::path& dataFolder,
                         const std::string& fontFolder, std::string* error) {
  std::vector<std::filesystem::path> sources;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(sourceFolder, ec)) {
    if (entry.path().extension() == ".picture") sources.push_back(entry.path());
  }
  if (ec) {
    *error = sourceFolder.string() + ": " + ec.message();
    return false;
  }
  std::sort(sources.begin(), sources.end());
  for (const auto& source : sources) {
    std::ifstream in(source, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<DataFile> files;
    if (!in || !BuildPictureSource(text.str(), fontFolder, &files, error)) {
      *error = source.string() + ": " + (in ? *error : "cannot be read");
      return false;
    }
    if (!WriteDataFiles(files, dataFolder, error)) return false;
  }
  return true;
}

}  // namespace slvtools
