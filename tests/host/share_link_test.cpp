#include "share/share_link.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <stdexcept>
#include <string>

namespace {

// The test texts are written in UTF-8 and turned into the code page 936 bytes that the
// clipboard gives; "{host}" stands for the share host of this build.
std::string Gbk(std::string utf8) {
    for (size_t at; (at = utf8.find("{host}")) != std::string::npos;) {
        utf8.replace(at, 6, SHARE_HOST);
    }
    iconv_t converter = iconv_open("CP936", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("no UTF-8 to CP936 converter");
    }
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* outAt = out.data();
    size_t outLeft = out.size();
    size_t done = iconv(converter, &in, &inLeft, &outAt, &outLeft);
    iconv_close(converter);
    if (done == static_cast<size_t>(-1)) {
        throw std::runtime_error("text not representable in CP936: " + utf8);
    }
    out.resize(out.size() - outLeft);
    return out;
}

std::string Link(const std::string& encodedIdentifier, const std::string& encodedCode) {
    return std::string(RESOLVER_LINK_PREFIX) + encodedIdentifier + "&pwd=" + encodedCode;
}

struct ShareCase {
    const char* name;
    std::string text; // code page 936 bytes
    const char* identifier;
    std::string code; // code page 936 bytes
};

TEST(ShareLink, ExtractsIdentifierAndCodeFromShareMessages) {
    const ShareCase cases[] = {
        {"one line, ASCII colons and blanks",
         Gbk("链接: https://{host}/s/1AbC-dE_f 提取码: wxyz 复制这段内容后打开App"), "1AbC-dE_f",
         "wxyz"},
        {"two lines with CR LF and full-width colons",
         Gbk("链接：https://{host}/s/1abcDEF\r\n提取码：wxyz"), "1abcDEF", "wxyz"},
        {"LF alone", Gbk("链接：https://{host}/s/1abcDEF\n提取码：wxyz\n"), "1abcDEF", "wxyz"},
        {"full-width space and tab before the code",
         Gbk("链接：https://{host}/s/1abc 提取码：　\twxyz"), "1abc", "wxyz"},
        {"code in the link", Gbk("链接：https://{host}/s/1abcDEF?pwd=wxyz 复制这段内容后打开App"),
         "1abcDEF", "wxyz"},
        {"code in the link, text ends early", Gbk("https://{host}/s/1abc?pwd=wx"), "1abc", "wx"},
        {"the code word wins over the link's code",
         Gbk("https://{host}/s/1abc?pwd=aaaa 提取码: bbbb"), "1abc", "bbbb"},
        {"the link's code when the code word has nothing after it",
         Gbk("https://{host}/s/1abc?pwd=aaaa 提取码:  "), "1abc", "aaaa"},
        {"no link", Gbk("提取码: wxyz"), "", "wxyz"},
        {"no code word", Gbk("https://{host}/s/1abc 复制这段内容后打开App"), "1abc", ""},
        {"empty text", "", "", ""},
        {"several links: the last one before the code word",
         Gbk("https://{host}/s/first https://{host}/s/second 提取码 abcd https://{host}/s/third"),
         "second", "abcd"},
        {"code word before the link", Gbk("提取码 abcd https://{host}/s/xyz"), "", "abcd"},
        {"several code words: cut before the first, code after the last",
         Gbk("https://{host}/s/abc 提取码 1111 提取码 2222"), "abc", "2222"},
        {"code word as the last bytes", Gbk("https://{host}/s/abc 提取码"), "abc", ""},
        {"code word followed by two bytes", Gbk("https://{host}/s/abc 提取码:ab"), "abc", "ab"},
        {"four bytes of Chinese code", Gbk("https://{host}/s/abc 提取码: 中文字"), "abc",
         Gbk("中文")},
        {"host in other letter case", Gbk("https://PAN.EXAMPLE.COM/s/abc 提取码 wxyz"), "", "wxyz"},
        {"Chinese text right after the identifier", Gbk("https://{host}/s/abc中文 提取码 wxyz"),
         "abc", "wxyz"},
        {"link with a fragment", Gbk("https://{host}/s/abc#list/path=%2F 提取码 wxyz"), "abc",
         "wxyz"},
        {"colons inside identifier and code are removed",
         Gbk("https://{host}/s/ab:cd 提取码 w:xyz"), "abcd", "wxyz"},
        {"marker at the very end with an earlier link",
         Gbk("https://{host}/s/abc https://{host}/s/"), "abc", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShareParts parts = ExtractShareParts(c.text);
        EXPECT_EQ(parts.identifier, c.identifier);
        EXPECT_EQ(parts.code, c.code);
    }
}

TEST(ShareLink, CodeWordOnlyAcrossCharacterBoundariesGivesNothing) {
    // The byte-wise test finds the code word after the lead byte 0xB0, the character-aligned
    // cuts do not: the code and the rest of the text are both empty.
    std::string text = Gbk("https://{host}/s/abc ") + "\xB0" + std::string(CODE_WORD) + "\xB0wxyz";
    ShareParts parts = ExtractShareParts(text);
    EXPECT_EQ(parts.identifier, "");
    EXPECT_EQ(parts.code, "");
}

TEST(ShareLink, BuildsTheResolverLink) {
    EXPECT_EQ(RESOLVER_LINK_PREFIX, "http://" + std::string(RESOLVER_HOST) + "/?share=");
    // Letters and digits give the plain link.
    EXPECT_EQ(ResolverLinkFromShareText(Gbk("链接：https://{host}/s/1abcDEF\r\n提取码：wxyz")),
              Link("1abcDEF", "wxyz"));
    // Nothing found: both values empty.
    EXPECT_EQ(ResolverLinkFromShareText(""), Link("", ""));
    // Every byte of the code that could break the link is encoded.
    EXPECT_EQ(ResolverLinkFromShareText(Gbk("https://{host}/s/a-b_c 提取码 a&b#")),
              Link("a-b_c", "a%26b%23"));
    EXPECT_EQ(ResolverLinkFromShareText(Gbk("https://{host}/s/abc 提取码: 中文")),
              Link("abc", "%D6%D0%CE%C4"));
    EXPECT_EQ(ResolverLinkFromShareText(Gbk("提取码 \"a b")), Link("", "%22a%20b"));
}

TEST(ShareLink, PercentEncode) {
    const std::pair<std::string, std::string> cases[] = {
        {"AZaz09-._~", "AZaz09-._~"},
        {" \"&#%+/?=", "%20%22%26%23%25%2B%2F%3F%3D"},
        {"\n\t", "%0A%09"},
        {"\x80\xFF\x01", "%80%FF%01"},
        {"", ""},
    };
    for (const auto& [bytes, encoded] : cases) {
        EXPECT_EQ(PercentEncode(bytes), encoded);
    }
}

} // namespace
