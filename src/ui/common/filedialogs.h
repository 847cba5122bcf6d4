#pragma once

// The file open and save dialogs, behind an interface so that tests choose the file
// instead of an operator.

#include <QString>

class QWidget;

struct FileDialogRequest {
    QString title;         // empty: the toolkit's own caption
    QString folder;        // where the dialog opens
    QString filter;        // in the toolkit's form, "Text Files(*.txt)"
    QString defaultSuffix; // added to a name typed without one
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's path; empty when the operator cancels.
    virtual QString openFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, const FileDialogRequest &request) = 0;
};

// The toolkit's dialogs, modal on the window thread.
class WidgetFileDialogs : public FileDialogs {
public:
    QString openFileName(QWidget *parent, const FileDialogRequest &request) override;
    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override;
};
