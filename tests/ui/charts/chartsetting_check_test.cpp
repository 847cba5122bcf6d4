// The chart dialog's texts checked as a whole before anything is applied.

#include "chartsettingcheck.h"

#include <gtest/gtest.h>

namespace {

using Field = ChartSettingRefusal::Field;

ChartSettingTexts automaticAxes(const QString &sampleTime)
{
    ChartSettingTexts texts;
    texts.sampleTime = sampleTime;
    for (int panel = 1; panel <= 3; ++panel)
        texts.axes[panel] = {true, QStringLiteral("not read"), QStringLiteral("in automatic mode")};
    return texts;
}

TEST(ChartSettingCheck, SampleTime)
{
    const struct {
        const char *text;
        int seconds; // 0: refused
        bool rangeMessage;
    } cases[] = {
        {"1", 1, false},     {"60", 60, false},    {" 7 ", 7, false},  {"30.0", 30, false},
        {"0", 0, true},      {"61", 0, true},      {"-5", 0, true},    {"0.5", 0, true},
        {"60.5", 0, true},   {"2.5", 0, false},    {"abc", 0, false},  {"", 0, false},
        {"1e1", 10, false},  {"inf", 0, false},    {"nan", 0, false},  {"5秒", 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        const auto result = checkChartSettings(automaticAxes(QString::fromUtf8(c.text)));
        if (c.seconds) {
            ASSERT_TRUE(std::holds_alternative<ChartSettingValues>(result));
            EXPECT_EQ(std::get<ChartSettingValues>(result).sampleSeconds, c.seconds);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<ChartSettingRefusal>(result));
        const ChartSettingRefusal &refusal = std::get<ChartSettingRefusal>(result);
        EXPECT_EQ(refusal.field, Field::SampleTime);
        EXPECT_EQ(refusal.resetsSampleTime, c.rangeMessage);
        EXPECT_EQ(refusal.information, c.rangeMessage);
        if (c.rangeMessage) {
            EXPECT_EQ(refusal.caption, QStringLiteral("訊息"));
            EXPECT_EQ(refusal.text, QStringLiteral("取樣時間超出輸入範圍"));
        } else {
            EXPECT_EQ(refusal.caption, QStringLiteral("錯誤"));
            EXPECT_TRUE(refusal.text.contains(QStringLiteral("取樣時間"))) << refusal.text.toStdString();
        }
    }
}

TEST(ChartSettingCheck, FixedLimitsAreNumbersWithTheMinimumBelow)
{
    const struct {
        const char *name;
        int panel;
        const char *min;
        const char *max;
        bool accepted;
        Field field;
    } cases[] = {
        {"plain range", 1, "20", "80", true, Field::Ymin},
        {"negative and fractional", 2, "-12.5", "0.25", true, Field::Ymin},
        {"blanks around", 3, " 0 ", " 600 ", true, Field::Ymin},
        {"maximum not a number", 2, "20", "8O", false, Field::Ymax},
        {"minimum not a number", 3, "", "80", false, Field::Ymin},
        {"minimum above maximum", 1, "80", "20", false, Field::Ymin},
        {"minimum equal to maximum", 3, "50", "50", false, Field::Ymin},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ChartSettingTexts texts = automaticAxes(QStringLiteral("5"));
        texts.axes[c.panel] = {false, QString::fromUtf8(c.min), QString::fromUtf8(c.max)};
        const auto result = checkChartSettings(texts);
        if (c.accepted) {
            ASSERT_TRUE(std::holds_alternative<ChartSettingValues>(result));
            const ChartSettingValues &values = std::get<ChartSettingValues>(result);
            EXPECT_FALSE(values.axes[c.panel].automatic);
            EXPECT_DOUBLE_EQ(values.axes[c.panel].min, QString::fromUtf8(c.min).trimmed().toDouble());
            EXPECT_DOUBLE_EQ(values.axes[c.panel].max, QString::fromUtf8(c.max).trimmed().toDouble());
            for (int other = 1; other <= 3; ++other)
                EXPECT_EQ(values.axes[other].automatic, other != c.panel);
            continue;
        }
        ASSERT_TRUE(std::holds_alternative<ChartSettingRefusal>(result));
        const ChartSettingRefusal &refusal = std::get<ChartSettingRefusal>(result);
        EXPECT_EQ(refusal.panel, c.panel);
        EXPECT_EQ(refusal.field, c.field);
        EXPECT_EQ(refusal.caption, QStringLiteral("錯誤"));
        EXPECT_TRUE(refusal.text.startsWith(QStringLiteral("盤面%1").arg(c.panel))) << refusal.text.toStdString();
        EXPECT_FALSE(refusal.resetsSampleTime);
    }
}

TEST(ChartSettingCheck, FirstProblemInDialogOrderIsTold)
{
    // A bad sample time comes before any axis; panel 1 before panel 3.
    ChartSettingTexts texts = automaticAxes(QStringLiteral("99"));
    texts.axes[1] = {false, QStringLiteral("x"), QStringLiteral("80")};
    texts.axes[3] = {false, QStringLiteral("90"), QStringLiteral("10")};
    auto result = checkChartSettings(texts);
    ASSERT_TRUE(std::holds_alternative<ChartSettingRefusal>(result));
    EXPECT_EQ(std::get<ChartSettingRefusal>(result).field, Field::SampleTime);

    texts.sampleTime = QStringLiteral("5");
    result = checkChartSettings(texts);
    ASSERT_TRUE(std::holds_alternative<ChartSettingRefusal>(result));
    EXPECT_EQ(std::get<ChartSettingRefusal>(result).panel, 1);
}

} // namespace
