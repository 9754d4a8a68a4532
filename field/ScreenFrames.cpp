#include "field/ScreenFrames.h"

// Until its own screen is drawn, the world map runs the standard 3-D loop.
SLV_REGISTER_CLASS(CWorldMapFrame);
