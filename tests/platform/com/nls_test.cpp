// MultiByteToWideChar and WideCharToMultiByte: Windows-1252 as the narrow code page, UTF-8, the
// size queries and the failures.
#include <windows.h>
#include <winnls.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

std::u16string ToWide(UINT codePage, DWORD flags, const std::string& text) {
    const int size = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(size), u'\0');
    if (size > 0) {
        EXPECT_EQ(size, MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), out.data(), size));
    }
    return out;
}

std::string ToNarrow(UINT codePage, const std::u16string& text, LPCSTR defaultChar = nullptr,
                     LPBOOL usedDefault = nullptr) {
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         defaultChar, usedDefault);
    std::string out(static_cast<size_t>(size), '\0');
    if (size > 0) {
        EXPECT_EQ(size, WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                            size, defaultChar, usedDefault));
    }
    return out;
}

struct Case {
    UINT codePage;
    std::string narrow;
    std::u16string wide;
};

TEST(Nls, ConvertsBothWays) {
    const Case cases[] = {
        {CP_ACP, "Skin.skf", u"Skin.skf"},
        {CP_ACP, "\x80", u"\u20AC"},
        {CP_ACP, "caf\xE9", u"caf\u00E9"},
        {CP_ACP, "\x8A\x9C\x9F\xFF", u"\u0160\u0153\u0178\u00FF"},
        {CP_ACP, "\x91quote\x92 \x96 \x85", u"\u2018quote\u2019 \u2013 \u2026"},
        // Bytes the code page leaves undefined stand for the C1 controls of the same value.
        {CP_ACP, "\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},
        {CP_OEMCP, "\x80\xE9", u"\u20AC\u00E9"},
        {CP_UTF8, "caf\xC3\xA9 \xE2\x82\xAC", u"caf\u00E9 \u20AC"},
        {CP_UTF8, "\xF0\x9F\x98\x80", u"\xD83D\xDE00"},
        {CP_UTF8, std::string("a\0b", 3), std::u16string(u"a\0b", 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.narrow);
        EXPECT_EQ(c.wide, ToWide(c.codePage, 0, c.narrow));
        EXPECT_EQ(c.narrow, ToNarrow(c.codePage, c.wide));
    }
}

TEST(Nls, Windows1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    const std::u16string wide = ToWide(CP_ACP, 0, all);
    ASSERT_EQ(all.size(), wide.size());
    BOOL usedDefault = TRUE;
    EXPECT_EQ(all, ToNarrow(CP_ACP, wide, nullptr, &usedDefault));
    EXPECT_FALSE(usedDefault);
}

TEST(Nls, SizeQueriesAndTerminators) {
    // -1 converts up to and with the terminator, and counts it.
    EXPECT_EQ(4, MultiByteToWideChar(CP_ACP, 0, "ab\xE9", -1, nullptr, 0));
    WCHAR wide[8];
    std::fill(std::begin(wide), std::end(wide), u'#');
    EXPECT_EQ(4, MultiByteToWideChar(CP_ACP, 0, "ab\xE9", -1, wide, 4));
    EXPECT_EQ(std::u16string(u"ab\u00E9", 4), std::u16string(wide, 4));
    // An explicit length converts only those bytes: no terminator is added.
    std::fill(std::begin(wide), std::end(wide), u'#');
    EXPECT_EQ(2, MultiByteToWideChar(CP_ACP, 0, "abc", 2, wide, 8));
    EXPECT_EQ(u'#', wide[2]);

    SetLastError(0);
    EXPECT_EQ(0, MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 3));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());

    EXPECT_EQ(4, WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, nullptr, 0, nullptr, nullptr));
    char narrow[8] = {};
    EXPECT_EQ(4, WideCharToMultiByte(CP_UTF8, 0, u"\u20AC", -1, narrow, sizeof narrow, nullptr, nullptr));
    EXPECT_STREQ("\xE2\x82\xAC", narrow);
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_ACP, 0, u"abc", -1, narrow, 3, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER), GetLastError());
}

TEST(Nls, CharactersWithoutANarrowFormUseTheDefaultCharacter) {
    BOOL usedDefault = FALSE;
    EXPECT_EQ("A?z", ToNarrow(CP_ACP, u"A\u0100z", nullptr, &usedDefault));
    EXPECT_TRUE(usedDefault);
    EXPECT_EQ("A*\x80", ToNarrow(CP_ACP, u"A\u4E2D\u20AC", "*", &usedDefault));
    EXPECT_TRUE(usedDefault);
}

TEST(Nls, IllFormedUtf8AndUnpairedSurrogates) {
    // Each ill-formed part becomes one U+FFFD unless the caller asks for failure.
    EXPECT_EQ(u"a\uFFFDb", ToWide(CP_UTF8, 0, "a\x80" "b"));
    EXPECT_EQ(u"a\uFFFD", ToWide(CP_UTF8, 0, "a\xE2\x82"));
    EXPECT_EQ(u"\uFFFD\uFFFD", ToWide(CP_UTF8, 0, "\xC0\xAF"));
    SetLastError(0);
    WCHAR wide[8];
    EXPECT_EQ(0, MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "a\x80", 2, wide, 8));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION), GetLastError());

    EXPECT_EQ("a\xEF\xBF\xBD", ToNarrow(CP_UTF8, u"a\xD800"));
    char narrow[8];
    SetLastError(0);
    EXPECT_EQ(0, WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, u"a\xDC00", 2, narrow, 8, nullptr, nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_NO_UNICODE_TRANSLATION), GetLastError());
}

TEST(Nls, BadArgumentsFailWithTheirErrors) {
    WCHAR wide[4];
    char narrow[4];
    BOOL used = FALSE;
    struct Failure {
        const char* what;
        std::function<int()> call;
        DWORD error;
    };
    const Failure failures[] = {
        {"null source", [&] { return MultiByteToWideChar(CP_ACP, 0, nullptr, 3, wide, 4); }, ERROR_INVALID_PARAMETER},
        {"empty source", [&] { return MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 4); }, ERROR_INVALID_PARAMETER},
        {"size without buffer", [&] { return MultiByteToWideChar(CP_ACP, 0, "abc", 3, nullptr, 4); },
         ERROR_INVALID_PARAMETER},
        {"unknown code page", [&] { return MultiByteToWideChar(12345, 0, "abc", 3, wide, 4); }, ERROR_INVALID_PARAMETER},
        {"flags for UTF-8", [&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "abc", 3, wide, 4); },
         ERROR_INVALID_FLAGS},
        {"precomposed and composite",
         [&] { return MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED | MB_COMPOSITE, "abc", 3, wide, 4); },
         ERROR_INVALID_FLAGS},
        {"wide null source", [&] { return WideCharToMultiByte(CP_ACP, 0, nullptr, 3, narrow, 4, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"negative size", [&] { return WideCharToMultiByte(CP_ACP, 0, u"abc", 3, narrow, -1, nullptr, nullptr); },
         ERROR_INVALID_PARAMETER},
        {"used default with UTF-8",
         [&] { return WideCharToMultiByte(CP_UTF8, 0, u"abc", 3, narrow, 4, nullptr, &used); },
         ERROR_INVALID_PARAMETER},
        {"strict flag outside UTF-8",
         [&] { return WideCharToMultiByte(CP_ACP, WC_ERR_INVALID_CHARS, u"abc", 3, narrow, 4, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
    };
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.what);
        SetLastError(0);
        EXPECT_EQ(0, f.call());
        EXPECT_EQ(f.error, GetLastError());
    }
}

} // namespace
