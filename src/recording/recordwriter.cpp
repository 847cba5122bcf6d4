#include "recordwriter.h"

#include "localeformats.h"
#include "plantmodel.h"
#include "recordinglog.h"

#include <QDir>

#include <algorithm>

RecordWriter::RecordWriter(const LocaleFormats &locale) : locale_(locale) {}

void RecordWriter::write(const RecordTick &tick)
{
    // A blank field names no folder: nothing is recorded for it, neither here nor in
    // the working folder, and nothing is told. Lines held already wait for a folder.
    const QString folder = recordFolderPath(tick.folderText);
    if (folder.isEmpty())
        return;
    const QString name = recordFileName(locale_, tick.at, tick.saveUnit, tick.fileType);
    const QString timeText = locale_.longTime(tick.at.time());
    for (int panel = 1; panel <= kPanelCount; ++panel)
        hold(panel, name, tick.fileType, recordLine(timeText, tick.readings[panel]), tick.heldLimit);
    makeFolder(folder);
    for (int panel = 1; panel <= kPanelCount; ++panel)
        writeHeldFiles(panel, folder);
}

void RecordWriter::writeHeld(const QString &folderText)
{
    const QString folder = recordFolderPath(folderText);
    if (folder.isEmpty())
        return;
    makeFolder(folder);
    for (int panel = 1; panel <= kPanelCount; ++panel)
        if (panels_[panel].lineCount > 0)
            writeHeldFiles(panel, folder);
}

int RecordWriter::heldLines(int panel) const
{
    return PlantModel::validPanel(panel) ? panels_[panel].lineCount : 0;
}

long long RecordWriter::droppedLines(int panel) const
{
    return PlantModel::validPanel(panel) ? panels_[panel].dropped : 0;
}

void RecordWriter::hold(int panel, const QString &name, int fileType, QByteArray line, int limit)
{
    PanelHold &held = panels_[panel];
    // Ticks come in time order, so a line's file is the newest held one or a new one.
    if (held.files.empty() || held.files.back().name != name || held.files.back().fileType != fileType)
        held.files.push_back({name, fileType, {}});
    held.files.back().lines.push_back(std::move(line));
    ++held.lineCount;

    const int keep = std::max(1, limit);
    long long droppedNow = 0;
    while (held.lineCount > keep) {
        HeldFile &oldest = held.files.front();
        oldest.lines.pop_front();
        --held.lineCount;
        ++droppedNow;
        if (oldest.lines.empty())
            held.files.erase(held.files.begin());
    }
    if (droppedNow > 0) {
        if (held.dropped == 0)
            qCWarning(lcRecording) << "panel" << panel << "has held a day of records; dropping the oldest";
        held.dropped += droppedNow;
    }
}

void RecordWriter::writeHeldFiles(int panel, const QString &recordFolder)
{
    PanelHold &held = panels_[panel];
    const QString panelFolder = QDir(recordFolder).filePath(panelFolderName(panel));
    makeFolder(panelFolder);
    const QDir panelDir(panelFolder);
    // A file that could not be written keeps its later lines out too, so they never
    // overtake the older ones held for it.
    std::vector<QString> unwritten;
    for (auto file = held.files.begin(); file != held.files.end();) {
        const QString path = panelDir.filePath(file->name);
        if (std::find(unwritten.begin(), unwritten.end(), file->name) != unwritten.end()) {
            ++file;
            continue;
        }
        const AppendOutcome outcome = appendExclusive(path, recordHeader(file->fileType), file->lines);
        if (outcome == AppendOutcome::Written) {
            if (file->lines.size() > 1)
                qCInfo(lcRecording) << "wrote" << file->lines.size() << "held records to" << path;
            held.lineCount -= static_cast<int>(file->lines.size());
            file = held.files.erase(file);
        } else {
            if (file->lines.size() == 1)
                qCInfo(lcRecording) << (outcome == AppendOutcome::Busy ? "busy:" : "cannot write:") << path
                                    << "- holding its records";
            unwritten.push_back(file->name);
            ++file;
        }
    }
}
