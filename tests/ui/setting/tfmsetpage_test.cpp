// The setting page on its own: entries, checks and messages, the writes it places
// with the plant model, the keypads and the entry forms per parameter.

#include "accessiblewalk.h"
#include "applicationtitle.h"
#include "homefixture.h"
#include "plantmodel.h"
#include "tfmsetpage.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleInterface>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

const char kTitle[] = " 溫度監控系統 Ver9.22 ";
const char kTwoPoints[] = "小數點不可以多於一個";
const char kEmpty[] = "請輸入資料";
const char kRange[] = "超過輸入範圍,請重新輸入";
const char kNotANumber[] = "輸入的不是數字,請重新輸入";

class SetPage : public ::testing::Test {
protected:
    SetPage()
    {
        page.setHeader(QStringLiteral("1"), QStringLiteral("04"), QStringLiteral("7"));
    }

    template <typename T = QWidget>
    T *control(const QString &name)
    {
        T *found = page.findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QLineEdit *field(const char *tab) { return control<QLineEdit>(QLatin1String(tab) + QLatin1String("Value")); }
    QComboBox *selector(const char *name) { return control<QComboBox>(QLatin1String(name)); }
    QAbstractButton *key(const char *tab, char character)
    {
        const QString name = character == 'B'   ? QStringLiteral("KeyBack")
                             : character == '.' ? QStringLiteral("KeyDot")
                                                : QStringLiteral("Key") + QLatin1Char(character);
        return control<QAbstractButton>(QLatin1String(tab) + name);
    }
    void typeOnKeypad(const char *tab, const char *keys)
    {
        for (const char *k = keys; *k; ++k)
            key(tab, *k)->click();
    }
    void pick(const char *selectorName, const char *item)
    {
        QComboBox *box = selector(selectorName);
        const int index = box->findText(QString::fromLatin1(item));
        ASSERT_GE(index, 0) << selectorName << " has no item " << item;
        box->setCurrentIndex(index);
    }
    // The four digit or time selectors of a tab, left to right.
    void pickDigits(const char *stem, const char *tab, const char *digits)
    {
        for (int i = 0; i < 4; ++i) {
            const std::string name = std::string(stem) + char('4' - i) + tab;
            pick(name.c_str(), std::string(1, digits[i]).c_str());
        }
    }
    void write(const char *tab) { control<QAbstractButton>(QLatin1String("Writw") + QLatin1String(tab))->click(); }
    std::optional<WriteRequest> placed() const { return model.pendingWrite(); }
    // As the engine does once it has sent the request.
    void takeWrite()
    {
        if (const std::optional<WriteRequest> request = model.pendingWrite())
            model.finishWrite(*request);
    }
    bool shown(const char *name) { return !control(QLatin1String(name))->isHidden(); }

    PlantModel model;
    RecordingBoxes boxes;
    ApplicationTitle title{QString::fromUtf8(kTitle)};
    int selectedPanel = 1;
    TFmSetPage page{model, boxes, title, [this] { return selectedPanel; }};
};

// Level 1 and Level 2 check a typed value the same way; the other tabs place it as it is.
TEST_F(SetPage, TypedValueChecksOfLevelsOneAndTwo)
{
    struct Case {
        const char *what;
        const char *keys;  // on the keypad; nullptr: `typed` on the keyboard instead
        const char *typed;
        const char *message; // nullptr: placed
        bool titleCaption;
        const char *fieldAfter;
    };
    const Case cases[] = {
        {"keys 1 2 . 5", "12.5", nullptr, nullptr, false, ""},
        {"leading zeros kept", "025.50", nullptr, nullptr, false, ""},
        {"just under the top", "2499.9", nullptr, nullptr, false, ""},
        {"just above the bottom, typed", nullptr, "-199.9", nullptr, false, ""},
        {"two points", "..", nullptr, kTwoPoints, true, ""},
        {"two points in a number", "1.2.5", nullptr, kTwoPoints, true, ""},
        {"empty", "", nullptr, kEmpty, false, ""},
        {"top refused", "2500", nullptr, kRange, false, ""},
        {"bottom refused", nullptr, "-200", kRange, false, ""},
        {"far out", "99999", nullptr, kRange, false, ""},
        {"lone point", ".", nullptr, kNotANumber, false, "."},
        {"lone minus", nullptr, "-", kNotANumber, false, "-"},
        {"minus inside", nullptr, "1-2", kNotANumber, false, "1-2"},
    };
    struct Tab {
        const char *suffix;
        int index;
        int code; // of the tab's first parameter
    };
    for (const Tab &tab : {Tab{"L1", 0, 0}, Tab{"L2", 1, 57}}) {
        control<QTabWidget>(QStringLiteral("WritwL5"))->setCurrentIndex(tab.index);
        for (const Case &c : cases) {
            SCOPED_TRACE(std::string(tab.suffix) + ": " + c.what);
            takeWrite();
            boxes.shown.clear();
            field(tab.suffix)->clear();
            if (c.keys)
                typeOnKeypad(tab.suffix, c.keys);
            else
                QTest::keyClicks(field(tab.suffix), QString::fromLatin1(c.typed));
            const QString entered = field(tab.suffix)->text();
            write(tab.suffix);

            EXPECT_EQ(field(tab.suffix)->text(), QString::fromLatin1(c.fieldAfter));
            if (!c.message) {
                EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.value(0).text.toStdString();
                const std::optional<WriteRequest> request = placed();
                ASSERT_TRUE(request.has_value());
                EXPECT_EQ(request->panel, 1);
                EXPECT_EQ(request->slot, 4);
                EXPECT_EQ(request->code, tab.code);
                EXPECT_EQ(request->valueText, entered);
                continue;
            }
            EXPECT_FALSE(placed().has_value());
            ASSERT_EQ(boxes.shown.size(), 1);
            EXPECT_EQ(boxes.shown[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(boxes.shown[0].caption, c.titleCaption ? QString::fromUtf8(kTitle) : QStringLiteral("錯誤"));
            EXPECT_EQ(boxes.shown[0].icon, MessageBoxes::Icon::None) << "a plain box";
        }
    }
}

TEST_F(SetPage, ATPlacesTheYesNoIndexWithoutLookingAtTheField)
{
    pick("TypeL1", "AT");
    pick("YesNoL1", "YES");
    write("L1");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->code, 2);
    EXPECT_EQ(placed()->valueText, "1");
    EXPECT_TRUE(boxes.shown.isEmpty());

    takeWrite();
    pick("YesNoL1", "NO");
    write("L1");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->valueText, "0");

    // The "." test still comes first, even with the field hidden.
    takeWrite();
    field("L1")->setText(QStringLiteral("1..2"));
    write("L1");
    EXPECT_FALSE(placed().has_value());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].text, QString::fromUtf8(kTwoPoints));
}

