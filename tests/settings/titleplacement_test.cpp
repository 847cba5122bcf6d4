#include "titleplacement.h"

#include "qtprinters.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *title;
    int bytes;
    int left;
};

TEST(TitlePlacement, LeftEdgeFollowsTheBig5Length)
{
    const Case cases[] = {
        {"大同電子公司", 12, 296},
        {"大同電子有限司", 14, 288},
        {"中華電子股份公司", 16, 272},
        {"中華電子股份有限司", 18, 256},
        {"中華電子股份有限公司", 20, 248},
        {"大同電子司", 10, 232},
        {"中華電子股份有限公司甲", 22, 232},
        {"ABCDE電子公司", 13, 232},
        {"", 0, 232},
        {"ACME Corp 12", 12, 296}, // plain letters count one each
        {"大同 ABC 公司", 13, 232},
    };
    for (const Case &c : cases) {
        const QString title = QString::fromUtf8(c.title);
        EXPECT_EQ(big5ByteLength(title), c.bytes) << c.title;
        EXPECT_EQ(titleLeftEdge(title), c.left) << c.title;
    }
}

} // namespace
