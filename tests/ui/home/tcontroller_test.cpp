// The controller tile: the ID field's filter and repair, the reading display, the
// lamps and the setting button's release signal.

#include "tcontroller.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QFontMetrics>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

template <typename T>
T *child(const TController &tile, const char *name)
{
    T *found = tile.findChild<T *>(QString::fromLatin1(name));
    if (!found)
        ADD_FAILURE() << "no child " << name;
    return found;
}

QLineEdit *idField(const TController &tile) { return child<QLineEdit>(tile, "TxtID"); }

class TControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tile.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tile));
    }
    TController tile;
};

TEST_F(TControllerTest, AccessibleNamesDescribeTheTile)
{
    const std::pair<const char *, const char *> names[] = {
        {"TxtPV", "PV"},     {"TxtSV", "SV"},     {"TxtID", "ID"},   {"PrgOut", "OUT%"},
        {"Lab_OUT1", "OUT1"}, {"Lab_OUT2", "OUT2"}, {"Lab_AL1", "AL1"}, {"Lab_AL2", "AL2"}};
    for (const auto &[name, accessible] : names)
        EXPECT_EQ(child<QWidget>(tile, name)->accessibleName(), QString::fromLatin1(accessible)) << name;
    EXPECT_FALSE(child<QWidget>(tile, "TxtUnitTitle")->accessibleName().isEmpty());

    EXPECT_EQ(tile.accessibleName(), "溫控點 01");
    tile.setTitleText(QStringLiteral("爐溫 3"));
    EXPECT_EQ(tile.accessibleName(), "爐溫 3");
}

TEST_F(TControllerTest, SlotNumberIsTwoDigits)
{
    const std::pair<int, const char *> cases[] = {{1, "01"}, {9, "09"}, {10, "10"}};
    for (const auto &[slot, text] : cases) {
        tile.setSlotNumber(slot);
        EXPECT_EQ(tile.slotNumberText(), QString::fromLatin1(text)) << slot;
    }
}

TEST_F(TControllerTest, IdFieldTakesOnlyTypedDigits)
{
    struct Case {
        const char *start;
        const char *typed;
        bool replaceAll;
        const char *expected;
    } const cases[] = {
        {"1", "a", false, "1"},    {"1", "-", false, "1"},   {"1", "12", true, "12"},
        {"5", "7", false, "57"},   {"12", "x3", false, "123"}, {"1", " ", false, "1"},
        {"1", "+", false, "1"},
    };
    QLineEdit *field = idField(tile);
    for (const Case &c : cases) {
        tile.setIdText(QString::fromLatin1(c.start));
        field->setFocus();
        field->end(false);
        if (c.replaceAll)
            field->selectAll();
        QTest::keyClicks(field, QString::fromUtf8(c.typed));
        EXPECT_EQ(tile.idText(), QString::fromLatin1(c.expected)) << c.start << " + " << c.typed;
    }
}

TEST_F(TControllerTest, IdFieldRefusesPastedNonDigits)
{
    QLineEdit *field = idField(tile);
    QClipboard *clipboard = QGuiApplication::clipboard();
    // A full-width digit is a digit to Unicode but not to a station address.
    const std::pair<const char *, const char *> cases[] = {
        {"1a", "1"}, {"-3", "1"}, {"２", "1"}, {"1 2", "1"}, {"34", "34"}};
    for (const auto &[pasted, expected] : cases) {
        clipboard->setText(QString::fromUtf8(pasted));
        ASSERT_EQ(clipboard->text(), QString::fromUtf8(pasted));
        tile.setIdText(QStringLiteral("1"));
        field->selectAll();
        field->paste();
        EXPECT_EQ(tile.idText(), QString::fromLatin1(expected)) << pasted;
    }
}

