#pragma once

// The printed alarm history: the title "警報歷史紀錄" on the first page, 40 lines a
// page, each line centred, and the page number "第n頁" at the foot of every page.

#include "pagecanvas.h"

#include <QStringList>

constexpr int kHistoryLinesPerPage = 40;

// Lays `lines` out on `canvas`, which has begun its document; nothing is drawn for
// an empty list.
void printAlarmHistory(PageCanvas &canvas, const QStringList &lines);
