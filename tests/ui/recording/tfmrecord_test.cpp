// The recording settings dialog and the record tick it sets up: the dependent
// controls, OK, cancel and the close box, the folder picker, the record timer's
// on and off through the program's life, and the FmRecord settings.

#include "accessiblewalk.h"
#include "homefixture.h"
#include "recordsettings.h"
#include "tfmbrowse.h"
#include "tfmrecord.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const char *const kDependents[] = {"TxtSampleTime", "CboSampleUnit", "CboSaveUnit",
                                   "CboFileType",   "TxtFilePath",   "BtnBrowse"};

class RecordDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        f = std::make_unique<HomeFixture>(&store);
        f->home().show();
        f->clock.at = QDateTime(QDate(2018, 6, 14), QTime(9, 0, 4));
    }
    void TearDown() override { f.reset(); }

    QWidget *dialog() { return f->window("FmRecord"); }
    TFmBrowse *browse() { return static_cast<TFmBrowse *>(f->window("FmBrowse")); }
    template <typename T = QWidget>
    T *in(QWidget *window, const char *name) { return window->findChild<T *>(QLatin1String(name)); }
    QCheckBox *chkSave() { return in<QCheckBox>(dialog(), "ChkSave"); }
    QLineEdit *sampleTime() { return in<QLineEdit>(dialog(), "TxtSampleTime"); }
    QComboBox *list(const char *name) { return in<QComboBox>(dialog(), name); }
    QLineEdit *folderField() { return in<QLineEdit>(dialog(), "TxtFilePath"); }
    void click(QWidget *window, const char *button) { in<QAbstractButton>(window, button)->click(); }
    void open() { f->control<QAbstractButton>("ImgButton5")->click(); }
    QTimer &timer() { return *f->home().recorder().timer(); }
    RecordSettings &settings() { return f->home().recorder().settings(); }
    QString folder(const char *name) const { return dir.filePath(QString::fromUtf8(name)); }
    QStringList filesOf(const QString &recordFolder, int panel = 1) const
    {
        return QDir(QDir(recordFolder).filePath(QStringLiteral("盤面%1").arg(panel))).entryList(QDir::Files);
    }
    void onTrendPage() { f->control<QAbstractButton>("ImgButton2")->click(); }
    bool onMonitoringPage()
    {
        return f->control("Panel1")->isVisible() && !f->control("Panel2")->isVisible()
               && f->home().windowTitle() == QStringLiteral("溫度監控-->監控畫面");
    }

    QTemporaryDir dir;
    MemorySettingsStore store;
    std::unique_ptr<HomeFixture> f;
};

TEST_F(RecordDialog, DependentControlsFollowChkSave)
{
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save);
        settings().Save = save;
        open();
        EXPECT_EQ(chkSave()->isChecked(), save);
        for (const char *name : kDependents)
            EXPECT_EQ(in(dialog(), name)->isEnabled(), save) << name;
        chkSave()->click();
        for (const char *name : kDependents)
            EXPECT_EQ(in(dialog(), name)->isEnabled(), !save) << name;
        click(dialog(), "BtnCancel");
    }
}

TEST_F(RecordDialog, FormShowCopiesTheSettingsIntoTheControls)
{
    settings() = {true, 30, 1, 1, 1, folder("rec")};
    open();
    EXPECT_TRUE(chkSave()->isChecked());
    EXPECT_EQ(sampleTime()->text(), "30");
    EXPECT_EQ(list("CboSampleUnit")->currentText(), "分鐘");
    EXPECT_EQ(list("CboSaveUnit")->currentText(), "天");
    EXPECT_EQ(list("CboFileType")->currentText(), "XLS 檔");
    EXPECT_EQ(folderField()->text(), folder("rec"));
}

struct OkCase {
    const char *what;
    bool save;
    const char *sampleTime;
    int sampleUnit, saveUnit, fileType;
    int intervalMs;
    bool timerRuns;
};

