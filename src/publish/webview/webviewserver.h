#pragma once

// The read-only web view of the plant, on a thread of its own. The window thread only
// hands the feed its views; everything the view does with them, down to the last
// byte sent, happens on the view's thread.

#include "webviewsettings.h"

#include <QString>

#include <memory>

class PlantFeed;
class QThread;
class SettingsStore;
class WebViewWorker;

class WebViewServer {
public:
    WebViewServer(PlantFeed &feed, const WebViewSettings &settings);
    ~WebViewServer();
    WebViewServer(const WebViewServer &) = delete;
    WebViewServer &operator=(const WebViewServer &) = delete;

    // Opens the port; false with problem() saying why for the operator.
    bool start();
    QString problem() const { return problem_; }
    quint16 port() const;
    int clientCount() const; // open WebSocket clients

    // The view as the store asks for it: none when the group is missing or Enabled
    // is not 1; none either, with `problem` set, when it cannot start.
    static std::unique_ptr<WebViewServer> startFromStore(SettingsStore &store, PlantFeed &feed, QString *problem);

private:
    WebViewSettings settings_;
    std::unique_ptr<QThread> thread_;
    WebViewWorker *worker_ = nullptr;
    QString problem_;
};
