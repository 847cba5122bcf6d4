#include "tfmsetpage.h"
#include "ui_tfmsetpage.h"

#include "applicationtitle.h"
#include "messageboxes.h"
#include "plantmodel.h"
#include "setpagetab.h"

namespace {

const QString kErrorCaption = QStringLiteral("錯誤");

struct TabForm {
    Level level;
    const char *suffix;
    const char *picture; // empty: the tab has no value field and no keypad
    Keypad::BackKey backKey;
};

// The tabs in the order the page shows them. The back key of Level 3 and Program 2
// waits for a click; on the others it acts as the mouse button goes down.
const TabForm kTabs[] = {
    {Level::Level1, "L1", "Image1", Keypad::BackKey::ActsOnMouseDown},
    {Level::Level2, "L2", "Image2", Keypad::BackKey::ActsOnMouseDown},
    {Level::Level3, "L3", "Image3", Keypad::BackKey::ActsOnClick},
    {Level::Level4, "L4", "", Keypad::BackKey::ActsOnClick},
    {Level::Program1, "P1", "Image5", Keypad::BackKey::ActsOnMouseDown},
    {Level::Program2, "P2", "Image6", Keypad::BackKey::ActsOnClick},
};

} // namespace

TFmSetPage::TFmSetPage(PlantModel &model, MessageBoxes &boxes, const ApplicationTitle &title,
                       std::function<int()> selectedPanel, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      model_(model),
      boxes_(boxes),
      title_(title),
      selectedPanel_(std::move(selectedPanel)),
      ui(std::make_unique<Ui::TFmSetPage>())
{
    ui->setupUi(this);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());
    LbPanel = ui->LbPanel;
    LbNO = ui->LbNO;
    LbID = ui->LbID;

    for (std::size_t i = 0; i < tabs_.size(); ++i) {
        const TabForm &form = kTabs[i];
        tabs_[i] = std::make_unique<SetPageTab>(form.level, ui->WritwL5->widget(int(i)),
                                                QString::fromLatin1(form.suffix),
                                                QString::fromLatin1(form.picture), form.backKey);
    }
    ui->WritwL5->setCurrentIndex(0);

    // Enter in a value field must not send it: only a press of "寫入" writes to a
    // controller. Without a default button the dialog leaves Enter alone; Escape
    // still closes it.
    for (QPushButton *button : findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    connect(ui->WritwL1, &QPushButton::clicked, this, &TFmSetPage::WritwL1Click);
    connect(ui->WritwL2, &QPushButton::clicked, this, &TFmSetPage::WritwL2Click);
    connect(ui->WritwL3, &QPushButton::clicked, this, &TFmSetPage::WritwL3Click);
    connect(ui->WritwL4, &QPushButton::clicked, this, &TFmSetPage::WritwL4Click);
    connect(ui->WritwP1, &QPushButton::clicked, this, &TFmSetPage::WritwP1Click);
    connect(ui->WritwP2, &QPushButton::clicked, this, &TFmSetPage::WritwP2Click);
}

TFmSetPage::~TFmSetPage() = default;

void TFmSetPage::setHeader(const QString &panel, const QString &slotNumber, const QString &id)
{
    LbPanel->setText(panel);
    LbNO->setText(slotNumber);
    LbID->setText(id);
}

void TFmSetPage::setPictureFolder(const QString &folder)
{
    const QPixmap picture = loadKeypadPicture(folder);
    for (const auto &t : tabs_)
        if (t->keypad())
            t->keypad()->setPicture(picture);
}

void TFmSetPage::WritwL1Click() { writeChecked(tab(0)); }
void TFmSetPage::WritwL2Click() { writeChecked(tab(1)); }
void TFmSetPage::WritwL3Click() { place(tab(2)); }
void TFmSetPage::WritwL4Click() { place(tab(3)); }
void TFmSetPage::WritwP1Click() { place(tab(4)); }
void TFmSetPage::WritwP2Click() { place(tab(5)); }

void TFmSetPage::writeChecked(SetPageTab &tab)
{
    const bool typed = tab.entry().entry == EntryKind::Keypad;
    switch (checkLimitedEntry(tab.input().fieldText, typed)) {
    case LimitVerdict::Accepted:
        place(tab);
        return;
    case LimitVerdict::TwoPoints:
        boxes_.show(this, title_.text(), QStringLiteral("小數點不可以多於一個"), MessageBoxes::Icon::None);
        tab.clearField();
        return;
    case LimitVerdict::Empty:
        boxes_.show(this, kErrorCaption, QStringLiteral("請輸入資料"), MessageBoxes::Icon::None);
        return;
    case LimitVerdict::NotANumber:
        // Kept, so the operator can mend the slip with the back key.
        boxes_.show(this, kErrorCaption, QStringLiteral("輸入的不是數字,請重新輸入"),
                    MessageBoxes::Icon::None);
        return;
    case LimitVerdict::OutOfRange:
        boxes_.show(this, kErrorCaption, QStringLiteral("超過輸入範圍,請重新輸入"), MessageBoxes::Icon::None);
        tab.clearField();
        return;
    }
}

void TFmSetPage::place(SetPageTab &tab)
{
    const ParameterEntry &entry = tab.entry();
    parameterCode_ = std::uint8_t(entry.code);
    const QString valueText = entryValueText(entry.entry, tab.input());
    model_.RequestWrite(selectedPanel_(), LbNO->text().toInt(), parameterCode_, valueText);
    tab.clearField();
}
