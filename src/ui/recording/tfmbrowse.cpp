#include "tfmbrowse.h"

#include "ui_tfmbrowse.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>

TFmBrowse::TFmBrowse(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), ui(std::make_unique<Ui::TFmBrowse>())
{
    ui->setupUi(this);
    setModal(false);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFixedSize(size());

    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    folders_->setReadOnly(true);
    folders_->setRootPath(QString());
    ui->DirectoryListBox1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        ui->DirectoryListBox1->hideColumn(column);
    openFolder(QDir::homePath());
    connect(folders_, &QFileSystemModel::directoryLoaded, this, [this] {
        if (scrollPending_)
            ui->DirectoryListBox1->scrollTo(ui->DirectoryListBox1->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    // Once the operator moves in the tree, it stays where it is put.
    connect(ui->DirectoryListBox1, &QTreeView::expanded, this, [this] { scrollPending_ = false; });
    connect(ui->DirectoryListBox1, &QTreeView::clicked, this, [this] { scrollPending_ = false; });

    connect(ui->BtnOK, &QPushButton::clicked, this, &TFmBrowse::BtnOKClick);
    connect(ui->BtnCancel, &QPushButton::clicked, this, &TFmBrowse::BtnCancelClick);
}

TFmBrowse::~TFmBrowse() = default;

void TFmBrowse::showAt(const QString &folder)
{
    // A folder not made yet opens the tree at the nearest one that is there.
    if (!folder.trimmed().isEmpty()) {
        QString existing = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
        while (!QFileInfo(existing).isDir() && !QDir(existing).isRoot())
            existing = QFileInfo(existing).absolutePath();
        openFolder(existing);
    }
    show();
    raise();
    activateWindow();
}

void TFmBrowse::openFolder(const QString &folder)
{
    const QModelIndex index = folders_->index(QDir::cleanPath(QFileInfo(folder).absoluteFilePath()));
    if (!index.isValid())
        return;
    ui->DirectoryListBox1->setCurrentIndex(index);
    ui->DirectoryListBox1->expand(index);
    ui->DirectoryListBox1->scrollTo(index, QAbstractItemView::PositionAtCenter);
    // The folders around it are read in the background; once they are, it is centred again.
    scrollPending_ = true;
}

QString TFmBrowse::currentFolder() const
{
    const QModelIndex index = ui->DirectoryListBox1->currentIndex();
    return index.isValid() ? QDir::toNativeSeparators(folders_->filePath(index)) : QString();
}

void TFmBrowse::BtnOKClick()
{
    const QString folder = currentFolder();
    if (!folder.isEmpty())
        Q_EMIT folderChosen(folder);
    close();
}

void TFmBrowse::BtnCancelClick()
{
    close();
}
