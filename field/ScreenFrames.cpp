#include "field/ScreenFrames.h"

// Until their own screens are drawn, each runs the standard 3-D loop.
SLV_REGISTER_CLASS(CTitleFrame);
SLV_REGISTER_CLASS(CLogoFrame);
SLV_REGISTER_CLASS(CMovieFrame);
SLV_REGISTER_CLASS(CWorldMapFrame);
