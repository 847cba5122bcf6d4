// The add and change dialogs and the delete buttons of the alarm page, on the
// fixture's SQLite files: every mode, the duplicate message, limits that are not
// numbers, and the engine's copy following each stored and deleted row.

#include "accessiblewalk.h"
#include "alarmhelpers.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

namespace {

class AlarmDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        f.home().show();
        f.control<QPushButton>("BtnAlmSetting")->click();
        ASSERT_TRUE(f.boxes.shown.isEmpty());
    }

    template <typename T = QWidget>
    T *add(const char *name) { return inWindow<T>(f, "FmAddAlarm", name); }
    template <typename T = QWidget>
    T *change(const char *name) { return inWindow<T>(f, "FmModifyAlarm", name); }
    QTableView *grid() { return f.control<QTableView>("DBGrid1"); }
    QStringList rows() { return gridRows(grid()); }
    void select(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }

    // Through the dialog as an operator does: open, choose, type, OK.
    void addPoints(const char *option, const char *panel, const char *slot, const char *high, const char *low,
                   bool first = true)
    {
        f.control<QPushButton>("BtnAddSetting")->click();
        add<QRadioButton>(option)->click();
        if (panel)
            add<QComboBox>(qstrcmp(option, "Radio2") == 0 ? "CboPanel2" : "CboPanel1")->setCurrentText(panel);
        if (slot)
            add<QComboBox>("CboControllerNO")->setCurrentText(slot);
        add<QLineEdit>("TxtHAlm")->setText(QString::fromUtf8(high));
        add<QLineEdit>("TxtLAlm")->setText(QString::fromUtf8(low));
        add<QCheckBox>("ChkFirstAlarm")->setChecked(first);
        add<QPushButton>("BtnOK")->click();
    }

    HomeFixture f;
};

TEST_F(AlarmDialogs, AddDialogStartsWithOneSlotTenAndTenAndItsListsFollowTheOption)
{
    f.control<QPushButton>("BtnAddSetting")->click();
    EXPECT_TRUE(f.window("FmAddAlarm")->isVisible());
    EXPECT_TRUE(add<QRadioButton>("Radio1")->isChecked());
    EXPECT_EQ(add<QLineEdit>("TxtHAlm")->text(), "10");
    EXPECT_EQ(add<QLineEdit>("TxtLAlm")->text(), "10");
    EXPECT_TRUE(add<QCheckBox>("ChkFirstAlarm")->isChecked());
    for (const char *list : {"CboPanel1", "CboControllerNO", "CboPanel2"})
        EXPECT_FALSE(add<QComboBox>(list)->isEditable()) << list << " is pick-only";
    EXPECT_EQ(add<QComboBox>("CboControllerNO")->itemText(0), "01");
    EXPECT_EQ(add<QComboBox>("CboControllerNO")->itemText(9), "10");

    struct Mode {
        const char *option;
        bool panel1;
        bool slot;
        bool panel2;
    };
    const Mode modes[] = {{"Radio2", false, false, true}, {"Radio3", false, false, false}, {"Radio1", true, true, false}};
    for (const Mode &m : modes) {
        add<QRadioButton>(m.option)->click();
        EXPECT_EQ(add("CboPanel1")->isEnabled(), m.panel1) << m.option;
        EXPECT_EQ(add("CboControllerNO")->isEnabled(), m.slot) << m.option;
        EXPECT_EQ(add("CboPanel2")->isEnabled(), m.panel2) << m.option;
    }
    add<QPushButton>("BtnCancel")->click();
    EXPECT_FALSE(f.window("FmAddAlarm")->isVisible());
    EXPECT_TRUE(rows().isEmpty());
}

TEST_F(AlarmDialogs, AddedPointsReachTheGridAndTheEngineWithTheirState)
{
    addPoints("Radio1", "2", "07", "5", "2.5", false);
    EXPECT_FALSE(f.window("FmAddAlarm")->isVisible());
    EXPECT_EQ(rows(), QStringList{"2 07 5 2.5 NO"});
    const AlarmLimits limits = f.model.alarmLimits(2, 7);
    EXPECT_EQ(limits.HAlarm, "5");
    EXPECT_EQ(limits.LAlarm, "2.5");
    EXPECT_FALSE(limits.FirstAlarm);

    // The dialog keeps its entries; a whole panel after it lands in key order.
    addPoints("Radio2", "3", nullptr, "10", "10");
    EXPECT_EQ(rows().size(), 11);
    EXPECT_EQ(rows().first(), "2 07 5 2.5 NO");
    EXPECT_EQ(rows().at(1), "3 01 10 10 YES");
    EXPECT_EQ(rows().last(), "3 10 10 10 YES");
    EXPECT_EQ(f.model.alarmLimits(3, 10).HAlarm, "10");
    EXPECT_TRUE(f.model.alarmLimits(3, 10).FirstAlarm);
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST_F(AlarmDialogs, DuplicateSlotIsNamedTheRowsBeforeItStayAndTheDialogStaysOpen)
{
    addPoints("Radio1", "1", "04", "3", "3");
    f.boxes.shown.clear();
    addPoints("Radio2", "1", nullptr, "10", "10");

    ASSERT_EQ(f.boxes.shown.size(), 2);
    EXPECT_EQ(f.boxes.shown[0].caption, "警報點重複設定");
    EXPECT_EQ(f.boxes.shown[0].text, "盤面:1,溫控點:04");
    EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Warning);
    EXPECT_EQ(f.boxes.shown[1].caption, "錯誤") << "then the table's own error, as the error report shows it";
    EXPECT_EQ(f.boxes.shown[1].icon, MessageBoxes::Icon::Error);
    EXPECT_TRUE(f.window("FmAddAlarm")->isVisible());
    EXPECT_EQ(rows(), QStringList({"1 01 10 10 YES", "1 02 10 10 YES", "1 03 10 10 YES", "1 04 3 3 YES"}));
    EXPECT_EQ(f.model.alarmLimits(1, 4).HAlarm, "3") << "the existing point is not touched";
    EXPECT_TRUE(f.model.alarmLimits(1, 5).HAlarm.isEmpty()) << "nothing after the refused row";
}