TEST_F(RecordDialog, OkTakesEverythingOverAndReturnsToTheMonitoringPage)
{
    const OkCase cases[] = {
        {"15 minutes", true, "15", 1, 0, 0, 900000, true},
        {"10 seconds, daily .xls", true, "10", 0, 1, 1, 10000, true},
        {"2 minutes", true, "2", 1, 0, 1, 120000, true},
        {"recording off stops the timer", false, "5", 0, 0, 0, 5000, false},
        {"sample time 0 never ticks", true, "0", 0, 0, 0, 0, false},
    };
    for (const OkCase &c : cases) {
        SCOPED_TRACE(c.what);
        onTrendPage();
        timer().start(); // as if recording ran before
        open();
        chkSave()->setChecked(c.save);
        sampleTime()->setText(QString::fromLatin1(c.sampleTime));
        list("CboSampleUnit")->setCurrentIndex(c.sampleUnit);
        list("CboSaveUnit")->setCurrentIndex(c.saveUnit);
        list("CboFileType")->setCurrentIndex(c.fileType);
        folderField()->setText(folder(c.what));
        click(dialog(), "BtnOK");

        EXPECT_FALSE(dialog()->isVisible());
        EXPECT_EQ(settings().Save, c.save);
        EXPECT_EQ(settings().SampleTime, QByteArray(c.sampleTime).toInt());
        EXPECT_EQ(settings().SampleUnit, c.sampleUnit);
        EXPECT_EQ(settings().SaveUnit, c.saveUnit);
        EXPECT_EQ(settings().FileType, c.fileType);
        EXPECT_EQ(settings().FilePath, folder(c.what));
        EXPECT_EQ(timer().interval(), c.intervalMs);
        EXPECT_EQ(timer().isActive(), c.timerRuns);
        EXPECT_TRUE(onMonitoringPage());
    }
    EXPECT_TRUE(f->boxes.shown.isEmpty());
}

TEST_F(RecordDialog, SampleTimeThatIsNoWholeNumberTakesOnlySaveOverAndKeepsTheDialogOpen)
{
    for (const char *typed : {"1.5", "abc", "", " 10"}) {
        SCOPED_TRACE(typed);
        f->boxes.shown.clear();
        settings() = {false, 10, 0, 0, 0, folder("before")};
        timer().setInterval(10000);
        onTrendPage();
        open();
        chkSave()->setChecked(true);
        sampleTime()->setText(QString::fromLatin1(typed));
        list("CboSaveUnit")->setCurrentIndex(1);
        folderField()->setText(folder("after"));
        click(dialog(), "BtnOK");

        EXPECT_TRUE(dialog()->isVisible());
        EXPECT_TRUE(settings().Save);
        EXPECT_EQ(settings().SampleTime, 10);
        EXPECT_EQ(settings().SaveUnit, 0);
        EXPECT_EQ(settings().FilePath, folder("before"));
        EXPECT_EQ(timer().interval(), 10000);
        EXPECT_FALSE(timer().isActive());
        EXPECT_FALSE(onMonitoringPage());
        ASSERT_EQ(f->boxes.shown.size(), 1);
        EXPECT_EQ(f->boxes.shown[0].caption, "錯誤");
        EXPECT_TRUE(f->boxes.shown[0].text.contains(QStringLiteral("取樣時間"))) << f->boxes.shown[0].text.toStdString();
        click(dialog(), "BtnCancel");
    }
}

TEST_F(RecordDialog, CancelTakesNothingOverAndTheNextRecordKeepsTheOldType)
{
    open();
    folderField()->setText(folder("rec"));
    click(dialog(), "BtnOK");
    ASSERT_EQ(settings().FileType, 0);

    onTrendPage();
    open();
    list("CboFileType")->setCurrentIndex(1);
    sampleTime()->setText(QStringLiteral("99"));
    click(dialog(), "BtnCancel");
    EXPECT_FALSE(dialog()->isVisible());
    EXPECT_TRUE(onMonitoringPage());
    EXPECT_EQ(settings().FileType, 0);
    EXPECT_EQ(settings().SampleTime, 10);
    EXPECT_EQ(timer().interval(), 10000);
    EXPECT_TRUE(timer().isActive()); // Save is on

    f->home().recorder().TmrRecordTimer();
    EXPECT_EQ(filesOf(folder("rec")), QStringList{QStringLiteral("2018_6_14_上午9時.txt")});
    open();
    EXPECT_EQ(list("CboFileType")->currentIndex(), 0);
    EXPECT_EQ(sampleTime()->text(), "10");
}

