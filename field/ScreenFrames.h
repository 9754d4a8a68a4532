#pragma once
// The frames of the screens around play: title, logo, opening movie and
// world map.
#include "render/3dFrame.h"

class CTitleFrame : public C3dFrame {
  SLV_OBJECT(CTitleFrame)
};

class CLogoFrame : public C3dFrame {
  SLV_OBJECT(CLogoFrame)
};

class CMovieFrame : public C3dFrame {
  SLV_OBJECT(CMovieFrame)
};

class CWorldMapFrame : public C3dFrame {
  SLV_OBJECT(CWorldMapFrame)
};
