#include "big5.h"

#include <gtest/gtest.h>

namespace {

struct Big5Case {
    const char *text; // UTF-8
    QByteArray bytes;
};

} // namespace

// The texts the record files, recipe files and print-outs carry: the program's own
// words must come out as the code page's bytes, or another program reading the files
// sees garbage.
TEST(Big5, ProgramWordsEncodeToTheCodePagesBytes)
{
    const Big5Case cases[] = {
        {"盤面", QByteArray::fromHex("BD4CADB1")},
        {"時", QByteArray::fromHex("AEC9")},
        {"時間", QByteArray::fromHex("AEC9B6A1")},
        {"無連接", QByteArray::fromHex("B54CB373B1B5")},
        {"250.5\t-3.0\r\n", QByteArray("250.5\t-3.0\r\n")},
        {"", QByteArray()},
    };
    for (const Big5Case &c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(toBig5(text).toHex(), c.bytes.toHex()) << c.text;
        EXPECT_EQ(fromBig5(c.bytes), text) << c.text;
    }
}

TEST(Big5, AByteThatSplitsACharacterDoesNotSwallowTheRest)
{
    // A lead byte at the end of a file (a line cut short) must not cost the text
    // before it.
    const QString text = fromBig5(QByteArray::fromHex("BD4CADB1") + QByteArray("\xAE", 1));
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("盤面")));
}