TEST_F(RecordDialog, FolderPickedThenCancelledIsUsedUntilTheDialogOpensAgain)
{
    const QString confirmed = folder("confirmed");
    const QString picked = folder("picked");
    ASSERT_TRUE(QDir().mkdir(picked));
    open();
    folderField()->setText(confirmed);
    click(dialog(), "BtnOK");

    open();
    click(dialog(), "BtnBrowse");
    ASSERT_TRUE(browse()->isVisible());
    // The field's folder is not there yet: the picker opens at the nearest one above it.
    EXPECT_EQ(browse()->currentFolder(), QDir::toNativeSeparators(dir.path()));
    browse()->openFolder(picked);
    click(browse(), "BtnOK");
    EXPECT_FALSE(browse()->isVisible());
    EXPECT_EQ(folderField()->text(), QDir::toNativeSeparators(picked));
    click(dialog(), "BtnCancel");
    EXPECT_EQ(settings().FilePath, confirmed);

    f->home().recorder().TmrRecordTimer();
    EXPECT_EQ(filesOf(picked).size(), 1);
    EXPECT_FALSE(QFileInfo::exists(confirmed));

    open();
    EXPECT_EQ(folderField()->text(), confirmed);
    // The picker opens where the field points once that folder is there.
    click(dialog(), "BtnBrowse");
    click(browse(), "BtnCancel");
    EXPECT_EQ(folderField()->text(), confirmed);
    click(dialog(), "BtnCancel");
    f->home().recorder().TmrRecordTimer();
    EXPECT_EQ(filesOf(confirmed).size(), 1);
    EXPECT_EQ(filesOf(picked).size(), 1);
    EXPECT_EQ(QFile(QDir(picked).filePath(QStringLiteral("盤面1/2018_6_14_上午9時.txt"))).size(),
              QFile(QDir(confirmed).filePath(QStringLiteral("盤面1/2018_6_14_上午9時.txt"))).size());
    click(dialog(), "BtnBrowse"); // reopened without the dialog: where the field points
    EXPECT_EQ(browse()->currentFolder(), QDir::toNativeSeparators(confirmed));
}

TEST_F(RecordDialog, CloseBoxTakesNothingOverButSwitchesTheTimerBySave)
{
    for (const bool save : {true, false}) {
        SCOPED_TRACE(save);
        settings().Save = save;
        onTrendPage();
        open();
        ASSERT_FALSE(timer().isActive());
        chkSave()->setChecked(!save);
        sampleTime()->setText(QStringLiteral("77"));
        dialog()->close();
        EXPECT_FALSE(dialog()->isVisible());
        EXPECT_EQ(settings().Save, save);
        EXPECT_EQ(settings().SampleTime, 10);
        EXPECT_EQ(timer().isActive(), save);
        EXPECT_FALSE(onMonitoringPage());
    }
}

TEST_F(RecordDialog, RecordTimerRunsOnlyWhileRecordingIsOnAndTheDialogClosed)
{
    // The load ran OK with the dialog's design state (recording on) and then stopped it.
    EXPECT_TRUE(settings().Save);
    EXPECT_FALSE(timer().isActive());
    EXPECT_EQ(timer().interval(), 10000);

    f->control<QAbstractButton>("BtnStart")->click();
    EXPECT_TRUE(timer().isActive());
    open();
    EXPECT_FALSE(timer().isActive());
    click(dialog(), "BtnCancel");
    EXPECT_TRUE(timer().isActive());
    open();
    chkSave()->click();
    click(dialog(), "BtnOK");
    EXPECT_FALSE(timer().isActive());
    open();
    chkSave()->click();
    click(dialog(), "BtnOK");
    EXPECT_TRUE(timer().isActive());
    f->home().FormClose();
    EXPECT_FALSE(timer().isActive());
}