TEST_F(SetPage, LckPlacesItsDigitsAndSkipsTheValueTests)
{
    struct Case {
        const char *digits; // digit 4 to digit 1
        const char *value;
    };
    pick("TypeL2", "LCK");
    for (const Case &c : {Case{"0001", "1"}, Case{"1010", "4112"}, Case{"1111", "4369"}, Case{"0000", "0"}}) {
        takeWrite();
        pickDigits("Digit", "L2", c.digits);
        write("L2");
        ASSERT_TRUE(placed().has_value()) << c.digits;
        EXPECT_EQ(placed()->code, 71);
        EXPECT_EQ(placed()->valueText, QString::fromLatin1(c.value)) << c.digits;
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(SetPage, LevelThreePlacesAnEmptyFieldUnchecked)
{
    ASSERT_EQ(selector("TypeL3")->currentText(), "ANL1");
    write("L3");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->code, 73);
    EXPECT_EQ(placed()->valueText, "");
    EXPECT_TRUE(boxes.shown.isEmpty());

    // Nor is any range kept there.
    takeWrite();
    typeOnKeypad("L3", "99999");
    write("L3");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->valueText, "99999");
    EXPECT_EQ(field("L3")->text(), "");
}

TEST_F(SetPage, AlarmTimesShareTheTimeSelectors)
{
    field("L3")->setText(QStringLiteral("77"));
    pick("TypeL3", "ALT1");
    pickDigits("Time", "L3", "1234");
    pick("TypeL3", "ALT2");
    for (int d = 4; d >= 1; --d)
        EXPECT_EQ(selector(QStringLiteral("Time%1L3").arg(d).toLatin1())->currentText(), QString::number(5 - d));
    write("L3");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->code, 83);
    EXPECT_EQ(placed()->valueText, "754");
    // Emptied although the value came from the selectors.
    EXPECT_EQ(field("L3")->text(), "");

    pickDigits("Time", "L3", "9959");
    write("L3");
    EXPECT_EQ(placed()->valueText, "5999");
}

