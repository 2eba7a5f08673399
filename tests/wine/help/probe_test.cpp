// The help viewer's network probe against a local server (probe_server.py).
#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>

#include "help_site.h"
#include "network_probe.h"

namespace tlq {
namespace test {
namespace {

using help::http_read;

std::string port_from(const char* variable)
{
    const char* value = getenv(variable);
    return value ? value : "";
}

std::string local(const std::string& path) { return "http://127.0.0.1:" + port_from("TLQ_PROBE_PORT") + path; }

class Probe : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(port_from("TLQ_PROBE_PORT").empty()) << "run through probe_server.py"; }
};

struct ProbeCase {
    const char* path;
    std::string body;
};

TEST_F(Probe, ReturnsTheBodyWhateverTheStatus)
{
    // The server repeats the bytes 0..255, zero bytes included.
    std::string binary;
    for (int i = 0; i < 300000; ++i) binary.push_back(static_cast<char>(i % 256));
    const ProbeCase cases[] = {
        {"/body", "Taliq help probe\n"},
        {"/missing", "<html><body>404 no such page</body></html>"},  // an error page counts
        {"/binary", binary},
        {"/empty", ""},
        {"/truncated", "0123456789"},  // what came before the connection closed
        {"/body?x=1&y=2", "Taliq help probe\n"},
    };
    for (const ProbeCase& c : cases) {
        SCOPED_TRACE(c.path);
        const std::string body = http_read(local(c.path));
        EXPECT_EQ(body.size(), c.body.size());
        EXPECT_TRUE(body == c.body);
    }
}

TEST_F(Probe, SendsAnHttp10RequestWithTheOldUserAgent)
{
    ASSERT_FALSE(http_read(local("/body?probe")).empty());
    const std::string request = http_read(local("/last"));
    EXPECT_EQ(request.rfind("GET /body?probe HTTP/1.0\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Accept: */*\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos)
        << request;
}

TEST_F(Probe, FailuresGiveNoBytes)
{
    const std::string addresses[] = {
        "http://127.0.0.1:" + port_from("TLQ_CLOSED_PORT") + "/",  // refused
        "http://no-such-host.invalid/",                              // not resolvable
        "https://127.0.0.1:" + port_from("TLQ_PROBE_PORT") + "/body",  // not plain HTTP
        "not an address",
        "",
    };
    for (const std::string& address : addresses) {
        SCOPED_TRACE(address);
        EXPECT_EQ(http_read(address), "");
    }
}

// A server that accepts and never answers must not hold the viewer for long:
// the probe gives up on its own and the page that arrives later is not read.
TEST_F(Probe, SilentServerGivesNoBytes)
{
    EXPECT_EQ(http_read(local("/stall")), "");
}

TEST(ProbeAddress, IsPlainHttp)
{
    EXPECT_EQ(std::string(help::probe_address).rfind("http://", 0), 0u);
}

}  // namespace
}  // namespace test
}  // namespace tlq
