#pragma once

// The window that takes the company name shown at the top of the main window. The
// name confirmed here is stored at once (HmTitle of FmHome), not at shutdown.

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

class MessageBoxes;
class SettingsStore;

namespace Ui {
class TFmTitle;
}

class TFmTitle : public QDialog {
    Q_OBJECT
public:
    // Shows the confirmed name in the main window with its label's left edge.
    using TitleShower = std::function<void(const QString &title, int left)>;

    TFmTitle(SettingsStore &store, MessageBoxes &boxes, TitleShower showTitle, QWidget *parent = nullptr);
    ~TFmTitle() override;

public Q_SLOTS:
    void Edit1Change(const QString &text);
    void RzButton1Click(); // shows, stores and places the name, closes
    void RzButton2Click(); // closes; nothing changes

protected:
    // The name field takes the keys at every showing, its text selected, so that what
    // the operator types replaces it and a space never presses a button instead.
    void showEvent(QShowEvent *event) override;

private:
    SettingsStore &store_;
    MessageBoxes &boxes_;
    TitleShower showTitle_;
    QString title_; // Edit1's text as of its last change
    std::unique_ptr<Ui::TFmTitle> ui;
};
