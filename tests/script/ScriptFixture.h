#pragma once
// A game frame whose field context runs scripts written by the test, with
// actors and a model that record the messages they get, and a map event.
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/ResMgr.h"
#include "engine/TextRes.h"
#include "field/SelvarinActor.h"
#include "render/3dActor.h"
#include "tests/field/FieldActorFixture.h"
#include "tests/support/TestSupport.h"

struct RecordedMessage {
  int code;
  intptr_t a, b, c;
  bool operator==(const RecordedMessage&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const RecordedMessage& m) {
  return out << "{" << m.code << ", " << m.a << ", " << m.b << ", " << m.c << "}";
}

template <class Base>
class Recording : public Base {
 public:
  void OnMessage(CObject* sender, int code, intptr_t a, intptr_t b, intptr_t c) override {
    messages.push_back(RecordedMessage{code, a, b, c});
    senders.push_back(sender);
    if (answer) answer(code, a);
  }
  std::vector<RecordedMessage> messages;
  std::vector<CObject*> senders;
  std::function<void(int code, intptr_t a)> answer;  // runs inside OnMessage
};

using RecordingActor = Recording<CSelvarinActor>;
using RecordingModel = Recording<C3dActor>;

class ScriptTest : public FieldActorTest {
 protected:
  ~ScriptTest() override {
    // The scripts are the resource manager's; the context must not unlock them.
    Context().m_script = nullptr;
  }

  RecordingActor& AddActor(const std::string& name) {
    auto* actor = new RecordingActor;
    actor->m_name = name;
    Context().m_liveActors.push_back(actor);
    return *actor;
  }
  RecordingModel& AddModel(const std::string& name) {
    auto* model = new RecordingModel;
    model->m_name = name;
    Context().m_modelActors.push_back(model);
    return *model;
  }
  MapEvent& AddBox(const std::string& name) {
    Context().m_mapEvents.emplace_back();
    Context().m_mapEvents.back().m_name = name;
    return Context().m_mapEvents.back();
  }
  RecordingActor& AddPlayer() {
    RecordingActor& player = AddActor("player");
    Context().m_player = &player;
    return player;
  }

  // Makes the text the map script.
  void UseScript(const std::string& text) {
    const std::string name = "s" + std::to_string(m_scripts++) + ".scr";
    Write("data/" + name, text);
    Context().m_script = dynamic_cast<CTextRes*>(CResMgr::GetInstance().GetResStr(name));
    ASSERT_NE(Context().m_script, nullptr);
  }

  // Runs the text from a line for a subject; the markers that "error" lines
  // logged ("#" and a word), in order.
  std::vector<std::string> Run(const std::string& text, const std::string& subject = "elder", int line = 0) {
    UseScript(text);
    return RunFrom(line, subject);
  }
  std::vector<std::string> RunFrom(int line, const std::string& subject = "elder") {
    testsupport::DebugLogCapture log;
    Frame().RunEventScript(line, subject, m_position);
    m_log = log.Lines();
    std::vector<std::string> markers;
    for (const std::string& l : m_log) {
      if (!l.empty() && l[0] == '#') markers.push_back(l);
    }
    return markers;
  }
  bool Logged(const std::string& fragment) const {
    for (const std::string& l : m_log) {
      if (l.find(fragment) != std::string::npos) return true;
    }
    return false;
  }

  ScriptPosition m_position;
  std::vector<std::string> m_log;

 private:
  int m_scripts = 0;
};
