#include "engine/Object.h"

#include <gtest/gtest.h>

#include "engine/Actor.h"
#include "tests/support/TestSupport.h"

namespace {

class CTestActor : public CActor {
  SLV_OBJECT(CTestActor)
 public:
  int m_tag = 0;
};
class COtherActor : public CActor {
  SLV_OBJECT(COtherActor)
};
class CNotAnActor : public CObject {
  SLV_OBJECT(CNotAnActor)
};

SLV_REGISTER_ACTOR(CTestActor, "testActor");
SLV_REGISTER_CLASS(CNotAnActor);

TEST(ObjectFactory, FirstRegistrationOfAClassWins) {
  CObjectFactory& factory = CObjectFactory::GetInstance();
  const CObject* first = factory.Find(typeid(CTestActor).name());
  ASSERT_NE(first, nullptr);
  auto* second = new CTestActor;
  second->m_tag = 7;
  factory.Register(second);  // deleted: the first one stays
  EXPECT_EQ(factory.Find(typeid(CTestActor).name()), first);
}

TEST(ObjectFactory, CreateGivesDistinctNewInstancesOfTheDynamicClass) {
  CActor* a = CreateActorByName("testActor");
  CActor* b = CreateActorByName("testActor");
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a, b);
  EXPECT_NE(static_cast<const CObject*>(a), CObjectFactory::GetInstance().Find(typeid(CTestActor).name()));
  EXPECT_TRUE(a->IsKindOf(typeid(CTestActor)));
  EXPECT_FALSE(a->IsKindOf(typeid(CActor)));  // exact class only
  delete a;
  delete b;
}

TEST(ClassNameMap, LaterShortNameWinsAndNamesAreCaseSensitive) {
  CObjectFactory::GetInstance().Register(new COtherActor);
  RegisterClassName("swap", typeid(CTestActor));
  RegisterClassName("swap", typeid(COtherActor));
  CActor* actor = CreateActorByName("swap");
  ASSERT_NE(actor, nullptr);
  EXPECT_TRUE(actor->IsKindOf(typeid(COtherActor)));
  delete actor;
  EXPECT_EQ(CreateActorByName("TestActor"), nullptr);
}

TEST(ClassNameMap, UnknownNamesAndNonActorsGiveNullWithALog) {
  testsupport::DebugLogCapture log;
  EXPECT_EQ(CreateActorByName("nobody"), nullptr);
  EXPECT_TRUE(log.Contains("nobody"));
  RegisterClassName("plain", typeid(CNotAnActor));
  EXPECT_EQ(CreateActorByName("plain"), nullptr);
  RegisterClassName("ghost", typeid(int));  // a type never registered with the factory
  EXPECT_EQ(CreateActorByName("ghost"), nullptr);
}

}  // namespace
