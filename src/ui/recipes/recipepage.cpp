#include "recipepage.h"

#include "ui_recipepage.h"

#include "engineevents.h"
#include "filedialogs.h"
#include "messageboxes.h"
#include "recipefile.h"
#include "recipefileio.h"
#include "recipewritesequence.h"
#include "tfmwriting.h"
#include "writerejection.h"

#include <QLineEdit>

namespace {

FileDialogRequest recipeDialog(const QString &folder, const QString &title)
{
    return {title, folder, QStringLiteral("Text Files(*.txt)"), QStringLiteral("txt")};
}

QString writeTitle(int panel)
{
    return panel == 0 ? QStringLiteral("所有盤面---配方寫入中....")
                      : QStringLiteral("盤面%1---配方寫入中....").arg(panel);
}

QString slotName(int panel, int slot)
{
    return QStringLiteral("盤面%1 溫控點%2").arg(panel).arg(slot);
}

QString refusalReport(const QList<RejectedWrite> &refused)
{
    QStringList lines{QStringLiteral("下列溫控點的配方值未寫入：")};
    for (const RejectedWrite &write : refused)
        lines << QStringLiteral("%1：數值「%2」%3")
                     .arg(slotName(write.panel, write.slot), write.valueText, rejectionReason(write.reason));
    lines << QStringLiteral("其他溫控點的配方值已送出。");
    return lines.join(QLatin1Char('\n'));
}

QString unencodableReport(const QList<RecipeSlot> &lost)
{
    QStringList names;
    for (const RecipeSlot &at : lost)
        names << slotName(at.panel, at.slot);
    return QStringLiteral("下列溫控點的配方值含有 Big5 無法表示的字元，配方未存檔：\n%1")
        .arg(names.join(QLatin1Char('\n')));
}

} // namespace

RecipePage::RecipePage(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::RecipePage>())
{
    ui->setupUi(this);
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            fields_[panel][slot] = findChild<QLineEdit *>(
                QStringLiteral("TxtRecipe%1%2").arg(panelLetter(panel)).arg(slot));
    writeButtons_ = {ui->BtnWriteA, ui->BtnWriteB, ui->BtnWriteC, ui->BtnWriteAll};
    // Enter in a recipe field writes nothing, wherever the page is hosted.
    for (QAbstractButton *button : writeButtons_) {
        if (auto *push = qobject_cast<QPushButton *>(button)) {
            push->setAutoDefault(false);
            push->setDefault(false);
        }
    }
    connect(ui->BtnWriteA, &QAbstractButton::clicked, this, &RecipePage::BtnWriteAClick);
    connect(ui->BtnWriteB, &QAbstractButton::clicked, this, &RecipePage::BtnWriteBClick);
    connect(ui->BtnWriteC, &QAbstractButton::clicked, this, &RecipePage::BtnWriteCClick);
    connect(ui->BtnWriteAll, &QAbstractButton::clicked, this, &RecipePage::BtnWriteAllClick);
    connect(ui->BtnSaveRecipe, &QAbstractButton::clicked, this, &RecipePage::BtnSaveRecipeClick);
    connect(ui->BtnLoadRecipe, &QAbstractButton::clicked, this, &RecipePage::BtnLoadRecipeClick);
}

RecipePage::~RecipePage() = default;

void RecipePage::attach(PlantModel &model, MessageBoxes &boxes, FileDialogs &dialogs, const QString &recipeFolder)
{
    model_ = &model;
    boxes_ = &boxes;
    dialogs_ = &dialogs;
    recipeFolder_ = recipeFolder;
    delete sequence_;
    sequence_ = new RecipeWriteSequence(model, this);
    connect(sequence_, &RecipeWriteSequence::placed, this, [this](int count) {
        if (progress_)
            progress_->setPosition(count);
    });
    connect(sequence_, &RecipeWriteSequence::finished, this, &RecipePage::writeFinished);
}

bool RecipePage::takesRejection(const RejectedWrite &write)
{
    return sequence_ && sequence_->takeRejection(write);
}

