#include "tform2.h"

#include "ui_tform2.h"

#include "messageboxes.h"
#include "skyblue.h"
#include "tempmonversion.h"
#include "uilog.h"

#include <QDesktopServices>
#include <QDir>
#include <QPixmap>
#include <QUrl>

namespace {

const QString kHome = QStringLiteral("https://github.com/tempmon/tempmon");
const QString kIssues = QStringLiteral("https://github.com/tempmon/tempmon/issues");

QString linkText(const QString &address)
{
    return QStringLiteral("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped());
}

} // namespace

TForm2::TForm2(MessageBoxes &boxes, const QString &programFolder, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      boxes_(boxes),
      openLink_([](const QUrl &url) { return QDesktopServices::openUrl(url); }),
      ui(std::make_unique<Ui::TForm2>())
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("溫度監控系統 " TEMPMON_VERSION));
    setModal(false);
    paintSkyBlue(this);
    setAutoFillBackground(true);

    ui->RzLabel3->setText(QStringLiteral("Version " TEMPMON_VERSION));
    const QString picture = QDir(programFolder).filePath(QStringLiteral("about.png"));
    const QPixmap pixmap(picture);
    if (pixmap.isNull())
        qCInfo(lcUi) << "about picture missing:" << picture;
    ui->Image1->setPixmap(pixmap);
    ui->Image1->setAccessibleName(QStringLiteral("溫度監控系統"));

    ui->RzURLLabel1->setText(linkText(kHome));
    ui->RzURLLabel1->setAccessibleName(kHome);
    ui->RzURLLabel2->setText(linkText(kIssues));
    ui->RzURLLabel2->setAccessibleName(kIssues);
    connect(ui->RzURLLabel1, &QLabel::linkActivated, this, &TForm2::RzURLLabel1Click);
    connect(ui->RzURLLabel2, &QLabel::linkActivated, this, &TForm2::RzURLLabel2Click);
    connect(ui->RzButton1, &QPushButton::clicked, this, &TForm2::RzButton1Click);
}

TForm2::~TForm2() = default;

void TForm2::setLinkOpener(LinkOpener opener)
{
    openLink_ = std::move(opener);
}

void TForm2::RzURLLabel1Click() { openLink(kHome); }
void TForm2::RzURLLabel2Click() { openLink(kIssues); }

void TForm2::openLink(const QString &address)
{
    if (openLink_ && openLink_(QUrl(address)))
        return;
    boxes_.show(this, QStringLiteral("訊息"), QStringLiteral("無法開啟網頁瀏覽器,請自行前往 %1").arg(address),
                MessageBoxes::Icon::Warning);
}

void TForm2::RzButton1Click()
{
    hide();
}
