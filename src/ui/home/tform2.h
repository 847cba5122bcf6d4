#pragma once

// The about window: the program's name, version and picture, a notice, and the
// project's home and issue tracker, opened in the desktop's browser.

#include <QDialog>

#include <functional>
#include <memory>

class MessageBoxes;
class QUrl;

namespace Ui {
class TForm2;
}

class TForm2 : public QDialog {
    Q_OBJECT
public:
    // Hands an address to the browser; false when none could be started.
    using LinkOpener = std::function<bool(const QUrl &url)>;

    // The picture is "about.png" in the program's folder.
    TForm2(MessageBoxes &boxes, const QString &programFolder, QWidget *parent = nullptr);
    ~TForm2() override;

    // The default opener is the desktop's (QDesktopServices).
    void setLinkOpener(LinkOpener opener);

public Q_SLOTS:
    void RzURLLabel1Click();
    void RzURLLabel2Click();
    void RzButton1Click(); // closes

private:
    void openLink(const QString &address);

    MessageBoxes &boxes_;
    LinkOpener openLink_;
    std::unique_ptr<Ui::TForm2> ui;
};
