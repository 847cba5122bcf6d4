#include "tfmrecord.h"

#include "ui_tfmrecord.h"

#include "messageboxes.h"
#include "recorder.h"
#include "settingscontrols.h"
#include "strictint.h"
#include "tempmonapplication.h"
#include "tfmbrowse.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QStringList>

#include <algorithm>
#include <QStyle>

namespace {

void selectItem(QComboBox *list, int index)
{
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

} // namespace

TFmRecord::TFmRecord(Recorder &recorder, std::function<void()> showMonitoringPage, MessageBoxes &boxes,
                     QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      recorder_(recorder),
      showMonitoringPage_(std::move(showMonitoringPage)),
      boxes_(boxes),
      ui(std::make_unique<Ui::TFmRecord>())
{
    ui->setupUi(this);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->BtnBrowse->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    // The record timer writes into the field as it stands, also after a cancel.
    connect(ui->TxtFilePath, &QLineEdit::textChanged, &recorder_, &Recorder::setFolderText);
    ui->TxtFilePath->setText(RecordSettings::designFolder());
    ui->LabStatus->clear();
    connect(&recorder_, &Recorder::recordsDropped, this, &TFmRecord::showRecordsDropped);
    ui->CboSampleUnit->setCurrentIndex(0);
    ui->CboSaveUnit->setCurrentIndex(0);
    ui->CboFileType->setCurrentIndex(0);

    // Every change of the check box, also one the settings load makes.
    connect(ui->ChkSave, &QCheckBox::toggled, this, &TFmRecord::ChkSaveClick);
    connect(ui->BtnBrowse, &QToolButton::clicked, this, &TFmRecord::BtnBrowseClick);
    connect(ui->BtnOK, &QPushButton::clicked, this, &TFmRecord::BtnOKClick);
    connect(ui->BtnCancel, &QPushButton::clicked, this, &TFmRecord::BtnCancelClick);
    ChkSaveClick();
}

TFmRecord::~TFmRecord() = default;

void TFmRecord::setBrowseWindow(TFmBrowse *browse)
{
    browse_ = browse;
    if (browse_)
        connect(browse_, &TFmBrowse::folderChosen, this, &TFmRecord::setFolderText);
}

QString TFmRecord::folderText() const
{
    return ui->TxtFilePath->text();
}

void TFmRecord::setFolderText(const QString &folder)
{
    ui->TxtFilePath->setText(folder);
}

void TFmRecord::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // A window restored by the system is not a new opening.
    if (!event->spontaneous())
        FormShow();
}

void TFmRecord::FormShow()
{
    const RecordSettings &settings = recorder_.settings();
    ui->ChkSave->setChecked(settings.Save);
    ui->TxtSampleTime->setText(QString::number(settings.SampleTime));
    selectItem(ui->CboSampleUnit, settings.SampleUnit);
    selectItem(ui->CboSaveUnit, settings.SaveUnit);
    selectItem(ui->CboFileType, settings.FileType);
    ui->TxtFilePath->setText(settings.FilePath);
    ChkSaveClick();
}

void TFmRecord::ChkSaveClick()
{
    const bool on = ui->ChkSave->isChecked();
    for (QWidget *dependent : {static_cast<QWidget *>(ui->TxtSampleTime), static_cast<QWidget *>(ui->CboSampleUnit),
                               static_cast<QWidget *>(ui->CboSaveUnit), static_cast<QWidget *>(ui->CboFileType),
                               static_cast<QWidget *>(ui->TxtFilePath), static_cast<QWidget *>(ui->BtnBrowse)})
        dependent->setEnabled(on);
}

void TFmRecord::BtnBrowseClick()
{
    if (!browse_)
        return;
    browse_->showAt(ui->TxtFilePath->text());
}

bool TFmRecord::applyOk()
{
    RecordSettings &settings = recorder_.settings();
    settings.Save = ui->ChkSave->isChecked();
    const QString sampleText = ui->TxtSampleTime->text();
    const std::optional<int> sampleTime = strToInt(sampleText);
    if (!sampleTime) {
        boxes_.show(this, TempmonApplication::errorCaption(),
                    QStringLiteral("取樣時間「%1」不是整數，請輸入整數。").arg(sampleText), MessageBoxes::Icon::Error);
        return false;
    }
    settings.SampleTime = *sampleTime;
    settings.SampleUnit = ui->CboSampleUnit->currentIndex();
    settings.SaveUnit = ui->CboSaveUnit->currentIndex();
    settings.FileType = ui->CboFileType->currentIndex();
    settings.FilePath = ui->TxtFilePath->text();
    if (showMonitoringPage_)
        showMonitoringPage_();
    recorder_.setSampleInterval(*sampleTime, ui->CboSampleUnit->currentIndex());
    return true;
}

SettingsSection TFmRecord::settingsSection()
{
    return {QStringLiteral("FmRecord"),
            {
                flagSetting(QStringLiteral("ChkSave"), ui->ChkSave, true),
                numberSetting(QStringLiteral("TxtSampleTime"), ui->TxtSampleTime, 10),
                indexSetting(QStringLiteral("CboSampleUnit"), ui->CboSampleUnit, 0),
                indexSetting(QStringLiteral("CboSaveUnit"), ui->CboSaveUnit, 0),
                indexSetting(QStringLiteral("CboFileType"), ui->CboFileType, 0),
                textSetting(QStringLiteral("TxtFilePath"), ui->TxtFilePath, RecordSettings::designFolder()),
            },
            [this] { BtnOKClick(); }};
}

void TFmRecord::BtnOKClick()
{
    if (applyOk())
        closeDialog();
}

void TFmRecord::BtnCancelClick()
{
    if (showMonitoringPage_)
        showMonitoringPage_();
    closeDialog();
}

void TFmRecord::reject()
{
    closeDialog();
}

void TFmRecord::closeEvent(QCloseEvent *event)
{
    FormClose();
    event->accept();
}

void TFmRecord::closeDialog()
{
    hide();
    FormClose();
}

void TFmRecord::FormClose()
{
    recorder_.followSave();
}

void TFmRecord::showRecordsDropped(int panel)
{
    // One line for all panels that lose records, set when a panel starts losing them;
    // no message box, as this may go on for every tick of a long outage.
    if (!droppingPanels_.contains(panel)) {
        droppingPanels_.append(panel);
        std::sort(droppingPanels_.begin(), droppingPanels_.end());
    }
    QStringList panels;
    for (int p : droppingPanels_)
        panels << QStringLiteral("盤面%1").arg(p);
    ui->LabStatus->setText(QStringLiteral("%1 的紀錄檔超過一天無法寫入，最舊的紀錄已捨棄。請檢查存檔目錄。")
                               .arg(panels.join(QStringLiteral("、"))));
}
