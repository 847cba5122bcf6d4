#pragma once

// The record service: the settings the recording dialog confirmed, the record timer
// `TmrRecord` with its interval, and the writer. The dialog edits the settings and
// hands over its folder field; the main window starts and stops it. Every tick
// writes one line per panel from the plant model's readings snapshots.

#include "recordsettings.h"
#include "recordwriter.h"

#include <QObject>
#include <QString>

#include <array>

class Clock;
class LocaleFormats;
class PlantModel;
class QTimer;

class Recorder : public QObject {
    Q_OBJECT
public:
    Recorder(const PlantModel &model, const Clock &clock, const LocaleFormats &locale, QObject *parent = nullptr);

    RecordSettings &settings() { return settings_; }
    const RecordSettings &settings() const { return settings_; }

    // The folder the next tick writes into: the dialog's folder field as it stands,
    // which may differ from the confirmed FilePath after a cancel.
    void setFolderText(const QString &text) { folderText_ = text; }
    QString folderText() const { return folderText_; }

    // TmrRecord. Its interval is 0 (no ticks) for a sample time below 1 or beyond the
    // timer's range.
    QTimer *timer() const { return timer_; }
    void setSampleInterval(int sampleTime, int sampleUnit);

    // The timer runs when Save is on and its interval ticks; it stops otherwise.
    void followSave();
    void stop();
    // Timer off, and the lines still held get one last try.
    void shutDown();

    void TmrRecordTimer();

    const RecordWriter &writer() const { return writer_; }

signals:
    // Lines of `panel` are being dropped: its files could not be written for a day.
    // Told once until that panel's held lines have all been written again.
    void recordsDropped(int panel);

private:
    const PlantModel &model_;
    const Clock &clock_;
    RecordSettings settings_;
    QString folderText_;
    QTimer *timer_;
    RecordWriter writer_;
    std::array<bool, kPanelCount + 1> dropTold_{};
};