TEST_F(SetPage, LevelThreePickLists)
{
    struct Case {
        const char *mnemonic;
        const char *item;
        int code;
        const char *value;
    };
    const Case cases[] = {
        {"DP", "00.00", 75, "2"}, {"HZ", "50", 105, "1"},   {"HZ", "60", 105, "0"},
        {"OUD", "COOL", 103, "1"}, {"OPAD", "PID", 104, "0"},
    };
    for (const Case &c : cases) {
        pick("TypeL3", c.mnemonic);
        pick((std::string(c.mnemonic) + "L3").c_str(), c.item);
        write("L3");
        ASSERT_TRUE(placed().has_value()) << c.mnemonic;
        EXPECT_EQ(placed()->code, c.code) << c.mnemonic;
        EXPECT_EQ(placed()->valueText, QString::fromLatin1(c.value)) << c.mnemonic << " " << c.item;
    }
    pick("TypeL3", "SETA");
    pickDigits("Digit", "L3", "0110");
    write("L3");
    EXPECT_EQ(placed()->code, 95);
    EXPECT_EQ(placed()->valueText, "272");
}

TEST_F(SetPage, LevelFourRightAfterOpening)
{
    page.show();
    control<QTabWidget>(QStringLiteral("WritwL5"))->setCurrentIndex(3);
    for (int d = 4; d >= 1; --d) {
        QComboBox *digit = selector(QStringLiteral("Digit%1L4").arg(d).toLatin1());
        EXPECT_TRUE(digit->isVisible());
        EXPECT_EQ(digit->currentText(), "1");
    }
    write("L4");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->code, 106);
    EXPECT_EQ(placed()->valueText, "4369");

    pick("TypeL4", "SET0");
    pickDigits("Digit", "L4", "0001");
    write("L4");
    EXPECT_EQ(placed()->code, 115);
    EXPECT_EQ(placed()->valueText, "1");
    EXPECT_EQ(selector("Digit1L4")->currentText(), "1");
    EXPECT_EQ(selector("Digit4L4")->currentText(), "0");

    pick("TypeL4", "OUTY");
    pick("OUTYL4", "5");
    write("L4");
    EXPECT_EQ(placed()->code, 117);
    EXPECT_EQ(placed()->valueText, "5");
}

TEST_F(SetPage, ProgramOnePatternAndSegmentTime)
{
    EXPECT_EQ(selector("TypeP1")->currentText(), "SV_1");
    pick("TypeP1", "PTN");
    pick("PTNP1", "2");
    write("P1");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->code, 6);
    EXPECT_EQ(placed()->valueText, "2");

    pick("TypeP1", "TM_3");
    pickDigits("Time", "P1", "0130");
    write("P1");
    EXPECT_EQ(placed()->code, 16);
    EXPECT_EQ(placed()->valueText, "90");

    // Program 2 has the same parameters twenty-four codes further on.
    pick("TypeP2", "OUT_8");
    typeOnKeypad("P2", "1000");
    write("P2");
    EXPECT_EQ(placed()->code, 56);
    EXPECT_EQ(placed()->valueText, "1000");
}

