#include "tools/lib/Quantize.h"

#include <algorithm>
#include <array>
#include <map>

namespace slvtools {
namespace {

struct Colour {
  std::array<uint8_t, 3> rgb;
  uint32_t count;
};

using Box = std::vector<Colour>;

int Channel(const Box& box, int* range) {
  int best = 0;
  *range = -1;
  for (int c = 0; c < 3; ++c) {
    const auto [lo, hi] = std::minmax_element(box.begin(), box.end(),
                                              [c](const Colour& a, const Colour& b) { return a.rgb[c] < b.rgb[c]; });
    if (hi->rgb[c] - lo->rgb[c] > *range) {
      *range = hi->rgb[c] - lo->rgb[c];
      best = c;
    }
  }
  return best;
}

uint64_t Population(const Box& box) {
  uint64_t n = 0;
  for (const Colour& c : box) n += c.count;
  return n;
}

// The box that gains most from a split: its widest channel times its pixels.
size_t BoxToSplit(const std::vector<Box>& boxes) {
  size_t best = boxes.size();
  uint64_t bestScore = 0;
  for (size_t i = 0; i < boxes.size(); ++i) {
    if (boxes[i].size() < 2) continue;
    int range = 0;
    Channel(boxes[i], &range);
    const uint64_t score = static_cast<uint64_t>(range) * Population(boxes[i]);
    if (score > bestScore || best == boxes.size()) {
      best = i;
      bestScore = score;
    }
  }
  return best;
}

// Splits at the median pixel along the widest channel.
void Split(std::vector<Box>& boxes, size_t which) {
  Box& box = boxes[which];
  int range = 0;
  const int c = Channel(box, &range);
  std::stable_sort(box.begin(), box.end(), [c](const Colour& a, const Colour& b) { return a.rgb[c] < b.rgb[c]; });
  const uint64_t half = Population(box) / 2;
  uint64_t seen = 0;
  size_t at = 0;
  while (at + 1 < box.size() && seen + box[at].count <= half) seen += box[at++].count;
  at = std::max<size_t>(at, 1);
  Box upper(box.begin() + static_cast<std::ptrdiff_t>(at), box.end());
  box.resize(at);
  boxes.push_back(std::move(upper));
}

Rgba Mean(const Box& box) {
  uint64_t sum[3] = {0, 0, 0};
  const uint64_t n = Population(box);
  for (const Colour& c : box) {
    for (int k = 0; k < 3; ++k) sum[k] += uint64_t{c.rgb[k]} * c.count;
  }
  return Rgba{static_cast<uint8_t>((sum[0] + n / 2) / n), static_cast<uint8_t>((sum[1] + n / 2) / n),
              static_cast<uint8_t>((sum[2] + n / 2) / n), 255};
}

uint8_t Nearest(const std::vector<Rgba>& palette, const std::array<uint8_t, 3>& rgb) {
  size_t best = 0;
  int bestDistance = INT32_MAX;
  for (size_t i = 0; i < palette.size(); ++i) {
    const int dr = palette[i].r - rgb[0], dg = palette[i].g - rgb[1], db = palette[i].b - rgb[2];
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
    }
  }
  return static_cast<uint8_t>(best);
}

}  // namespace

void Quantize(const RgbaImage& image, int colours, std::vector<uint8_t>* indices, std::vector<Rgba>* palette) {
  std::map<std::array<uint8_t, 3>, uint32_t> histogram;
  for (const Rgba& p : image.pixels) ++histogram[{p.r, p.g, p.b}];
  std::vector<Box> boxes(1);
  for (const auto& [rgb, count] : histogram) boxes[0].push_back(Colour{rgb, count});
  const size_t wanted = static_cast<size_t>(std::clamp(colours, 1, 256));
  while (boxes.size() < wanted) {
    const size_t which = BoxToSplit(boxes);
    if (which == boxes.size()) break;
    Split(boxes, which);
  }
  palette->clear();
  for (const Box& box : boxes) {
    if (!box.empty()) palette->push_back(Mean(box));
  }
  if (palette->empty()) palette->push_back(Rgba{0, 0, 0, 255});
  std::map<std::array<uint8_t, 3>, uint8_t> nearest;
  for (const auto& entry : histogram) nearest.emplace(entry.first, Nearest(*palette, entry.first));
  indices->resize(image.pixels.size());
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    const Rgba& p = image.pixels[i];
    (*indices)[i] = nearest[{p.r, p.g, p.b}];
  }
}

}  // namespace slvtools
