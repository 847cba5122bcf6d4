// Recipe files on disk: what is written, and the files that are refused as a whole.

#include "recipefile.h"
#include "recipefileio.h"

#include "filesizelimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class RecipeFiles : public ::testing::Test {
protected:
    QString path(const QString &name) const { return QDir(dir.path()).filePath(name); }
    void put(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }
    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(RecipeFiles, WrittenBytesAreExactlyTheComposedLineAndReplaceAnOldFile)
{
    put("r.txt", QByteArray(500, 'x'));
    RecipeTexts texts = uniformRecipe(QStringLiteral("100"));
    texts[1][1] = QString::fromUtf8("盤面");
    const QByteArray bytes = composeRecipeFile(texts);
    ASSERT_EQ(writeRecipeFile(path("r.txt"), bytes), RecipeFileError::None);
    EXPECT_EQ(contents("r.txt"), bytes);

    const RecipeFileRead read = readRecipeFile(path("r.txt"));
    ASSERT_EQ(read.error, RecipeFileError::None);
    EXPECT_EQ(read.texts[1][1], QString::fromUtf8("盤面"));
    EXPECT_EQ(read.texts[3][10], "100");
}

TEST_F(RecipeFiles, AFileThatCannotBeCreatedIsReported)
{
    put("plain", "not a folder");
    const QString unwritable[] = {
        path("missing-folder/r.txt"),
        path("plain/r.txt"), // below a file, which no user can write into
    };
    for (const QString &target : unwritable)
        EXPECT_EQ(writeRecipeFile(target, "100,"), RecipeFileError::CannotCreate) << target.toStdString();
}

TEST_F(RecipeFiles, AFolderWithoutWriteAccessIsReportedAndItsFileKept)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser writes into any folder";
    put("r.txt", "old,");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const RecipeFileError error = writeRecipeFile(path("new.txt"), "100,");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(error, RecipeFileError::CannotCreate);
    EXPECT_FALSE(QFile::exists(path("new.txt")));
    EXPECT_EQ(contents("r.txt"), "old,");
}

// A folder that lets its file be written but takes no new file beside it.
WholeFileOutcome noFileAdded(const QString &, const QByteArray &) { return WholeFileOutcome::CannotAddFile; }
WholeFileOutcome everyFileAdded(const QString &path, const QByteArray &bytes) { return replaceWholeFile(path, bytes); }

struct SaveCase {
    const char *what;
    ReplaceWholeFile replaceWhole;
    QByteArray old;   // the file before the save; none when null
    QByteArray saved; // what the save writes
    qint64 diskRoom;  // bytes the disk takes beyond the old file's size; -1 unlimited
    RecipeFileError error;
};

TEST_F(RecipeFiles, TheOldFileIsReplacedWholeOrLeftByteForByte)
{
    const QByteArray recipe = composeRecipeFile(uniformRecipe(QStringLiteral("100"))); // 120 bytes
    const QByteArray longOld = QByteArray("250,") .repeated(40);                       // 160 bytes
    const SaveCase cases[] = {
        {"no file added: a shorter old file grows to the recipe", noFileAdded, "1,2,", recipe, -1,
         RecipeFileError::None},
        {"no file added: a longer old file shrinks to the recipe", noFileAdded, longOld, recipe, -1,
         RecipeFileError::None},
        {"no file added, disk full before the recipe fits", noFileAdded, "1,2,", recipe, 10,
         RecipeFileError::CannotWrite},
        {"no file added and no old file", noFileAdded, QByteArray(), recipe, -1, RecipeFileError::CannotCreate},
        {"replaced whole, disk full", everyFileAdded, "1,2,", recipe, 10, RecipeFileError::CannotWrite},
        {"replaced whole", everyFileAdded, longOld, recipe, -1, RecipeFileError::None},
    };
    for (const SaveCase &c : cases) {
        SCOPED_TRACE(c.what);
        const QString name = QString::fromUtf8(c.what) + ".txt";
        if (!c.old.isNull())
            put(name, c.old);
        RecipeFileError error;
        if (c.diskRoom >= 0) {
            FileSizeLimit full(c.old.size() + c.diskRoom);
            ASSERT_TRUE(full.active());
            error = writeRecipeFile(path(name), c.saved, c.replaceWhole);
        } else {
            error = writeRecipeFile(path(name), c.saved, c.replaceWhole);
        }
        EXPECT_EQ(error, c.error);
        if (error == RecipeFileError::None)
            EXPECT_EQ(contents(name), c.saved);
        else
            EXPECT_EQ(contents(name), c.old);
        EXPECT_EQ(QFile::exists(path(name)), error == RecipeFileError::None || !c.old.isNull());
        // Nothing is left beside the file.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).filter(name).size(), QFile::exists(path(name)) ? 1 : 0);
    }
}