// Which entry form each parameter shows; the keys work only with the value field.
TEST_F(SetPage, EachParameterShowsItsEntryForm)
{
    struct Case {
        const char *tab;
        const char *mnemonic;
        std::vector<const char *> form; // entry selectors shown; empty: field and keypad
    };
    const std::vector<const char *> digitsL2 = {"Digit4L2", "Digit3L2", "Digit2L2", "Digit1L2"};
    const std::vector<const char *> digitsL3 = {"Digit4L3", "Digit3L3", "Digit2L3", "Digit1L3"};
    const std::vector<const char *> digitsL4 = {"Digit4L4", "Digit3L4", "Digit2L4", "Digit1L4"};
    const std::vector<const char *> timeL3 = {"Time4L3", "Time3L3", "TimeLabelL3", "Time2L3", "Time1L3"};
    const std::vector<const char *> timeP1 = {"Time4P1", "Time3P1", "TimeLabelP1", "Time2P1", "Time1P1"};
    const std::vector<const char *> timeP2 = {"Time4P2", "Time3P2", "TimeLabelP2", "Time2P2", "Time1P2"};
    const Case cases[] = {
        {"L1", "AT", {"YesNoL1"}},   {"L1", "SV", {}},           {"L1", "AL3", {}},
        {"L2", "LCK", digitsL2},     {"L2", "GAP2", {}},         {"L3", "DP", {"DPL3"}},
        {"L3", "ALT1", timeL3},      {"L3", "ALT2", timeL3},     {"L3", "ALT3", timeL3},
        {"L3", "OUD", {"OUDL3"}},    {"L3", "OPAD", {"OPADL3"}}, {"L3", "HZ", {"HZL3"}},
        {"L3", "SETA", digitsL3},    {"L3", "SOFT", {}},         {"L3", "ALD1", {}},
        {"L4", "INP2", {"INP2L4"}},  {"L4", "OUTY", {"OUTYL4"}}, {"L4", "SET5", digitsL4},
        {"L4", "SET0", digitsL4},    {"P1", "TM_1", timeP1},     {"P1", "TM_8", timeP1},
        {"P1", "PTN", {"PTNP1"}},    {"P1", "OUT_4", {}},        {"P2", "TM_5", timeP2},
        {"P2", "SV_1", {}},
    };
    // Every entry selector of each tab, to see that the others are hidden.
    const std::map<std::string, std::vector<const char *>> all = {
        {"L1", {"YesNoL1"}},
        {"L2", digitsL2},
        {"L3", {"DPL3", "OUDL3", "OPADL3", "HZL3", "Time4L3", "Time3L3", "TimeLabelL3", "Time2L3", "Time1L3",
                "Digit4L3", "Digit3L3", "Digit2L3", "Digit1L3"}},
        {"L4", {"INP2L4", "OUTYL4", "Digit4L4", "Digit3L4", "Digit2L4", "Digit1L4"}},
        {"P1", {"PTNP1", "Time4P1", "Time3P1", "TimeLabelP1", "Time2P1", "Time1P1"}},
        {"P2", timeP2},
    };
    const std::map<std::string, const char *> pictures = {
        {"L1", "Image1"}, {"L2", "Image2"}, {"L3", "Image3"}, {"P1", "Image5"}, {"P2", "Image6"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.tab) + " " + c.mnemonic);
        pick((std::string("Type") + c.tab).c_str(), c.mnemonic);
        for (const char *name : all.at(c.tab)) {
            const bool wanted = std::find_if(c.form.begin(), c.form.end(),
                                             [&](const char *n) { return std::string(n) == name; })
                                != c.form.end();
            EXPECT_EQ(shown(name), wanted) << name;
        }
        if (std::string(c.tab) == "L4")
            continue;
        const bool typed = c.form.empty();
        EXPECT_EQ(shown((std::string(c.tab) + "Value").c_str()), typed);
        EXPECT_EQ(shown(pictures.at(c.tab)), typed);
        for (char k : std::string("0123456789.B"))
            EXPECT_EQ(key(c.tab, k)->isEnabled(), typed) << k;
    }
}

