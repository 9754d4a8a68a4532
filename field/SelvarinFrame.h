#pragma once
// The frame of all field and battle play, its view and its field context.
// Every field map runs as one of these, named after the map.
#include "render/3dContext.h"
#include "render/3dFrame.h"
#include "render/3dView.h"

class CSelvarinView : public C3dView {
  SLV_OBJECT(CSelvarinView)
};

class CSelvarinContext : public C3dContext {
  SLV_OBJECT(CSelvarinContext)
};

class CSelvarinFrame : public C3dFrame {
  SLV_OBJECT(CSelvarinFrame)
};