TEST_F(RecordDialog, StartLeavesTheTimerOffWhenRecordingIsOff)
{
    settings().Save = false;
    f->control<QAbstractButton>("BtnStart")->click();
    EXPECT_FALSE(timer().isActive());
}

TEST_F(RecordDialog, TickWritesThePanelsIntoTheFolderTheFieldHolds)
{
    f->model.setReading(1, 1, {QStringLiteral("25.0"), QStringLiteral("30.0"), QStringLiteral("40")});
    f->model.setReading(3, 10, {QStringLiteral("1.5"), QStringLiteral("2.0"), QString()});
    open();
    folderField()->setText(folder("rec"));
    list("CboSaveUnit")->setCurrentIndex(1);
    click(dialog(), "BtnOK");
    f->home().recorder().TmrRecordTimer();

    QFile panel1(QDir(folder("rec")).filePath(QStringLiteral("盤面1/2018_6_14.txt")));
    ASSERT_TRUE(panel1.open(QIODevice::ReadOnly));
    const QByteArray bytes = panel1.readAll();
    EXPECT_TRUE(bytes.contains("\r\n\xA4\x57\xA4\xC8 09:00:04\t25.0\t30.0\t\xB5\x4C\xB3\x73\xB1\xB5\t"));
    EXPECT_TRUE(bytes.endsWith("\t\r\n"));
    QFile panel3(QDir(folder("rec")).filePath(QStringLiteral("盤面3/2018_6_14.txt")));
    ASSERT_TRUE(panel3.open(QIODevice::ReadOnly));
    EXPECT_TRUE(panel3.readAll().endsWith("\t1.5\t2.0\t\r\n"));
    EXPECT_EQ(filesOf(folder("rec"), 2).size(), 1);

    // An empty field records nothing and tells nothing.
    open();
    folderField()->clear();
    click(dialog(), "BtnOK");
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    f->home().recorder().TmrRecordTimer();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    EXPECT_TRUE(f->boxes.shown.isEmpty());
}

#ifndef _WIN32
TEST_F(RecordDialog, RecordsDroppedForABusyFileAreToldInTheStatusLineWithoutAMessageBox)
{
    open();
    EXPECT_TRUE(in<QLabel>(dialog(), "LabStatus")->text().isEmpty());
    sampleTime()->setText(QStringLiteral("60"));
    list("CboSampleUnit")->setCurrentIndex(1); // a line an hour: a day is 24 lines
    list("CboSaveUnit")->setCurrentIndex(1);
    folderField()->setText(folder("rec"));
    click(dialog(), "BtnOK");
    f->home().recorder().TmrRecordTimer();

    // Another program holds panel 3's file for longer than a day of lines.
    const QString busy = QDir(folder("rec")).filePath(QStringLiteral("盤面3/2018_6_14.txt"));
    const int fd = ::open(QFile::encodeName(busy).constData(), O_RDWR);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    for (int tick = 1; tick <= 30; ++tick) {
        f->clock.at = f->clock.at.addSecs(60);
        f->home().recorder().TmrRecordTimer();
    }
    ::close(fd);
    EXPECT_TRUE(f->boxes.shown.isEmpty());
    const QString status = in<QLabel>(dialog(), "LabStatus")->text();
    EXPECT_TRUE(status.contains(QStringLiteral("盤面3"))) << status.toStdString();
    EXPECT_FALSE(status.contains(QStringLiteral("盤面1")));
    open();
    EXPECT_EQ(in<QLabel>(dialog(), "LabStatus")->text(), status) << "kept for the operator who opens the dialog";
}
#endif

TEST_F(RecordDialog, DefaultFolderIsBelowTheUsersHome)
{
    open();
    EXPECT_EQ(folderField()->text(), RecordSettings::defaultFolder());
#ifndef Q_OS_WIN
    EXPECT_EQ(RecordSettings::defaultFolder(), QDir::home().filePath(QStringLiteral("Temperature Data")));
    EXPECT_EQ(RecordSettings::designFolder(), RecordSettings::defaultFolder());
#endif
}

