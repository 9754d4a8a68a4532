#pragma once
// The world map's frame, which has no screen of its own yet.
#include "render/3dFrame.h"

class CWorldMapFrame : public C3dFrame {
  SLV_OBJECT(CWorldMapFrame)
};
