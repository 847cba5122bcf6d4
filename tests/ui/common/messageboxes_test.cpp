// The real message boxes: a short text must not leave the caption without room.

#include "messageboxes.h"

#include <QFontMetrics>
#include <QMessageBox>

#include <gtest/gtest.h>

TEST(WidgetMessageBoxes, ShortTextLeavesRoomForTheWholeCaption)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("系統訊息"), QStringLiteral("密碼已鎖定"), QMessageBox::Ok);
    makeRoomForCaption(box);
    box.show();
    const int caption = QFontMetrics(box.font()).horizontalAdvance(box.windowTitle());
    EXPECT_GE(box.width(), caption + 150) << "box " << box.width() << " px, caption " << caption << " px";
    box.close();
}
