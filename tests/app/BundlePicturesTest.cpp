#include "BundlePictures.h"

#include "App.h"
#include "BundlePicture.h"
#include "FolderItem.h"
#include "Picture.h"
#include "support/TempHome.h"

#include <QColor>
#include <QImage>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

void WritePng(const fs::path& path) {
    QImage image(8, 8, QImage::Format_ARGB32);
    image.fill(Qt::blue);
    ASSERT_TRUE(image.save(QString::fromStdString(path.string()), "PNG"));
}

class BundlePictureTest : public testing::Test {
protected:
    fs::path Resources() const { return home.Path() / "Resources"; }
    BundlePicture Make(const String& fileName) {
        return BundlePicture(fileName, [this] {
            ++lookups;
            return New<FolderItem>(Resources());
        });
    }

    TempHome home;
    int lookups = 0;
};

TEST_F(BundlePictureTest, AFoundPictureIsKeptEvenWhenItsFileGoes) {
    fs::create_directories(Resources());
    WritePng(Resources() / "edit.png");
    BundlePicture edit = Make("edit.png");
    Ref<Picture> first = edit.Get();
    ASSERT_FALSE(first.IsNil());
    EXPECT_EQ(first->Width(), 8);
    fs::remove(Resources() / "edit.png");
    EXPECT_EQ(edit.Get(), first);
    EXPECT_EQ(lookups, 1) << "a found picture is read once";
}

TEST_F(BundlePictureTest, AMissingFileIsLookedForAgainUntilItIsThere) {
    BundlePicture edit = Make("edit.png");
    EXPECT_TRUE(edit.Get().IsNil()) << "no Resources folder at all";
    fs::create_directories(Resources());
    EXPECT_TRUE(edit.Get().IsNil());
    WritePng(Resources() / "edit.png");
    Ref<Picture> found = edit.Get();
    EXPECT_FALSE(found.IsNil());
    EXPECT_EQ(edit.Get(), found);
    EXPECT_EQ(lookups, 3);
}

TEST_F(BundlePictureTest, AFileThatHoldsNoImageGivesNoPictureAndIsReadAgain) {
    TempHome::WriteFile(Resources() / "save.png", "not a picture");
    BundlePicture save = Make("save.png");
    EXPECT_TRUE(save.Get().IsNil());
    EXPECT_TRUE(save.Get().IsNil());
    WritePng(Resources() / "save.png");
    EXPECT_FALSE(save.Get().IsNil());
    EXPECT_EQ(lookups, 3);
}

TEST_F(BundlePictureTest, NoResourcesFolderGivesNoPictureWithoutRaising) {
    BundlePicture add("add.png", [] { return Ref<FolderItem>(); });
    EXPECT_TRUE(add.Get().IsNil());
}

TEST_F(BundlePictureTest, AFileNameTheFolderGivesNoItemForRaisesEveryTime) {
    BundlePicture odd = Make("a/b.png");
    EXPECT_THROW(odd.Get(), NilObjectException);
    EXPECT_THROW(odd.Get(), NilObjectException);
    EXPECT_EQ(lookups, 2);
}

struct ResourcesCase {
    const char* executable;
    const char* resources; // nullptr: NilObjectException
};

void PrintTo(const ResourcesCase& c, std::ostream* os) {
    *os << c.executable;
}

class BundleResourcesTest : public testing::TestWithParam<ResourcesCase> {};

TEST_P(BundleResourcesTest, IsTheResourcesFolderBesideTheExecutablesFolder) {
    const ResourcesCase& c = GetParam();
    Ref<FolderItem> executable = New<FolderItem>(c.executable);
    if (!c.resources) {
        EXPECT_THROW(_ApplicationBundleResourcesOf(executable), NilObjectException);
        return;
    }
    EXPECT_EQ(_ApplicationBundleResourcesOf(executable)->Path(), fs::path(c.resources));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, BundleResourcesTest,
    testing::Values(ResourcesCase{"/opt/wordloom/bin/wordloom", "/opt/wordloom/Resources"},
                    ResourcesCase{"/bin/wordloom", "/Resources"}, ResourcesCase{"/wordloom", nullptr},
                    ResourcesCase{"wordloom", nullptr}));

TEST(BundleResources, NoExecutableFileRaises) {
    EXPECT_THROW(_ApplicationBundleResourcesOf(nullptr), NilObjectException);
}

TEST(BundleResources, TheRunningProgramsFolderIsTheBuildsResources) {
    _RuntimeRegisterAppObject(New<class App>());
    Ref<FolderItem> resources = _GetApplicationBundleResources();
    EXPECT_EQ(resources->Name(), "Resources");
    EXPECT_TRUE(resources->Child("save.png")->Exists());
    _RuntimeRegisterAppObject(nullptr);
}

struct AccessorCase {
    const char* name;
    Ref<Picture> (*accessor)();
    int size;
};

void PrintTo(const AccessorCase& c, std::ostream* os) {
    *os << c.name;
}

class BundlePicturesTest : public testing::TestWithParam<AccessorCase> {
protected:
    void SetUp() override { _RuntimeRegisterAppObject(New<class App>()); }
    void TearDown() override { _RuntimeRegisterAppObject(nullptr); }
};

TEST_P(BundlePicturesTest, ReadsItsFileOnceAndKeepsThePicture) {
    const AccessorCase& c = GetParam();
    Ref<Picture> picture = c.accessor();
    ASSERT_FALSE(picture.IsNil());
    EXPECT_EQ(picture->Width(), c.size);
    EXPECT_EQ(picture->Height(), c.size);
    EXPECT_EQ(c.accessor(), picture);
}

INSTANTIATE_TEST_SUITE_P(Accessors, BundlePicturesTest,
                         testing::Values(AccessorCase{"add", add, 32}, AccessorCase{"delete", delete_, 32},
                                         AccessorCase{"edit", edit, 32}, AccessorCase{"save", save, 32},
                                         AccessorCase{"abouticon", abouticon, 64},
                                         AccessorCase{"abouticonmask", abouticonmask, 64}),
                         [](const testing::TestParamInfo<AccessorCase>& info) { return info.param.name; });

TEST(BundlePictures, TheAboutMaskIsBlackWhereTheIconShowsAndWhiteAroundIt) {
    _RuntimeRegisterAppObject(New<class App>());
    QImage icon = abouticon()->_Image();
    QImage mask = abouticonmask()->_Image();
    _RuntimeRegisterAppObject(nullptr);
    EXPECT_GT(qGray(mask.pixel(0, 0)), 200);
    EXPECT_GT(qGray(icon.pixel(0, 0)), 200) << "the icon lies on white";
    EXPECT_LT(qGray(mask.pixel(32, 32)), 50);
}

} // namespace
