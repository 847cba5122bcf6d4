#include "fakeforms.h"

#include "radiogroup.h"
#include "settingscontrols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {
const char *const kLetters[] = {"", "A", "B", "C"};

QString letter(int panel)
{
    return QLatin1String(kLetters[panel]);
}

template <class T>
T *named(QWidget *parent, const QString &name)
{
    auto *w = new T(parent);
    w->setObjectName(name);
    return w;
}

QLineEdit *field(QWidget *parent, const QString &name, const QString &text)
{
    auto *edit = named<QLineEdit>(parent, name);
    edit->setText(text);
    return edit;
}

QComboBox *list(QWidget *parent, const QString &name, int items, int index)
{
    auto *box = named<QComboBox>(parent, name);
    for (int i = 0; i < items; ++i)
        box->addItem(QStringLiteral("%1 %2").arg(name).arg(i));
    box->setCurrentIndex(index);
    return box;
}
} // namespace

std::unique_ptr<QWidget> makeFakeHome()
{
    auto home = std::make_unique<QWidget>();
    home->setObjectName(QStringLiteral("FmHome"));
    auto *label = named<QLabel>(home.get(), QStringLiteral("RzLabel1"));
    label->setText(QStringLiteral("請按Ctrl+A輸入公司名稱"));
    label->move(10, 7);
    for (int p = 1; p <= 3; ++p) {
        for (int n = 1; n <= 10; ++n) {
            auto *tile = named<QWidget>(home.get(), QStringLiteral("Controller%1%2").arg(letter(p)).arg(n));
            // The tile's fields sit one level down, as in the real tile's frame.
            auto *frame = named<QWidget>(tile, QStringLiteral("Frame"));
            field(frame, QStringLiteral("TxtUnitTitle"), QStringLiteral("溫控點 %1").arg(n, 2, 10, QLatin1Char('0')));
            // Like the tile's own field: emptied, it shows "1" at once.
            QLineEdit *id = field(frame, QStringLiteral("TxtID"), QStringLiteral("1"));
            QObject::connect(id, &QLineEdit::textChanged, id, [id](const QString &text) {
                if (text.isEmpty())
                    id->setText(QStringLiteral("1"));
            });
            field(home.get(), QStringLiteral("TxtRecipe%1%2").arg(letter(p)).arg(n), QStringLiteral("100"));
        }
    }
    return home;
}

std::unique_ptr<QWidget> makeFakeCommSetting()
{
    auto comm = std::make_unique<QWidget>();
    comm->setObjectName(QStringLiteral("FmCommSetting"));
    auto *scan = named<RadioGroup>(comm.get(), QStringLiteral("RdoScanAll"));
    scan->addItem(QStringLiteral("僅掃描已連接的控制器"));
    scan->addItem(QStringLiteral("掃描盤面上所有控制器"));
    scan->setItemIndex(0);
    list(comm.get(), QStringLiteral("CboConverter"), 3, 0);
    list(comm.get(), QStringLiteral("CboPsl"), 2, 0);
    for (int p = 1; p <= 3; ++p)
        list(comm.get(), QStringLiteral("CboCom%1").arg(letter(p)), 8, 0);
    for (int p = 1; p <= 3; ++p)
        list(comm.get(), QStringLiteral("CboBps%1").arg(letter(p)), 5, -1);
    field(comm.get(), QStringLiteral("TxtTitle"), QStringLiteral("溫度監控系統 8.22"));
    for (int p = 1; p <= 3; ++p)
        field(comm.get(), QStringLiteral("Edit%1").arg(p), QString());
    return comm;
}

