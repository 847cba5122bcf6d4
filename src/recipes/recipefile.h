#pragma once

// The recipe file: one line of thirty fields in panel and slot order (panel 1 slots
// 1 to 10, then panels 2 and 3), each field's text exactly as typed followed by one
// comma, in code page 950 bytes, with no quoting, header or line break. Other
// programs and older installations read and write these files, so the format is
// kept as it is, including its weaknesses: a comma typed into a field shifts every
// later field when the file is loaded again.

#include "recipetexts.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The file's bytes. Characters code page 950 cannot hold come out as '?'; check
// with unencodableFields() first.
QByteArray composeRecipeFile(const RecipeTexts &texts);

// The fields whose text would not survive the trip through code page 950, in file
// order.
QList<RecipeSlot> unencodableFields(const RecipeTexts &texts);

// Splits the file's text field by field at the first comma that remains. From the
// first field that finds no comma on, every field is empty; text after the
// thirtieth comma is ignored.
RecipeTexts parseRecipeText(const QString &fileText);

// The name a recipe is shown by: the file name without its folder, cut before the
// first ".txt" (case-sensitive); empty when the name holds no ".txt".
QString recipeNameOf(const QString &filePath);
