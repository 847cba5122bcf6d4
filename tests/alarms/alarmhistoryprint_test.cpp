// The printed alarm history on a recording canvas: title, margins, 40 lines a page
// and the page numbers at the foot.

#include "alarmhistoryprint.h"

#include <gtest/gtest.h>

namespace {

// Records what is drawn. Texts are 10 pixels a character wide and twice the point
// size high, on a page of 1000 x 1400.
class RecordingCanvas : public PageCanvas {
public:
    struct Drawn {
        int page;
        int x;
        int y;
        int points;
        QString text;
    };

    QSize pageSize() const override { return {width, 1400}; }
    void setFontSize(int points) override { points_ = points; }
    QSize textExtent(const QString &text) const override { return {10 * int(text.size()), 2 * points_}; }
    void drawText(int x, int y, const QString &text) override { drawn.push_back({page, x, y, points_, text}); }
    void newPage() override { ++page; }

    std::vector<Drawn> onPage(int p) const
    {
        std::vector<Drawn> found;
        for (const Drawn &d : drawn)
            if (d.page == p)
                found.push_back(d);
        return found;
    }
    const Drawn *find(const QString &text) const
    {
        for (const Drawn &d : drawn)
            if (d.text == text)
                return &d;
        return nullptr;
    }

    int width = 1000;
    int page = 1;
    std::vector<Drawn> drawn;

private:
    int points_ = 10;
};

QStringList numberedLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0'));
    return lines;
}

TEST(AlarmHistoryPrint, FortyOneLinesMakeTwoPagesOfFortyAndOne)
{
    RecordingCanvas canvas;
    printAlarmHistory(canvas, numberedLines(41));
    EXPECT_EQ(canvas.page, 2);

    // Title at 24 points on page one, one text height down; the top margin is three.
    const auto *title = canvas.find(QStringLiteral("警報歷史紀錄"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->page, 1);
    EXPECT_EQ(title->points, 24);
    EXPECT_EQ(title->x, (1000 - 60) / 2);
    EXPECT_EQ(title->y, 48);
    const int margin = 3 * 48;

    // Footers at 12 points: page one one text height above the edge, the others two.
    const auto *first = canvas.find(QStringLiteral("第1頁"));
    const auto *second = canvas.find(QStringLiteral("第2頁"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->page, 1);
    EXPECT_EQ(first->y, 1400 - 24);
    EXPECT_EQ(second->page, 2);
    EXPECT_EQ(second->y, 1400 - 48);
    EXPECT_EQ(second->points, 12);
    EXPECT_EQ(second->x, (1000 - 30) / 2);

    const int step = int(1.5 * 24);
    for (int i = 0; i < 41; ++i) {
        const auto *line = canvas.find(QStringLiteral("line %1").arg(i, 3, 10, QLatin1Char('0')));
        ASSERT_NE(line, nullptr) << i;
        EXPECT_EQ(line->page, i < 40 ? 1 : 2) << i;
        EXPECT_EQ(line->y, margin + (i % 40) * step) << i;
        EXPECT_EQ(line->x, (1000 - 80) / 2) << i;
        EXPECT_EQ(line->points, 12) << i;
    }
    EXPECT_EQ(canvas.onPage(1).size(), 42u); // title, footer, 40 lines
    EXPECT_EQ(canvas.onPage(2).size(), 2u);  // footer, line 41
}

TEST(AlarmHistoryPrint, PagesFollowTheLineCount)
{
    const std::pair<int, int> cases[] = {{1, 1}, {40, 1}, {80, 2}, {81, 3}};
    for (const auto &[lines, pages] : cases) {
        RecordingCanvas canvas;
        printAlarmHistory(canvas, numberedLines(lines));
        EXPECT_EQ(canvas.page, pages) << lines;
        EXPECT_NE(canvas.find(QStringLiteral("第%1頁").arg(pages)), nullptr) << lines;
        EXPECT_EQ(canvas.find(QStringLiteral("第%1頁").arg(pages + 1)), nullptr) << lines;
    }
}

TEST(AlarmHistoryPrint, NothingForAnEmptyListAndWideLinesCentredTowardZero)
{
    RecordingCanvas empty;
    printAlarmHistory(empty, {});
    EXPECT_TRUE(empty.drawn.empty());
    EXPECT_EQ(empty.page, 1);

    // A line wider than the page: (95 - 100) / 2 is -2, not -3.
    RecordingCanvas narrow;
    narrow.width = 95;
    printAlarmHistory(narrow, {QString(10, QLatin1Char('x'))});
    EXPECT_EQ(narrow.drawn.back().x, -2);
}

} // namespace
