#include "outwardviews.h"

#include "appwindows.h"
#include "messageboxes.h"
#include "mqttservice.h"
#include "mqttstatelabel.h"
#include "tfmcommsetting.h"
#include "webviewserver.h"

#include <QLabel>
#include <QTimer>

OutwardViews::OutwardViews(SettingsStore &store, PlantFeed &feed)
    : store_(store), feed_(feed), mqtt_(MqttService::fromStore(store, feed))
{
}

OutwardViews::~OutwardViews() = default;

void OutwardViews::showStateIn(AppWindows &windows)
{
    if (!mqtt_)
        return;
    QLabel *state = addMqttStateLabel(windows.commSetting());
    state->setText(mqtt_->stateText());
    QObject::connect(mqtt_.get(), &MqttService::stateChanged, state, &QLabel::setText);
}

void OutwardViews::startMqtt()
{
    if (mqtt_)
        mqtt_->start();
}

void OutwardViews::startWebView(QWidget &mainWindow, MessageBoxes &boxes)
{
    QString problem;
    webView_ = WebViewServer::startFromStore(store_, feed_, &problem);
    if (problem.isEmpty())
        return;
    QTimer::singleShot(0, &mainWindow, [&mainWindow, &boxes, problem] {
        boxes.show(&mainWindow, QStringLiteral("系統訊息"), problem, MessageBoxes::Icon::Warning);
    });
}
