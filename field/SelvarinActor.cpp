#include "field/SelvarinActor.h"

#include "field/PickRegionList.h"

SLV_REGISTER_ACTOR(CSelvarinActor, "selvarinactor");

CSelvarinActor::~CSelvarinActor() { ForgetPickedActor(this); }

void CSelvarinActor::AddPickRegion(float left, float top, float right, float bottom, int32_t) {
  g_pickRegionList.Add(PickEdge(left), PickEdge(right), PickEdge(top), PickEdge(bottom), 2, this);
}
