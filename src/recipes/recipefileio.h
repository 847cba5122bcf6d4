#pragma once

// Reading and writing recipe files on disk. A file that cannot be used is refused
// as a whole, so the fields the operator sees are either the file's or unchanged.

#include "recipetexts.h"

#include <QByteArray>
#include <QString>

enum class RecipeFileError {
    None,
    CannotCreate, // the folder does not exist or may not be written
    CannotWrite,  // created, but the bytes did not all reach the disk
    CannotOpen,   // missing, or not readable
    CannotRead,
    TooLarge,     // over kMaxRecipeFileBytes: not a recipe file
    NotBig5,      // bytes that are not code page 950 text
};

// A recipe file is about 120 bytes; anything this large is some other file.
constexpr qint64 kMaxRecipeFileBytes = 64 * 1024;

// Creates or replaces the file with `bytes`. The old file stays as it was unless
// the new one was written completely.
RecipeFileError writeRecipeFile(const QString &path, const QByteArray &bytes);

struct RecipeFileRead {
    RecipeFileError error = RecipeFileError::None;
    RecipeTexts texts; // all empty unless error is None
};

RecipeFileRead readRecipeFile(const QString &path);

// The file's text when `bytes` are code page 950 text: every byte pair valid, no
// lead byte cut off at the end, no NUL or other control character but tab, CR, LF.
bool decodeRecipeBytes(const QByteArray &bytes, QString *text);

// What the operator is told, naming the file.
QString recipeFileErrorMessage(RecipeFileError error, const QString &path);