TEST_F(RecordDialog, EveryControlIsFoundByItsName)
{
    open();
    click(dialog(), "BtnBrowse");
    QStringList names;
    const auto visit = [&](QAccessibleInterface *node) {
        if (QObject *object = node->object())
            names << object->objectName() + QLatin1Char('=') + node->text(QAccessible::Name);
    };
    visitAccessible(dialog(), visit);
    visitAccessible(browse(), visit);
    // (A list's name is its chosen item on Linux, where readers find it by its label.)
    for (const char *expected : {"ChkSave=紀錄存檔", "TxtSampleTime=取樣時間", "TxtFilePath=存檔目錄", "BtnBrowse=瀏覽",
                                 "BtnOK=確定", "BtnCancel=取消", "DirectoryListBox1=資料夾"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected << "\n" << names.join(" ").toStdString();
}

// What the store holds for FmRecord comes back into the dialog and the settings, and
// shutdown stores the controls as they stand, also edits that were cancelled.
TEST(RecordSettingsStore, RoundTrip)
{
    QTemporaryDir dir;
    MemorySettingsStore store;
    const QString stored = dir.filePath(QStringLiteral("溫度資料"));
    store.setInteger("FmRecord", "ChkSave", 1);
    store.setInteger("FmRecord", "TxtSampleTime", 30);
    store.setInteger("FmRecord", "CboSampleUnit", 1);
    store.setInteger("FmRecord", "CboSaveUnit", 1);
    store.setInteger("FmRecord", "CboFileType", 1);
    store.setString("FmRecord", "TxtFilePath", stored);
    {
        HomeFixture f(&store);
        f.home().show();
        const RecordSettings &s = f.home().recorder().settings();
        EXPECT_TRUE(s.Save);
        EXPECT_EQ(s.SampleTime, 30);
        EXPECT_EQ(s.SampleUnit, 1);
        EXPECT_EQ(s.SaveUnit, 1);
        EXPECT_EQ(s.FileType, 1);
        EXPECT_EQ(s.FilePath, stored);
        EXPECT_EQ(f.home().recorder().timer()->interval(), 30 * 60000);
        EXPECT_FALSE(f.home().recorder().timer()->isActive());
        EXPECT_TRUE(f.boxes.shown.isEmpty());

        QWidget *dialog = f.window("FmRecord");
        f.control<QAbstractButton>("ImgButton5")->click();
        EXPECT_EQ(dialog->findChild<QLineEdit *>("TxtSampleTime")->text(), "30");
        dialog->findChild<QCheckBox *>("ChkSave")->setChecked(false);
        dialog->findChild<QLineEdit *>("TxtSampleTime")->setText(QStringLiteral("45"));
        dialog->findChild<QComboBox *>("CboSampleUnit")->setCurrentIndex(0);
        dialog->findChild<QComboBox *>("CboFileType")->setCurrentIndex(0);
        dialog->findChild<QLineEdit *>("TxtFilePath")->setText(QStringLiteral("/srv/記錄"));
        dialog->findChild<QAbstractButton *>("BtnCancel")->click();
    }
    EXPECT_EQ(store.integerValue("FmRecord", "ChkSave"), 0);
    EXPECT_EQ(store.integerValue("FmRecord", "TxtSampleTime"), 45);
    EXPECT_EQ(store.integerValue("FmRecord", "CboSampleUnit"), 0);
    EXPECT_EQ(store.integerValue("FmRecord", "CboSaveUnit"), 1);
    EXPECT_EQ(store.integerValue("FmRecord", "CboFileType"), 0);
    EXPECT_EQ(store.stringValue("FmRecord", "TxtFilePath"), QStringLiteral("/srv/記錄"));

    HomeFixture again(&store);
    again.home().show();
    EXPECT_FALSE(again.home().recorder().settings().Save);
    EXPECT_EQ(again.home().recorder().settings().SampleTime, 45);
    EXPECT_EQ(again.home().recorder().timer()->interval(), 45000);
    EXPECT_EQ(again.home().recorder().settings().FilePath, QStringLiteral("/srv/記錄"));
}

} // namespace
