#pragma once

// The chart settings dialog: Y axis, samples kept, 3D and SV lines per trend chart.

#include <QDialog>

class TFmChartSetting : public QDialog {
    Q_OBJECT
public:
    explicit TFmChartSetting(QWidget *parent = nullptr);
};
