#include "engine/Object.h"

#include "engine/Actor.h"
#include "platform/DebugLog.h"

CObjectFactory& CObjectFactory::GetInstance() {
  static CObjectFactory factory;
  return factory;
}

void CObjectFactory::Register(CObject* prototype) {
  std::unique_ptr<CObject> owned(prototype);
  if (!owned) return;
  const CObject& object = *owned;
  m_prototypes.try_emplace(typeid(object).name(), std::move(owned));
}

const CObject* CObjectFactory::Find(const std::string& typeName) const {
  const auto it = m_prototypes.find(typeName);
  return it != m_prototypes.end() ? it->second.get() : nullptr;
}

CObject* CObjectFactory::CreateObject(const std::string& typeName) const {
  const CObject* prototype = Find(typeName);
  if (prototype == nullptr) {
    DebugLogf("CObjectFactory :: CreateObject - class %s is not registered", typeName.c_str());
    return nullptr;
  }
  return prototype->Create();
}

CObject* CObjectFactory::CreateObject(const std::type_info& type) const {
  return CreateObject(std::string(type.name()));
}

void CClassNameMap::Register(const std::string& shortName, const std::type_info& type) {
  m_names[shortName] = type.name();
}

const std::string* CClassNameMap::Find(const std::string& shortName) const {
  const auto it = m_names.find(shortName);
  return it != m_names.end() ? &it->second : nullptr;
}

void CClassNameMap::Restore(const std::string& shortName, const std::string* typeName) {
  if (typeName == nullptr) {
    m_names.erase(shortName);
  } else {
    m_names[shortName] = *typeName;
  }
}

CClassNameMap& GetClassNameRegistry() {
  static CClassNameMap registry;
  return registry;
}

void RegisterClassName(const std::string& shortName, const std::type_info& type) {
  GetClassNameRegistry().Register(shortName, type);
}

CActor* CreateActorByName(const std::string& shortName) {
  const std::string* typeName = GetClassNameRegistry().Find(shortName);
  if (typeName == nullptr) {
    DebugLogf("CreateActorByName - unknown actor class \"%s\"", shortName.c_str());
    return nullptr;
  }
  std::unique_ptr<CObject> object(CObjectFactory::GetInstance().CreateObject(*typeName));
  auto* actor = dynamic_cast<CActor*>(object.get());
  if (actor == nullptr) {
    if (object) DebugLogf("CreateActorByName - \"%s\" is not an actor", shortName.c_str());
    return nullptr;
  }
  object.release();
  return actor;
}
