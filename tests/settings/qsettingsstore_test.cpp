#include "qsettingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "qtprinters.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

class IniStore : public ::testing::Test {
protected:
    std::unique_ptr<QSettingsStore> open()
    {
        return std::make_unique<QSettingsStore>(std::make_unique<QSettings>(path, QSettings::IniFormat));
    }
    void writeFile(const QByteArray &content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray fileContent()
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("TEMPERATURE CONTROL.ini"));
};

TEST_F(IniStore, KeysOpenWithoutCreatingOnlyWhenPresent)
{
    auto store = open();
    EXPECT_FALSE(store->openKey(QStringLiteral("FmHome"), false));
    ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), true));
    ASSERT_TRUE(store->writeString(QStringLiteral("IDA_1"), QStringLiteral("12")));
    ASSERT_TRUE(store->writeInteger(QStringLiteral("COMA"), -1));
    ASSERT_TRUE(store->flush());
    store->closeKey();
    // Writes outside an open key go nowhere.
    EXPECT_FALSE(store->writeString(QStringLiteral("Stray"), QStringLiteral("x")));
    store.reset();

    store = open();
    EXPECT_FALSE(store->openKey(QStringLiteral("FmRecord"), false));
    ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), false));
    EXPECT_EQ(store->readString(QStringLiteral("IDA_1")), QStringLiteral("12"));
    EXPECT_EQ(store->readInteger(QStringLiteral("IDA_1")), 12);
    EXPECT_EQ(store->readInteger(QStringLiteral("COMA")), -1);
    EXPECT_FALSE(store->readString(QStringLiteral("IDB_1")).has_value());
    EXPECT_FALSE(store->valueExists(QStringLiteral("IDB_1")));
    store->closeKey();
    EXPECT_FALSE(store->readString(QStringLiteral("IDA_1")).has_value());
}

TEST_F(IniStore, TextsSurviveAsWritten)
{
    const QString texts[] = {QStringLiteral("溫度監控系統 8.22"), QStringLiteral(" 前後空白 "),
                             QStringLiteral("E:\\Temperature Data"), QStringLiteral("a=b;c,d"), QString()};
    {
        auto store = open();
        ASSERT_TRUE(store->openKey(QStringLiteral("FmCommSetting"), true));
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(store->writeString(QStringLiteral("T%1").arg(i), texts[i]));
        store->closeKey();
    }
    auto store = open();
    ASSERT_TRUE(store->openKey(QStringLiteral("FmCommSetting"), false));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(store->readString(QStringLiteral("T%1").arg(i)), texts[i]) << i;
}

TEST_F(IniStore, IntegerReadOfTextIsAbsentButTheValueExists)
{
    writeFile("[FmCommSetting]\nCOMA=abc\nCOMB=2\nCOMC=1.5\nBPSA=\"-3\"\n");
    auto store = open();
    ASSERT_TRUE(store->openKey(QStringLiteral("FmCommSetting"), false));
    EXPECT_FALSE(store->readInteger(QStringLiteral("COMA")).has_value());
    EXPECT_TRUE(store->valueExists(QStringLiteral("COMA")));
    EXPECT_EQ(store->readInteger(QStringLiteral("COMB")), 2);
    EXPECT_FALSE(store->readInteger(QStringLiteral("COMC")).has_value());
    EXPECT_EQ(store->readInteger(QStringLiteral("BPSA")), -3);
}

TEST_F(IniStore, ReadOnlyFileRefusesWrites)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "file permissions do not bind the superuser";
    writeFile("[FmHome]\nIDA_1=5\n");
    QFile::setPermissions(path, QFileDevice::ReadOwner);
    auto store = open();
    ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), false));
    EXPECT_FALSE(store->writeString(QStringLiteral("IDA_1"), QStringLiteral("6")));
    EXPECT_EQ(store->readString(QStringLiteral("IDA_1")), QStringLiteral("5"));
    store->closeKey();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(IniStore, FileThatCannotBeReplacedFailsTheFlush)
{
    // Something in the file's place that no write can replace, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/blocked")));
    auto store = open();
    ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), true));
    const bool written = store->writeString(QStringLiteral("IDA_1"), QStringLiteral("6"));
    EXPECT_FALSE(written && store->flush());
    store->closeKey();
}

// The file holds the screen-lock password.
TEST_F(IniStore, FileIsReadableByItsUserOnlyAndStaysSo)
{
    for (int save = 0; save < 2; ++save) {
        auto store = open();
        ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), true));
        ASSERT_TRUE(store->writeString(QStringLiteral("password"), QStringLiteral("1234")));
        ASSERT_TRUE(store->flush());
        store->closeKey();
        // Owner and user are the same bits on this system; nobody else may read.
        EXPECT_EQ(QFile::permissions(path) & 0x0FFF, QFileDevice::ReadUser | QFileDevice::WriteUser) << "save " << save;
    }
}

TEST_F(IniStore, ListsTheNamesOfTheOpenKey)
{
    writeFile("[SerialPortMap]\nCOM1=/dev/ttyUSB0\nCOM12=/dev/pts/3\n[FmHome]\nIDA_1=5\n");
    auto store = open();
    EXPECT_TRUE(store->valueNames().isEmpty()) << "no key open";
    ASSERT_TRUE(store->openKey(QStringLiteral("SerialPortMap"), false));
    QStringList names = store->valueNames();
    names.sort();
    EXPECT_EQ(names, (QStringList{"COM1", "COM12"}));
}

TEST_F(IniStore, DamagedFileReadsAsEmptyAndIsReplacedAtTheFirstWrite)
{
    const QByteArray damaged("[FmHome\nIDA_1=5\n");
    writeFile(damaged);
    auto store = open();
    EXPECT_TRUE(store->problem().contains(path));
    EXPECT_FALSE(store->openKey(QStringLiteral("FmHome"), false));
    ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), true));
    ASSERT_TRUE(store->writeString(QStringLiteral("IDA_1"), QStringLiteral("7")));
    ASSERT_TRUE(store->flush());
    store->closeKey();
    EXPECT_TRUE(store->problem().isEmpty());
    QFile kept(path + QStringLiteral(".bad"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), damaged);
    store.reset();

    // A second damaged file does not overwrite the first one kept.
    writeFile(damaged + "second");
    store = open();
    ASSERT_TRUE(store->openKey(QStringLiteral("FmHome"), true));
    EXPECT_EQ(store->damagedCopyName(), path + QStringLiteral(".bad2"));
    store->closeKey();
    store.reset();
    QFile first(path + QStringLiteral(".bad"));
    ASSERT_TRUE(first.open(QIODevice::ReadOnly));
    EXPECT_EQ(first.readAll(), damaged);
    EXPECT_TRUE(QFile::exists(path + QStringLiteral(".bad2")));
}

} // namespace
