#include "pointcountfield.h"

#include "strictint.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QToolButton *makeArrow(QWidget *parent, Qt::ArrowType arrow, const QString &name)
{
    auto *button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(16, 11);
    button->setAccessibleName(name);
    return button;
}

} // namespace

PointCountField::PointCountField(QWidget *parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      up_(makeArrow(this, Qt::UpArrow, QStringLiteral("增加"))),
      down_(makeArrow(this, Qt::DownArrow, QStringLiteral("減少")))
{
    // Typing gives digits only; a number beyond the range is let in and brought back
    // when the field is left.
    edit_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,7}")), edit_));
    edit_->installEventFilter(this);
    setFocusProxy(edit_);

    auto *arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_);
    layout->addLayout(arrows);

    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

QString PointCountField::text() const { return edit_->text(); }

void PointCountField::setText(const QString &text) { edit_->setText(text); }

void PointCountField::setRange(int minimum, int maximum)
{
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
}

int PointCountField::value() const
{
    return strToInt(edit_->text()).value_or(minimum_);
}

void PointCountField::stepBy(int steps)
{
    const long long next = static_cast<long long>(std::clamp(value(), minimum_, maximum_)) + steps;
    edit_->setText(QString::number(std::clamp<long long>(next, minimum_, maximum_)));
}

void PointCountField::clamp()
{
    const QString clamped = QString::number(std::clamp(value(), minimum_, maximum_));
    if (edit_->text() != clamped)
        edit_->setText(clamped);
}

bool PointCountField::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edit_) {
        if (event->type() == QEvent::FocusOut) {
            clamp();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                stepBy(key == Qt::Key_Up ? 1 : -1);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
