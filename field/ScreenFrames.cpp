#include "field/ScreenFrames.h"

#include "engine/FrameMgr.h"

SLV_REGISTER_CLASS(CMovieFrame);
// Until its own screen is drawn, the world map runs the standard 3-D loop.
SLV_REGISTER_CLASS(CWorldMapFrame);

void CMovieFrame::Run() { CFrameMgr::GetInstance().ChangeFrame("title"); }
