#pragma once

// Loads the page-button pictures from the program's folder. A picture that is
// missing or unreadable must not end the program: the failure is reported once per
// file and the caller shows the page's name instead.

#include <QPixmap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class PageButtonPictures {
public:
    using Report = std::function<void(const QString &text)>;

    PageButtonPictures(QString folder, Report report);

    // Tries all twelve files and reports every one that fails in a single message,
    // so a program installed without its pictures says so once at start-up.
    void checkAll();

    // Reads the file afresh (the pictures may be replaced while the program runs).
    // A null pixmap means the file failed; its failure is reported the first time.
    QPixmap load(int button, bool pressed);

    QString folder() const { return folder_; }
    void setFolder(const QString &folder) { folder_ = folder; }

private:
    QPixmap read(const QString &file, QStringList &newFailures);
    void reportFailures(const QStringList &files);

    QString folder_;
    Report report_;
    QSet<QString> reported_;
};
