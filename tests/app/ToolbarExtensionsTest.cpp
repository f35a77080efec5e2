#include "ToolbarExtensions.h"

#include "App.h"
#include "ToolItem.h"
#include "Toolbar.h"
#include "Toolbar1.h"
#include "Window.h"
#include "app/ReportLog.h"
#include "support/RecordingAnswerer.h"

#include <gtest/gtest.h>

namespace {

class ToolbarExtensionsTest : public testing::Test {
protected:
    void SetUp() override {
        SetModalAnswerer(answerer);
        _RuntimeRegisterAppObject(New<class App>());
    }
    void TearDown() override {
        WindowList::_Release();
        _RuntimeRegisterAppObject(nullptr);
        SetModalAnswerer(nullptr);
    }

    std::shared_ptr<RecordingAnswerer> answerer = std::make_shared<RecordingAnswerer>();
    ReportLog reports;
};

TEST_F(ToolbarExtensionsTest, FindsEachItemByItsName) {
    Ref<Toolbar1> toolbar = New<Toolbar1>();
    EXPECT_EQ(ToolbarExtensions::Item(toolbar, "tbSave"), toolbar->tbSave);
    EXPECT_EQ(ToolbarExtensions::Item(toolbar, "ToolItem2"), toolbar->ToolItem2);
    EXPECT_EQ(ToolbarExtensions::Item(toolbar, "tbAdd"), toolbar->tbAdd);
    EXPECT_EQ(ToolbarExtensions::Item(toolbar, "tbDelete"), toolbar->tbDelete);
    EXPECT_EQ(ToolbarExtensions::Item(toolbar, "tbEdit"), toolbar->tbEdit);
}

TEST_F(ToolbarExtensionsTest, TheFirstOfTwoItemsOfOneNameWins) {
    Ref<Toolbar> toolbar = New<Toolbar>();
    Ref<ToolButton> first = New<ToolButton>(), second = New<ToolButton>();
    first->Name("twin");
    second->Name("twin");
    toolbar->Append(first);
    toolbar->Append(second);
    EXPECT_EQ(ToolbarExtensions::Item(toolbar, "twin"), first);
}

TEST_F(ToolbarExtensionsTest, ANameNoItemHasGivesNilWithoutAReport) {
    Ref<Toolbar1> toolbar = New<Toolbar1>();
    for (const String name : {"", "tbsave", "tbSave ", "Save", "tbPrint"})
        EXPECT_TRUE(ToolbarExtensions::Item(toolbar, name).IsNil()) << '"' << name << '"';
    EXPECT_TRUE(ToolbarExtensions::Item(New<Toolbar>(), "tbSave").IsNil());
    EXPECT_EQ(reports.Count("ToolbarExtensions.Methods.Item"), 0);
    EXPECT_TRUE(answerer->Messages().empty());
}

TEST_F(ToolbarExtensionsTest, NoToolbarGivesNilAndOneReport) {
    EXPECT_TRUE(ToolbarExtensions::Item(nullptr, "tbSave").IsNil());
    EXPECT_EQ(reports.Count("ToolbarExtensions.Methods.Item"), 1);
}

} // namespace
