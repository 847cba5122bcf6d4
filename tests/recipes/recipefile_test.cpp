// The recipe file's one line of thirty comma-terminated fields: composing, splitting,
// the trip through code page 950, and the name a file gives the recipe.

#include "big5.h"
#include "recipefile.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The thirty fields in file order, for comparing whole recipes.
QStringList inFileOrder(const RecipeTexts &texts)
{
    QStringList fields;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            fields << texts[panel][slot];
    return fields;
}

QByteArray repeated(const char *text, int times)
{
    QByteArray bytes;
    for (int i = 0; i < times; ++i)
        bytes += text;
    return bytes;
}

struct ComposeCase {
    const char *name;
    std::function<void(RecipeTexts &)> edit; // applied to the initial recipe
    QByteArray expected;
};

TEST(ComposeRecipeFile, OneLineOfCommaTerminatedFieldsInPanelAndSlotOrder)
{
    const ComposeCase cases[] = {
        {"initial recipe, 120 bytes", [](RecipeTexts &) {}, repeated("100,", 30)},
        {"panel 2 slot 3 empty gives two commas in a row",
         [](RecipeTexts &t) { t[2][3].clear(); },
         repeated("100,", 12) + "," + repeated("100,", 17)},
        {"order: panel 1 slot 1 first, panel 3 slot 10 last",
         [](RecipeTexts &t) {
             t[1][1] = "-5";
             t[1][10] = "25.3";
             t[2][1] = "7";
             t[3][10] = "0.125";
         },
         "-5," + repeated("100,", 8) + "25.3,7," + repeated("100,", 18) + "0.125,"},
        {"Big5 text as code page 950 bytes",
         [](RecipeTexts &t) { t[1][1] = QString::fromUtf8("盤面"); },
         QByteArray("\xBD\x4C\xAD\xB1,") + repeated("100,", 29)},
        {"a typed comma is written as it stands",
         [](RecipeTexts &t) { t[3][1] = "1,5"; },
         repeated("100,", 20) + "1,5," + repeated("100,", 9)},
    };
    for (const ComposeCase &c : cases) {
        SCOPED_TRACE(c.name);
        RecipeTexts texts = uniformRecipe(QStringLiteral("100"));
        c.edit(texts);
        const QByteArray bytes = composeRecipeFile(texts);
        EXPECT_EQ(bytes, c.expected);
        EXPECT_FALSE(bytes.contains('\n'));
        EXPECT_FALSE(bytes.contains('\r'));
    }
    EXPECT_EQ(composeRecipeFile(uniformRecipe(QStringLiteral("100"))).size(), 120);
}

struct ParseCase {
    const char *name;
    QString fileText;
    QStringList expectedStart; // the first fields; every later field is empty
};

TEST(ParseRecipeText, EachFieldTakesTheTextBeforeTheNextComma)
{
    QStringList thirty;
    for (int i = 1; i <= 30; ++i)
        thirty << QString::number(i);
    const ParseCase cases[] = {
        {"three comma-terminated fields", "1,2,3,", {"1", "2", "3"}},
        {"no last comma: the third field is empty too", "1,2,3", {"1", "2"}},
        {"empty file", "", {}},
        {"empty fields between commas", "a,,b,", {"a", "", "b"}},
        {"text after the thirtieth comma is ignored", thirty.join(',') + ",31,32,tail", thirty},
        {"blanks and line breaks are kept as field text", " 1 ,2\r\n", {" 1 "}},
    };
    for (const ParseCase &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList expected = c.expectedStart;
        while (expected.size() < 30)
            expected << QString();
        EXPECT_EQ(inFileOrder(parseRecipeText(c.fileText)), expected);
    }
}

struct RoundTripCase {
    const char *name;
    std::function<void(RecipeTexts &)> edit;
};

TEST(RecipeFileRoundTrip, WhatIsSavedLoadsBackUnchanged)
{
    const RoundTripCase cases[] = {
        {"initial recipe", [](RecipeTexts &) {}},
        {"panel 2 slot 3 empty", [](RecipeTexts &t) { t[2][3].clear(); }},
        {"every field empty", [](RecipeTexts &t) { t = RecipeTexts{}; }},
        {"Big5 text, signs and decimals",
         [](RecipeTexts &t) {
             t[1][4] = QString::fromUtf8("配方一");
             t[2][9] = "-12.5";
             t[3][10] = QString::fromUtf8("溫度 ５０");
         }},
    };
    for (const RoundTripCase &c : cases) {
        SCOPED_TRACE(c.name);
        RecipeTexts texts = uniformRecipe(QStringLiteral("100"));
        c.edit(texts);
        EXPECT_EQ(inFileOrder(parseRecipeText(fromBig5(composeRecipeFile(texts)))), inFileOrder(texts));
    }
}

TEST(RecipeFileRoundTrip, ACommaInAFieldShiftsEveryLaterField)
{
    RecipeTexts texts;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            texts[panel][slot] = QStringLiteral("%1.%2").arg(panel).arg(slot);
    texts[1][2] = "1,5";
    const QStringList saved = inFileOrder(texts);

    const QStringList loaded = inFileOrder(parseRecipeText(fromBig5(composeRecipeFile(texts))));
    EXPECT_EQ(loaded.at(0), "1.1");
    EXPECT_EQ(loaded.at(1), "1");
    EXPECT_EQ(loaded.at(2), "5");
    // From the third field on each holds its predecessor's text; the last is lost.
    for (int i = 3; i < 30; ++i)
        EXPECT_EQ(loaded.at(i), saved.at(i - 1)) << "field " << i + 1;
}

TEST(UnencodableFields, NamesTheFieldsCodePage950CannotHold)
{
    RecipeTexts texts = uniformRecipe(QString::fromUtf8("溫度"));
    EXPECT_TRUE(unencodableFields(texts).isEmpty());
    texts[2][4] = QString::fromUtf8("100😀");
    texts[3][1] = QString::fromUtf8("温"); // the simplified form, not in code page 950
    const QList<RecipeSlot> lost = unencodableFields(texts);
    ASSERT_EQ(lost.size(), 2);
    EXPECT_EQ(lost.at(0), (RecipeSlot{2, 4}));
    EXPECT_EQ(lost.at(1), (RecipeSlot{3, 1}));
}

TEST(RecipeNameOf, FileNameCutBeforeTheFirstDotTxt)
{
    const struct {
        const char *path;
        const char *name;
    } cases[] = {
        {"Batch7.txt", "Batch7"},
        {"a.TXT", ""},
        {"x.txt.bak", "x"},
        {"/home/op/Recipe/Batch7.txt", "Batch7"},
        {"/data/配方.txt", "配方"},
        {"/old.txt/plain", ""}, // the folder does not count
        {"a.txt.txt", "a"},
        {".txt", ""},
        {"notes", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(recipeNameOf(QString::fromUtf8(c.path)), QString::fromUtf8(c.name)) << c.path;
}

} // namespace
