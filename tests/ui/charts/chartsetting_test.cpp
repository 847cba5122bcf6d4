// The chart settings dialog on the running program: reading the charts back when
// shown, OK applying everything or (for a refused text) nothing, cancel, the
// point-count fields, and its values kept by the settings store.

#include "accessiblewalk.h"
#include "chartview.h"
#include "homefixture.h"
#include "pointcountfield.h"
#include "tfmbarpage.h"
#include "tfmchartsetting.h"
#include "trendpage.h"
#include "trendsampling.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

class ChartSettingFixture : public HomeFixture {
public:
    explicit ChartSettingFixture(SettingsStore *store = nullptr) : HomeFixture(store) { home().show(); }

    TFmChartSetting &dialog() { return *static_cast<TFmChartSetting *>(window("FmChartSetting")); }
    template <typename T = QWidget>
    T *field(const QString &name) { return dialog().findChild<T *>(name); }
    QLineEdit *edit(const QString &name) { return field<QLineEdit>(name); }
    PointCountField *points(char letter) { return field<PointCountField>(QStringLiteral("Cht%1Max").arg(letter)); }
    void check(const QString &name, bool on) { field<QAbstractButton>(name)->setChecked(on); }
    void click(const QString &name) { field<QAbstractButton>(name)->click(); }
    ChartView &chart(int panel) { return *home().trendPage()->chart(panel); }
    TrendPage &trends() { return *home().trendPage(); }
    QTimer &timer() { return *home().TmrChart(); }
    void open()
    {
        dialog().hide();
        dialog().show();
    }
    bool svShown(int panel)
    {
        bool all = true;
        bool none = true;
        for (int slot = 1; slot <= 10; ++slot) {
            all = all && chart(panel).isSeriesVisible(svSeries(slot));
            none = none && !chart(panel).isSeriesVisible(svSeries(slot));
            EXPECT_TRUE(chart(panel).isSeriesVisible(pvSeries(slot)));
        }
        EXPECT_TRUE(all || none) << "SV series of panel " << panel << " shown in part";
        return all;
    }
};

TEST(ChartSetting, StartUpRunsOkOnceWithTheDesignValues)
{
    ChartSettingFixture f;
    EXPECT_FALSE(f.dialog().isVisible());
    for (int panel = 1; panel <= 3; ++panel) {
        EXPECT_EQ(f.trends().PointLimit(panel), 1000);
        EXPECT_TRUE(f.chart(panel).leftAxisAutomatic());
        EXPECT_FALSE(f.chart(panel).is3D());
        EXPECT_FALSE(f.svShown(panel));
    }
    EXPECT_EQ(f.timer().interval(), 5000);
    EXPECT_FALSE(f.timer().isActive());
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST(ChartSetting, SampleTimeOutsideOneToSixtyIsRefusedAndReset)
{
    const struct {
        const char *text;
        bool accepted;
        int interval;
    } cases[] = {{"0", false, 5000}, {"61", false, 5000}, {"60", true, 60000}, {"1", true, 1000}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        ChartSettingFixture f;
        f.open();
        f.click(QStringLiteral("RdoLimitA"));
        f.edit(QStringLiteral("TxtYminA"))->setText(QStringLiteral("20"));
        f.edit(QStringLiteral("TxtYmaxA"))->setText(QStringLiteral("80"));
        f.edit(QStringLiteral("TxtChtSample"))->setText(QString::fromLatin1(c.text));
        f.click(QStringLiteral("BtnChtSetingOk"));
        EXPECT_EQ(f.timer().interval(), c.interval);
        EXPECT_EQ(f.dialog().isVisible(), !c.accepted);
        EXPECT_EQ(f.chart(1).leftAxisAutomatic(), !c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(f.boxes.shown.isEmpty());
            continue;
        }
        ASSERT_EQ(f.boxes.shown.size(), 1);
        EXPECT_EQ(f.boxes.shown[0].caption, QStringLiteral("訊息"));
        EXPECT_EQ(f.boxes.shown[0].text, QStringLiteral("取樣時間超出輸入範圍"));
        EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Information);
        EXPECT_EQ(f.edit(QStringLiteral("TxtChtSample"))->text(), QStringLiteral("5"));
    }
}

