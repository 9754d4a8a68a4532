#include "bench/support/LlvmpipeRacer.h"

#include <GL/glext.h>
#include <GL/osmesa.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace bench_support {

using namespace platform;

namespace {

void PrintRaceLine(const char* name, double ms, double ours) {
  if (ms < 0) {
    std::printf("  %-28s unavailable\n", name);
  } else {
    std::printf("  %-28s %8.3f ms   %.2fx the device's time\n", name, ms, ms / ours);
  }
}

}  // namespace

GLuint UploadTexture(const Surface& t) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, t.Pitch() / 2);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
  switch (t.Format()) {
    case PixelFormat::RGB565:
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, t.Width(), t.Height(), 0, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, t.Bits());
      break;
    case PixelFormat::ARGB1555:
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.Width(), t.Height(), 0, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV,
                   t.Bits());
      break;
    default:
      glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.Width(), t.Height(), 0, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV,
                   t.Bits());
      break;
  }
  return id;
}

void GlVertexArrays::Add(const TexturedVertex& v) {
  const float w = 1.0f / v.rhw;
  m_pos.insert(m_pos.end(), {((v.x + 0.5f) * 2.0f / m_width - 1.0f) * w, (1.0f - (v.y + 0.5f) * 2.0f / m_height) * w,
                             (2.0f * v.z - 1.0f) * w, w});
  const uint32_t d = v.diffuse;
  m_color.insert(m_color.end(), {uint8_t(d >> 16), uint8_t(d >> 8), uint8_t(d), uint8_t(d >> 24)});
  m_uv.insert(m_uv.end(), {v.u, v.v});
}

// One buffer: positions, then texture coordinates, then colours.
void GlVertexArrays::Upload() {
  const size_t pos = m_pos.size() * sizeof(float), uv = m_uv.size() * sizeof(float), color = m_color.size();
  if (m_buffer == 0) glGenBuffers(1, &m_buffer);
  glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(pos + uv + color), nullptr, GL_STATIC_DRAW);
  glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(pos), m_pos.data());
  glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(pos), static_cast<GLsizeiptr>(uv), m_uv.data());
  glBufferSubData(GL_ARRAY_BUFFER, static_cast<GLintptr>(pos + uv), static_cast<GLsizeiptr>(color), m_color.data());
}

void GlVertexArrays::Bind() const {
  const size_t pos = m_pos.size() * sizeof(float), uv = m_uv.size() * sizeof(float);
  glBindBuffer(GL_ARRAY_BUFFER, m_buffer);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glVertexPointer(4, GL_FLOAT, 0, nullptr);
  glTexCoordPointer(2, GL_FLOAT, 0, reinterpret_cast<const void*>(pos));
  glColorPointer(4, GL_UNSIGNED_BYTE, 0, reinterpret_cast<const void*>(pos + uv));
}

double LlvmpipeMs(int threads, int width, int height, const std::function<double()>& measure) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  const pid_t pid = fork();
  if (pid < 0) return -1;
  if (pid == 0) {
    close(fds[0]);
    if (threads > 0) setenv("LP_NUM_THREADS", std::to_string(threads).c_str(), 1);
    setenv("GALLIUM_DRIVER", "llvmpipe", 1);
    double ms = -1;
    std::vector<uint16_t> buffer(static_cast<size_t>(width) * height);
    OSMesaContext ctx = OSMesaCreateContextExt(OSMESA_RGB_565, 16, 0, 0, nullptr);
    if (ctx && OSMesaMakeCurrent(ctx, buffer.data(), GL_UNSIGNED_SHORT_5_6_5, width, height)) {
      OSMesaPixelStore(OSMESA_Y_UP, 0);
      glViewport(0, 0, width, height);
      ms = measure();
    }
    if (ctx) OSMesaDestroyContext(ctx);
    (void)!write(fds[1], &ms, sizeof ms);
    _exit(0);
  }
  close(fds[1]);
  double ms = -1;
  if (read(fds[0], &ms, sizeof ms) != sizeof ms) ms = -1;
  close(fds[0]);
  waitpid(pid, nullptr, 0);
  return ms;
}

void PrintLlvmpipeRace(double ours, int width, int height, const std::function<double()>& measure) {
  const double one = LlvmpipeMs(1, width, height, measure), all = LlvmpipeMs(0, width, height, measure);
  PrintRaceLine("llvmpipe, 1 thread", one, ours);
  PrintRaceLine("llvmpipe, default threads", all, ours);
  if (one >= 0) std::printf("  ratio llvmpipe (1 thread) / ours: %.2f\n", one / ours);
}

}  // namespace bench_support
