#include "radiogroup.h"

#include <QRadioButton>
#include <QSignalSpy>

#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

TEST(RadioGroup, ItemIndexIsThePositionOfTheCheckedButton)
{
    RadioGroup group;
    EXPECT_EQ(group.itemIndex(), -1);
    QRadioButton *first = group.addItem(QStringLiteral("僅掃描已連接的控制器"));
    group.addItem(QStringLiteral("掃描盤面上所有控制器"));
    QSignalSpy changes(&group, &RadioGroup::itemIndexChanged);

    group.setItemIndex(1);
    EXPECT_EQ(group.itemIndex(), 1);
    EXPECT_FALSE(first->isChecked());
    first->click();
    EXPECT_EQ(group.property("itemIndex").toInt(), 0);
    // An index beyond the items checks none, as a stored -1 does.
    EXPECT_TRUE(group.setProperty("itemIndex", 5));
    EXPECT_EQ(group.itemIndex(), -1);
    group.setItemIndex(-1);
    ASSERT_EQ(changes.size(), 3);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 1);
    EXPECT_EQ(changes.at(1).at(0).toInt(), 0);
    EXPECT_EQ(changes.at(2).at(0).toInt(), -1);
    // The buttons still exclude each other after being cleared.
    group.setItemIndex(0);
    group.setItemIndex(1);
    EXPECT_FALSE(first->isChecked());
}

} // namespace
