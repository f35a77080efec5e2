#include "FileType.h"
#include "FileTypes1.h"
#include "FolderItem.h"
#include "FolderItemDialog.h"
#include "MsgBox.h"
#include "support/TempHome.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const char* const kTextExtensions =
    ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt";

class FileTypesTest : public testing::Test {
protected:
    void SetUp() override { FileTypes1::_Initialize(); }
    void TearDown() override { FileTypes1::_Release(); }
};

TEST_F(FileTypesTest, StartUpRegistersEachTypeOnceWithItsValues) {
    std::vector<RegisteredFileType> types = FileTypeRegistry::Types();
    ASSERT_EQ(types.size(), 2u);
    EXPECT_EQ(types[0].Name, "special/any");
    EXPECT_EQ(types[0].Extensions, "");
    EXPECT_EQ(types[0].MacType, "????");
    EXPECT_EQ(types[0].MacCreator, "????");
    EXPECT_EQ(types[1].Name, "text/plain");
    EXPECT_EQ(types[1].Extensions, kTextExtensions);
    EXPECT_EQ(types[1].MacType, "TEXT");
    EXPECT_EQ(types[1].MacCreator, "????");
}

TEST_F(FileTypesTest, TextIsTheSameRegisteredObjectEveryTimeAndConvertingItChangesNothing) {
    Ref<FileType> text = FileTypes1::Text();
    ASSERT_TRUE(text);
    EXPECT_EQ(FileTypes1::Text(), text);
    EXPECT_EQ(text->Operator_Convert(), "text/plain");
    EXPECT_EQ(text->Operator_Convert(), "text/plain");
    EXPECT_EQ(FileTypeRegistry::Types().size(), 2u);
}

TEST_F(FileTypesTest, TheTextFilterGivesTheSeventeenExtensionsAsPatterns) {
    std::vector<String> expected = {"*.asc", "*.ascii", "*.bas", "*.c",    "*.class", "*.cp",
                                    "*.cpp", "*.h",     "*.hp",  "*.hpp",  "*.i3",    "*.java",
                                    "*.m2",  "*.m3",    "*.mak", "*.text", "*.txt"};
    EXPECT_EQ(FileTypeRegistry::Patterns("text/plain"), expected);
    EXPECT_TRUE(FileTypeRegistry::Patterns("special/any").empty());
    EXPECT_TRUE(FileTypeRegistry::Patterns("image/png").empty());
}

TEST_F(FileTypesTest, AfterTheCleanUpNeitherTypeIsRegistered) {
    FileTypes1::_Release();
    EXPECT_TRUE(FileTypeRegistry::Types().empty());
    EXPECT_FALSE(FileTypes1::Text());
}

TEST(FileTypeTest, SettingAPropertyWithdrawsTheTypeUntilItsNextConversion) {
    FileType type;
    type.Name("text/x-words");
    type.Extensions(".words");
    EXPECT_EQ(type.Operator_Convert(), "text/x-words");
    ASSERT_EQ(FileTypeRegistry::Types().size(), 1u);

    type.Extensions(".words;.list");
    EXPECT_TRUE(FileTypeRegistry::Types().empty());
    EXPECT_TRUE(FileTypeRegistry::Patterns("text/x-words").empty());

    type.Operator_Convert();
    ASSERT_EQ(FileTypeRegistry::Types().size(), 1u);
    EXPECT_EQ(FileTypeRegistry::Patterns("text/x-words"), (std::vector<String>{"*.words", "*.list"}));
}

TEST(FileTypeTest, DestroyingATypeWithdrawsIt) {
    {
        FileType type;
        type.Name("text/x-words");
        type.Operator_Convert();
        ASSERT_EQ(FileTypeRegistry::Types().size(), 1u);
    }
    EXPECT_TRUE(FileTypeRegistry::Types().empty());
}

/// What the desktop's dialog showed, read while it was up.
struct Shown {
    QStringList filters;
    QString title;
    QString accept;
    QString lookIn;
    QString directory;
    QString fileName;
};

/// Shows the dialog through the desktop answerer; when it is up, records it and answers with the
/// file (or cancels when there is none).
Ref<FolderItem> ShowAndAnswer(const FolderItemDialog& dialog, Shown& shown, const QString& answer) {
    QTimer::singleShot(0, [&shown, answer] {
        auto* desktop = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!desktop)
            return;
        shown = {desktop->nameFilters(),
                 desktop->windowTitle(),
                 desktop->labelText(QFileDialog::Accept),
                 desktop->labelText(QFileDialog::LookIn),
                 desktop->directory().absolutePath(),
                 desktop->findChild<QLineEdit*>("fileNameEdit")->text()};
        if (answer.isEmpty()) {
            desktop->reject();
            return;
        }
        desktop->selectFile(answer);
        static_cast<QDialog*>(desktop)->accept();
    });
    return dialog.ShowModal();
}

TEST_F(FileTypesTest, TheDesktopDialogOffersTheTextTypeWithItsExtensions) {
    TempHome home;
    SetModalAnswerer(nullptr);
    OpenDialog dialog;
    dialog.InitialDirectory = New<FolderItem>(home.Documents());
    dialog.Title = "Select a text file";
    dialog.ActionButtonCaption = "Import";
    dialog.Filter = FileTypes1::Text()->Operator_Convert();

    Shown shown;
    EXPECT_FALSE(ShowAndAnswer(dialog, shown, QString()));

    ASSERT_FALSE(shown.filters.isEmpty());
    EXPECT_EQ(shown.filters.front(), "text/plain (*.asc *.ascii *.bas *.c *.class *.cp *.cpp *.h *.hp *.hpp "
                                     "*.i3 *.java *.m2 *.m3 *.mak *.text *.txt)");
    EXPECT_EQ(shown.title, "Select a text file");
    EXPECT_EQ(shown.accept, "Import");
    EXPECT_EQ(shown.directory.toStdString(), home.Documents().string());
}

TEST_F(FileTypesTest, TheDesktopSaveDialogGivesTheChosenFile) {
    TempHome home;
    SetModalAnswerer(nullptr);
    SaveAsDialog dialog;
    dialog.InitialDirectory = New<FolderItem>(home.Documents());
    dialog.PromptText = "Choose location to export to.";
    dialog.SuggestedFileName = "en.txt";
    dialog.Title = "Export Dictionary";
    dialog.Filter = "text/plain";

    Shown shown;
    QString chosen = QString::fromStdString((home.Documents() / "chosen.txt").string());
    Ref<FolderItem> file = ShowAndAnswer(dialog, shown, chosen);

    ASSERT_TRUE(file);
    EXPECT_EQ(file->Path(), home.Documents() / "chosen.txt");
    EXPECT_EQ(shown.title, "Export Dictionary");
    EXPECT_EQ(shown.lookIn, "Choose location to export to.");
}

} // namespace

TEST_F(FileTypesTest, TheDesktopSaveDialogKeepsTheSuggestedNameWhole) {
    TempHome home;
    SetModalAnswerer(nullptr);
    SaveAsDialog dialog;
    dialog.InitialDirectory = New<FolderItem>(home.Documents());
    dialog.SuggestedFileName = "en_GB.txt";
    dialog.Filter = FileTypes1::Text()->Operator_Convert();

    Shown shown;
    EXPECT_FALSE(ShowAndAnswer(dialog, shown, QString()));

    EXPECT_EQ(shown.fileName, "en_GB.txt");
}
