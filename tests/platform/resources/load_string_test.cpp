// LoadStringA: string tables, truncation, missing strings and the narrow code page.
#include "test_resources.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

struct StringCase {
    UINT id;
    int bufferSize;
    const char* expected;
};

TEST(LoadString, CopiesAndTruncatesWithATerminator) {
    const StringCase cases[] = {
        {IDS_SHORT, 64, "Short"},
        {IDS_SHORT, 6, "Short"},
        {IDS_SHORT, 5, "Shor"},
        {IDS_SHORT, 1, ""},
        {IDS_LONG, 9, "A longer"},
        {IDS_SECOND_BLOCK, 64, "Second block"},
        {IDS_ACCENTS, 64, "Caf\xe9 \x80 5"},
    };
    for (const StringCase& c : cases) {
        char buffer[80];
        std::string(sizeof buffer, 'x').copy(buffer, sizeof buffer);
        int copied = LoadStringA(GetModuleHandleA(nullptr), c.id, buffer, c.bufferSize);
        EXPECT_STREQ(buffer, c.expected) << "string " << c.id << " into " << c.bufferSize;
        EXPECT_EQ(copied, static_cast<int>(std::string(c.expected).size())) << "string " << c.id;
        EXPECT_EQ(buffer[c.bufferSize], 'x') << "wrote past the buffer for string " << c.id;
    }
}

TEST(LoadString, MissingStringsGiveZeroAndAnEmptyBuffer) {
    // 4 shares a block with existing strings; 100 is in a block that does not exist.
    for (UINT id : {4u, 100u, 0x10000u}) {
        char buffer[8] = "garbage";
        EXPECT_EQ(LoadStringA(nullptr, id, buffer, sizeof buffer), 0) << id;
        EXPECT_STREQ(buffer, "") << id;
    }
}

TEST(LoadString, AZeroSizeBufferCopiesNothing) {
    char buffer[4] = "abc";
    EXPECT_EQ(LoadStringA(nullptr, IDS_SHORT, buffer, 0), 0);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(LoadStringA(nullptr, IDS_SHORT, nullptr, 10), 0);
}

} // namespace