TEST_F(RecipeFiles, AFolderThatTakesNoNewFileStillTakesTheRecipe)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "the superuser adds files to any folder; the test above plays such a folder";
    put("r.txt", "old,");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::ExeOwner));
    const RecipeFileError error = writeRecipeFile(path("r.txt"), "100,200,");
    QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(error, RecipeFileError::None);
    EXPECT_EQ(contents("r.txt"), "100,200,");
}

struct RefusedFile {
    const char *name;
    QByteArray bytes; // empty with `create` false: no file at all
    bool create;
    RecipeFileError error;
};

TEST_F(RecipeFiles, UnusableFilesAreRefusedWithNoFields)
{
    const RefusedFile cases[] = {
        {"missing file", {}, false, RecipeFileError::CannotOpen},
        {"over 64 KiB", QByteArray(64 * 1024 + 1, '1'), true, RecipeFileError::TooLarge},
        {"a lead byte with a bad trail byte", "100,\xA4\x20,", true, RecipeFileError::NotBig5},
        {"a lead byte cut off at the end", "100,200,\xA4", true, RecipeFileError::NotBig5},
        {"UTF-8 Chinese", "\xE7\x9B\xA4\xE9\x9D\xA2,", true, RecipeFileError::NotBig5},
        {"binary: a NUL byte", QByteArray("1,\0,2,", 6), true, RecipeFileError::NotBig5},
    };
    for (const RefusedFile &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name) + ".txt";
        if (c.create)
            put(name, c.bytes);
        const RecipeFileRead read = readRecipeFile(path(name));
        EXPECT_EQ(read.error, c.error);
        for (int panel = 1; panel <= kPanelCount; ++panel)
            for (int slot = 1; slot <= kSlotCount; ++slot)
                EXPECT_TRUE(read.texts[panel][slot].isEmpty());
        EXPECT_FALSE(recipeFileErrorMessage(read.error, path(name)).isEmpty());
    }
}

TEST_F(RecipeFiles, TextFilesUpToTheLimitAreRead)
{
    struct {
        const char *name;
        QByteArray bytes;
        const char *firstField;
    } cases[] = {
        {"exactly 64 KiB", "7," + QByteArray(64 * 1024 - 2, '9'), "7"},
        {"a line break at the end", "1,2,\r\n", "1"},
        {"Big5 with a tab", "\xBD\x4C\t,", "\xE7\x9B\xA4\t"},
        {"empty file", "", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromUtf8(c.name) + ".txt";
        put(name, c.bytes);
        const RecipeFileRead read = readRecipeFile(path(name));
        ASSERT_EQ(read.error, RecipeFileError::None);
        EXPECT_EQ(read.texts[1][1], QString::fromUtf8(c.firstField));
    }
}

TEST(RecipeFileErrorMessage, NamesTheFileInTheSystemsOwnForm)
{
    const RecipeFileError errors[] = {RecipeFileError::CannotCreate, RecipeFileError::CannotWrite,
                                      RecipeFileError::OldFileDamaged, RecipeFileError::CannotOpen,
                                      RecipeFileError::CannotRead,   RecipeFileError::TooLarge,
                                      RecipeFileError::NotBig5};
    const QString file = QStringLiteral("/tmp/配方/Batch7.txt");
    for (RecipeFileError error : errors)
        EXPECT_TRUE(recipeFileErrorMessage(error, file).contains(QDir::toNativeSeparators(file)));
    EXPECT_TRUE(recipeFileErrorMessage(RecipeFileError::None, file).isEmpty());
}

} // namespace