TEST_F(AlarmDialogs, LimitThatIsNotANumberStoresNothing)
{
    struct Case {
        const char *high;
        const char *low;
        const char *named;
    };
    const Case cases[] = {{"abc", "10", "偏差高警報設定值「abc」"}, {"10", "", "偏差低警報設定值「」"}, {"1.2.3", "x", "偏差高警報設定值"}};
    for (const Case &c : cases) {
        f.boxes.shown.clear();
        addPoints("Radio3", nullptr, nullptr, c.high, c.low);
        ASSERT_EQ(f.boxes.shown.size(), 1) << c.high;
        EXPECT_EQ(f.boxes.shown[0].caption, "訊息");
        EXPECT_TRUE(f.boxes.shown[0].text.startsWith(QString::fromUtf8(c.named))) << f.boxes.shown[0].text.toStdString();
        EXPECT_TRUE(f.window("FmAddAlarm")->isVisible());
        EXPECT_TRUE(rows().isEmpty());
    }
}

TEST_F(AlarmDialogs, ChangeShowsTheSelectedRowAndRestartsItsSlot)
{
    addPoints("Radio1", "1", "02", "10", "10");
    addPoints("Radio1", "1", "05", "4", "6", false);
    // The slot has alarmed meanwhile.
    f.model.evaluateDeviation(1, 5, QStringLiteral("0"), QStringLiteral("100"));
    f.model.evaluateDeviation(1, 5, QStringLiteral("200"), QStringLiteral("100"));
    ASSERT_EQ(f.model.alarmState(1, 5).EventCount, 2);

    select(1);
    f.control<QPushButton>("BtnModifySetting")->click();
    ASSERT_TRUE(f.window("FmModifyAlarm")->isVisible());
    EXPECT_EQ(change<QLabel>("STxtPanel")->text(), "1");
    EXPECT_EQ(change<QLabel>("STxtControllerNO")->text(), "05");
    EXPECT_EQ(change<QLineEdit>("TxtHAlm")->text(), "4");
    EXPECT_EQ(change<QLineEdit>("TxtLAlm")->text(), "6");
    EXPECT_FALSE(change<QCheckBox>("ChkFirstAlarm")->isChecked());

    change<QLineEdit>("TxtHAlm")->setText(QStringLiteral("7.5"));
    change<QCheckBox>("ChkFirstAlarm")->setChecked(true);
    change<QPushButton>("BtnOK")->click();
    EXPECT_FALSE(f.window("FmModifyAlarm")->isVisible());
    EXPECT_EQ(rows(), QStringList({"1 02 10 10 YES", "1 05 7.5 6 YES"}));
    EXPECT_EQ(f.model.alarmLimits(1, 5).HAlarm, "7.5");
    EXPECT_TRUE(f.model.alarmLimits(1, 5).FirstAlarm);
    EXPECT_EQ(f.model.alarmState(1, 5).EventCount, 0);
    EXPECT_FALSE(f.model.alarmState(1, 5).HighActive);

    // Opened on the other row, it shows that row's values, not what was typed before.
    select(0);
    f.control<QPushButton>("BtnModifySetting")->click();
    EXPECT_EQ(change<QLabel>("STxtControllerNO")->text(), "02");
    EXPECT_EQ(change<QLineEdit>("TxtHAlm")->text(), "10");
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST_F(AlarmDialogs, RefusedChangeKeepsTheStoredRow)
{
    addPoints("Radio1", "1", "02", "10", "10");
    addPoints("Radio1", "1", "05", "4", "6");
    select(0);
    f.control<QPushButton>("BtnModifySetting")->click();

    change<QLineEdit>("TxtLAlm")->setText(QStringLiteral("zwei"));
    change<QPushButton>("BtnOK")->click();
    ASSERT_EQ(f.boxes.shown.size(), 1);
    EXPECT_EQ(f.boxes.shown[0].caption, "訊息");
    EXPECT_TRUE(f.window("FmModifyAlarm")->isVisible());

    // While the dialog shows 1/02 the operator selects 1/05 and presses OK: that
    // row would take slot 2, which has a row. Both stay as stored.
    f.boxes.shown.clear();
    change<QLineEdit>("TxtLAlm")->setText(QStringLiteral("1"));
    select(1);
    change<QPushButton>("BtnOK")->click();
    ASSERT_EQ(f.boxes.shown.size(), 2);
    EXPECT_EQ(f.boxes.shown[0].text, "盤面:1,溫控點:02");
    EXPECT_EQ(f.boxes.shown[1].caption, "錯誤");
    EXPECT_EQ(rows(), QStringList({"1 02 10 10 YES", "1 05 4 6 YES"}));
    EXPECT_EQ(f.model.alarmLimits(1, 5).HAlarm, "4");
    EXPECT_TRUE(f.window("FmModifyAlarm")->isVisible());
}

TEST_F(AlarmDialogs, DeleteAndDeleteAllLeaveTheSlotsUnwatched)
{
    f.control<QPushButton>("BtnModifySetting")->click();
    EXPECT_FALSE(f.window("FmModifyAlarm")->isVisible()) << "nothing to change on an empty table";
    f.control<QPushButton>("BtnDeleteSetting")->click();
    f.control<QPushButton>("BtnDelteAll")->click();
    EXPECT_TRUE(f.boxes.shown.isEmpty());

    addPoints("Radio3", nullptr, nullptr, "10", "10");
    ASSERT_EQ(rows().size(), 30);
    select(12);
    f.control<QPushButton>("BtnDeleteSetting")->click();
    EXPECT_EQ(rows().size(), 29);
    EXPECT_FALSE(rows().contains("2 03 10 10 YES"));
    EXPECT_TRUE(f.model.alarmLimits(2, 3).HAlarm.isEmpty());
    EXPECT_FALSE(f.model.alarmLimits(2, 4).HAlarm.isEmpty());
    // The selection moves to the next row, which the next delete takes.
    f.control<QPushButton>("BtnDeleteSetting")->click();
    EXPECT_FALSE(rows().contains("2 04 10 10 YES"));

    f.control<QPushButton>("BtnDelteAll")->click();
    EXPECT_TRUE(rows().isEmpty());
    for (int panel = 1; panel <= 3; ++panel)
        for (int slot = 1; slot <= 10; ++slot)
            EXPECT_TRUE(f.model.alarmLimits(panel, slot).HAlarm.isEmpty()) << panel << "/" << slot;
    // No slot is evaluated any more.
    EXPECT_TRUE(f.model.evaluateDeviation(1, 1, QStringLiteral("0"), QStringLiteral("100")).empty());
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

} // namespace

namespace {

// Names of the operable controls and the lists and grids below `root` as the
// accessibility tree gives them; the unnamed ones are listed as "?objectName".
QStringList accessibleNames(QWidget *root)
{
    QStringList names;
    const auto visit = [&](QAccessibleInterface *node) {
        switch (node->role()) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::List:
        case QAccessible::Table: {
            const QString name = node->text(QAccessible::Name).trimmed();
            names << (name.isEmpty() ? QStringLiteral("?") + (node->object() ? node->object()->objectName() : QString())
                                     : name);
            break;
        }
        default:
            break;
        }
    };
    visitAccessible(root, visit);
    return names;
}

TEST_F(AlarmDialogs, ControlsAreFoundByCaptionOrControlName)
{
    f.control<QAbstractButton>("ImgButton3")->click();
    f.control<QPushButton>("BtnAlmSetting")->click();
    const QStringList settings = accessibleNames(f.control("Panel3"));
    f.control<QPushButton>("BtnAlmRecord")->click();
    const QStringList record = accessibleNames(f.control("Panel3"));
    for (QWidget *w : {f.window("FmAddAlarm"), f.window("FmModifyAlarm"), f.window("FmAlmDlg")})
        w->show();
    for (const QString &name : settings + record + accessibleNames(f.window("FmAddAlarm"))
                                   + accessibleNames(f.window("FmModifyAlarm")) + accessibleNames(f.window("FmAlmDlg")))
        EXPECT_FALSE(name.startsWith(QLatin1Char('?'))) << name.toStdString();
    for (const char *name : {"DBGrid1", "增加警報點....", "變更設定值....", "刪除警報點", "刪除所有警報點", "警報點設定", "警報紀錄"})
        EXPECT_TRUE(settings.contains(QString::fromUtf8(name))) << name;
    for (const char *name : {"LstAlarming", "列印", "刪除紀錄", "刪除所有紀錄", "自動列印", "列印後清除紀錄"})
        EXPECT_TRUE(record.contains(QString::fromUtf8(name))) << name;
    EXPECT_TRUE(accessibleNames(f.window("FmAlmDlg")).contains("LstAlarm"));
    EXPECT_TRUE(accessibleNames(f.window("FmAddAlarm")).contains("偏差高警報設定值"));
    EXPECT_TRUE(accessibleNames(f.window("FmModifyAlarm")).contains("高警報設定值"));
}

} // namespace