TEST_F(SetPage, KeysAppendAndTheKeyboardTypesToo)
{
    typeOnKeypad("L1", "1");
    QTest::keyClicks(field("L1"), QStringLiteral("2"));
    typeOnKeypad("L1", "0.9");
    EXPECT_EQ(field("L1")->text(), "120.9");
    // A disabled key does nothing.
    pick("TypeL1", "AT");
    QTest::mouseClick(key("L1", '7'), Qt::LeftButton);
    EXPECT_EQ(field("L1")->text(), "120.9");
}

// Level 1, Level 2 and Program 1 remove a character as a mouse button goes down on
// the back key; Level 3 and Program 2 only on a click.
TEST_F(SetPage, BackKeyOnMouseDownOrOnClick)
{
    struct Case {
        const char *tab;
        bool onMouseDown;
    };
    for (const Case &c : {Case{"L1", true}, Case{"L2", true}, Case{"P1", true}, Case{"L3", false}, Case{"P2", false}}) {
        SCOPED_TRACE(c.tab);
        QAbstractButton *back = key(c.tab, 'B');
        QLineEdit *text = field(c.tab);
        text->setText(QStringLiteral("1234"));

        QTest::mousePress(back, Qt::LeftButton);
        EXPECT_EQ(text->text(), c.onMouseDown ? "123" : "1234");
        QTest::mouseRelease(back, Qt::LeftButton);
        EXPECT_EQ(text->text(), "123");

        // Any button goes down; only the left one clicks.
        QTest::mousePress(back, Qt::RightButton);
        QTest::mouseRelease(back, Qt::RightButton);
        EXPECT_EQ(text->text(), c.onMouseDown ? "12" : "123");

        text->clear();
        QTest::mouseClick(back, Qt::LeftButton);
        EXPECT_EQ(text->text(), "");
    }
}

TEST_F(SetPage, WriteGoesToThePanelSelectedAtTheMomentOfTheWrite)
{
    page.setHeader(QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("9"));
    selectedPanel = 3;
    typeOnKeypad("L1", "30");
    write("L1");
    ASSERT_TRUE(placed().has_value());
    EXPECT_EQ(placed()->panel, 3);
    EXPECT_EQ(placed()->slot, 10);
    EXPECT_EQ(control<QLabel>(QStringLiteral("LbPanel"))->text(), "1");
}

TEST_F(SetPage, KeepsTheCodeOfTheLastWrite)
{
    EXPECT_EQ(page.lastParameterCode(), 0);
    pick("TypeL1", "AL2");
    typeOnKeypad("L1", "5");
    write("L1");
    EXPECT_EQ(page.lastParameterCode(), 4);
    // A refused entry places nothing and leaves the code as it was.
    pick("TypeL1", "OUTL");
    typeOnKeypad("L1", "3000");
    write("L1");
    EXPECT_EQ(page.lastParameterCode(), 4);
    pick("TypeP2", "TM_2");
    write("P2");
    EXPECT_EQ(page.lastParameterCode(), 37);
}

TEST_F(SetPage, KeepsTabSelectorsAndFieldsBetweenShowings)
{
    page.show();
    control<QTabWidget>(QStringLiteral("WritwL5"))->setCurrentIndex(2);
    pick("TypeL3", "USPL");
    typeOnKeypad("L3", "45");
    page.hide();
    page.setHeader(QStringLiteral("2"), QStringLiteral("03"), QStringLiteral("13"));
    page.show();
    EXPECT_EQ(control<QTabWidget>(QStringLiteral("WritwL5"))->currentIndex(), 2);
    EXPECT_EQ(selector("TypeL3")->currentText(), "USPL");
    EXPECT_EQ(field("L3")->text(), "45");
    EXPECT_FALSE(page.isModal());
}

