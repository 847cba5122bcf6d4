#pragma once

// What the alarm window tests look at: the alarm page's controls, the rows of its
// grids, the count table as stored, and the text of a printed PDF.

#include "alarmtables.h"
#include "homefixture.h"
#include "tfmalmdlg.h"

#include <QAbstractItemModel>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QSqlQuery>
#include <QTableView>

#include <map>

// The lines of a list (the alarm page's view of the history, the alarm window's list).
inline QStringList listLines(QAbstractItemView *list)
{
    QStringList lines;
    const QAbstractItemModel *model = list->model();
    for (int i = 0; model && i < model->rowCount(); ++i)
        lines << model->index(i, 0).data().toString();
    return lines;
}

inline int lineCount(QAbstractItemView *list) { return list->model() ? list->model()->rowCount() : 0; }

// Every row of a grid as its cells joined by blanks, in the order shown.
inline QStringList gridRows(QTableView *grid)
{
    QStringList rows;
    const QAbstractItemModel *model = grid->model();
    if (!model)
        return rows;
    for (int r = 0; r < model->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model->columnCount(); ++c)
            cells << model->index(r, c).data().toString();
        rows << cells.join(QLatin1Char(' '));
    }
    return rows;
}

inline QStringList gridTitles(QTableView *grid)
{
    QStringList titles;
    for (int c = 0; grid->model() && c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    return titles;
}

// The count table as stored: "Panel/ControllerNO" -> AlarmCount.
inline std::map<QString, QString> storedCounts(AlarmTables &tables)
{
    std::map<QString, QString> rows;
    QSqlQuery query(tables.count().handle());
    query.exec(QStringLiteral("SELECT Panel, ControllerNO, AlarmCount FROM DbAlmCount"));
    while (query.next())
        rows[query.value(0).toString() + QLatin1Char('/') + query.value(1).toString()] = query.value(2).toString();
    return rows;
}

// The counts other than "00".
inline std::map<QString, QString> nonZeroCounts(AlarmTables &tables)
{
    std::map<QString, QString> rows;
    for (const auto &[slot, count] : storedCounts(tables))
        if (count != QLatin1String("00"))
            rows[slot] = count;
    return rows;
}

// pdftotext's reading of a PDF; empty when it cannot be read.
inline QString pdfText(const QString &file)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0)
        return {};
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// "Pages:" and "Page size:" of pdfinfo.
inline QString pdfInfo(const QString &file, const char *field)
{
    QProcess tool;
    tool.start(QStringLiteral("pdfinfo"), {file});
    if (!tool.waitForFinished(30000))
        return {};
    for (const QString &line : QString::fromUtf8(tool.readAllStandardOutput()).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String(field)))
            return line.mid(int(qstrlen(field))).trimmed();
    return {};
}

inline TFmAlmDlg *alarmWindow(HomeFixture &f) { return static_cast<TFmAlmDlg *>(f.window("FmAlmDlg")); }

template <typename T = QWidget>
T *inWindow(HomeFixture &f, const char *window, const char *name)
{
    return f.window(window)->findChild<T *>(QLatin1String(name));
}
