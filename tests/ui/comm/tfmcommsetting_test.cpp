#include "memorysettingsstore.h"
#include "messageboxes.h"
#include "plantmodel.h"
#include "qtprinters.h"
#include "radiogroup.h"
#include "recordingboxes.h"
#include "settingswalk.h"
#include "tfmcommsetting.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class CommSetting : public ::testing::Test {
protected:
    template <class T>
    T *ctl(const char *name)
    {
        T *found = dialog.findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox *list(const char *name) { return ctl<QComboBox>(name); }
    RadioGroup *scanAll() { return ctl<RadioGroup>("RdoScanAll"); }

    // As the operator would: typing into the field, moving the focus into the list.
    void type(const char *field, const QString &text) { QTest::keyClicks(ctl<QLineEdit>(field), text); }
    void enter(QWidget *w, Qt::FocusReason reason = Qt::TabFocusReason)
    {
        QFocusEvent in(QEvent::FocusIn, reason);
        QApplication::sendEvent(w, &in);
    }

    PlantModel model;
    MemorySettingsStore store;
    RecordingBoxes boxes;
    TFmCommSetting dialog{model, store, boxes};
};

struct Items {
    const char *control;
    QStringList items;
    int initial;
};

TEST_F(CommSetting, ControlsStartAsDesigned)
{
    EXPECT_EQ(dialog.objectName(), QStringLiteral("FmCommSetting"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("通訊設定"));
    EXPECT_FALSE(dialog.isModal());

    const QStringList ports = {"COM 1", "COM 2", "COM 3", "COM 4", "COM 5", "COM 6", "COM 7", "COM 8"};
    const QStringList speeds = {"38400", "19200", "9600", "4800", "2400"};
    const Items lists[] = {
        {"CboPsl", {"VORN", "RTU"}, 0},
        {"CboConverter", {"4線式RS485 Converter", "2線式RS485 Converter", "RS232"}, 0},
        {"CboComA", ports, 0}, {"CboComB", ports, 0}, {"CboComC", ports, 0},
        {"CboBpsA", speeds, -1}, {"CboBpsB", speeds, -1}, {"CboBpsC", speeds, -1},
    };
    for (const Items &c : lists) {
        QComboBox *box = list(c.control);
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts.append(box->itemText(i));
        EXPECT_EQ(texts, c.items) << c.control;
        EXPECT_EQ(box->currentIndex(), c.initial) << c.control;
    }

    ASSERT_EQ(scanAll()->items().size(), 2);
    EXPECT_EQ(scanAll()->items()[0]->text(), QStringLiteral("僅掃描已連接的控制器"));
    EXPECT_EQ(scanAll()->items()[1]->text(), QStringLiteral("掃描盤面上所有控制器"));
    EXPECT_EQ(scanAll()->itemIndex(), 0);

    auto *tabs = ctl<QTabWidget>("PageControl2");
    ASSERT_EQ(tabs->count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tabs->tabText(i), QStringLiteral("盤面%1").arg(i + 1));
    for (const char *name : {"Edit1", "Edit2", "Edit3"})
        EXPECT_TRUE(ctl<QLineEdit>(name)->text().isEmpty());
    for (const char *label : {"LabOtherA", "LabOtherB", "LabOtherC"})
        EXPECT_EQ(ctl<QLabel>(label)->text(), QStringLiteral("其他通訊埠"));
    for (const char *hint : {"LabOtherHintA", "LabOtherHintB", "LabOtherHintC"})
        EXPECT_EQ(ctl<QLabel>(hint)->text(), QStringLiteral("(1 ～ 256)"));
    EXPECT_EQ(ctl<QLabel>("LabPsl")->text(), QStringLiteral("通訊協定選擇"));
    EXPECT_EQ(ctl<QLabel>("LabTitle")->text(), QStringLiteral("視窗標題"));
    EXPECT_EQ(ctl<QLineEdit>("TxtTitle")->text(), QStringLiteral("溫度監控系統 8.22"));
    EXPECT_EQ(ctl<QPushButton>("BtnOK")->text(), QStringLiteral("確定"));
    EXPECT_EQ(ctl<QPushButton>("BtnCancel")->text(), QStringLiteral("取消"));
    EXPECT_EQ(ctl<QPushButton>("RzButton1")->text(), QStringLiteral("ComPort Search"));
    auto *memo = ctl<QPlainTextEdit>("Memo1");
    EXPECT_TRUE(memo->isReadOnly());
    EXPECT_TRUE(memo->font().bold());
    EXPECT_EQ(memo->font().family(), QStringLiteral("Arial"));
}

struct LineCase {
    int scanItem, converterItem, pslItem;
    bool scanAll;
    TConverter converter;
    TPsl psl;
};

TEST(CommSettingOk, ChoicesMapOntoEveryPanel)
{
    // Untouched engine values are RS422_485 and rtu: an unmapped index must leave them.
    const LineCase cases[] = {
        {0, 0, 0, false, TConverter::RS422_485, TPsl::vorn},
        {1, 1, 1, true, TConverter::RS485, TPsl::rtu},
        {1, 2, 0, true, TConverter::RS485, TPsl::vorn}, // RS232: no echo, as the 2-wire type
        {-1, -1, -1, true, TConverter::RS422_485, TPsl::rtu},
    };
    for (const LineCase &c : cases) {
        PlantModel model;
        MemorySettingsStore store;
        RecordingBoxes boxes;
        TFmCommSetting dialog(model, store, boxes);
        dialog.findChild<RadioGroup *>("RdoScanAll")->setItemIndex(c.scanItem);
        dialog.findChild<QComboBox *>("CboConverter")->setCurrentIndex(c.converterItem);
        dialog.findChild<QComboBox *>("CboPsl")->setCurrentIndex(c.pslItem);

        ASSERT_TRUE(dialog.applyOk());
        EXPECT_EQ(model.scanAll(), c.scanAll) << c.scanItem;
        for (int p = 1; p <= 3; ++p) {
            EXPECT_EQ(model.lineSettings(p).Converter, c.converter) << c.converterItem << " panel " << p;
            EXPECT_EQ(model.lineSettings(p).Psl, c.psl) << c.pslItem << " panel " << p;
        }
        // The store keeps the item indexes, not the engine values.
        EXPECT_EQ(store.integerValue("FmCommSetting", "Converter"), c.converterItem);
        EXPECT_EQ(store.integerValue("FmCommSetting", "Psl"), c.pslItem);
        EXPECT_EQ(store.writeLog(), (QStringList{"FmCommSetting/Converter", "FmCommSetting/Psl"}));
    }
}

TEST_F(CommSetting, PortsAndSpeedsPerPanel)
{
    QSignalSpy titles(&dialog, &TFmCommSetting::titleApplied);
    list("CboComA")->setCurrentIndex(2);
    type("Edit2", "12");
    EXPECT_EQ(list("CboComB")->currentIndex(), -1);
    list("CboComC")->setCurrentIndex(7);
    list("CboBpsA")->setCurrentIndex(0);
    list("CboBpsB")->setCurrentIndex(3);
    ctl<QLineEdit>("TxtTitle")->setText(QStringLiteral("一號廠"));

    ASSERT_TRUE(dialog.applyOk());
    EXPECT_EQ(model.lineSettings(1).ComPort, 3);
    EXPECT_EQ(model.lineSettings(2).ComPort, 12);
    EXPECT_EQ(model.lineSettings(3).ComPort, 8);
    EXPECT_EQ(model.lineSettings(1).BaudRate, 38400);
    EXPECT_EQ(model.lineSettings(2).BaudRate, 4800);
    EXPECT_EQ(model.lineSettings(3).BaudRate, 2400) << "no speed chosen leaves the engine's";
    ASSERT_EQ(titles.size(), 1);
    EXPECT_EQ(titles.at(0).at(0).toString(), QStringLiteral("一號廠"));
    EXPECT_TRUE(boxes.shown.isEmpty());

    // Shown again: a typed port keeps the list empty, and the engine's values select items.
    dialog.FormShow();
    EXPECT_EQ(list("CboComA")->currentIndex(), 2);
    EXPECT_EQ(list("CboComB")->currentIndex(), -1);
    EXPECT_EQ(list("CboBpsB")->currentIndex(), 3);
    EXPECT_EQ(list("CboBpsC")->currentIndex(), 4);
}

TEST_F(CommSetting, PuttingTheFocusOnThePortListEmptiesTheTypedPort)
{
    // The operator's own moves: a click, Tab or Shift+Tab, a shortcut.
    for (const Qt::FocusReason reason : {Qt::MouseFocusReason, Qt::TabFocusReason, Qt::BacktabFocusReason,
                                         Qt::ShortcutFocusReason}) {
        type("Edit1", "x");
        enter(list("CboComA"), reason);
        EXPECT_TRUE(ctl<QLineEdit>("Edit1")->text().isEmpty()) << reason;
    }
    // A focus that only arrives there: a tab page shown, the window back in front, a
    // popup closed.
    for (const Qt::FocusReason reason : {Qt::OtherFocusReason, Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
        ctl<QLineEdit>("Edit1")->setText(QStringLiteral("17"));
        enter(list("CboComA"), reason);
        EXPECT_EQ(ctl<QLineEdit>("Edit1")->text(), QStringLiteral("17")) << reason;
    }
    ctl<QLineEdit>("Edit1")->clear();
    list("CboComA")->setCurrentIndex(4);
    type("Edit2", "9");

    ASSERT_TRUE(dialog.applyOk());
    EXPECT_EQ(model.lineSettings(1).ComPort, 5);
    EXPECT_EQ(model.lineSettings(2).ComPort, 9);
}

// An operator who only looks at the other panels' tabs and cancels loses no typed
// port, neither now nor after a restart.
TEST_F(CommSetting, SwitchingTabsKeepsEveryTypedPort)
{
    const char *fields[] = {"Edit1", "Edit2", "Edit3"};
    for (int p = 0; p < 3; ++p) // as the load leaves them
        ctl<QLineEdit>(fields[p])->setText(QString::number(11 + p));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto *tabs = ctl<QTabWidget>("PageControl2");
    tabs->setCurrentIndex(0);
    ctl<QLineEdit>("Edit1")->setFocus();
    // Each page, shown while the focus is on the one before, gives the focus to its
    // first field: the port list.
    for (int p : {1, 2, 0, 2, 1, 0}) {
        tabs->setCurrentIndex(p);
        QCoreApplication::processEvents();
        EXPECT_TRUE(tabs->widget(p)->isAncestorOf(QApplication::focusWidget())) << "page " << p;
    }
    ctl<QPushButton>("BtnCancel")->click();
    for (int p = 0; p < 3; ++p)
        EXPECT_EQ(ctl<QLineEdit>(fields[p])->text(), QString::number(11 + p)) << fields[p];

    ASSERT_EQ(SaveSettings(store, {dialog.settingsSection()}), QString());
    PlantModel nextModel;
    RecordingBoxes nextBoxes;
    TFmCommSetting next(nextModel, store, nextBoxes);
    ASSERT_EQ(LoadSettings(store, {next.settingsSection()}), QString());
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(nextModel.lineSettings(p).ComPort, 10 + p) << "panel " << p;
}

struct ShowCase {
    int enginePort;
    int engineBaud;
    const char *typed;
    int portItem;
    int bpsItem; // the list starts on item 1 here
};

TEST_F(CommSetting, ShowingSelectsTheEngineValues)
{
    const ShowCase cases[] = {
        {1, 38400, "", 0, 0},   {8, 2400, "", 7, 4},  {12, 9600, "", 7, 2},
        {0, 19200, "", -1, 1},  {3, 1200, "", 2, 1},  {3, 4800, "3", -1, 3},
    };
    for (const ShowCase &c : cases) {
        LineSettings line = model.lineSettings(1);
        line.ComPort = c.enginePort;
        line.BaudRate = c.engineBaud;
        model.setLineSettings(1, line);
        list("CboBpsA")->setCurrentIndex(1);
        ctl<QLineEdit>("Edit1")->setText(QString::fromLatin1(c.typed));
        dialog.FormShow();
        EXPECT_EQ(list("CboComA")->currentIndex(), c.portItem) << c.enginePort;
        EXPECT_EQ(list("CboBpsA")->currentIndex(), c.bpsItem) << c.engineBaud;
    }
}

TEST_F(CommSetting, ShowingReadsScanModeFromTheEngineAndTypesFromTheStore)
{
    model.setScanAll(true);
    store.setInteger("FmCommSetting", "Converter", 2);
    store.setInteger("FmCommSetting", "Psl", 1);
    dialog.show(); // runs FormShow
    EXPECT_EQ(scanAll()->itemIndex(), 1);
    EXPECT_EQ(list("CboConverter")->currentIndex(), 2);
    EXPECT_EQ(list("CboPsl")->currentIndex(), 1);
    dialog.hide();

    // What the store cannot give leaves the lists alone.
    model.setScanAll(false);
    store.setString("FmCommSetting", "Converter", QStringLiteral("abc"));
    store.removeValue("FmCommSetting", "Psl");
    dialog.show();
    EXPECT_EQ(scanAll()->itemIndex(), 0);
    EXPECT_EQ(list("CboConverter")->currentIndex(), 2);
    EXPECT_EQ(list("CboPsl")->currentIndex(), 1);
    EXPECT_FALSE(store.isKeyOpen());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(CommSetting, PanelWithoutAnyPortGoesQuietAndIsNamedToTheOperator)
{
    QSignalSpy titles(&dialog, &TFmCommSetting::titleApplied);
    list("CboComB")->setCurrentIndex(-1);
    list("CboComC")->setCurrentIndex(-1);
    list("CboBpsC")->setCurrentIndex(0);
    // The OK action as the settings load runs it: applied, nothing said.
    ASSERT_EQ(dialog.applyOk(), QStringList({"盤面2 未選擇通訊埠", "盤面3 未選擇通訊埠"}));
    EXPECT_EQ(model.lineSettings(1).ComPort, 1);
    EXPECT_EQ(model.lineSettings(2).ComPort, 0);
    EXPECT_EQ(model.lineSettings(3).ComPort, 0);
    EXPECT_TRUE(model.lineSettings(2).Device.empty());
    EXPECT_EQ(model.lineSettings(3).BaudRate, 38400);
    EXPECT_EQ(titles.size(), 1);
    EXPECT_TRUE(boxes.shown.isEmpty());

    dialog.show();
    list("CboComB")->setCurrentIndex(-1);
    list("CboComC")->setCurrentIndex(-1);
    dialog.BtnOKClick();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("訊息"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("盤面2 未選擇通訊埠\n盤面3 未選擇通訊埠"));
}

TEST_F(CommSetting, OkHandsTheEngineTheDeviceThePortMapGives)
{
    store.setString("SerialPortMap", "COM3", QStringLiteral("/dev/serial/by-id/usb-FTDI_A"));
    store.setString("SerialPortMap", "COM12", QStringLiteral("/dev/ttyUSB4"));
    list("CboComA")->setCurrentIndex(2);
    type("Edit2", "12");
    list("CboComC")->setCurrentIndex(1);
    ASSERT_TRUE(dialog.applyOk());
    EXPECT_EQ(model.lineSettings(1).Device, "/dev/serial/by-id/usb-FTDI_A");
    EXPECT_EQ(model.lineSettings(2).Device, "/dev/ttyUSB4");
    EXPECT_EQ(model.lineSettings(3).Device, "/dev/ttyS1") << "a number without an entry";

    // A search that numbers a new adapter reaches the engine at once.
    dialog.setPortSearchSource([this] {
        store.setString("SerialPortMap", "COM2", QStringLiteral("/dev/ttyACM0"));
        return QStringList();
    });
    dialog.RzButton1Click();
    EXPECT_EQ(model.lineSettings(3).Device, "/dev/ttyACM0");
    EXPECT_EQ(model.lineSettings(3).ComPort, 2);
}

struct TypedCase {
    const char *typed;
    const char *message;
};

TEST(CommSettingOk, UnusableTypedPortStopsAtItsPanel)
{
    const TypedCase cases[] = {
        {"x", "「x」不是有效的整數"},
        {"1a", "「1a」不是有效的整數"},
        {" 5", "「 5」不是有效的整數"},
        {"0", "盤面2 的其他通訊埠 0 不在 1 ～ 256 之內"},
        {"257", "盤面2 的其他通訊埠 257 不在 1 ～ 256 之內"},
        {"-3", "盤面2 的其他通訊埠 -3 不在 1 ～ 256 之內"},
    };
    for (const TypedCase &c : cases) {
        PlantModel model;
        MemorySettingsStore store;
        RecordingBoxes boxes;
        TFmCommSetting dialog(model, store, boxes);
        QSignalSpy titles(&dialog, &TFmCommSetting::titleApplied);
        dialog.show();
        dialog.findChild<QComboBox *>("CboComA")->setCurrentIndex(5);
        dialog.findChild<QComboBox *>("CboComC")->setCurrentIndex(6);
        dialog.findChild<QComboBox *>("CboPsl")->setCurrentIndex(0);
        dialog.findChild<QLineEdit *>("Edit2")->setText(QString::fromUtf8(c.typed));

        dialog.BtnOKClick();
        ASSERT_EQ(boxes.shown.size(), 1) << c.typed;
        EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("錯誤"));
        EXPECT_EQ(boxes.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(model.lineSettings(1).ComPort, 6) << "the panel before it is applied";
        EXPECT_EQ(model.lineSettings(1).Psl, TPsl::vorn);
        EXPECT_EQ(model.lineSettings(2).ComPort, 1) << c.typed;
        EXPECT_EQ(model.lineSettings(2).Psl, TPsl::rtu) << c.typed;
        EXPECT_EQ(model.lineSettings(3).ComPort, 1) << c.typed;
        EXPECT_EQ(titles.size(), 0);
        EXPECT_TRUE(dialog.isVisible());
    }
}

TEST_F(CommSetting, OkClosesAndCancelAppliesNothing)
{
    dialog.show();
    scanAll()->setItemIndex(1);
    list("CboComA")->setCurrentIndex(6);
    list("CboPsl")->setCurrentIndex(1);
    ctl<QLineEdit>("TxtTitle")->setText(QStringLiteral("改過"));
    QSignalSpy titles(&dialog, &TFmCommSetting::titleApplied);
    dialog.BtnCancelClick();

    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(model.scanAll());
    EXPECT_EQ(model.lineSettings(1).ComPort, 1);
    EXPECT_TRUE(store.writeLog().isEmpty());
    EXPECT_EQ(titles.size(), 0);
    // The edits stay for the next showing (and for the shutdown save).
    EXPECT_EQ(ctl<QLineEdit>("TxtTitle")->text(), QStringLiteral("改過"));

    dialog.show();
    list("CboComA")->setCurrentIndex(6); // the showing put the engine's port back
    ctl<QPushButton>("BtnOK")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(model.lineSettings(1).ComPort, 7);
    EXPECT_EQ(titles.size(), 1);
}

TEST_F(CommSetting, StoreThatCannotKeepTheTypesIsReportedButTheEngineIsSet)
{
    store.failWriting("FmCommSetting", "Psl");
    list("CboPsl")->setCurrentIndex(1);
    list("CboConverter")->setCurrentIndex(1);
    ASSERT_TRUE(dialog.applyOk());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].caption, QStringLiteral("錯誤"));
    EXPECT_EQ(boxes.shown[0].text, QStringLiteral("無法寫入設定值「Psl」"));
    EXPECT_EQ(model.lineSettings(2).Psl, TPsl::rtu);
    EXPECT_EQ(model.lineSettings(2).Converter, TConverter::RS485);
    EXPECT_FALSE(store.isKeyOpen());
}

TEST_F(CommSetting, PortSearchFillsTheMemoAfresh)
{
    QStringList lines = {QStringLiteral("COM1 /dev/ttyS0"),
                         QStringLiteral("COM2 /dev/ttyUSB0====>COM2 ComPort USB Port ")};
    int searches = 0;
    dialog.setPortSearchSource([&] {
        ++searches;
        return lines;
    });
    ctl<QPushButton>("RzButton1")->click();
    EXPECT_EQ(searches, 1);
    EXPECT_EQ(ctl<QPlainTextEdit>("Memo1")->toPlainText(), lines.join('\n'));
    lines.clear();
    dialog.RzButton1Click();
    EXPECT_TRUE(ctl<QPlainTextEdit>("Memo1")->toPlainText().isEmpty());
}

// The dialog's own section of the store: what it saves, and a load that ends in OK.
TEST_F(CommSetting, ItsSettingsSectionSavesAndRestoresTheDialog)
{
    scanAll()->setItemIndex(1);
    list("CboConverter")->setCurrentIndex(2);
    list("CboComA")->setCurrentIndex(4);
    type("Edit2", "12"); // kept as typed; its list is saved as -1
    list("CboBpsA")->setCurrentIndex(0);
    list("CboBpsC")->setCurrentIndex(2);
    ctl<QLineEdit>("TxtTitle")->setText(QStringLiteral("二號廠 監控"));
    ASSERT_EQ(SaveSettings(store, {dialog.settingsSection()}), QString());
    // Item indexes are integers, except the speeds, which are kept as their decimal text.
    using Value = MemorySettingsStore::Value;
    EXPECT_EQ(store.value("FmCommSetting", "COMB"), Value(-1));
    EXPECT_EQ(store.value("FmCommSetting", "ScanAll"), Value(1));
    EXPECT_EQ(store.value("FmCommSetting", "BPSB"), Value(QStringLiteral("-1")));
    EXPECT_EQ(store.value("FmCommSetting", "BPSC"), Value(QStringLiteral("2")));
    EXPECT_EQ(store.value("FmCommSetting", "OtherComB"), Value(QStringLiteral("12")));
    EXPECT_EQ(store.value("FmCommSetting", "OtherComA"), Value(QString()));
    EXPECT_FALSE(store.value("FmCommSetting", "Psl").has_value());
    store.setInteger("FmCommSetting", "Psl", 1); // as an earlier OK left it

    PlantModel nextModel;
    RecordingBoxes nextBoxes;
    TFmCommSetting next(nextModel, store, nextBoxes);
    QString title;
    QObject::connect(&next, &TFmCommSetting::titleApplied, [&title](const QString &t) { title = t; });
    EXPECT_EQ(LoadSettings(store, {next.settingsSection()}), QString());

    EXPECT_EQ(next.findChild<RadioGroup *>("RdoScanAll")->itemIndex(), 1);
    EXPECT_EQ(next.findChild<QComboBox *>("CboComB")->currentIndex(), -1);
    EXPECT_EQ(next.findChild<QLineEdit *>("Edit2")->text(), QStringLiteral("12"));
    EXPECT_TRUE(nextModel.scanAll());
    EXPECT_EQ(nextModel.lineSettings(1).ComPort, 5);
    EXPECT_EQ(nextModel.lineSettings(1).BaudRate, 38400);
    EXPECT_EQ(nextModel.lineSettings(1).Converter, TConverter::RS485);
    EXPECT_EQ(nextModel.lineSettings(1).Psl, TPsl::rtu);
    EXPECT_EQ(nextModel.lineSettings(2).ComPort, 12) << "the typed port survives the restart";
    EXPECT_EQ(nextModel.lineSettings(2).BaudRate, 2400);
    EXPECT_EQ(nextModel.lineSettings(3).BaudRate, 9600);
    EXPECT_EQ(title, QStringLiteral("二號廠 監控"));
    EXPECT_TRUE(nextBoxes.shown.isEmpty()) << "nothing is said during the load";
}

// The declared initial states are the ones the dialog starts in, so that an unusable
// stored value puts back what a fresh dialog shows.
TEST_F(CommSetting, DeclaredInitialStatesAreTheDialogsOwn)
{
    for (const SettingValue &value : dialog.settingsSection().values)
        EXPECT_EQ(value.read().toString(), value.initial.toString()) << value.name.toStdString();
}

} // namespace
