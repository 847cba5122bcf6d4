#include "recipefile.h"

#include "big5.h"

#include <QFileInfo>

namespace {

constexpr QChar kSeparator = u',';

template <typename Visit>
void forEachField(Visit visit)
{
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            visit(panel, slot);
}

} // namespace

QByteArray composeRecipeFile(const RecipeTexts &texts)
{
    QString line;
    forEachField([&](int panel, int slot) {
        line += texts[panel][slot];
        line += kSeparator;
    });
    return toBig5(line);
}

QList<RecipeSlot> unencodableFields(const RecipeTexts &texts)
{
    QList<RecipeSlot> lost;
    forEachField([&](int panel, int slot) {
        const QString &text = texts[panel][slot];
        if (fromBig5(toBig5(text)) != text)
            lost.append({panel, slot});
    });
    return lost;
}

RecipeTexts parseRecipeText(const QString &fileText)
{
    RecipeTexts texts;
    qsizetype from = 0;
    forEachField([&](int panel, int slot) {
        const qsizetype comma = fileText.indexOf(kSeparator, from);
        if (comma < 0)
            return; // stays empty, and so does every field after it
        texts[panel][slot] = fileText.mid(from, comma - from);
        from = comma + 1;
    });
    return texts;
}

QString recipeNameOf(const QString &filePath)
{
    const QString name = QFileInfo(filePath).fileName();
    const qsizetype cut = name.indexOf(QLatin1String(".txt"), 0, Qt::CaseSensitive);
    return cut < 0 ? QString() : name.left(cut);
}