TEST_F(TControllerTest, EmptiedIdFieldShowsOneAtOnce)
{
    QLineEdit *field = idField(tile);
    const std::function<void()> empties[] = {
        [&] { field->clear(); },
        [&] { tile.setIdText(QString()); },
        [&] {
            tile.setIdText(QStringLiteral("7"));
            field->setFocus();
            field->end(false);
            QTest::keyClick(field, Qt::Key_Backspace);
        },
        [&] {
            tile.setIdText(QStringLiteral("25"));
            field->selectAll();
            QTest::keyClick(field, Qt::Key_Delete);
        },
    };
    int n = 0;
    for (const auto &empty : empties) {
        tile.setIdText(QStringLiteral("42"));
        empty();
        EXPECT_EQ(tile.idText(), "1") << "way " << n++;
    }
    // Backspace on a longer number just edits it.
    tile.setIdText(QStringLiteral("12"));
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(tile.idText(), "1");
    tile.setIdText(QStringLiteral("123"));
    field->end(false);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(tile.idText(), "12");
}

TEST_F(TControllerTest, OutputBarFollowsTheOutputText)
{
    struct Case {
        const char *out;
        int position;
    } const cases[] = {
        {"537", 537}, {"", 0},     {"1200", 1000}, {"1000", 1000}, {"0", 0},
        {"-5", 0},    {"abc", 0},  {" 42 ", 42},   {"99999999999", 1000}, {"nan", 0},
    };
    QProgressBar *bar = child<QProgressBar>(tile, "PrgOut");
    for (const Case &c : cases) {
        tile.showReading(QStringLiteral("1.0"), QStringLiteral("2.0"), QStringLiteral("300")); // a different start
        tile.showReading(QString(), QString(), QString::fromLatin1(c.out));
        EXPECT_EQ(bar->value(), c.position) << '"' << c.out << '"';
        EXPECT_EQ(TController::outputBarPosition(QString::fromLatin1(c.out)), c.position) << c.out;
    }
    tile.showReading(QString(), QString(), QStringLiteral("537"));
    EXPECT_DOUBLE_EQ(double(bar->value() - bar->minimum()) / (bar->maximum() - bar->minimum()), 0.537);
}

TEST_F(TControllerTest, ReadingTextsAreShownAsTheyAre)
{
    QLineEdit *pv = child<QLineEdit>(tile, "TxtPV");
    QLineEdit *sv = child<QLineEdit>(tile, "TxtSV");
    tile.showReading(QStringLiteral("123.4"), QStringLiteral("-12.50"), QStringLiteral("10"));
    EXPECT_EQ(pv->text(), "123.4");
    EXPECT_EQ(sv->text(), "-12.50");
    // A slot that lost its reading shows blank fields, not the last figures.
    tile.showReading(QString(), QString(), QString());
    EXPECT_TRUE(pv->text().isEmpty());
    EXPECT_TRUE(sv->text().isEmpty());
}

// Every text the engine can make must be read whole, the longest being a negative
// value in exponent form.
TEST_F(TControllerTest, FiguresShrinkToShowLongReadingsWhole)
{
    QLineEdit *pv = child<QLineEdit>(tile, "TxtPV");
    QLineEdit *sv = child<QLineEdit>(tile, "TxtSV");
    const int room = pv->contentsRect().width() - 6;
    for (const char *text : {"1.235E+4", "-3.277E+4", "-3276.8", "-32.768", "9999"}) {
        tile.showReading(QString::fromLatin1(text), QString::fromLatin1(text), QString());
        for (QLineEdit *field : {pv, sv}) {
            EXPECT_EQ(field->text(), QString::fromLatin1(text));
            EXPECT_LE(QFontMetrics(field->font()).horizontalAdvance(field->text()), room) << text;
            EXPECT_EQ(field->cursorPosition(), 0) << "the text is shown from its start";
        }
    }
    // A short reading has the figures' full size again.
    tile.showReading(QStringLiteral("25.0"), QStringLiteral("30.0"), QString());
    EXPECT_EQ(pv->font().pixelSize(), TController::kDigitPixels);
    EXPECT_EQ(sv->font().pixelSize(), TController::kDigitPixels);
}

