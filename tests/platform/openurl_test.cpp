#include "platform/openurl.h"

#include <gtest/gtest.h>

// Links are read the way people write them; what opens is the address as a browser takes it.
// Only http and https ever open.
TEST(OpenUrl, WebLinksAsWrittenAndWhatOpens)
{
    const struct {
        const char* text;
        const char* opens; // nullptr: refused
    } cases[] = {
        {"http://www.example.com/", "http://www.example.com/"},
        {"HTTPS://example.com/a?b=c", "https://example.com/a?b=c"},
        {"  https://example.com  ", "https://example.com"},
        // Real-world links: blanks, braces and bars in them, and no scheme at all.
        {"http://www.example.com/ad page.html", "http://www.example.com/ad%20page.html"},
        {"http://example.com/?q={x}", "http://example.com/?q=%7Bx%7D"},
        {"http://example.com/a|b", "http://example.com/a%7Cb"},
        {"www.example.com", "http://www.example.com"},
        {"WWW.example.com/x y", "http://www.example.com/x%20y"},
        {"http://example.com/广告?页=1", "http://example.com/%E5%B9%BF%E5%91%8A?%E9%A1%B5=1"},
        {"http://example.com/a%20b", "http://example.com/a%20b"},
        // Everything else stays shut.
        {"file:///etc/passwd", nullptr},
        {"javascript:alert(1)", nullptr},
        {"mailto:a@example.com", nullptr},
        {"/usr/bin/xterm", nullptr},
        {"http://", nullptr},
        {"", nullptr},
        {"tencent://message/?uin=1", nullptr},
        {"ftp://www.example.com/", nullptr},
        {"example.com", nullptr},
        {"wwwexample.com", nullptr},
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf8(c.text);
        EXPECT_EQ(platform::webLink(text), c.opens ? QString::fromUtf8(c.opens) : QString()) << c.text;
        EXPECT_EQ(platform::isWebLink(text), c.opens != nullptr) << c.text;
    }
    EXPECT_FALSE(platform::openWebLink(QStringLiteral("file:///etc/passwd")));
}
