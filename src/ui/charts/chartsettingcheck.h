#pragma once

// The texts of the chart settings dialog that the OK action converts, checked as a
// whole before anything is applied: either every value is usable, or the first
// problem is told and nothing changes.

#include "panels.h"

#include <QString>

#include <array>
#include <variant>

struct ChartSettingTexts {
    struct Axis {
        bool automatic = true; // "Auto Scale": the limit texts are not read
        QString min;
        QString max;
    };
    QString sampleTime;                        // seconds
    std::array<Axis, kPanelCount + 1> axes{}; // panels 1..3, index 0 unused
};

struct ChartSettingValues {
    struct Axis {
        bool automatic = true;
        double min = 0;
        double max = 0;
    };
    int sampleSeconds = 5;
    std::array<Axis, kPanelCount + 1> axes{};
};

struct ChartSettingRefusal {
    enum class Field { SampleTime, Ymin, Ymax };
    Field field = Field::SampleTime;
    int panel = 0; // 1..3 for a limit field
    QString caption;
    QString text;
    bool information = false;  // an information box rather than an error box
    bool resetsSampleTime = false; // the field is set back to "5"
};

constexpr int kShortestSampleSeconds = 1;
constexpr int kLongestSampleSeconds = 60;

std::variant<ChartSettingValues, ChartSettingRefusal> checkChartSettings(const ChartSettingTexts &texts);
