// Where the program finds the files it loads and keeps its recipes: beside itself in
// a build folder, under share/tempmon and the user's data folder when installed.

#include "recipefolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A folder tree of the test's own, with the user's data folder inside it.
class FolderLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(path("data")));
    }
    void TearDown() override
    {
        if (savedDataHome.isNull())
            qunsetenv("XDG_DATA_HOME");
        else
            qputenv("XDG_DATA_HOME", savedDataHome);
    }

    QString path(const QString &relative) const { return QDir(root.path()).filePath(relative); }
    QString make(const QString &relative) const
    {
        EXPECT_TRUE(QDir().mkpath(path(relative)));
        return path(relative);
    }
    static QString userRecipes()
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath("Recipe");
    }

    QTemporaryDir root;
    QByteArray savedDataHome;
};

TEST_F(FolderLayout, ProgramFilesAreBesideTheProgramInABuildFolder)
{
    const QString bin = make("build/bin");
    EXPECT_EQ(programFilesFolder(bin), bin);
    EXPECT_FALSE(isInstalledFilesFolder(bin));

    const QString recipes = ensureRecipeFolder(bin);
    EXPECT_EQ(recipes, QDir(bin).filePath("Recipe"));
    EXPECT_TRUE(QFileInfo(recipes).isDir());
}

TEST_F(FolderLayout, InstalledProgramFindsItsFilesUnderShareAndKeepsRecipesWithTheUser)
{
    const QString bin = make("usr/bin");
    const QString files = make("usr/share/tempmon");
    EXPECT_EQ(programFilesFolder(bin), files);
    // Also reached through a path that is not in its shortest form.
    EXPECT_EQ(programFilesFolder(bin + "/../bin"), files);
    EXPECT_TRUE(isInstalledFilesFolder(files));
    EXPECT_TRUE(isInstalledFilesFolder(path("usr/lib/../share/tempmon")));

    // The shared folder is writable here (as to root), yet nothing of the operator's
    // may go there: a removed package would leave it behind.
    ASSERT_TRUE(QFileInfo(files).isWritable());
    const QString recipes = ensureRecipeFolder(files);
    EXPECT_EQ(recipes, userRecipes());
    EXPECT_TRUE(QFileInfo(recipes).isDir());
    EXPECT_TRUE(QDir(files).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
    EXPECT_TRUE(QDir(bin).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(FolderLayout, FoldersThatOnlyLookInstalledAreNot)
{
    // share/tempmon without a bin beside share, and a bin/tempmon folder.
    const struct {
        const char *folder;
        const char *alsoMade;
    } cases[] = {{"opt/share/tempmon", nullptr}, {"usr/bin/tempmon", "usr/share"}, {"usr/share/tempmonx", "usr/bin"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.folder);
        const QString folder = make(c.folder);
        if (c.alsoMade)
            make(c.alsoMade);
        EXPECT_FALSE(isInstalledFilesFolder(folder));
        EXPECT_EQ(ensureRecipeFolder(folder), QDir(folder).filePath("Recipe"));
    }
}

TEST_F(FolderLayout, AFolderTheProgramCannotWriteSendsRecipesToTheUser)
{
    const QString bin = make("readonly/bin");
    ASSERT_TRUE(QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (QFileInfo(bin).isWritable()) {
        QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        GTEST_SKIP() << "this user writes into every folder";
    }
    EXPECT_EQ(ensureRecipeFolder(bin), userRecipes());
    QFile::setPermissions(bin, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(FolderLayout, AnExistingRecipeFolderBesideTheProgramIsKept)
{
    const QString bin = make("build/bin");
    const QString beside = make("build/bin/Recipe");
    EXPECT_EQ(ensureRecipeFolder(bin), beside);
    EXPECT_FALSE(QFileInfo(userRecipes()).exists());
}

} // namespace
