#pragma once
// The root of every class built by name, the object factory and the map of
// actors' short names, and the one-line registrars that fill them before the
// program's entry runs.
#include <map>
#include <memory>
#include <string>
#include <typeinfo>

class CActor;

class CObject {
 public:
  virtual ~CObject() = default;
  // A new default instance of the object's own class, owned by the caller.
  virtual CObject* Create() const = 0;
  // True only when the type is exactly the object's own class.
  virtual bool IsKindOf(const std::type_info& type) const { return typeid(*this) == type; }
};

// Declares Create for a concrete class; put it first in the class body.
#define SLV_OBJECT(Class)                              \
 public:                                               \
  CObject* Create() const override { return new Class; }

class CObjectFactory {
 public:
  static CObjectFactory& GetInstance();

  // Takes ownership; a class registered before keeps its first prototype.
  void Register(CObject* prototype);
  const CObject* Find(const std::string& typeName) const;
  // A new object of the class, or null (logged) when it was never registered.
  CObject* CreateObject(const std::type_info& type) const;
  CObject* CreateObject(const std::string& typeName) const;

 private:
  std::map<std::string, std::unique_ptr<CObject>> m_prototypes;
};

class CClassNameMap {
 public:
  void Register(const std::string& shortName, const std::type_info& type);
  // The run-time type name of a short name, or null.
  const std::string* Find(const std::string& shortName) const;
  // Puts back what Find gave before a stand-in took the name (null: no class).
  void Restore(const std::string& shortName, const std::string* typeName);

 private:
  std::map<std::string, std::string> m_names;
};

CClassNameMap& GetClassNameRegistry();
// A later registration of the same short name replaces the earlier one.
void RegisterClassName(const std::string& shortName, const std::type_info& type);
// A new actor of the class registered under the short name; null (logged)
// when the name or its class is unknown, so callers skip the entry.
CActor* CreateActorByName(const std::string& shortName);

template <class T>
struct ObjectRegistrar {
  ObjectRegistrar() { CObjectFactory::GetInstance().Register(new T); }
};

template <class T>
struct ActorRegistrar {
  explicit ActorRegistrar(const char* shortName) {
    CObjectFactory::GetInstance().Register(new T);
    RegisterClassName(shortName, typeid(T));
  }
};

// One line per concrete class, in its source file.
#define SLV_REGISTER_CLASS(Class) static const ObjectRegistrar<Class> s_registrar_##Class
#define SLV_REGISTER_ACTOR(Class, shortName) \
  static const ActorRegistrar<Class> s_registrar_##Class { shortName }
