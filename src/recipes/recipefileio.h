#pragma once

// Reading and writing recipe files on disk. A file that cannot be used is refused
// as a whole, so the fields the operator sees are either the file's or unchanged.

#include "recipetexts.h"

#include <QByteArray>
#include <QString>

#include <functional>

enum class RecipeFileError {
    None,
    CannotCreate, // the folder does not exist or may not be written
    CannotWrite,  // created, but the bytes did not all reach the disk; an old file is as it was
    OldFileDamaged, // rewritten in place, failed, and the old bytes could not be put back
    CannotOpen,   // missing, or not readable
    CannotRead,
    TooLarge,     // over kMaxRecipeFileBytes: not a recipe file
    NotBig5,      // bytes that are not code page 950 text
};

// A recipe file is about 120 bytes; anything this large is some other file.
constexpr qint64 kMaxRecipeFileBytes = 64 * 1024;

enum class WholeFileOutcome {
    Replaced,
    CannotAddFile, // no new file could be made beside the old one; nothing was touched
    Failed,        // the new file could not be written or put in place; the old one is as it was
};
using ReplaceWholeFile = std::function<WholeFileOutcome(const QString &path, const QByteArray &bytes)>;

// Writes `bytes` into a new file beside `path` and renames it over `path`.
WholeFileOutcome replaceWholeFile(const QString &path, const QByteArray &bytes);

// Creates or replaces the file with `bytes`: the old file is either replaced whole or
// left byte for byte as it was. A folder that takes no new file but lets its file be
// written gets the file rewritten in place.
RecipeFileError writeRecipeFile(const QString &path, const QByteArray &bytes,
                                const ReplaceWholeFile &replaceWhole = replaceWholeFile);

// Rewrites the existing file `path` in place. A file that has to grow is lengthened
// first, so a full disk stops the save before an old byte is touched; a write that
// fails after that puts the old bytes back.
RecipeFileError rewriteFileInPlace(const QString &path, const QByteArray &bytes);

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
