#include "recipefileio.h"

#include "recipefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

WholeFileOutcome replaceWholeFile(const QString &path, const QByteArray &bytes)
{
    // No direct-write fallback: writing over the old file in place is done by
    // rewriteFileInPlace, which can undo what it began.
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    // Unbuffered, so that a write the disk cuts short is seen here: through the buffer
    // a short write at commit went unnoticed and a cut-off file took the old one's place.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WholeFileOutcome::CannotAddFile;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit(); // removes the new file; the old one was never touched
        return WholeFileOutcome::Failed;
    }
    return file.commit() ? WholeFileOutcome::Replaced : WholeFileOutcome::Failed;
}

RecipeFileError writeRecipeFile(const QString &path, const QByteArray &bytes, const ReplaceWholeFile &replaceWhole)
{
    switch (replaceWhole(path, bytes)) {
    case WholeFileOutcome::Replaced:
        return RecipeFileError::None;
    case WholeFileOutcome::Failed:
        return RecipeFileError::CannotWrite;
    case WholeFileOutcome::CannotAddFile:
        break;
    }
    const QFileInfo existing(path);
    if (!existing.isFile())
        return RecipeFileError::CannotCreate;
    return rewriteFileInPlace(path, bytes);
}

RecipeFileError rewriteFileInPlace(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return RecipeFileError::CannotCreate;
    // A file too large to be a recipe is not read into memory to be put back.
    if (file.size() > kMaxRecipeFileBytes)
        return RecipeFileError::CannotCreate;
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return RecipeFileError::CannotCreate;
    const qint64 oldSize = old.size();
    const qint64 newSize = bytes.size();

    if (newSize > oldSize) {
        const QByteArray tail = bytes.mid(oldSize);
        if (!file.seek(oldSize) || file.write(tail) != tail.size()) {
            // Only the tail was written: cutting it off leaves the old bytes alone.
            return file.resize(oldSize) ? RecipeFileError::CannotWrite : RecipeFileError::OldFileDamaged;
        }
    }
    const QByteArray head = bytes.left(std::min(oldSize, newSize));
    if (file.seek(0) && file.write(head) == head.size() && file.resize(newSize))
        return RecipeFileError::None;
    const bool restored = file.seek(0) && file.write(old) == oldSize && file.resize(oldSize);
    return restored ? RecipeFileError::CannotWrite : RecipeFileError::OldFileDamaged;
}

RecipeFileRead readRecipeFile(const QString &path)
{
    RecipeFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = RecipeFileError::CannotOpen;
        return result;
    }
    if (file.size() > kMaxRecipeFileBytes) {
        result.error = RecipeFileError::TooLarge;
        return result;
    }
    // Read one byte beyond the limit, for files that grow or report no size.
    const QByteArray bytes = file.read(kMaxRecipeFileBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.error = RecipeFileError::CannotRead;
        return result;
    }
    if (bytes.size() > kMaxRecipeFileBytes) {
        result.error = RecipeFileError::TooLarge;
        return result;
    }
    QString text;
    if (!decodeRecipeBytes(bytes, &text)) {
        result.error = RecipeFileError::NotBig5;
        return result;
    }
    result.texts = parseRecipeText(text);
    return result;
}

bool decodeRecipeBytes(const QByteArray &bytes, QString *text)
{
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        if (b < 0x20 && b != '\t' && b != '\r' && b != '\n')
            return false;
    }
    // Stateless, so a lead byte without its trail byte at the end counts as an error
    // instead of waiting for more input.
    QStringDecoder decoder("Big5", QStringConverter::Flag::Stateless);
    if (!decoder.isValid())
        return false;
    QString decoded = decoder(bytes);
    if (decoder.hasError())
        return false;
    *text = std::move(decoded);
    return true;
}

QString recipeFileErrorMessage(RecipeFileError error, const QString &path)
{
    const QString file = QDir::toNativeSeparators(path);
    switch (error) {
    case RecipeFileError::None:
        break;
    case RecipeFileError::CannotCreate:
        return QStringLiteral("無法建立配方檔案：\n%1\n請確認資料夾存在且可以寫入。配方未存檔。").arg(file);
    case RecipeFileError::CannotWrite:
        return QStringLiteral("配方檔案寫入失敗：\n%1\n磁碟可能已滿或無法寫入。配方未存檔，原有檔案未變更。").arg(file);
    case RecipeFileError::OldFileDamaged:
        return QStringLiteral("配方檔案寫入失敗，原有檔案無法還原：\n%1\n檔案內容可能不完整，請檢查磁碟後重新存檔。").arg(file);
    case RecipeFileError::CannotOpen:
        return QStringLiteral("無法開啟配方檔案：\n%1\n請確認檔案存在且可以讀取。配方未載入。").arg(file);
    case RecipeFileError::CannotRead:
        return QStringLiteral("配方檔案讀取失敗：\n%1\n配方未載入。").arg(file);
    case RecipeFileError::TooLarge:
        return QStringLiteral("檔案超過 64 KB，不是配方檔案：\n%1\n配方未載入。").arg(file);
    case RecipeFileError::NotBig5:
        return QStringLiteral("檔案不是 Big5 文字檔，不是配方檔案：\n%1\n配方未載入。").arg(file);
    }
    return QString();
}