std::unique_ptr<QWidget> makeFakeChartSetting()
{
    auto chart = std::make_unique<QWidget>();
    chart->setObjectName(QStringLiteral("FmChartSetting"));
    for (int p = 1; p <= 3; ++p) {
        auto *axis = named<QWidget>(chart.get(), QStringLiteral("GrpAxis%1").arg(letter(p)));
        auto *autoScale = named<QRadioButton>(axis, QStringLiteral("RdoAuto%1").arg(letter(p)));
        auto *limit = named<QRadioButton>(axis, QStringLiteral("RdoLimit%1").arg(letter(p)));
        auto *ymin = field(axis, QStringLiteral("TxtYmin%1").arg(letter(p)), QStringLiteral("0"));
        auto *ymax = field(axis, QStringLiteral("TxtYmax%1").arg(letter(p)), QStringLiteral("600"));
        autoScale->setChecked(true);
        ymin->setEnabled(false);
        ymax->setEnabled(false);
        QObject::connect(autoScale, &QRadioButton::clicked, axis, [ymin, ymax] {
            ymin->setEnabled(false);
            ymax->setEnabled(false);
        });
        QObject::connect(limit, &QRadioButton::clicked, axis, [ymin, ymax] {
            ymin->setEnabled(true);
            ymax->setEnabled(true);
        });
        named<QCheckBox>(chart.get(), QStringLiteral("Chk3D%1").arg(letter(p)));
        named<QCheckBox>(chart.get(), QStringLiteral("ChkSV%1").arg(p));
        field(chart.get(), QStringLiteral("TxtCht%1Max").arg(letter(p)), QStringLiteral("1000"));
    }
    field(chart.get(), QStringLiteral("TxtChtSample"), QStringLiteral("5"));
    return chart;
}

std::unique_ptr<QWidget> makeFakeRecord()
{
    auto record = std::make_unique<QWidget>();
    record->setObjectName(QStringLiteral("FmRecord"));
    named<QCheckBox>(record.get(), QStringLiteral("ChkSave"))->setChecked(true);
    field(record.get(), QStringLiteral("TxtSampleTime"), QStringLiteral("10"));
    list(record.get(), QStringLiteral("CboSampleUnit"), 2, 0);
    list(record.get(), QStringLiteral("CboSaveUnit"), 2, 0);
    list(record.get(), QStringLiteral("CboFileType"), 2, 0);
    field(record.get(), QStringLiteral("TxtFilePath"), QStringLiteral("E:\\Temperature Data"));
    return record;
}

FakeForms makeFakeForms()
{
    return {makeFakeHome(), makeFakeCommSetting(), makeFakeChartSetting(), makeFakeRecord()};
}

QMap<QString, QString> snapshot(const QWidget &form)
{
    QMap<QString, QString> state;
    const QList<QWidget *> widgets = form.findChildren<QWidget *>();
    for (const QWidget *w : widgets) {
        if (w->objectName().isEmpty())
            continue;
        // Tiles hold their fields in a frame: name them after the tile.
        const QWidget *owner = w->parentWidget();
        while (owner && owner != &form && !owner->objectName().startsWith(QLatin1String("Controller")))
            owner = owner->parentWidget();
        const QString key = (owner && owner != &form ? owner->objectName() : QString()) + QLatin1Char('/') + w->objectName();
        if (const auto *edit = qobject_cast<const QLineEdit *>(w))
            state[key] = edit->text() + (edit->isEnabled() ? QString() : QStringLiteral(" [disabled]"));
        else if (const auto *label = qobject_cast<const QLabel *>(w))
            state[key] = label->text() + QStringLiteral(" @%1").arg(label->x());
        else if (const auto *box = qobject_cast<const QComboBox *>(w))
            state[key] = QString::number(box->currentIndex());
        else if (const auto *group = qobject_cast<const RadioGroup *>(w))
            state[key] = QString::number(group->itemIndex());
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w))
            state[key] = button->isChecked() ? QStringLiteral("on") : QStringLiteral("off");
    }
    return state;
}

QMap<QString, QString> snapshot(const FakeForms &forms)
{
    QMap<QString, QString> all;
    for (const QWidget *form : {forms.home.get(), forms.comm.get(), forms.chart.get(), forms.record.get()}) {
        const QMap<QString, QString> part = snapshot(*form);
        for (auto it = part.begin(); it != part.end(); ++it)
            all.insert(form->objectName() + QLatin1Char(':') + it.key(), it.value());
    }
    return all;
}

