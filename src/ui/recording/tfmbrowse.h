#pragma once

// The folder picker of the recording settings: the file system's folders as a tree
// (on Windows with the drives at the top), "確定" hands the chosen folder on.

#include <QDialog>

#include <memory>

class QFileSystemModel;

namespace Ui {
class TFmBrowse;
}

class TFmBrowse : public QDialog {
    Q_OBJECT
public:
    explicit TFmBrowse(QWidget *parent = nullptr);
    ~TFmBrowse() override;

    // Shows the tree opened at `folder`, or at the nearest folder above it that is
    // there; for an empty text where the operator left it (at first the user's home).
    void showAt(const QString &folder);
    // The folder opened in the tree, in the system's own spelling.
    QString currentFolder() const;
    void openFolder(const QString &folder);

public Q_SLOTS:
    void BtnOKClick();     // hands the opened folder on and closes
    void BtnCancelClick(); // closes

Q_SIGNALS:
    void folderChosen(const QString &folder);

private:
    QFileSystemModel *folders_ = nullptr;
    bool scrollPending_ = false;
    std::unique_ptr<Ui::TFmBrowse> ui;
};
