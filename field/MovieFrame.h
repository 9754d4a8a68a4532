#pragma once
// The frame "movie": the opening movie full screen, with its sound when sound
// is on, until it ends or a key or a click skips it; then the title.
#include <memory>

#include "render/3dFrame.h"

class IMovieStreamState;

namespace platform {
class MovieStream;
class Surface;
}  // namespace platform

class CMovieFrame : public C3dFrame {
  SLV_OBJECT(CMovieFrame)
 public:
  CMovieFrame();
  ~CMovieFrame() override;

  void Init() override;
  void Run() override;

  // False, with nothing left open, when the movie cannot play.
  bool OpenMovie(const char* fileName);
  void CloseMovie();
  // One pass of the movie loop: false once the movie is to end.
  bool RunMoviePass();

  static constexpr const char* kMovieFile = "movie/selvarin.avi";

  std::unique_ptr<platform::MovieStream> m_stream;
  std::unique_ptr<IMovieStreamState> m_streamState;  // what the window procedure stops and runs
  std::shared_ptr<platform::Surface> m_sample;       // the frame shown, at the movie's size

 private:
  bool SkipRequested() const;
  void ShowSample();
};
