#pragma once
#include <optional>
#include <string>
#include <typeinfo>
#include <utility>

#include "engine/Object.h"

// A test class takes a class's short name while the fixture lives;
// the name makes its own class again afterwards, so later tests in the
// same process meet the real classes.
class StandInName {
 public:
  template <class T>
  static StandInName Of(const char* shortName) {
    CObjectFactory::GetInstance().Register(new T);
    return StandInName(shortName, typeid(T));
  }
  StandInName(StandInName&& other) noexcept
      : m_name(std::move(other.m_name)), m_previous(std::move(other.m_previous)), m_owned(other.m_owned) {
    other.m_owned = false;
  }
  StandInName(const StandInName&) = delete;
  StandInName& operator=(const StandInName&) = delete;
  StandInName& operator=(StandInName&&) = delete;
  ~StandInName() {
    if (m_owned) GetClassNameRegistry().Restore(m_name, m_previous ? &*m_previous : nullptr);
  }

 private:
  StandInName(const char* shortName, const std::type_info& type) : m_name(shortName) {
    if (const std::string* was = GetClassNameRegistry().Find(m_name)) m_previous = *was;
    RegisterClassName(m_name, type);
  }
  std::string m_name;
  std::optional<std::string> m_previous;
  bool m_owned = true;
};
