#include "tfmtitle.h"

#include "ui_tfmtitle.h"

#include "messageboxes.h"
#include "settingsmessages.h"
#include "settingsstore.h"
#include "titleplacement.h"

namespace {
const QString kKey = QStringLiteral("FmHome");
const QString kValue = QStringLiteral("HmTitle");
} // namespace

TFmTitle::TFmTitle(SettingsStore &store, MessageBoxes &boxes, TitleShower showTitle, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      store_(store),
      boxes_(boxes),
      showTitle_(std::move(showTitle)),
      ui(std::make_unique<Ui::TFmTitle>())
{
    ui->setupUi(this);
    setModal(false);
    connect(ui->Edit1, &QLineEdit::textChanged, this, &TFmTitle::Edit1Change);
    connect(ui->RzButton1, &QPushButton::clicked, this, &TFmTitle::RzButton1Click);
    connect(ui->RzButton2, &QPushButton::clicked, this, &TFmTitle::RzButton2Click);
}

TFmTitle::~TFmTitle() = default;

void TFmTitle::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    ui->Edit1->setFocus();
    ui->Edit1->selectAll();
}

void TFmTitle::Edit1Change(const QString &text)
{
    title_ = text;
}

void TFmTitle::RzButton1Click()
{
    const int left = confirmedTitleLeftEdge(title_);
    if (showTitle_)
        showTitle_(ui->Edit1->text(), left);
    bool stored = store_.openKey(kKey, true);
    if (stored) {
        stored = store_.writeString(kValue, ui->Edit1->text()) && store_.flush();
        store_.closeKey();
    }
    hide();
    // The main window shows the name all the same; the operator learns it will not be
    // there after a restart.
    if (!stored)
        boxes_.show(nullptr, QStringLiteral("錯誤"), writeFailedMessage(kValue), MessageBoxes::Icon::Error);
}

void TFmTitle::RzButton2Click()
{
    hide();
}