TEST(ChartSetting, RefusedTextAppliesNothing)
{
    const struct {
        const char *name;
        std::function<void(ChartSettingFixture &)> spoil;
        int tab; // tab brought to the front for the refused field
    } cases[] = {
        {"sample time not a number", [](ChartSettingFixture &f) { f.edit("TxtChtSample")->setText("abc"); }, 0},
        {"fractional sample time", [](ChartSettingFixture &f) { f.edit("TxtChtSample")->setText("2.5"); }, 0},
        {"panel 3 maximum not a number",
         [](ChartSettingFixture &f) {
             f.click("RdoLimitC");
             f.edit("TxtYmaxC")->setText("x");
         },
         2},
        {"panel 2 minimum not below maximum",
         [](ChartSettingFixture &f) {
             f.click("RdoLimitB");
             f.edit("TxtYminB")->setText("90");
             f.edit("TxtYmaxB")->setText("90");
         },
         1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ChartSettingFixture f;
        f.open();
        f.dialog().findChild<QTabWidget *>("PageControl")->setCurrentIndex(0);
        // Everything else is a valid change that must not be half applied.
        f.click("RdoLimitA");
        f.edit("TxtYminA")->setText("20");
        f.edit("TxtYmaxA")->setText("80");
        f.points('A')->setText("50");
        f.check("Chk3DA", true);
        f.check("ChkSV1", true);
        f.edit("TxtChtSample")->setText("9");
        c.spoil(f);
        f.click("BtnChtSetingOk");

        ASSERT_EQ(f.boxes.shown.size(), 1);
        EXPECT_EQ(f.boxes.shown[0].caption, QStringLiteral("錯誤"));
        EXPECT_EQ(f.boxes.shown[0].icon, MessageBoxes::Icon::Error);
        EXPECT_TRUE(f.dialog().isVisible());
        EXPECT_TRUE(f.chart(1).leftAxisAutomatic());
        EXPECT_FALSE(f.chart(1).is3D());
        EXPECT_FALSE(f.svShown(1));
        EXPECT_EQ(f.trends().PointLimit(1), 1000);
        EXPECT_EQ(f.timer().interval(), 5000);
        EXPECT_EQ(f.dialog().findChild<QTabWidget *>("PageControl")->currentIndex(), c.tab);
    }
}

TEST(ChartSetting, FixedRangeIsAppliedAndReadBackOnReopening)
{
    ChartSettingFixture f;
    f.open();
    EXPECT_FALSE(f.edit("TxtYminA")->isEnabled());
    f.click("RdoLimitA");
    EXPECT_TRUE(f.edit("TxtYminA")->isEnabled());
    EXPECT_TRUE(f.edit("TxtYmaxA")->isEnabled());
    EXPECT_FALSE(f.edit("TxtYminB")->isEnabled()) << "only panel 1's fields";
    f.edit("TxtYminA")->setText("20");
    f.edit("TxtYmaxA")->setText("80");
    f.click("BtnChtSetingOk");
    EXPECT_FALSE(f.dialog().isVisible());
    ASSERT_FALSE(f.chart(1).leftAxisAutomatic());
    EXPECT_EQ(f.chart(1).leftAxisRange().min, 20);
    EXPECT_EQ(f.chart(1).leftAxisRange().max, 80);
    EXPECT_TRUE(f.chart(2).leftAxisAutomatic());

    // What the operator left in the fields is not what is read back.
    f.edit("TxtYminA")->setText("1");
    f.check("RdoAutoA", true);
    f.open();
    EXPECT_EQ(f.edit("TxtYminA")->text(), "20");
    EXPECT_EQ(f.edit("TxtYmaxA")->text(), "80");
    EXPECT_TRUE(f.field<QRadioButton>("RdoLimitA")->isChecked());
    EXPECT_FALSE(f.field<QRadioButton>("RdoAutoA")->isChecked());
    EXPECT_TRUE(f.edit("TxtYminA")->isEnabled());

    f.click("RdoAutoA");
    EXPECT_FALSE(f.edit("TxtYminA")->isEnabled());
    f.click("BtnChtSetingOk");
    EXPECT_TRUE(f.chart(1).leftAxisAutomatic());
}

TEST(ChartSetting, AutomaticModeShowsTheRangeTheChartChose)
{
    ChartSettingFixture f;
    emit f.home().windows().barPage->scanWindowClosed();
    for (int slot = 1; slot <= 10; ++slot)
        f.model.setReading(2, slot, {QString::number(10.5 * slot, 'f', 1), QStringLiteral("999.0"), {}});
    f.trends().TmrChartTimer();
    f.model.setReading(2, 4, {QStringLiteral("-3.5"), QStringLiteral("999.0"), {}});
    f.trends().TmrChartTimer();
    f.edit("TxtChtSample")->setText("17");
    f.open();
    // SV lines are hidden (the design state), so only PV decides.
    EXPECT_EQ(f.edit("TxtYminB")->text(), "-3.5");
    EXPECT_EQ(f.edit("TxtYmaxB")->text(), "105");
    EXPECT_FALSE(f.edit("TxtYminB")->isEnabled());
    EXPECT_TRUE(f.field<QRadioButton>("RdoAutoB")->isChecked());
    EXPECT_EQ(f.edit("TxtChtSample")->text(), "5") << "the timer's interval, not the field's last text";
}

TEST(ChartSetting, SvLinesAnd3DPerChart)
{
    ChartSettingFixture f;
    f.open();
    f.check("ChkSV1", true);
    f.check("ChkSV2", false);
    f.check("ChkSV3", true);
    f.check("Chk3DB", true);
    f.click("BtnChtSetingOk");
    EXPECT_TRUE(f.svShown(1));
    EXPECT_FALSE(f.svShown(2));
    EXPECT_TRUE(f.svShown(3));
    EXPECT_FALSE(f.chart(1).is3D());
    EXPECT_TRUE(f.chart(2).is3D());
    EXPECT_FALSE(f.chart(3).is3D());

    f.check("ChkSV1", false);
    f.check("Chk3DB", false);
    f.open();
    EXPECT_TRUE(f.field<QCheckBox>("ChkSV1")->isChecked());
    EXPECT_FALSE(f.field<QCheckBox>("ChkSV2")->isChecked());
    EXPECT_TRUE(f.field<QCheckBox>("Chk3DB")->isChecked());
}

TEST(ChartSetting, PointCountFieldIsClampedWhenLeft)
{
    ChartSettingFixture f;
    f.open();
    PointCountField *field = f.points('A');
    QLineEdit *editor = field->editor();
    const struct {
        const char *typed;
        const char *shown;
    } cases[] = {{"5000", "3600"}, {"0", "1"}, {"", "1"}, {"3600", "3600"}, {"250", "250"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        editor->clear();
        QTest::keyClicks(editor, QString::fromLatin1(c.typed));
        EXPECT_EQ(field->text(), QString::fromLatin1(c.typed)) << "clamped while typing";
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(editor, &leave);
        EXPECT_EQ(field->text(), QString::fromLatin1(c.shown));
    }
    // Letters are not taken; the arrows and keys step by one within the range.
    QTest::keyClicks(editor, QStringLiteral("x"));
    EXPECT_EQ(field->text(), "250");
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(field->text(), "251");
    field->setText("3600");
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(field->text(), "3600");
    field->setText("1");
    field->stepBy(-1);
    EXPECT_EQ(field->text(), "1");

    field->setText("2000");
    f.click("BtnChtSetingOk");
    EXPECT_EQ(f.trends().PointLimit(1), 2000);
    EXPECT_EQ(f.trends().PointLimit(2), 1000);
}

TEST(ChartSetting, CancelChangesNothingAndKeepsTheTexts)
{
    ChartSettingFixture f;
    f.open();
    f.click("RdoLimitC");
    f.edit("TxtYminC")->setText("10");
    f.edit("TxtYmaxC")->setText("20");
    f.points('C')->setText("77");
    f.check("Chk3DC", true);
    f.check("ChkSV3", true);
    f.edit("TxtChtSample")->setText("30");
    f.click("BtnChtSetingCancel");

    EXPECT_FALSE(f.dialog().isVisible());
    EXPECT_TRUE(f.chart(3).leftAxisAutomatic());
    EXPECT_FALSE(f.chart(3).is3D());
    EXPECT_FALSE(f.svShown(3));
    EXPECT_EQ(f.trends().PointLimit(3), 1000);
    EXPECT_EQ(f.timer().interval(), 5000);
    EXPECT_EQ(f.edit("TxtYminC")->text(), "10");
    EXPECT_EQ(f.points('C')->text(), "77");
    EXPECT_TRUE(f.boxes.shown.isEmpty());
}

TEST(ChartSetting, ValuesSurviveARestart)
{
    MemorySettingsStore store;
    {
        ChartSettingFixture f(&store);
        f.open();
        f.click("RdoLimitB");
        f.edit("TxtYminB")->setText("10");
        f.edit("TxtYmaxB")->setText("90");
        f.check("Chk3DC", true);
        f.check("ChkSV2", true);
        f.edit("TxtChtSample")->setText("7");
        f.points('C')->setText("2000");
        // Not confirmed: the store keeps the controls as they stand.
        f.click("BtnChtSetingCancel");
    }
    const QString key = QStringLiteral("FmChartSetting");
    EXPECT_EQ(store.integerValue(key, "RdoAutoB"), 0);
    EXPECT_EQ(store.integerValue(key, "RdoLimitB"), 1);
    EXPECT_EQ(store.integerValue(key, "RdoAutoA"), 1);
    EXPECT_EQ(store.stringValue(key, "TxtYminB"), QStringLiteral("10"));
    EXPECT_EQ(store.stringValue(key, "TxtYmaxB"), QStringLiteral("90"));
    EXPECT_EQ(store.integerValue(key, "Chk3DC"), 1);
    EXPECT_EQ(store.integerValue(key, "ChkSV2"), 1);
    EXPECT_EQ(store.integerValue(key, "ChkSV1"), 0);
    EXPECT_EQ(store.stringValue(key, "TxtChtSample"), QStringLiteral("7"));
    EXPECT_EQ(store.stringValue(key, "TxtChtCMax"), QStringLiteral("2000"));
    EXPECT_EQ(store.stringValue(key, "TxtChtAMax"), QStringLiteral("1000"));

    // A text the store holds goes into its field as it stands, unclamped.
    store.setString(key, "TxtChtAMax", "5000");
    ChartSettingFixture g(&store);
    EXPECT_TRUE(g.boxes.shown.isEmpty()) << g.boxes.shown.value(0).text.toStdString();
    ASSERT_FALSE(g.chart(2).leftAxisAutomatic());
    EXPECT_EQ(g.chart(2).leftAxisRange().min, 10);
    EXPECT_EQ(g.chart(2).leftAxisRange().max, 90);
    EXPECT_TRUE(g.chart(1).leftAxisAutomatic());
    EXPECT_TRUE(g.chart(3).is3D());
    EXPECT_TRUE(g.svShown(2));
    EXPECT_FALSE(g.svShown(1));
    EXPECT_EQ(g.timer().interval(), 7000);
    EXPECT_EQ(g.trends().PointLimit(3), 2000);
    EXPECT_EQ(g.points('A')->text(), "5000");
    EXPECT_EQ(g.trends().PointLimit(1), 5000);
    EXPECT_TRUE(g.edit("TxtYminB")->isEnabled());
}

TEST(ChartSetting, EveryControlIsFoundByItsName)
{
    ChartSettingFixture f;
    f.open();
    QStringList names;
    const auto visit = [&](QAccessibleInterface *node) {
        names << node->text(QAccessible::Name);
    };
    auto *tabs = f.dialog().findChild<QTabWidget *>("PageControl");
    for (int tab = 0; tab < 3; ++tab) {
        tabs->setCurrentIndex(tab);
        visitAccessible(&f.dialog(), visit, true);
    }
    QStringList expected = {"TxtChtSample", "確定", "取消", "盤面1", "盤面2", "盤面3"};
    for (const char letter : {'A', 'B', 'C'}) {
        for (const char *pattern : {"Cht%1Max", "TxtYmin%1", "TxtYmax%1"})
            expected << QString::fromLatin1(pattern).arg(letter);
    }
    expected << "Auto Scale" << "設定上下限" << "3D顯示" << "顯示SV";
    for (const QString &name : expected)
        EXPECT_TRUE(names.contains(name)) << name.toStdString();
}

} // namespace
