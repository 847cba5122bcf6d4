// The recipe page's files: saving and loading through the file dialogs, the recipe
// name, and the files that are refused with nothing changed.

#include "accessiblewalk.h"
#include "homefixture.h"
#include "recipepage.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

QStringList allFields(TFmHome &home)
{
    QStringList texts;
    for (int panel = 1; panel <= 3; ++panel)
        for (int slot = 1; slot <= 10; ++slot)
            texts << home.recipeField(panel, slot)->text();
    return texts;
}

class RecipePageFiles : public ::testing::Test {
protected:
    RecipePageFiles() { f.home().show(); }

    QString inRecipeFolder(const QString &name) { return QDir(folder()).filePath(name); }
    QString folder() { return f.home().recipeFolder(); }
    void put(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void click(const char *button) { f.control<QAbstractButton>(button)->click(); }
    QString recipeName() { return f.control<QLabel>("LbRecipeName")->text(); }
    QLineEdit *field(int panel, int slot) { return f.home().recipeField(panel, slot); }
    void save(const QString &path)
    {
        f.fileDialogs.answers << path;
        click("BtnSaveRecipe");
    }
    void load(const QString &path)
    {
        f.fileDialogs.answers << path;
        click("BtnLoadRecipe");
    }

    HomeFixture f;
};

TEST_F(RecipePageFiles, SavingWritesTheLineAndNamesTheRecipe)
{
    ASSERT_FALSE(folder().isEmpty());
    save(inRecipeFolder("Batch7.txt"));

    QByteArray expected;
    for (int i = 0; i < 30; ++i)
        expected += "100,";
    EXPECT_EQ(contents(inRecipeFolder("Batch7.txt")), expected);
    EXPECT_EQ(recipeName(), "Batch7");
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown.at(0).caption, "訊息");
    EXPECT_EQ(f.boxes.shown.at(0).text, "配方儲存完成");
    EXPECT_EQ(f.boxes.shown.at(0).icon, MessageBoxes::Icon::Information);

    ASSERT_EQ(f.fileDialogs.asked.size(), 1);
    const ScriptedFileDialogs::Asked &asked = f.fileDialogs.asked.at(0);
    EXPECT_TRUE(asked.save);
    EXPECT_EQ(asked.request.title, "儲存配方");
    EXPECT_EQ(asked.request.folder, folder());
    EXPECT_EQ(asked.request.filter, "Text Files(*.txt)");
    EXPECT_EQ(asked.request.defaultSuffix, "txt");
}

