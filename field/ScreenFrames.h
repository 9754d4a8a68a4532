#pragma once
// The frames of the screens around play that have no screens of their own
// yet: the opening movie and the world map.
#include "render/3dFrame.h"

// Until the movie plays, the frame goes on to the title at once.
class CMovieFrame : public C3dFrame {
  SLV_OBJECT(CMovieFrame)
 public:
  void Run() override;
};

class CWorldMapFrame : public C3dFrame {
  SLV_OBJECT(CWorldMapFrame)
};
