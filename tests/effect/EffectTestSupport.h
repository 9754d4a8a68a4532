#pragma once
// What the effect suites share: an owner that records the messages it gets,
// and a running game frame whose field context holds the effect list.
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/FrameMgr.h"
#include "field/SelvarinActor.h"
#include "field/SelvarinContext.h"
#include "field/SelvarinFrame.h"
#include "field/SelvarinView.h"
#include "platform/TextEncoding.h"
#include "tests/support/TestSupport.h"
#include "tools/lib/PictureSource.h"
#include "tools/lib/SpriteSource.h"

namespace effecttest {

// A number that builds nothing, given a long life: a holder for the
// primitives a test makes itself.
inline constexpr int kQuietEffect = 209;
inline constexpr int kQuietLifetime = 1000;

// The codes land in a vector the test owns, so they can be read after the
// owner is gone.
class CRecordingOwner : public CSelvarinActor {
 public:
  explicit CRecordingOwner(std::vector<int>* codes) : m_codes(codes) {}
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    m_codes->push_back(code);
    CSelvarinActor::OnMessage(sender, code, a, b, c);
  }
  bool OnProcess() override { return tick ? tick() : true; }

  std::function<bool()> tick;

 private:
  std::vector<int>* m_codes;
};

// A game frame with no map: its context is the current field context.
class FieldFrame {
 public:
  FieldFrame() {
    m_frame.m_pView = new CSelvarinView;
    m_frame.m_pContext = new CSelvarinContext;
    g_pCurrentFrame = &m_frame;
    m_frame.m_name = "effects";
    m_frame.Init();
  }
  ~FieldFrame() {
    Context().FreeEffects();
    g_pCurrentFrame = nullptr;
  }
  FieldFrame(const FieldFrame&) = delete;
  FieldFrame& operator=(const FieldFrame&) = delete;

  CSelvarinContext& Context() { return *m_frame.GetContext(); }
  CSelvarinView& View() { return *m_frame.GetView(); }

 private:
  CSelvarinFrame m_frame;
};

// The sample's effect textures and the effect and system sprites, built from
// their sources (once a run) and handed to `write` under the names the game
// opens them by. False, with the error, when a source does not build.
inline bool StageSampleEffects(const std::function<void(const std::string&, const std::string&)>& write,
                               std::string* error) {
  static std::vector<std::pair<std::string, std::string>> built;
  if (built.empty()) {
    for (const char* source : {"effects.picture", "spells.picture"}) {
      std::vector<slvtools::DataFile> files;
      if (!slvtools::BuildPictureSource(testsupport::ReadFile(testsupport::SourceDir() / "data/pictures" / source),
                                        slvtools::SampleFontFolder(), &files, error)) {
        return false;
      }
      for (const slvtools::DataFile& file : files) built.emplace_back(file.name, file.bytes);
    }
    const std::filesystem::path sprites = testsupport::SourceDir() / "data/sprite";
    for (const char* folder : {"effect", "system"}) {
      for (const auto& entry : std::filesystem::directory_iterator(sprites / folder)) {
        if (entry.path().extension() != ".sprite") continue;
        slvtools::BuiltSprite sprite;
        std::string stem;
        if (!slvtools::BuildSpriteSourceFile(entry.path(), &sprite, error) ||
            !platform::Utf8ToCp949(entry.path().stem().string(), &stem)) {
          built.clear();
          return false;
        }
        const std::string base = std::string("sprite/") + folder + "/" + stem;
        built.emplace_back(base + ".spr", sprite.spr);
        built.emplace_back(base + ".act", sprite.act);
      }
    }
  }
  for (const auto& [name, bytes] : built) write(name, bytes);
  return true;
}

}  // namespace effecttest
