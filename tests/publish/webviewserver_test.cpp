// The web view on loopback: what it refuses and how, what it answers with the token,
// the live feed, and that nothing listens unless the store switches it on.

#include "httpprobe.h"
#include "memorysettingsstore.h"
#include "plantfeed.h"
#include "webviewserver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QWebSocket>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const QByteArray kToken = "plant-7f3a";
const QByteArray kCookie = "Cookie: tempmon_token=plant-7f3a\r\n";

PlantView viewWithReading(const QString &pv)
{
    PlantView view;
    view.monitoring = true;
    view.windowTitle = QStringLiteral(" 溫度監控系統 Ver9.22 ");
    view.tileTitles[1][1] = QStringLiteral("溫控點 01");
    view.panels[1].slotSnapshots[1].pvText = pv;
    view.panels[1].slotSnapshots[1].svText = QStringLiteral("250.0");
    view.panels[1].slotSnapshots[1].outText = QStringLiteral("537");
    return view;
}

class WebViewServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        feed.setView(viewWithReading(QStringLiteral("250.5")));
        feed.setAlarmLines({QStringLiteral("偏差低警報!   盤面:1,第1台-->偏差低警報!   時間:上午 08:00:00"),
                            QStringLiteral("偏差高警報!   盤面:1,第2台-->偏差高警報!   時間:上午 09:00:00")});
        WebViewSettings settings;
        settings.enabled = true;
        settings.port = freePort();
        settings.token = QString::fromUtf8(kToken);
        server = std::make_unique<WebViewServer>(feed, settings);
        ASSERT_TRUE(server->start()) << server->problem().toStdString();
        port = server->port();
    }

    HttpAnswer get(const QByteArray &target, const QByteArray &fields = {})
    {
        return exchange(port, getRequest(target, fields));
    }

    PlantFeed feed;
    std::unique_ptr<WebViewServer> server;
    quint16 port = 0;
};

void expectSecurityHeaders(const HttpAnswer &answer, const char *what)
{
    const QByteArray policy = answer.field("Content-Security-Policy");
    EXPECT_TRUE(policy.contains("default-src 'none'")) << what << ": " << policy.constData();
    EXPECT_TRUE(policy.contains("script-src 'self'")) << what;
    EXPECT_FALSE(policy.contains("unsafe")) << what;
    EXPECT_EQ(answer.field("X-Content-Type-Options"), "nosniff") << what;
    EXPECT_EQ(answer.field("Cache-Control"), "no-store") << what;
}

TEST_F(WebViewServerTest, WithoutTheTokenEveryPathIsRefusedAndShowsNothing)
{
    for (const QByteArray target : {"/", "/snapshot", "/trend?panel=1", "/app.js", "/style.css", "/nothing"}) {
        for (const QByteArray &fields : {QByteArray(), QByteArray("Cookie: tempmon_token=plant-7f3b\r\n")}) {
            const HttpAnswer answer = get(target + (fields.isEmpty() ? "" : "?token=plant-7f3"), fields);
            EXPECT_EQ(answer.status, 401) << target.constData();
            EXPECT_FALSE(answer.body.contains("250.5")) << target.constData();
            EXPECT_FALSE(answer.body.contains("盤面")) << target.constData();
            EXPECT_FALSE(answer.field("Set-Cookie").contains(kToken));
            expectSecurityHeaders(answer, target.constData());
        }
    }
}

TEST_F(WebViewServerTest, PageLoadWithTheTokenSetsAStrictCookieThatOpensTheData)
{
    const HttpAnswer page = get("/?token=" + kToken);
    ASSERT_EQ(page.status, 200);
    expectSecurityHeaders(page, "page");
    EXPECT_TRUE(page.field("Content-Type").startsWith("text/html; charset=utf-8"));
    const QString html = QString::fromUtf8(page.body);
    for (const char *tab : {"盤面1", "盤面2", "盤面3"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(tab))) << tab;
    EXPECT_FALSE(html.contains(QRegularExpression(QStringLiteral("<script(?![^>]*\\bsrc=)")))) << "inline script";
    EXPECT_FALSE(html.contains(QStringLiteral("http"))) << "the page fetches nothing from elsewhere";
    const QByteArray cookie = page.field("Set-Cookie");
    EXPECT_TRUE(cookie.startsWith("tempmon_token=" + kToken + ";")) << cookie.constData();
    EXPECT_TRUE(cookie.contains("HttpOnly"));
    EXPECT_TRUE(cookie.contains("SameSite=Strict"));

    const HttpAnswer snapshot = get("/snapshot", kCookie);
    ASSERT_EQ(snapshot.status, 200);
    expectSecurityHeaders(snapshot, "snapshot");
    const QJsonObject json = QJsonDocument::fromJson(snapshot.body).object();
    const QJsonObject slot = json["view"]["panels"][0]["slots"][0].toObject();
    EXPECT_EQ(slot["pv"].toString(), "250.5");
    EXPECT_EQ(slot["out"].toString(), "53.7");
    EXPECT_TRUE(json["alarms"][0].toString().contains(QStringLiteral("第2台"))) << "newest first";

    for (const QByteArray file : {"/app.js", "/style.css"}) {
        const HttpAnswer answer = get(file, kCookie);
        EXPECT_EQ(answer.status, 200) << file.constData();
        EXPECT_FALSE(answer.body.isEmpty()) << file.constData();
        expectSecurityHeaders(answer, file.constData());
    }
    const HttpAnswer missing = get("/nothing", kCookie);
    EXPECT_EQ(missing.status, 404);
    expectSecurityHeaders(missing, "404");
}