// Only "寫入" writes: Enter in any field of any tab places nothing, and Escape still
// closes the page.
TEST_F(SetPage, EnterInAFieldWritesNothingAndEscapeCloses)
{
    page.show();
    auto *tabs = control<QTabWidget>(QStringLiteral("WritwL5"));
    int fieldsTried = 0;
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        // The value fields and the editable selectors' own fields.
        for (QLineEdit *edit : tabs->widget(i)->findChildren<QLineEdit *>()) {
            if (!edit->isVisibleTo(&page))
                continue;
            edit->setText(QStringLiteral("12.5"));
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Return);
            QTest::keyClick(edit, Qt::Key_Enter);
            EXPECT_FALSE(model.writePending()) << tabs->tabText(i).toStdString() << " / "
                                               << edit->objectName().toStdString();
            ++fieldsTried;
        }
    }
    EXPECT_GE(fieldsTried, 5);
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_TRUE(page.isVisible());

    QTest::keyClick(field("L1"), Qt::Key_Escape);
    EXPECT_FALSE(page.isVisible());
}

TEST_F(SetPage, KeysLieOnTheKeypadPictureOrShowTheirCharacters)
{
    QLabel *picture = control<QLabel>(QStringLiteral("Image1"));
    EXPECT_EQ(key("L1", '5')->text(), "5");

    page.setPictureFolder(QCoreApplication::applicationDirPath());
    ASSERT_FALSE(picture->pixmap().isNull());
    EXPECT_EQ(picture->pixmap().size(), QSize(128, 168));
    EXPECT_EQ(key("L1", '5')->text(), "");
    EXPECT_EQ(key("L1", '5')->geometry(), QRect(44, 44, 40, 40));
    EXPECT_EQ(key("L1", 'B')->geometry(), QRect(84, 124, 40, 40));

    QTemporaryDir empty;
    page.setPictureFolder(empty.path());
    EXPECT_TRUE(picture->pixmap().isNull());
    EXPECT_EQ(key("P2", '.')->text(), ".");
}

TEST_F(SetPage, ReachableByCaptionsAndControlNames)
{
    page.setPictureFolder(QCoreApplication::applicationDirPath());
    page.show();
    auto *tabs = control<QTabWidget>(QStringLiteral("WritwL5"));
    const char *suffixes[] = {"L1", "L2", "L3", "L4", "P1", "P2"};
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        SCOPED_TRACE(suffixes[i]);
        QStringList names;
        QStringList unnamed;
        const auto visit = [&](QAccessibleInterface *node) {
            const QString name = node->text(QAccessible::Name);
            names << name;
            const QAccessible::Role role = node->role();
            // On Linux Qt names a selector by its current item; the control name is
            // its accessibleName, which the Windows bridge reports as the name.
            if (role == QAccessible::ComboBox && node->object() && node->object()->isWidgetType())
                names << static_cast<QWidget *>(node->object())->accessibleName();
            if ((role == QAccessible::PushButton || role == QAccessible::ComboBox
                 || role == QAccessible::EditableText || role == QAccessible::PageTab)
                && name.trimmed().isEmpty())
                unnamed << (node->object() ? node->object()->objectName() : QStringLiteral("?"));
        };
        visitAccessible(&page, visit);
        EXPECT_EQ(unnamed, QStringList());
        for (const char *caption : {"Level 1", "Level 2", "Level 3", "Level 4", "Program 1", "Program 2"})
            EXPECT_TRUE(names.contains(QLatin1String(caption))) << caption;
        EXPECT_TRUE(names.contains(QStringLiteral("寫入")));
        EXPECT_TRUE(names.contains(QLatin1String("Type") + QLatin1String(suffixes[i])));
        if (i == 3) {
            EXPECT_TRUE(names.contains(QStringLiteral("Digit4L4")));
            continue;
        }
        EXPECT_TRUE(names.contains(QLatin1String(suffixes[i]) + QLatin1String("Value")));
        for (const char *k : {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "退格"})
            EXPECT_TRUE(names.contains(QString::fromUtf8(k))) << k;
    }
}

} // namespace
