#include "titleplacement.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *title;
    int bytes;
    int loadedLeft;    // placed by the settings load at start-up
    int confirmedLeft; // placed by the title window's OK
};

TEST(TitlePlacement, LeftEdgeFollowsTheBig5Length)
{
    const Case cases[] = {
        {"", 0, 232, 286},
        {"大同電子司", 10, 232, 286},
        {"大同電子公司", 12, 296, 311},
        {"ACME Corp 12", 12, 296, 311}, // plain letters count one each
        {"大同 ABC 公司", 13, 232, 286},
        {"ABCDE電子公司", 13, 232, 286},
        {"大同電子有限司", 14, 288, 312},
        {"中華電子股份公司", 16, 272, 301},
        {"Taiwan 溫控 Corp", 16, 272, 301},
        {"中華電子股份有限司", 18, 256, 285},
        {"中華電子股份有限公司", 20, 248, 286},
        {"Taiwan Thermo Ltd.  ", 20, 248, 286},
        {"中華電子股份有限公司甲", 22, 232, 286},
    };
    for (const Case &c : cases) {
        const QString title = QString::fromUtf8(c.title);
        EXPECT_EQ(big5ByteLength(title), c.bytes) << c.title;
        EXPECT_EQ(titleLeftEdge(title), c.loadedLeft) << c.title;
        EXPECT_EQ(confirmedTitleLeftEdge(title), c.confirmedLeft) << c.title;
    }
}

} // namespace
