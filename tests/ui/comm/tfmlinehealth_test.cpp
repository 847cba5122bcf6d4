// The line health window "通訊狀態" as a screen reader meets it: its caption, the
// table of thirty stations, figures that move while it is shown, the warning rows,
// zeroing and copying; and the two ways of opening it.

#include "accessiblewalk.h"
#include "homefixture.h"
#include "tfmlinehealth.h"

#include <QAbstractButton>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kTransactions = 3;
constexpr int kGoodPercent = 4;
constexpr int kTimeouts = 5;
constexpr int kChecksum = 6;
constexpr int kMedianMs = 10;

// A refresh is due every second; allow a loaded machine a good margin.
constexpr int kRefreshWaitMs = 5000;

int rowOf(int panel, int slot)
{
    return (panel - 1) * 10 + slot - 1;
}

ReadOutcome goodRead(double ms, int checksumBefore = 0)
{
    ReadOutcome o;
    o.attempts = 1 + checksumBefore;
    o.checksumErrors = checksumBefore;
    o.good = true;
    o.replyMs = ms;
    return o;
}

QAccessibleInterface *findByName(QObject *root, const QString &name, QAccessible::Role role)
{
    QAccessibleInterface *found = nullptr;
    visitAccessible(root, [&](QAccessibleInterface *node) {
        if (!found && node->role() == role && node->text(QAccessible::Name) == name)
            found = node;
    });
    return found;
}

class LineHealthWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QAccessibleInterface *node = findByName(&window, QStringLiteral("通訊狀態"), QAccessible::Table);
        ASSERT_NE(node, nullptr) << "no table named 通訊狀態 in the accessibility tree";
        table = node->tableInterface();
        ASSERT_NE(table, nullptr);
    }

    QString cell(int row, int column) const
    {
        QAccessibleInterface *c = table->cellAt(row, column);
        return c ? c->text(QAccessible::Name) : QStringLiteral("<no cell>");
    }
    QString cellHint(int row, int column) const
    {
        QAccessibleInterface *c = table->cellAt(row, column);
        return c ? c->text(QAccessible::Description) : QString();
    }
    void press(const char *buttonName)
    {
        QAccessibleInterface *button =
            findByName(&window, QString::fromUtf8(buttonName), QAccessible::PushButton);
        ASSERT_NE(button, nullptr) << buttonName;
        button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }

    PlantModel model;
    TFmLineHealth window{model};
    QAccessibleTableInterface *table = nullptr;
};

TEST_F(LineHealthWindow, ShowsThirtyStationsWithTheirNumbers)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("通訊狀態"));
    ASSERT_EQ(table->rowCount(), 30);
    ASSERT_EQ(table->columnCount(), 12);
    QStringList headers;
    for (int c = 0; c < table->columnCount(); ++c)
        headers << table->columnDescription(c);
    EXPECT_EQ(headers.first(), QStringLiteral("盤面"));
    EXPECT_EQ(headers.last(), QStringLiteral("95 % ms"));
    for (const auto &[p, s] : {std::pair{1, 1}, {2, 3}, {3, 10}}) {
        EXPECT_EQ(cell(rowOf(p, s), 0), QString::number(p));
        EXPECT_EQ(cell(rowOf(p, s), 1), QString::number(s));
        EXPECT_EQ(cell(rowOf(p, s), 2), QString::number((p - 1) * 10 + s)) << "station number";
        EXPECT_EQ(cell(rowOf(p, s), kTransactions), QStringLiteral("0"));
        EXPECT_EQ(cell(rowOf(p, s), kGoodPercent), QString()) << "no reads, no percentage";
    }
}

