#pragma once
// A running game frame with no map whose field context stands on a flat
// map of 160 x 160 units centred on the origin (an attribute grid of 32 x 32
// cells of 5), for the sprite characters' tests. A test may run it in a
// game frame of its own class.
#include <gtest/gtest.h>

#include "engine/FrameMgr.h"
#include "engine/ResMgr.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "render/3dAttr.h"
#include "render/3dGround.h"
#include "tests/support/GameFolder.h"

template <class FrameClass>
class FieldActorTestOf : public GameFolderTest {
 protected:
  FieldActorTestOf() {
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    m_frame.m_name = "fieldactors";
    m_frame.Init();
    m_ground.Allocate(16, 16);
    m_attr.Allocate(32, 32);
    Context().m_pGround = &m_ground;
    Context().m_pAttr = &m_attr;
  }
  ~FieldActorTestOf() override {
    // Not the resource manager's.
    Context().m_pGround = nullptr;
    Context().m_pAttr = nullptr;
    Context().FreeEffects();
    g_pCurrentFrame = nullptr;
    CResMgr::GetInstance().UnloadResources();
  }

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  CSelvarinView& View() { return *m_frame.GetView(); }
  FrameClass& Frame() { return m_frame; }

  void SetCell(float x, float z, int32_t type, float height) {
    AttrCell* cell = m_attr.GetCell(static_cast<int32_t>((80 + x) / 5), static_cast<int32_t>((80 + z) / 5));
    ASSERT_NE(cell, nullptr);
    cell->type = type;
    for (float& h : cell->height) h = height;
  }

 private:
  C3dGround m_ground;
  C3dAttr m_attr;
  FrameClass m_frame;  // owns view and context
};

using FieldActorTest = FieldActorTestOf<CSelvarinFrame>;
