#include "messageboxes.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

namespace {

// The caption in the frame's bold type, the frame's icon and its three buttons.
constexpr double kCaptionTypeScale = 1.4;
constexpr int kFrameButtonsWidth = 160;

} // namespace

void makeRoomForCaption(QMessageBox &box)
{
    auto *layout = qobject_cast<QGridLayout *>(box.layout());
    if (!layout)
        return;
    const int width = int(QFontMetrics(box.font()).horizontalAdvance(box.windowTitle()) * kCaptionTypeScale)
                      + kFrameButtonsWidth;
    // The box sizes itself to its layout each time it is shown, so the room goes into
    // the layout rather than into a minimum size.
    layout->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), layout->rowCount(), 0, 1,
                    layout->columnCount());
}

void WidgetMessageBoxes::show(QWidget *parent, const QString &caption, const QString &text, Icon icon)
{
    QMessageBox::Icon qtIcon = QMessageBox::Information;
    switch (icon) {
    case Icon::None: qtIcon = QMessageBox::NoIcon; break;
    case Icon::Information: qtIcon = QMessageBox::Information; break;
    case Icon::Warning: qtIcon = QMessageBox::Warning; break;
    case Icon::Error: qtIcon = QMessageBox::Critical; break;
    case Icon::Question: qtIcon = QMessageBox::Question; break;
    }
    QMessageBox box(qtIcon, caption, text, QMessageBox::Ok, parent);
    makeRoomForCaption(box);
    box.exec();
}

bool WidgetMessageBoxes::ask(QWidget *parent, const QString &caption, const QString &text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
    makeRoomForCaption(box);
    return box.exec() == QMessageBox::Yes;
}