TEST_F(TControllerTest, LampsShowTheStatusBitsInTheirColours)
{
    const QColor off(109, 167, 231), outOn(0, 206, 0), alarmOn(255, 0, 0);
    struct Lamp {
        const char *name;
        QColor onColour;
    } const lampTable[] = {{"Lab_OUT1", outOn}, {"Lab_OUT2", outOn}, {"Lab_AL1", alarmOn}, {"Lab_AL2", alarmOn}};

    struct Case {
        int status;
        bool on[4];
    } const cases[] = {
        {0x19, {true, false, true, true}},
        {0x11, {true, false, false, true}},
        {0x02, {false, true, false, false}},
        {0x00, {false, false, false, false}},
        {0x1B, {true, true, true, true}},
    };
    for (const Case &c : cases) {
        // A lamp squeezed out of shape is set back by every update.
        child<QLabel>(tile, "Lab_AL2")->resize(50, 30);
        tile.setLamps(TileLamps::fromStatus(c.status));
        for (int i = 0; i < 4; ++i) {
            QLabel *lamp = child<QLabel>(tile, lampTable[i].name);
            const QColor ground = c.on[i] ? lampTable[i].onColour : off;
            const QColor text = c.on[i] ? QColor(Qt::black) : QColor(Qt::white);
            EXPECT_EQ(lamp->palette().color(QPalette::Window), ground) << lampTable[i].name << " status " << c.status;
            EXPECT_EQ(lamp->palette().color(QPalette::WindowText), text) << lampTable[i].name;
            EXPECT_EQ(lamp->size(), QSize(30, 15)) << lampTable[i].name;
            EXPECT_EQ(lamp->accessibleDescription(), c.on[i] ? "on" : "off") << lampTable[i].name;
            // What is painted, not only what is asked for: the lamp is opaque.
            EXPECT_EQ(lamp->grab().toImage().pixelColor(1, 1), ground) << lampTable[i].name;
        }
        const TileLamps shown = tile.lamps();
        EXPECT_EQ(shown.out1, c.on[0]);
        EXPECT_EQ(shown.out2, c.on[1]);
        EXPECT_EQ(shown.al1, c.on[2]);
        EXPECT_EQ(shown.al2, c.on[3]);
    }
}

TEST_F(TControllerTest, SettingButtonReportsEveryWayOfPressingItOnce)
{
    QAbstractButton *button = tile.settingButton();
    const QPoint inside = button->rect().center();
    const QPoint outside = button->rect().bottomRight() + QPoint(5, 5);
    struct Case {
        const char *what;
        std::function<void()> act;
        int reports;
    } const cases[] = {
        {"left click", [&] { QTest::mouseClick(button, Qt::LeftButton, {}, inside); }, 1},
        {"right release", [&] { QTest::mouseRelease(button, Qt::RightButton, {}, inside); }, 1},
        {"right click", [&] { QTest::mouseClick(button, Qt::RightButton, {}, inside); }, 1},
        {"middle release", [&] { QTest::mouseRelease(button, Qt::MiddleButton, {}, inside); }, 1},
        {"right release outside", [&] { QTest::mouseRelease(button, Qt::RightButton, {}, outside); }, 0},
        {"left press, release outside",
         [&] {
             QTest::mousePress(button, Qt::LeftButton, {}, inside);
             QTest::mouseRelease(button, Qt::LeftButton, {}, outside);
         },
         0},
        {"space", [&] { button->setFocus(); QTest::keyClick(button, Qt::Key_Space); }, 1},
        {"click()", [&] { button->click(); }, 1},
    };
    for (const Case &c : cases) {
        QSignalSpy spy(&tile, &TController::settingButtonReleased);
        c.act();
        EXPECT_EQ(spy.count(), c.reports) << c.what;
    }

    // A locked screen disables the button: no way through it then.
    button->setEnabled(false);
    for (const Case &c : cases) {
        QSignalSpy spy(&tile, &TController::settingButtonReleased);
        c.act();
        EXPECT_EQ(spy.count(), 0) << "disabled, " << c.what;
    }
}

TEST_F(TControllerTest, FiguresUseTheSevenSegmentFaceWhereInstalled)
{
    if (!QFontDatabase::families().contains(QStringLiteral("DSEG7 Classic")))
        GTEST_SKIP() << "DSEG7 Classic is not installed here";
    for (const char *name : {"TxtPV", "TxtSV"}) {
        QLineEdit *field = child<QLineEdit>(tile, name);
        EXPECT_EQ(QFontInfo(field->font()).family(), "DSEG7 Classic") << name;
        EXPECT_EQ(field->font().pixelSize(), 25) << name;
    }
    EXPECT_EQ(child<QLineEdit>(tile, "TxtUnitTitle")->font().pixelSize(), 16);
}

} // namespace
