// Every control an operator can use is reachable by name through the accessibility
// tree, the way a screen reader or a test driver finds it.

#include "accessiblewalk.h"
#include "homefixture.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

namespace {

bool isOperable(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::PageTab:
        return true;
    default:
        return false;
    }
}

// Names of the operable controls below `root` that have no accessible name.
QStringList unnamedControls(QWidget *root)
{
    QStringList unnamed;
    const auto visit = [&](QAccessibleInterface *node) {
        if (isOperable(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) {
            QObject *object = node->object();
            unnamed << (object ? object->objectName() : QStringLiteral("<unnamed child>"));
        }
    };
    visitAccessible(root, visit);
    return unnamed;
}

} // namespace

TEST(Accessibility, EveryVisibleControlHasAName)
{
    HomeFixture f;
    f.home().show();
    const char *const windows[] = {"FmHome", "FmCommSetting", "FmBarPage"};
    for (const char *name : windows) {
        SCOPED_TRACE(name);
        QWidget *window = f.window(name);
        ASSERT_NE(window, nullptr);
        window->show();
        EXPECT_EQ(unnamedControls(window), QStringList());
    }
}

TEST(Accessibility, TileFieldsAndPageButtonsAreFoundByTheirNames)
{
    HomeFixture f;
    f.home().show();
    QStringList names;
    const auto visit = [&](QAccessibleInterface *node) {
        names << node->text(QAccessible::Name);
    };
    visitAccessible(&f.home(), visit);
    for (const char *expected : {"PV", "SV", "ID", "啟動", "重新掃描", "通訊設定...", "監控畫面", "曲線圖",
                                 "直條圖", "警報", "配方", "紀錄存檔"})
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
}