bool RecipePage::writing() const
{
    return sequence_ && sequence_->running();
}

void RecipePage::stopWriting()
{
    if (!sequence_)
        return;
    sequence_->stop();
    setWriteButtonsEnabled(true);
}

RecipeTexts RecipePage::texts() const
{
    RecipeTexts texts;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            texts[panel][slot] = fields_[panel][slot]->text();
    return texts;
}

void RecipePage::setTexts(const RecipeTexts &texts)
{
    for (int panel = 1; panel <= kPanelCount; ++panel)
        for (int slot = 1; slot <= kSlotCount; ++slot)
            fields_[panel][slot]->setText(texts[panel][slot]);
}

QLineEdit *RecipePage::field(int panel, int slot) const
{
    if (panel < 1 || panel > kPanelCount || slot < 1 || slot > kSlotCount)
        return nullptr;
    return fields_[panel][slot];
}

void RecipePage::BtnWriteAClick() { writeRecipe(1); }
void RecipePage::BtnWriteBClick() { writeRecipe(2); }
void RecipePage::BtnWriteCClick() { writeRecipe(3); }
void RecipePage::BtnWriteAllClick() { writeRecipe(0); }

void RecipePage::writeRecipe(int panel)
{
    if (!sequence_ || sequence_->running())
        return;
    // The texts as they stand now are written, even if a field or a loaded file
    // changes them while the requests go out.
    const QList<RecipeWriteItem> items = recipeWriteItems(texts(), panel);
    setWriteButtonsEnabled(false);
    if (progress_)
        progress_->beginWrite(writeTitle(panel), int(items.size()), window());
    if (!sequence_->start(items))
        setWriteButtonsEnabled(true);
}

void RecipePage::writeFinished(const QList<RejectedWrite> &refused)
{
    setWriteButtonsEnabled(true);
    if (!refused.isEmpty())
        tell(QStringLiteral("錯誤"), refusalReport(refused), true);
}

void RecipePage::setWriteButtonsEnabled(bool enabled)
{
    for (QAbstractButton *button : writeButtons_)
        button->setEnabled(enabled);
}

void RecipePage::BtnSaveRecipeClick()
{
    if (!dialogs_)
        return;
    const RecipeTexts recipe = texts();
    const QList<RecipeSlot> lost = unencodableFields(recipe);
    if (!lost.isEmpty()) {
        tell(QStringLiteral("錯誤"), unencodableReport(lost), true);
        return;
    }
    const QByteArray bytes = composeRecipeFile(recipe);
    const QString path = dialogs_->saveFileName(window(), recipeDialog(recipeFolder_, QStringLiteral("儲存配方")));
    if (path.isEmpty())
        return;
    const RecipeFileError error = writeRecipeFile(path, bytes);
    if (error != RecipeFileError::None) {
        tell(QStringLiteral("錯誤"), recipeFileErrorMessage(error, path), true);
        return;
    }
    ui->LbRecipeName->setText(recipeNameOf(path));
    tell(QStringLiteral("訊息"), QStringLiteral("配方儲存完成"), false);
}

void RecipePage::BtnLoadRecipeClick()
{
    if (!dialogs_)
        return;
    const QString path = dialogs_->openFileName(window(), recipeDialog(recipeFolder_, QString()));
    if (path.isEmpty())
        return;
    const RecipeFileRead read = readRecipeFile(path);
    if (read.error != RecipeFileError::None) {
        tell(QStringLiteral("錯誤"), recipeFileErrorMessage(read.error, path), true);
        return;
    }
    ui->LbRecipeName->setText(recipeNameOf(path));
    setTexts(read.texts);
    tell(QStringLiteral("訊息"), QStringLiteral("配方載入完成"), false);
}

void RecipePage::tell(const QString &caption, const QString &text, bool error)
{
    if (boxes_)
        boxes_->show(window(), caption, text, error ? MessageBoxes::Icon::Error : MessageBoxes::Icon::Information);
}