TEST_F(RecipePageFiles, LoadingFillsTheFieldsByTheCommaRule)
{
    struct {
        const char *file;
        QByteArray bytes;
        const char *name;
        QStringList start; // the first fields; every later one is empty
    } cases[] = {
        {"three.txt", "1,2,3,", "three", {"1", "2", "3"}},
        {"a.TXT", "1,2,3", "", {"1", "2"}},
        {"x.txt.bak", "5,,\xBD\x4C\xAD\xB1,", "x", {"5", "", "盤面"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        f.boxes.shown.clear();
        put(inRecipeFolder(c.file), c.bytes);
        load(inRecipeFolder(c.file));
        QStringList expected = c.start;
        while (expected.size() < 30)
            expected << QString();
        EXPECT_EQ(allFields(f.home()), expected);
        EXPECT_EQ(recipeName(), QString::fromUtf8(c.name));
        ASSERT_EQ(f.boxes.shown.size(), 1);
        EXPECT_EQ(f.boxes.shown.at(0).caption, "訊息");
        EXPECT_EQ(f.boxes.shown.at(0).text, "配方載入完成");
    }
    const ScriptedFileDialogs::Asked &asked = f.fileDialogs.asked.last();
    EXPECT_FALSE(asked.save);
    EXPECT_EQ(asked.request.folder, folder());
    EXPECT_EQ(asked.request.filter, "Text Files(*.txt)");
    EXPECT_EQ(asked.request.defaultSuffix, "txt");
}

TEST_F(RecipePageFiles, AnEditedRecipeSavedAndChangedLoadsBack)
{
    field(1, 4)->setText(QString::fromUtf8("配方一"));
    field(2, 3)->clear();
    field(3, 10)->setText("-12.5");
    const QStringList edited = allFields(f.home());
    save(inRecipeFolder("edited.txt"));

    for (int slot = 1; slot <= 10; ++slot)
        field(2, slot)->setText("7");
    load(inRecipeFolder("edited.txt"));
    EXPECT_EQ(allFields(f.home()), edited);
    EXPECT_EQ(recipeName(), "edited");
}

TEST_F(RecipePageFiles, FilesThatCannotBeUsedAreToldAndChangeNothing)
{
    put(inRecipeFolder("Before.txt"), "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,30,");
    put(inRecipeFolder("big.txt"), QByteArray(64 * 1024 + 1, '1'));
    put(inRecipeFolder("utf8.txt"), "\xE7\x9B\xA4\xE9\x9D\xA2,");
    put(inRecipeFolder("plain"), "a file, not a folder");
    const QString locked = QDir(f.programFolder.path()).filePath("locked");
    ASSERT_TRUE(QDir().mkpath(locked));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    const bool lockHolds = geteuid() != 0; // the superuser writes into any folder

    const struct {
        const char *name;
        bool save;
        QString path;
    } cases[] = {
        {"save into a folder that does not exist", true, inRecipeFolder("gone/r.txt")},
        {"save below a file", true, inRecipeFolder("plain/r.txt")},
        {"save into a folder without write access", true, QDir(locked).filePath("r.txt")},
        {"load a missing file", false, inRecipeFolder("missing.txt")},
        {"load a file over 64 KiB", false, inRecipeFolder("big.txt")},
        {"load a file that is not Big5", false, inRecipeFolder("utf8.txt")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        if (c.path.startsWith(locked) && !lockHolds)
            continue;
        load(inRecipeFolder("Before.txt"));
        field(1, 1)->setText("edited");
        const QStringList before = allFields(f.home());
        f.boxes.shown.clear();

        if (c.save)
            save(c.path);
        else
            load(c.path);

        EXPECT_EQ(allFields(f.home()), before);
        EXPECT_EQ(recipeName(), "Before");
        ASSERT_EQ(f.boxes.shown.size(), 1);
        EXPECT_EQ(f.boxes.shown.at(0).caption, "錯誤");
        EXPECT_EQ(f.boxes.shown.at(0).icon, MessageBoxes::Icon::Error);
        EXPECT_TRUE(f.boxes.shown.at(0).text.contains(QDir::toNativeSeparators(c.path)))
            << f.boxes.shown.at(0).text.toStdString();
        if (c.save) {
            EXPECT_FALSE(QFile::exists(c.path));
        }
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(RecipePageFiles, CancelledDialogsChangeNothing)
{
    field(2, 2)->setText("42");
    const QStringList before = allFields(f.home());
    click("BtnSaveRecipe");
    click("BtnLoadRecipe");
    EXPECT_EQ(f.fileDialogs.asked.size(), 2);
    EXPECT_EQ(allFields(f.home()), before);
    EXPECT_TRUE(recipeName().isEmpty());
    EXPECT_TRUE(f.boxes.shown.isEmpty());
    EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty());
}

TEST_F(RecipePageFiles, TextCodePage950CannotHoldIsRefusedBeforeTheDialog)
{
    field(2, 4)->setText(QString::fromUtf8("100😀"));
    f.fileDialogs.answers << inRecipeFolder("lost.txt");
    click("BtnSaveRecipe");
    EXPECT_TRUE(f.fileDialogs.asked.isEmpty());
    EXPECT_FALSE(QFile::exists(inRecipeFolder("lost.txt")));
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown.at(0).caption, "錯誤");
    EXPECT_TRUE(f.boxes.shown.at(0).text.contains("盤面2 溫控點4")) << f.boxes.shown.at(0).text.toStdString();
}

TEST(RecipePageKeys, EnterInARecipeFieldWritesNothing)
{
    HomeFixture f;
    f.home().show();
    f.control<QAbstractButton>("ImgButton4")->click();
    for (const auto &[panel, slot] : {std::pair{1, 1}, std::pair{2, 6}, std::pair{3, 10}}) {
        QLineEdit *field = f.home().recipeField(panel, slot);
        field->setText(QStringLiteral("55.5"));
        field->setFocus();
        QTest::keyClick(field, Qt::Key_Return);
        QTest::keyClick(field, Qt::Key_Enter);
        EXPECT_FALSE(f.model.writePending()) << panel << "/" << slot;
    }
    for (const char *button : {"BtnWriteA", "BtnWriteB", "BtnWriteC", "BtnWriteAll"}) {
        auto *push = f.control<QPushButton>(button);
        ASSERT_NE(push, nullptr) << button;
        EXPECT_FALSE(push->autoDefault() || push->isDefault()) << button;
    }
}

TEST(RecipePageAccess, ButtonsByCaptionAndFieldsByControlName)
{
    HomeFixture f;
    f.home().show();
    f.control<QAbstractButton>("ImgButton4")->click();
    QStringList names;
    QStringList unnamed;
    const auto visit = [&](QAccessibleInterface *node) {
        const QString name = node->text(QAccessible::Name);
        names << name;
        const QAccessible::Role role = node->role();
        if ((role == QAccessible::PushButton || role == QAccessible::EditableText) && name.trimmed().isEmpty())
            unnamed << (node->object() ? node->object()->objectName() : QStringLiteral("?"));
    };
    visitAccessible(f.home().recipePage(), visit);
    EXPECT_EQ(unnamed, QStringList());
    for (const char *expected : {"配方存檔", "載入配方", "寫入配方", "寫入所有溫控點", "TxtRecipeA1", "TxtRecipeB6",
                                 "TxtRecipeC10"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_EQ(names.count(QStringLiteral("寫入配方")), 3);
}

} // namespace
