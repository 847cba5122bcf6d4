#include "recorder.h"

#include "clock.h"
#include "plantmodel.h"
#include "recordinglog.h"

#include <QTimer>

Recorder::Recorder(const PlantModel &model, const Clock &clock, const LocaleFormats &locale, QObject *parent)
    : QObject(parent),
      model_(model),
      clock_(clock),
      folderText_(settings_.FilePath),
      timer_(new QTimer(this)),
      writer_(locale)
{
    timer_->setObjectName(QStringLiteral("TmrRecord"));
    timer_->setInterval(5000);
    connect(timer_, &QTimer::timeout, this, &Recorder::TmrRecordTimer);
}

void Recorder::setSampleInterval(int sampleTime, int sampleUnit)
{
    timer_->setInterval(recordIntervalMs(sampleTime, sampleUnit));
}

void Recorder::followSave()
{
    if (settings_.Save && timer_->interval() > 0)
        timer_->start();
    else
        timer_->stop();
}

void Recorder::stop()
{
    timer_->stop();
}

void Recorder::shutDown()
{
    timer_->stop();
    writer_.writeHeld(folderText_);
}

void Recorder::TmrRecordTimer()
{
    // A sample time of 0 gives a timer without ticks.
    if (timer_->interval() <= 0) {
        timer_->stop();
        return;
    }
    RecordTick tick;
    tick.at = clock_.now();
    tick.folderText = folderText_;
    tick.saveUnit = settings_.SaveUnit;
    tick.fileType = settings_.FileType;
    for (int panel = 1; panel <= kPanelCount; ++panel)
        tick.readings[panel] = model_.readingsSnapshot(panel);
    tick.heldLimit = recordsPerDay(timer_->interval());

    std::array<long long, kPanelCount + 1> droppedBefore{};
    for (int panel = 1; panel <= kPanelCount; ++panel)
        droppedBefore[panel] = writer_.droppedLines(panel);
    writer_.write(tick);
    for (int panel = 1; panel <= kPanelCount; ++panel) {
        if (writer_.heldLines(panel) == 0) {
            dropTold_[panel] = false;
        } else if (writer_.droppedLines(panel) > droppedBefore[panel] && !dropTold_[panel]) {
            dropTold_[panel] = true;
            emit recordsDropped(panel);
        }
    }
}
