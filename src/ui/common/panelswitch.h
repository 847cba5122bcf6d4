#pragma once

// The switch between a page's panels or views: the chosen button in bold with the
// selection marker, the others plain.

#include <QIcon>

#include <vector>

class QAbstractButton;
class QWidget;

void setBold(QWidget *widget, bool bold);
// Marks `chosen` among `buttons` (null entries are passed over).
void markChosenButton(const std::vector<QAbstractButton *> &buttons, const QAbstractButton *chosen,
                      const QIcon &marker);
