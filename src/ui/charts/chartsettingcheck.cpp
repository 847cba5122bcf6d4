#include "chartsettingcheck.h"

#include <cmath>
#include <optional>

namespace {

const QString kErrorCaption = QStringLiteral("錯誤");

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

ChartSettingRefusal refuse(ChartSettingRefusal::Field field, int panel, const QString &text)
{
    ChartSettingRefusal refusal;
    refusal.field = field;
    refusal.panel = panel;
    refusal.caption = kErrorCaption;
    refusal.text = text;
    return refusal;
}

QString limitName(ChartSettingRefusal::Field field)
{
    return field == ChartSettingRefusal::Field::Ymin ? QStringLiteral("下限(Y_min)") : QStringLiteral("上限(Y_max)");
}

} // namespace

std::variant<ChartSettingValues, ChartSettingRefusal> checkChartSettings(const ChartSettingTexts &texts)
{
    using Field = ChartSettingRefusal::Field;
    ChartSettingValues values;

    const std::optional<double> seconds = number(texts.sampleTime);
    if (!seconds)
        return refuse(Field::SampleTime, 0,
                      QStringLiteral("取樣時間「%1」不是數字，請輸入 %2 到 %3 的整數秒數。")
                          .arg(texts.sampleTime)
                          .arg(kShortestSampleSeconds)
                          .arg(kLongestSampleSeconds));
    if (*seconds < kShortestSampleSeconds || *seconds > kLongestSampleSeconds) {
        ChartSettingRefusal refusal;
        refusal.caption = QStringLiteral("訊息");
        refusal.text = QStringLiteral("取樣時間超出輸入範圍");
        refusal.information = true;
        refusal.resetsSampleTime = true;
        return refusal;
    }
    // The timer counts whole seconds; a fraction would be dropped without a word.
    if (*seconds != std::floor(*seconds))
        return refuse(Field::SampleTime, 0,
                      QStringLiteral("取樣時間「%1」不是整數，請輸入 %2 到 %3 的整數秒數。")
                          .arg(texts.sampleTime)
                          .arg(kShortestSampleSeconds)
                          .arg(kLongestSampleSeconds));
    values.sampleSeconds = int(*seconds);

    for (int panel = 1; panel <= kPanelCount; ++panel) {
        const ChartSettingTexts::Axis &axis = texts.axes[panel];
        ChartSettingValues::Axis &value = values.axes[panel];
        value.automatic = axis.automatic;
        if (axis.automatic)
            continue;
        for (const Field field : {Field::Ymax, Field::Ymin}) {
            const QString &text = field == Field::Ymax ? axis.max : axis.min;
            const std::optional<double> limit = number(text);
            if (!limit)
                return refuse(field, panel,
                              QStringLiteral("盤面%1 的%2「%3」不是數字。").arg(panel).arg(limitName(field), text));
            (field == Field::Ymax ? value.max : value.min) = *limit;
        }
        if (!(value.min < value.max))
            return refuse(Field::Ymin, panel,
                          QStringLiteral("盤面%1 的下限(Y_min) 必須小於上限(Y_max)。").arg(panel));
    }
    return values;
}
