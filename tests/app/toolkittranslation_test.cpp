#include "toolkittranslation.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>

#include <gtest/gtest.h>

#include <memory>

namespace {

// What the operator sees on a right click into an edit field.
QStringList contextMenuTexts()
{
    QLineEdit field;
    field.setText(QStringLiteral("123"));
    const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
    QStringList texts;
    for (const QAction *action : menu->actions())
        if (!action->isSeparator())
            texts << action->text();
    return texts;
}

TEST(ToolkitTranslation, EditFieldMenuSpeaksChinese)
{
    ASSERT_TRUE(installToolkitTranslation(*qApp)) << "qtbase_zh_TW.qm is part of the installation";
    const QStringList texts = contextMenuTexts();
    ASSERT_FALSE(texts.isEmpty());
    for (const QString &text : texts) {
        EXPECT_FALSE(text.contains(QLatin1String("Undo")) || text.contains(QLatin1String("Paste"))
                     || text.contains(QLatin1String("Select All")))
            << text.toStdString();
    }
    EXPECT_TRUE(texts.join(QString()).contains(QStringLiteral("貼上"))) << texts.join('|').toStdString();
    for (QTranslator *t : qApp->findChildren<QTranslator *>())
        QCoreApplication::removeTranslator(t);
}

} // namespace
