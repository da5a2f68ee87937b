#include "platform/openurl.h"

#include <gtest/gtest.h>

TEST(OpenUrl, OnlyWebLinksMayOpen)
{
    const struct {
        const char* url;
        bool web;
    } cases[] = {
        {"http://www.example.com/", true},
        {"HTTPS://example.com/a?b=c", true},
        {"  https://example.com  ", true},
        {"file:///etc/passwd", false},
        {"javascript:alert(1)", false},
        {"mailto:a@example.com", false},
        {"/usr/bin/xterm", false},
        {"http://", false},
        {"", false},
        {"tencent://message/?uin=1", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::isWebLink(QString::fromLatin1(c.url)), c.web) << c.url;
    EXPECT_FALSE(platform::openWebLink(QStringLiteral("file:///etc/passwd")));
}