// Before the operator starts monitoring the page already carries the main window's
// caption, and says that no reading is live yet.
TEST_F(WebViewServerTest, BeforeMonitoringThePageHasTheCaptionAndNoLiveReadings)
{
    PlantView shown;
    shown.windowTitle = QStringLiteral(" 溫度監控系統 Ver9.22 ");
    feed.setView(shown);
    const QJsonObject view = QJsonDocument::fromJson(get("/snapshot", kCookie).body).object()["view"].toObject();
    EXPECT_EQ(view["title"].toString(), shown.windowTitle);
    EXPECT_FALSE(view["started"].toBool());

    feed.setView(viewWithReading(QStringLiteral("250.5")));
    const QJsonObject live = QJsonDocument::fromJson(get("/snapshot", kCookie).body).object();
    EXPECT_TRUE(live["view"]["started"].toBool());
}

TEST_F(WebViewServerTest, OnlyGetIsAnswered)
{
    for (const QByteArray method : {"POST", "PUT", "DELETE", "PATCH", "OPTIONS", "HEAD"}) {
        const HttpAnswer answer = exchange(port, method + " /snapshot?token=" + kToken + " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                                 + kCookie + "Content-Length: 2\r\n\r\n{}");
        EXPECT_EQ(answer.status, 405) << method.constData();
        EXPECT_EQ(answer.field("Allow"), "GET") << method.constData();
        EXPECT_FALSE(answer.body.contains("250.5"));
        expectSecurityHeaders(answer, method.constData());
    }
}

TEST_F(WebViewServerTest, OversizeHeadsAreRefusedAndTheViewGoesOn)
{
    const QByteArray longLine = "/?token=" + kToken + "&pad=" + QByteArray(9000, 'a');
    EXPECT_EQ(exchange(port, getRequest(longLine)).status, 414);
    EXPECT_EQ(get("/snapshot", kCookie + "X-Pad: " + QByteArray(9000, 'b') + "\r\n").status, 431);
    EXPECT_EQ(get("/snapshot", kCookie + QByteArray("X-Pad: " + QByteArray(200, 'c') + "\r\n").repeated(50)).status, 431);
    EXPECT_EQ(get("/snapshot", kCookie).status, 200);
}

TEST_F(WebViewServerTest, TheSixtyFifthConnectionIsRefused)
{
    std::vector<std::unique_ptr<QTcpSocket>> held;
    for (int k = 0; k < 64; ++k) {
        held.push_back(std::make_unique<QTcpSocket>());
        held.back()->connectToHost(QStringLiteral("127.0.0.1"), port);
        ASSERT_TRUE(held.back()->waitForConnected(5000)) << k;
    }
    const HttpAnswer refused = get("/snapshot", kCookie);
    EXPECT_EQ(refused.status, 503);
    EXPECT_FALSE(refused.body.contains("250.5"));

    // A place that comes free is taken again.
    held.pop_back();
    QDeadlineTimer deadline(5000);
    HttpAnswer answer;
    do
        answer = get("/snapshot", kCookie);
    while (answer.status == 503 && !deadline.hasExpired());
    EXPECT_EQ(answer.status, 200);
}

TEST_F(WebViewServerTest, TheLiveFeedPushesEachChangedViewToPagesWithTheToken)
{
    QWebSocket client;
    QSignalSpy messages(&client, &QWebSocket::textMessageReceived);
    QNetworkRequest request(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    request.setRawHeader("Cookie", "tempmon_token=" + kToken);
    client.open(request);
    ASSERT_TRUE(messages.wait(5000) || messages.size() > 0);
    while (messages.size() < 2)
        ASSERT_TRUE(messages.wait(5000));
    EXPECT_TRUE(messages[0][0].toString().contains(QStringLiteral("\"pv\":\"250.5\"")));
    EXPECT_TRUE(messages[1][0].toString().contains(QStringLiteral("\"type\":\"alarms\"")));

    feed.setView(viewWithReading(QStringLiteral("251.0")));
    ASSERT_TRUE(messages.wait(5000));
    EXPECT_TRUE(messages.last()[0].toString().contains(QStringLiteral("\"pv\":\"251.0\"")));
    EXPECT_EQ(server->clientCount(), 1);

    QWebSocket stranger;
    QSignalSpy strangerMessages(&stranger, &QWebSocket::textMessageReceived);
    QSignalSpy strangerGone(&stranger, &QWebSocket::disconnected);
    stranger.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/live").arg(port)));
    ASSERT_TRUE(strangerGone.wait(5000));
    feed.setView(viewWithReading(QStringLiteral("252.0")));
    ASSERT_TRUE(messages.wait(5000));
    EXPECT_TRUE(strangerMessages.isEmpty());
    EXPECT_EQ(server->clientCount(), 1);
}

TEST_F(WebViewServerTest, APageThatStopsReadingIsDroppedRatherThanBuffered)
{
    QTcpSocket stalled;
    stalled.connectToHost(QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(stalled.waitForConnected(5000));
    stalled.write(getRequest("/live", kCookie + "Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Version: 13\r\n"
                                                "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"));
    QByteArray handshake;
    while (!handshake.contains("\r\n\r\n")) {
        if (stalled.bytesAvailable() == 0 && !stalled.waitForReadyRead(5000))
            break;
        handshake += stalled.read(1); // no further than the handshake
    }
    ASSERT_TRUE(handshake.startsWith("HTTP/1.1 101")) << handshake.constData();
    // From here on the page reads nothing: what the system buffers is all it takes.
    stalled.setReadBufferSize(1);
    ASSERT_EQ(server->clientCount(), 1);

    PlantView view = viewWithReading(QStringLiteral("250.5"));
    for (int p = 1; p <= 3; ++p)
        for (int s = 1; s <= 10; ++s)
            view.tileTitles[p][s] = QString(400, QLatin1Char('x'));
    QDeadlineTimer deadline(30000);
    // At most some 75 MB of pushes: far more than the system and the limit hold together.
    for (int k = 0; k < 5000 && server->clientCount() > 0 && !deadline.hasExpired(); ++k) {
        view.panels[1].slotSnapshots[2].pvText = QString::number(k);
        feed.setView(view);
    }
    EXPECT_EQ(server->clientCount(), 0);
}

bool portOpen(quint16 port)
{
    QTcpSocket socket;
    socket.connectToHost(QStringLiteral("127.0.0.1"), port);
    return socket.waitForConnected(2000);
}

TEST(WebViewSwitchTest, NothingListensUnlessTheStoreSwitchesItOnWithAToken)
{
    const quint16 port = freePort();
    const QString portText = QString::number(port);
    struct Case {
        const char *what;
        QList<QPair<const char *, QString>> values; // empty: no WebView group at all
        bool listens;
        bool problem;
    } cases[] = {
        {"group missing", {}, false, false},
        {"Enabled=0", {{"Enabled", "0"}, {"Port", portText}, {"Token", "t"}}, false, false},
        {"Enabled missing", {{"Port", portText}, {"Token", "t"}}, false, false},
        {"empty token", {{"Enabled", "1"}, {"Port", portText}, {"Token", ""}}, false, true},
        {"no token", {{"Enabled", "1"}, {"Port", portText}}, false, true},
        {"bind not an address", {{"Enabled", "1"}, {"Port", portText}, {"Token", "t"}, {"Bind", "plant-pc"}}, false, true},
        {"port out of range", {{"Enabled", "1"}, {"Port", "70000"}, {"Token", "t"}}, false, true},
        {"switched on", {{"Enabled", "1"}, {"Port", portText}, {"Token", "t"}}, true, false},
    };
    for (const Case &c : cases) {
        MemorySettingsStore store;
        for (const auto &[name, value] : c.values)
            store.setString("WebView", QString::fromLatin1(name), value);
        PlantFeed feed;
        QString problem;
        const auto server = WebViewServer::startFromStore(store, feed, &problem);
        EXPECT_EQ(server != nullptr, c.listens) << c.what;
        EXPECT_EQ(portOpen(port), c.listens) << c.what;
        EXPECT_EQ(!problem.isEmpty(), c.problem) << c.what << ": " << problem.toStdString();
        EXPECT_TRUE(store.writeLog().isEmpty()) << c.what << ": the program writes nothing";
        EXPECT_EQ(store.hasKey("WebView"), !c.values.isEmpty()) << c.what;
    }
}

} // namespace
