#include "../support/ClassChecks.h"
#include "fw/Delegate.h"

#include <gtest/gtest.h>

using namespace fw;

namespace {

class ObjBase : public Object { };
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

TEST(ClassRegistry, RegistersMakesAndCastsAlongTheBaseChain)
{
    const ClassInfo& first = DerivedClass();
    EXPECT_EQ(&RegisterClass<ObjOther>("ObjDerived", OtherClass(), kClashingProperties), &first);
    EXPECT_EQ(first.base, &BaseClass());
    EXPECT_EQ(FindClass("ObjDerived"), &first);
    EXPECT_EQ(FindClass("NoSuchClass"), nullptr);
    EXPECT_FALSE(BaseClass().IsA(DerivedClass()));
    EXPECT_EQ(DerivedClass().FindProperty("wIdTh"), &kBaseProperties[0]);
    EXPECT_EQ(BaseClass().FindProperty("Caption"), nullptr);
    EXPECT_EQ(DerivedClass().FindProperty("Widt"), nullptr);
    // The check the widget tests run on every framework class must see a clash.
    const ClassInfo& clash = RegisterClass<ObjDerived>("ObjClash", BaseClass(), kClashingProperties);
    EXPECT_EQ(velunto::test::RepeatedPropertyNames(clash), std::vector<std::string> { "width" });
    // Events are answered from the class's own list, not its base's.
    EXPECT_TRUE(RuntimeIsEventHandled_(nullptr, "ObjDerived", "Action", true));
    EXPECT_FALSE(RuntimeIsEventHandled_(nullptr, "ObjDerived", "Open", true));
    EXPECT_FALSE(RuntimeIsEventHandled_(nullptr, "NoSuchClass", "Open", true));
    // Objects come from the class's factory; a cast accepts the class and its subclasses.
    ObjectPtr base = RuntimeNewObject(BaseClass());
    ObjectPtr derived = RuntimeNewObject(DerivedClass());
    EXPECT_NE(std::dynamic_pointer_cast<ObjDerived>(derived), nullptr);
    EXPECT_EQ(RuntimeCheckCast(nullptr, BaseClass()), nullptr);
    EXPECT_EQ(RuntimeCheckCast(derived, BaseClass()), derived);
    EXPECT_THROW(RuntimeCheckCast(base, DerivedClass()), IllegalCastException);
    EXPECT_THROW(RuntimeCheckCast(RuntimeNewObject(OtherClass()), BaseClass()), IllegalCastException);
    EXPECT_THROW(RuntimeNewObject(RegisterClass<ObjAbstract>("ObjAbstract", Object::Lookup__())), RuntimeException);
}

} // namespace
