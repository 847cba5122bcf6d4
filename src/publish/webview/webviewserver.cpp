#include "webviewserver.h"

#include "webviewworker.h"

#include <QThread>

// The page lives in this static library's resources; outside any namespace, as the
// resource's registration function is global.
static void loadPageResources()
{
    Q_INIT_RESOURCE(webview);
}

WebViewServer::WebViewServer(PlantFeed &feed, const WebViewSettings &settings)
    : settings_(settings), thread_(std::make_unique<QThread>()), worker_(new WebViewWorker(feed, settings))
{
    loadPageResources();
    thread_->setObjectName(QStringLiteral("tempmon-webview"));
    worker_->moveToThread(thread_.get());
    QObject::connect(thread_.get(), &QThread::finished, worker_, &QObject::deleteLater);
}

WebViewServer::~WebViewServer()
{
    if (thread_->isRunning()) {
        QMetaObject::invokeMethod(worker_, &WebViewWorker::close, Qt::BlockingQueuedConnection);
        thread_->quit();
        thread_->wait();
    } else {
        delete worker_;
    }
}

bool WebViewServer::start()
{
    problem_ = settings_.refusal();
    if (!problem_.isEmpty())
        return false;
    thread_->start();
    QMetaObject::invokeMethod(worker_, &WebViewWorker::open, Qt::BlockingQueuedConnection, &problem_);
    return problem_.isEmpty();
}

quint16 WebViewServer::port() const
{
    quint16 port = 0;
    if (thread_->isRunning())
        QMetaObject::invokeMethod(worker_, &WebViewWorker::port, Qt::BlockingQueuedConnection, &port);
    return port;
}

int WebViewServer::clientCount() const
{
    int count = 0;
    if (thread_->isRunning())
        QMetaObject::invokeMethod(worker_, &WebViewWorker::clientCount, Qt::BlockingQueuedConnection, &count);
    return count;
}

std::unique_ptr<WebViewServer> WebViewServer::startFromStore(SettingsStore &store, PlantFeed &feed, QString *problem)
{
    const WebViewSettings settings = WebViewSettings::read(store);
    if (!settings.enabled)
        return nullptr;
    auto server = std::make_unique<WebViewServer>(feed, settings);
    if (!server->start()) {
        if (problem)
            *problem = server->problem();
        return nullptr;
    }
    return server;
}