TEST_F(LineHealthWindow, FiguresMoveWhileShownAndStopWhenHidden)
{
    const int row = rowOf(2, 3);
    for (double ms : {10.0, 30.0, 20.0})
        model.noteReadOutcome(2, 3, goodRead(ms));
    model.noteCycleTime(2, 812.5);
    ASSERT_TRUE(waitUntil([&] { return cell(row, kTransactions) == QStringLiteral("3"); }, kRefreshWaitMs));
    EXPECT_EQ(cell(row, kGoodPercent), QStringLiteral("100.0"));
    EXPECT_EQ(cell(row, kMedianMs), QStringLiteral("20.0"));
    EXPECT_TRUE(cellHint(row, kTransactions).isEmpty()) << "no failure, no warning";
    EXPECT_TRUE(window.findChild<QLabel *>(QStringLiteral("LabCycleB"))->text().contains(QStringLiteral("812.5")));

    // A read that needed a repeat: the row turns to the warning colour, and says so.
    model.noteReadOutcome(2, 3, goodRead(25, 1));
    ASSERT_TRUE(waitUntil([&] { return cell(row, kChecksum) == QStringLiteral("1"); }, kRefreshWaitMs));
    EXPECT_EQ(cellHint(row, kTransactions), QStringLiteral("最近一分鐘內有通訊失敗"));
    EXPECT_TRUE(cellHint(rowOf(2, 4), kTransactions).isEmpty());

    window.hide();
    EXPECT_FALSE(window.refreshing());
    window.show();
    EXPECT_TRUE(window.refreshing());
}

TEST_F(LineHealthWindow, ZeroingClearsEveryCount)
{
    model.noteReadOutcome(1, 1, goodRead(5, 2));
    ReadOutcome silent;
    silent.attempts = 6;
    silent.timeouts = 6;
    model.noteReadOutcome(3, 10, silent);
    ASSERT_TRUE(waitUntil([&] { return cell(rowOf(3, 10), kTimeouts) == QStringLiteral("6"); }, kRefreshWaitMs));

    press("歸零"); // a screen reader's press is an animated click: it lands a moment later
    ASSERT_TRUE(waitUntil([&] { return cell(rowOf(1, 1), kTransactions) == QStringLiteral("0"); }));
    for (int row : {rowOf(1, 1), rowOf(3, 10)}) {
        for (int column = kTransactions; column <= 8; ++column)
            if (column != kGoodPercent)
                EXPECT_EQ(cell(row, column), QStringLiteral("0")) << row << "/" << column;
        EXPECT_EQ(cell(row, kMedianMs), QString());
        EXPECT_TRUE(cellHint(row, kTransactions).isEmpty()) << "zeroed rows are no longer warned";
    }
    EXPECT_EQ(model.lineHealth().station(1, 1, std::chrono::steady_clock::now()).transactions, 0);
}

TEST_F(LineHealthWindow, CopyPutsATabSeparatedTableOnTheClipboard)
{
    model.noteReadOutcome(1, 2, goodRead(12.3));
    ASSERT_TRUE(waitUntil([&] { return cell(rowOf(1, 2), kTransactions) == QStringLiteral("1"); }, kRefreshWaitMs));
    QGuiApplication::clipboard()->clear();
    press("複製");
    ASSERT_TRUE(waitUntil([] { return !QGuiApplication::clipboard()->text().isEmpty(); }));
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 31);
    for (const QString &line : lines)
        EXPECT_EQ(line.count(QLatin1Char('\t')), 11) << line.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("盤面\t溫控點\t站號\t")));
    EXPECT_EQ(lines[1 + rowOf(1, 2)], QStringLiteral("1\t2\t2\t1\t100.0\t0\t0\t0\t0\t12.3\t12.3\t12.3"));
}

TFmLineHealth *lineHealthWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("FmLineHealth"))
            return qobject_cast<TFmLineHealth *>(w);
    return nullptr;
}

TEST(LineHealthDoors, CommunicationDialogButtonAndCtrlLOpenIt)
{
    HomeFixture f;
    TFmLineHealth *lineHealth = lineHealthWindow();
    ASSERT_NE(lineHealth, nullptr);
    EXPECT_FALSE(lineHealth->isVisible());

    QWidget *comm = f.window("FmCommSetting");
    comm->show();
    auto *button = comm->findChild<QAbstractButton *>(QStringLiteral("BtnLineHealth"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("通訊狀態..."));
    button->click();
    EXPECT_TRUE(lineHealth->isVisible());
    lineHealth->hide();
    comm->hide();

    f.home().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f.home()));
    f.home().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.home()));
    QTest::keyClick(&f.home(), Qt::Key_L, Qt::ControlModifier);
    EXPECT_TRUE(lineHealth->isVisible());
}

} // namespace
