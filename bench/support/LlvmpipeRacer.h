#pragma once
// What the rasterizer and effects benchmarks share to race the 3-D device
// against Mesa's llvmpipe through OSMesa.
#include <time.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/Device3D.h"

#ifdef SLV_HAVE_OSMESA
#include <GL/gl.h>
#endif

namespace bench_support {

// The process's processor time in milliseconds, all its threads together: on
// a shared machine wall time measures the other processes as much as ours.
inline double ProcessCpuMs() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The median processor time of `runs` frames after `warmup` unmeasured ones.
template <typename F>
double MedianMs(F&& frame, int warmup, int runs) {
  for (int i = 0; i < warmup; ++i) frame();
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const double t0 = ProcessCpuMs();
    frame();
    ms.push_back(ProcessCpuMs() - t0);
  }
  std::nth_element(ms.begin(), ms.begin() + runs / 2, ms.end());
  return ms[static_cast<size_t>(runs / 2)];
}

// The 3-D device with a colour and a depth target, blending, alpha test
// greater-or-equal and bilinear filtering on, as the render context sets it.
struct DeviceRig {
  platform::Surface color;
  platform::Surface depth;
  platform::Device3D dev{color, &depth};
  DeviceRig(int width, int height)
      : color(width, height, platform::PixelFormat::RGB565), depth(width, height, platform::PixelFormat::Depth16) {
    using namespace platform;
    dev.SetRenderState(RenderState::AlphaBlendEnable, 1);
    dev.SetRenderState(RenderState::AlphaFunc, static_cast<uint32_t>(Compare::GreaterEqual));
    dev.SetStageState(StageState::MinFilter, static_cast<uint32_t>(Filter::Linear));
    dev.SetStageState(StageState::MagFilter, static_cast<uint32_t>(Filter::Linear));
  }
};

#ifdef SLV_HAVE_OSMESA

// A surface as a bilinear, edge-clamped GL texture.
GLuint UploadTexture(const platform::Surface& t);

// Pre-transformed vertices as GL arrays: clip coordinates (x, y, z times w,
// and w) so that texturing is perspective correct; pixel centres move by half
// a pixel. Client-side arrays would be copied on every draw, a cost that
// swamps llvmpipe's own and swings between runs: once added, the vertices
// live in a buffer object.
class GlVertexArrays {
 public:
  GlVertexArrays(int width, int height) : m_width(width), m_height(height) {}
  void Add(const platform::TexturedVertex& v);
  // Puts what was added into the buffer object; call before timing.
  void Upload();
  // Points the vertex, colour and texture coordinate arrays into the buffer.
  void Bind() const;

 private:
  int m_width, m_height;
  std::vector<float> m_pos, m_uv;
  std::vector<uint8_t> m_color;
  GLuint m_buffer = 0;
};

// Draws the calls `include` takes, in order, from arrays holding every call's
// vertices: a quad (4 vertices) as a strip, consecutive triangles of one pass
// and texture as one batch. `begin` sets the states and texture of a draw.
template <typename Call, typename Include, typename Begin>
void DrawBatched(const std::vector<Call>& calls, Include&& include, Begin&& begin) {
  GLint first = 0;
  for (size_t i = 0; i < calls.size();) {
    const Call& c = calls[i];
    const GLint size = static_cast<GLint>(c.v.size());
    if (!include(c)) {
      first += size;
      ++i;
      continue;
    }
    begin(c);
    if (size == 4) {
      glDrawArrays(GL_TRIANGLE_STRIP, first, 4);
      first += 4;
      ++i;
      continue;
    }
    size_t j = i;
    while (j < calls.size() && calls[j].v.size() == 3 && calls[j].texture == c.texture && calls[j].pass == c.pass) ++j;
    const GLint count = static_cast<GLint>(3 * (j - i));
    glDrawArrays(GL_TRIANGLES, first, count);
    first += count;
    i = j;
  }
}

// llvmpipe takes its thread count once per process: each measurement runs in
// a child, with a width x height 5-6-5 target current, and `measure` returns
// its time. threads 0 leaves llvmpipe its default. Negative on failure.
double LlvmpipeMs(int threads, int width, int height, const std::function<double()>& measure);

// llvmpipe's times with one thread and with its default threads, each against
// the device's `ours`.
void PrintLlvmpipeRace(double ours, int width, int height, const std::function<double()>& measure);

#endif

}  // namespace bench_support
