#pragma once

// The trend page of the main window (Panel2): one chart per panel of PV and SV
// against the sample number.

#include <QWidget>

#include <memory>

namespace Ui {
class TrendPage;
}

class TrendPage : public QWidget {
    Q_OBJECT
public:
    explicit TrendPage(QWidget *parent = nullptr);
    ~TrendPage() override;

private:
    std::unique_ptr<Ui::TrendPage> ui;
};
