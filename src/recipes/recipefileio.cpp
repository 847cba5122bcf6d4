#include "recipefileio.h"

#include "recipefile.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

RecipeFileError writeRecipeFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // A folder that lets the file be replaced but no file be added beside it still
    // takes the recipe, written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return RecipeFileError::CannotCreate;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        file.commit();
        return RecipeFileError::CannotWrite;
    }
    return file.commit() ? RecipeFileError::None : RecipeFileError::CannotWrite;
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
