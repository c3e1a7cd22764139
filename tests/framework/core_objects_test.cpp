#include "../support/ClassChecks.h"
#include "fw/Delegate.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class ObjBase : public Object {
public:
    int hits = 0;
    ObjectPtr lastArgument;
    void Handler(const std::shared_ptr<ObjBase>& argument)
    {
        ++hits;
        lastArgument = argument;
    }
};
class ObjDerived : public ObjBase { };
class ObjOther : public Object { };
class ObjAbstract : public Object {
public:
    virtual void Pure() = 0;
};

void Ignore(Object&, const PropertyValue&) { }
const PropertyInfo kBaseProperties[] = { { "Width", PropertyType::Integer, "Integer", Ignore } };
const PropertyInfo kDerivedProperties[] = { { "Caption", PropertyType::String, "String", Ignore } };
const PropertyInfo kClashingProperties[] = { { "WIDTH", PropertyType::Integer, "Integer", Ignore } };

const ClassInfo& BaseClass()
{
    return RegisterClass<ObjBase>("ObjBase", Object::Lookup__(), kBaseProperties, { "Open" });
}
const ClassInfo& DerivedClass()
{
    return RegisterClass<ObjDerived>("ObjDerived", BaseClass(), kDerivedProperties, { "Action" });
}
const ClassInfo& OtherClass() { return RegisterClass<ObjOther>("ObjOther", Object::Lookup__()); }

TEST(ClassRegistry, SecondRegistrationReturnsTheFirstUnchanged)
{
    const ClassInfo& first = DerivedClass();
    const ClassInfo& second = RegisterClass<ObjOther>("ObjDerived", OtherClass(), kClashingProperties);
    EXPECT_EQ(&first, &second);
    EXPECT_EQ(second.base, &BaseClass());
    EXPECT_EQ(FindClass("ObjDerived"), &first);
    EXPECT_EQ(FindClass("NoSuchClass"), nullptr);
    EXPECT_EQ(FindClass("Object"), &Object::Lookup__());
    EXPECT_EQ(Object().Class().name, "Object");
}

TEST(ClassRegistry, IsAAndFindPropertyFollowTheBaseChain)
{
    EXPECT_TRUE(DerivedClass().IsA(BaseClass()));
    EXPECT_TRUE(DerivedClass().IsA(Object::Lookup__()));
    EXPECT_FALSE(BaseClass().IsA(DerivedClass()));
    EXPECT_EQ(DerivedClass().FindProperty("caption"), &kDerivedProperties[0]);
    EXPECT_EQ(DerivedClass().FindProperty("wIdTh"), &kBaseProperties[0]);
    EXPECT_EQ(BaseClass().FindProperty("Caption"), nullptr);
    EXPECT_EQ(DerivedClass().FindProperty("Widt"), nullptr);
}

TEST(ClassRegistry, NoPropertyNameRepeatsAlongAChain)
{
    EXPECT_TRUE(velunto::test::RepeatedPropertyNames(DerivedClass()).empty());
    const ClassInfo& clash = RegisterClass<ObjDerived>("ObjClash", BaseClass(), kClashingProperties);
    EXPECT_EQ(velunto::test::RepeatedPropertyNames(clash), std::vector<std::string> { "width" });
}

TEST(RuntimeNewObject, RecordsTheClassOrNamesTheOneThatCannotBeMade)
{
    std::vector<std::string> calls;
    SetCallObserver([&](std::string_view op) { calls.emplace_back(op); });
    ObjectPtr object = RuntimeNewObject(DerivedClass());
    SetCallObserver({});
    EXPECT_EQ(&object->Class(), &DerivedClass());
    EXPECT_NE(std::dynamic_pointer_cast<ObjDerived>(object), nullptr);
    EXPECT_EQ(calls, std::vector<std::string> { "RuntimeNewObject" });

    const ClassInfo& abstractClass = RegisterClass<ObjAbstract>("ObjAbstract", Object::Lookup__());
    try {
        RuntimeNewObject(abstractClass);
        ADD_FAILURE() << "an abstract class was made";
    } catch (const RuntimeException& e) {
        EXPECT_NE(std::string(e.what()).find("ObjAbstract"), std::string::npos) << e.what();
    }
}

TEST(RuntimeCheckCast, NilRightDerivedAndWrong)
{
    ObjectPtr base = RuntimeNewObject(BaseClass());
    ObjectPtr derived = RuntimeNewObject(DerivedClass());
    ObjectPtr other = RuntimeNewObject(OtherClass());
    EXPECT_EQ(RuntimeCheckCast(nullptr, BaseClass()), nullptr);
    EXPECT_EQ(RuntimeCheckCast(base, BaseClass()), base);
    EXPECT_EQ(RuntimeCheckCast(derived, BaseClass()), derived);
    try {
        RuntimeCheckCast(other, BaseClass());
        ADD_FAILURE() << "wrong class passed";
    } catch (const IllegalCastException& e) {
        EXPECT_STREQ(e.what(), "an object of class ObjOther is not a ObjBase");
    }
    EXPECT_THROW(RuntimeCheckCast(base, DerivedClass()), IllegalCastException);
}

TEST(RuntimeIsEventHandled, AnswersFromTheClassOwnList)
{
    DerivedClass(); // registers both classes
    EXPECT_TRUE(RuntimeIsEventHandled_(nullptr, "ObjDerived", "Action", true));
    EXPECT_FALSE(RuntimeIsEventHandled_(nullptr, "ObjDerived", "Open", true)); // the base's, not its own
    EXPECT_TRUE(RuntimeIsEventHandled_(nullptr, "ObjBase", "Open", false));
    EXPECT_FALSE(RuntimeIsEventHandled_(nullptr, "NoSuchClass", "Open", true));
}

TEST(Delegate, CallsALiveTargetAndRefusesADeadOne)
{
    auto target = std::dynamic_pointer_cast<ObjBase>(RuntimeNewObject(BaseClass()));
    ObjectPtr argument = RuntimeNewObject(DerivedClass());
    DelegatePtr delegate = RuntimeCreateDelegate(Invoker<ObjBase> {}, &ObjBase::Handler, target, "Handler(ObjBase)", 1);
    delegate->Invoke(argument);
    EXPECT_EQ(target->hits, 1);
    EXPECT_EQ(target->lastArgument, argument);
    EXPECT_THROW(delegate->Invoke(RuntimeNewObject(OtherClass())), IllegalCastException);
    EXPECT_EQ(target->hits, 1);

    std::weak_ptr<ObjBase> watch = target;
    target.reset();
    ASSERT_TRUE(watch.expired()); // the delegate must not keep its target alive
    EXPECT_THROW(delegate->Invoke(argument), NilObjectException);
}

} // namespace
