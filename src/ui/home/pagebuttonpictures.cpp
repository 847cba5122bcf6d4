#include "pagebuttonpictures.h"

#include "homepages.h"

#include <QDir>

PageButtonPictures::PageButtonPictures(QString folder, Report report)
    : folder_(std::move(folder)), report_(std::move(report))
{
}

void PageButtonPictures::checkAll()
{
    QStringList failures;
    for (const HomePage &page : homePages()) {
        read(pageButtonPictureFile(page.button, true), failures);
        read(pageButtonPictureFile(page.button, false), failures);
    }
    reportFailures(failures);
}

QPixmap PageButtonPictures::load(int button, bool pressed)
{
    QStringList failures;
    QPixmap picture = read(pageButtonPictureFile(button, pressed), failures);
    reportFailures(failures);
    return picture;
}

QPixmap PageButtonPictures::read(const QString &file, QStringList &newFailures)
{
    const QString path = QDir(folder_).filePath(file);
    QPixmap picture;
    if (!picture.load(path)) {
        picture = QPixmap();
        if (!reported_.contains(path)) {
            reported_.insert(path);
            newFailures.append(QDir::toNativeSeparators(path));
        }
    }
    return picture;
}

void PageButtonPictures::reportFailures(const QStringList &files)
{
    if (files.isEmpty() || !report_)
        return;
    report_(QStringLiteral("無法載入按鈕圖檔：\n%1\n按鈕改以文字顯示。").arg(files.join(QLatin1Char('\n'))));
}
