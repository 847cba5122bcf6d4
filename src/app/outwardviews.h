#pragma once

// The program's outward views, each off unless the settings store switches it on:
// the MQTT publisher, whose state line joins the communication dialog, and the
// read-only web view.

#include <QString>

#include <memory>

class AppWindows;
class MessageBoxes;
class MqttService;
class PlantFeed;
class SettingsStore;
class WebViewServer;
class QWidget;

class OutwardViews {
public:
    OutwardViews(SettingsStore &store, PlantFeed &feed);
    ~OutwardViews();

    void showStateIn(AppWindows &windows);
    void startMqtt();
    // A view that was asked for but cannot start says why once, in front of the main
    // window: the operator who set it up by hand would otherwise only see a page
    // that never comes.
    void startWebView(QWidget &mainWindow, MessageBoxes &boxes);

private:
    SettingsStore &store_;
    PlantFeed &feed_;
    std::unique_ptr<MqttService> mqtt_;
    std::unique_ptr<WebViewServer> webView_;
};