void changeEveryControl(FakeForms &f)
{
    for (int p = 1; p <= 3; ++p) {
        for (int n = 1; n <= 10; ++n) {
            const QString tile = QStringLiteral("Controller%1%2/").arg(letter(p)).arg(n);
            control<QLineEdit>(f.home.get(), tile + QStringLiteral("TxtUnitTitle"))
                ->setText(QStringLiteral("爐%1-%2").arg(letter(p)).arg(n));
            control<QLineEdit>(f.home.get(), tile + QStringLiteral("TxtID"))->setText(QString::number(p * 100 + n));
            control<QLineEdit>(f.home.get(), QStringLiteral("TxtRecipe%1%2").arg(letter(p)).arg(n))
                ->setText(QStringLiteral("%1.5").arg(p * 10 + n));
        }
    }
    control<RadioGroup>(f.comm.get(), QStringLiteral("RdoScanAll"))->setItemIndex(1);
    for (int p = 1; p <= 3; ++p)
        control<QLineEdit>(f.comm.get(), QStringLiteral("Edit%1").arg(p))->setText(QString::number(10 + p));
    control<QComboBox>(f.comm.get(), QStringLiteral("CboConverter"))->setCurrentIndex(2);
    control<QComboBox>(f.comm.get(), QStringLiteral("CboComA"))->setCurrentIndex(3);
    control<QComboBox>(f.comm.get(), QStringLiteral("CboComB"))->setCurrentIndex(-1);
    control<QComboBox>(f.comm.get(), QStringLiteral("CboComC"))->setCurrentIndex(7);
    control<QComboBox>(f.comm.get(), QStringLiteral("CboBpsA"))->setCurrentIndex(0);
    control<QComboBox>(f.comm.get(), QStringLiteral("CboBpsB"))->setCurrentIndex(2);
    control<QComboBox>(f.comm.get(), QStringLiteral("CboBpsC"))->setCurrentIndex(4);
    control<QLineEdit>(f.comm.get(), QStringLiteral("TxtTitle"))->setText(QStringLiteral("一號廠 監控"));
    for (int p = 1; p <= 3; ++p) {
        control<QRadioButton>(f.chart.get(), QStringLiteral("RdoLimit%1").arg(letter(p)))->click();
        control<QLineEdit>(f.chart.get(), QStringLiteral("TxtYmin%1").arg(letter(p)))->setText(QString::number(-10 * p));
        control<QLineEdit>(f.chart.get(), QStringLiteral("TxtYmax%1").arg(letter(p)))->setText(QString::number(100 * p));
        control<QCheckBox>(f.chart.get(), QStringLiteral("Chk3D%1").arg(letter(p)))->setChecked(p != 2);
        control<QCheckBox>(f.chart.get(), QStringLiteral("ChkSV%1").arg(p))->setChecked(p == 2);
        control<QLineEdit>(f.chart.get(), QStringLiteral("TxtCht%1Max").arg(letter(p)))->setText(QString::number(200 * p));
    }
    control<QLineEdit>(f.chart.get(), QStringLiteral("TxtChtSample"))->setText(QStringLiteral("12"));
    control<QCheckBox>(f.record.get(), QStringLiteral("ChkSave"))->setChecked(false);
    control<QLineEdit>(f.record.get(), QStringLiteral("TxtSampleTime"))->setText(QStringLiteral("30"));
    control<QComboBox>(f.record.get(), QStringLiteral("CboSampleUnit"))->setCurrentIndex(1);
    control<QComboBox>(f.record.get(), QStringLiteral("CboSaveUnit"))->setCurrentIndex(1);
    control<QComboBox>(f.record.get(), QStringLiteral("CboFileType"))->setCurrentIndex(1);
    control<QLineEdit>(f.record.get(), QStringLiteral("TxtFilePath"))->setText(QStringLiteral("/srv/溫度資料"));
}

SettingsHooks HookLog::hooks()
{
    SettingsHooks h;
    h.selectRadio = selectRadioByClick;
    h.setStationId = [this](int panel, int slot, int id) { stationIds[{panel, slot}] = id; };
    h.applyCommSetting = [this] { calls.append(QStringLiteral("comm")); };
    h.applyChartSetting = [this] { calls.append(QStringLiteral("chart")); };
    h.applyRecord = [this] { calls.append(QStringLiteral("record")); };
    h.reportError = [this](const QString &text) { errors.append(text); };
    return h;
}
