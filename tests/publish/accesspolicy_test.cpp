// The gate's judgement of a request head: the size limits, the form of a request,
// and who may read what.

#include "accesspolicy.h"
#include "accesstoken.h"
#include "requesthead.h"

#include <gtest/gtest.h>

namespace {

using Reading = RequestHead::Reading;

QByteArray get(const QByteArray &target, const QByteArray &fields = {})
{
    return "GET " + target + " HTTP/1.1\r\nHost: plant:8080\r\n" + fields + "\r\n";
}

TEST(RequestHeadTest, ReadsTheHeadAndStopsAtTheLimits)
{
    const QByteArray longTarget = "/" + QByteArray(RequestHead::kLineLimit - 14, 'a'); // line of exactly 8 KiB
    struct Case {
        const char *what;
        QByteArray bytes;
        Reading expected;
    } cases[] = {
        {"a whole head", get("/"), Reading::Complete},
        {"bare line feeds", "GET / HTTP/1.1\nHost: x\n\n", Reading::Complete},
        {"no blank line yet", "GET / HTTP/1.1\r\nHost: x\r\n", Reading::Incomplete},
        {"half a request line", "GET /snap", Reading::Incomplete},
        {"request line of 8 KiB", "GET " + longTarget + " HTTP/1.1\r\n\r\n", Reading::Complete},
        {"request line one byte over", "GET " + longTarget + "a HTTP/1.1\r\n\r\n", Reading::RequestLineTooLong},
        {"over 8 KiB without a line end", "GET /" + QByteArray(9000, 'a'), Reading::RequestLineTooLong},
        {"one header over 8 KiB", get("/", "X-Big: " + QByteArray(8300, 'b') + "\r\n"), Reading::HeadersTooLarge},
        {"many headers together over 8 KiB", get("/", QByteArray("X-A: " + QByteArray(100, 'c') + "\r\n").repeated(90)),
         Reading::HeadersTooLarge},
        {"an unfinished header over 8 KiB", "GET / HTTP/1.1\r\nX-Big: " + QByteArray(8300, 'b'), Reading::HeadersTooLarge},
        {"two words", "GET /\r\n\r\n", Reading::Malformed},
        {"other protocol", "GET / SPDY/3\r\n\r\n", Reading::Malformed},
        {"folded header", get("/", "X-A: 1\r\n continued\r\n"), Reading::Malformed},
        {"header without colon", get("/", "Nonsense\r\n"), Reading::Malformed},
    };
    for (const Case &c : cases) {
        RequestHead head;
        EXPECT_EQ(RequestHead::read(c.bytes, &head), c.expected) << c.what;
    }
}

TEST(RequestHeadTest, GivesPathQueryCookiesAndTheUpgrade)
{
    RequestHead head;
    qsizetype length = 0;
    const QByteArray bytes = get("/live?token=a%20b&x=1", "Cookie: one=1; tempmon_token=s%3Dt; two=2\r\n"
                                                          "Upgrade: WebSocket\r\nConnection: keep-alive, Upgrade\r\n");
    ASSERT_EQ(RequestHead::read(bytes + "trailing", &head, &length), Reading::Complete);
    EXPECT_EQ(length, bytes.size());
    EXPECT_EQ(head.path(), "/live");
    EXPECT_EQ(head.query().queryItemValue("token", QUrl::FullyDecoded), "a b");
    EXPECT_EQ(head.cookie("tempmon_token"), "s%3Dt");
    EXPECT_EQ(head.cookie("tempmon"), "");
    EXPECT_TRUE(head.isWebSocketUpgrade());
    EXPECT_EQ(head.field("host"), "plant:8080");
}

TEST(AccessTokenTest, MatchesOnlyTheWholeToken)
{
    const AccessToken token("s3cret");
    EXPECT_TRUE(token.matches("s3cret"));
    for (const char *other : {"", "s3cre", "s3cret ", "S3cret", "s3cres"})
        EXPECT_FALSE(token.matches(other)) << other;
    EXPECT_FALSE(AccessToken("").matches("")) << "an empty token opens nothing";
}

TEST(AccessPolicyTest, LetsOnlyReadersWithTheTokenThrough)
{
    const AccessPolicy policy("s=cr t");
    const QByteArray cookie = "Cookie: tempmon_token=s%3Dcr%20t\r\n";
    const QByteArray upgrade = "Upgrade: websocket\r\nConnection: Upgrade\r\n";
    struct Case {
        const char *what;
        QByteArray bytes;
        int status;
        bool tokenInQuery;
    } cases[] = {
        {"token in the query", get("/?token=s%3Dcr%20t"), 0, true},
        {"token in the cookie", get("/snapshot", cookie), 0, false},
        {"no token", get("/snapshot"), 401, false},
        {"wrong token", get("/?token=s%3Dcr"), 401, false},
        {"wrong cookie", get("/", "Cookie: tempmon_token=x\r\n"), 401, false},
        {"token under another cookie name", get("/", "Cookie: token=s%3Dcr%20t\r\n"), 401, false},
        {"POST", "POST /?token=s%3Dcr%20t HTTP/1.1\r\nContent-Length: 0\r\n\r\n", 405, false},
        {"PUT", "PUT / HTTP/1.1\r\n" + cookie + "\r\n", 405, false},
        {"DELETE", "DELETE / HTTP/1.1\r\n" + cookie + "\r\n", 405, false},
        {"HEAD", "HEAD / HTTP/1.1\r\n" + cookie + "\r\n", 405, false},
        {"GET with a body", get("/", cookie + "Content-Length: 5\r\n"), 400, false},
        {"live feed from the page", get("/live", cookie + upgrade + "Origin: http://plant:8080\r\n"), 0, false},
        {"live feed from another site", get("/live", cookie + upgrade + "Origin: http://evil.example\r\n"), 403, false},
        {"live feed without token", get("/live", upgrade), 401, false},
    };
    for (const Case &c : cases) {
        RequestHead head;
        ASSERT_EQ(RequestHead::read(c.bytes, &head), Reading::Complete) << c.what;
        const AccessPolicy::Verdict verdict = policy.judge(head);
        EXPECT_EQ(verdict.status, c.status) << c.what;
        EXPECT_EQ(verdict.tokenInQuery, c.tokenInQuery) << c.what;
    }
    EXPECT_EQ(policy.cookie(), "tempmon_token=s%3Dcr%20t; Path=/; HttpOnly; SameSite=Strict");
}

} // namespace
