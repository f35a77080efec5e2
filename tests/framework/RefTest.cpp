#include "Ref.h"

#include <gtest/gtest.h>

namespace {

class Animal {
  public:
    virtual ~Animal() = default;
    String Name() const { return "animal"; }
};

class Cat : public Animal {};
class Dog : public Animal {};

} // namespace

TEST(RefTest, MemberAccessThroughNilRaisesNilObjectException) {
    Ref<Animal> nil;
    EXPECT_THROW(nil->Name(), NilObjectException);
    EXPECT_THROW(*nil, NilObjectException);
    EXPECT_THROW(Ref<Animal>(nullptr)->Name(), NilObjectException);
}

TEST(RefTest, NilComparesEqualToNullAndIsFalse) {
    Ref<Animal> nil;
    EXPECT_TRUE(nil.IsNil());
    EXPECT_TRUE(nil == nullptr);
    EXPECT_FALSE(nil);
    Ref<Animal> cat = New<Cat>();
    EXPECT_FALSE(cat == nullptr);
    EXPECT_EQ(cat->Name(), "animal");
}

TEST(RefTest, ReferencesToTheSameObjectAreEqual) {
    Ref<Cat> cat = New<Cat>();
    Ref<Animal> same = cat;
    EXPECT_TRUE(same == cat);
    EXPECT_FALSE(same == Ref<Animal>(New<Cat>()));
}

TEST(RefTest, CastTestsTheClass) {
    Ref<Animal> cat = New<Cat>();
    EXPECT_TRUE(Cast<Cat>(cat) == cat);
    EXPECT_THROW(Cast<Dog>(cat), IllegalCastException);
    EXPECT_TRUE(Cast<Dog>(Ref<Animal>()).IsNil());
}

TEST(RefTest, IsATestsTheClassAndNilIsOfNone) {
    Ref<Animal> cat = New<Cat>();
    EXPECT_TRUE(IsA<Cat>(cat));
    EXPECT_TRUE(IsA<Animal>(cat));
    EXPECT_FALSE(IsA<Dog>(cat));
    EXPECT_FALSE(IsA<Cat>(Ref<Animal>()));
}
