#include "recordwriter.h"

#include "localeformats.h"
#include "recordfile.h"
#include "recordinglog.h"

#include <QDir>

#include <algorithm>

namespace {

QByteArray joined(const std::deque<QByteArray> &lines)
{
    if (lines.size() == 1)
        return lines.front();
    qsizetype size = 0;
    for (const QByteArray &line : lines)
        size += line.size();
    QByteArray all;
    all.reserve(size);
    for (const QByteArray &line : lines)
        all += line;
    return all;
}

} // namespace

RecordWriter::RecordWriter(const LocaleFormats &locale) : locale_(locale) {}

void RecordWriter::write(const RecordTick &tick)
{
    // A blank field names no folder: nothing is recorded for it, neither here nor in
    // the working folder, and nothing is told. Lines held for other folders still go.
    const QString folder = recordFolderPath(tick.folderText);
    if (!folder.isEmpty()) {
        makeFolder(folder);
        const QDir recordDir(folder);
        const QString name = recordFileName(locale_, tick.at, tick.saveUnit, tick.fileType);
        const QString timeText = locale_.longTime(tick.at.time());
        for (int panel = 1; panel <= kPanelCount; ++panel) {
            HeldFile target;
            target.recordFolder = folder;
            target.panelFolder = recordDir.filePath(panelFolderName(panel));
            target.path = QDir(target.panelFolder).filePath(name);
            target.fileType = tick.fileType;
            makeFolder(target.panelFolder);
            hold(panel, std::move(target), recordLine(timeText, tick.readings[panel]), tick.heldLimit);
        }
    }
    for (int panel = 1; panel <= kPanelCount; ++panel)
        writeHeldFiles(panel, folder);
}

void RecordWriter::writeHeld()
{
    for (int panel = 1; panel <= kPanelCount; ++panel)
        writeHeldFiles(panel, QString());
}

int RecordWriter::heldLines(int panel) const
{
    return PlantModel::validPanel(panel) ? panels_[panel].lineCount : 0;
}

long long RecordWriter::droppedLines(int panel) const
{
    return PlantModel::validPanel(panel) ? panels_[panel].dropped : 0;
}

void RecordWriter::hold(int panel, HeldFile target, QByteArray line, int limit)
{
    PanelHold &held = panels_[panel];
    auto file = std::find_if(held.files.begin(), held.files.end(), [&](const HeldFile &f) {
        return f.path == target.path && f.fileType == target.fileType;
    });
    if (file == held.files.end()) {
        held.files.push_back(std::move(target));
        file = held.files.end() - 1;
    }
    file->lines.push_back(std::move(line));
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

void RecordWriter::writeHeldFiles(int panel, const QString &currentRecordFolder)
{
    PanelHold &held = panels_[panel];
    for (auto file = held.files.begin(); file != held.files.end();) {
        // This tick has made the current folders; the folders of another one are
        // made the same way, one level each, in case they have come back.
        if (file->recordFolder != currentRecordFolder) {
            makeFolder(file->recordFolder);
            makeFolder(file->panelFolder);
        }
        const AppendOutcome outcome = appendExclusive(file->path, recordHeader(file->fileType), joined(file->lines));
        if (outcome == AppendOutcome::Written) {
            if (file->lines.size() > 1)
                qCInfo(lcRecording) << "wrote" << file->lines.size() << "held records to" << file->path;
            held.lineCount -= static_cast<int>(file->lines.size());
            file = held.files.erase(file);
        } else {
            if (file->lines.size() == 1)
                qCInfo(lcRecording) << (outcome == AppendOutcome::Busy ? "busy:" : "cannot write:") << file->path
                                    << "- holding its records";
            ++file;
        }
    }
}
