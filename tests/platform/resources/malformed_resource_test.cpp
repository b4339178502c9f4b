// Damaged resource data: every parser fails cleanly, reads nothing past the end, and a damaged
// record in a .res file costs only what follows it.
#include "test_resources.h"

#include "kernel/resources.h"
#include "user/dialog_template.h"
#include "user/menu_template.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::vector<BYTE> ResourceBytes(LPCSTR type, int id) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCE(id), type);
    if (found == nullptr) {
        return {};
    }
    auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    return {data, data + SizeofResource(nullptr, found)};
}

// Each prefix in a heap block of its own size, so that a sanitiser sees any read past it.
template <typename Parse>
void ExpectEveryTruncationFails(const std::vector<BYTE>& whole, Parse parse, const char* what) {
    ASSERT_FALSE(whole.empty()) << what;
    ASSERT_TRUE(parse(whole.data(), whole.size())) << what << " does not parse whole";
    for (size_t size = 0; size < whole.size(); ++size) {
        auto copy = std::make_unique<BYTE[]>(size + 1);
        std::memcpy(copy.get(), whole.data(), size);
        EXPECT_FALSE(parse(copy.get(), size)) << what << " cut to " << size << " bytes";
    }
}

TEST(MalformedResource, TruncatedTemplatesAndImagesFail) {
    auto dialog = [](const void* data, size_t size) { return qv::user::ParseDialogTemplate(data, size).has_value(); };
    auto menu = [](const void* data, size_t size) { return qv::user::ParseMenuTemplate(data, size).has_value(); };
    auto icon = [](const void* data, size_t size) {
        return qv::kernel::DecodeIconImage({static_cast<const BYTE*>(data), size}).has_value();
    };
    struct Case {
        const char* what;
        LPCSTR type;
        int id;
        bool (*parse)(const void*, size_t);
    };
    const Case cases[] = {
        {"classic dialog", RT_DIALOG, IDD_CLASSIC, dialog},
        {"extended dialog", RT_DIALOG, IDD_EXTENDED, dialog},
        {"dialog without font", RT_DIALOG, IDD_NO_FONT, dialog},
        {"menu", RT_MENU, IDM_TEST, menu},
        // The masked formats need every byte; RT_ICON 1 is the first image of the first icon.
        {"4-bit icon image", RT_ICON, 0, icon},
    };
    for (const Case& c : cases) {
        int id = c.id;
        if (c.type == RT_ICON) {
            std::vector<BYTE> group = ResourceBytes(RT_GROUP_ICON, IDI_PALETTE4);
            std::vector<WORD> images = qv::kernel::RankIconImages(group, 32);
            ASSERT_EQ(images.size(), 1u);
            id = images[0];
        }
        ExpectEveryTruncationFails(ResourceBytes(c.type, id), c.parse, c.what);
    }
}

TEST(MalformedResource, CountsBeyondTheDataFail) {
    std::vector<BYTE> classic = ResourceBytes(RT_DIALOG, IDD_CLASSIC);
    ASSERT_GT(classic.size(), 10u);
    // The item count of a classic template is the WORD after the two style DWORDs.
    classic[8] = 9;
    EXPECT_FALSE(qv::user::ParseDialogTemplate(classic.data(), classic.size()));
    classic[8] = 0xFF;
    classic[9] = 0xFF;
    EXPECT_FALSE(qv::user::ParseDialogTemplate(classic.data(), SIZE_MAX)) << "an absurd count, trusted size";

    std::vector<BYTE> menu = ResourceBytes(RT_MENU, IDM_TEST);
    ASSERT_FALSE(menu.empty());
    // Without its end flags the menu runs on past its data.
    for (size_t i = 4; i + 1 < menu.size(); i += 2) {
        if (menu[i] & 0x80) {
            menu[i] &= static_cast<BYTE>(~0x80);
        }
    }
    EXPECT_FALSE(qv::user::ParseMenuTemplate(menu.data(), menu.size()));

    const BYTE directory[] = {0, 0, 1, 0, 5, 0, 32, 32, 0, 0, 1, 0, 32, 0};
    EXPECT_TRUE(qv::kernel::RankIconImages(directory, 32).empty()) << "five entries, data for less than one";
}

TEST(MalformedResource, ATrustedSizeReadsARealTemplate) {
    std::vector<BYTE> extended = ResourceBytes(RT_DIALOG, IDD_EXTENDED);
    auto dialog = qv::user::ParseDialogTemplate(extended.data(), SIZE_MAX);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->items.size(), 2u);
}

TEST(MalformedResource, NullAndEmptyDataFail) {
    const BYTE byte = 0;
    EXPECT_FALSE(qv::user::ParseDialogTemplate(nullptr, 100));
    EXPECT_FALSE(qv::user::ParseDialogTemplate(&byte, 0));
    EXPECT_FALSE(qv::user::ParseMenuTemplate(nullptr, 100));
    EXPECT_FALSE(qv::user::ParseMenuTemplate(&byte, 0));
    EXPECT_FALSE(qv::kernel::DecodeIconImage({}));
    EXPECT_TRUE(qv::kernel::RankIconImages({}, 32).empty());
}

// A .res record: header fields as the compiler writes them, type and name as ordinals.
std::vector<BYTE> Record(WORD type, WORD name, std::vector<BYTE> data, DWORD claimedSize) {
    std::vector<BYTE> record;
    auto dword = [&](DWORD v) {
        for (int i = 0; i < 4; ++i) {
            record.push_back(static_cast<BYTE>(v >> (8 * i)));
        }
    };
    dword(claimedSize);
    dword(32);
    dword(0xFFFFu | DWORD{type} << 16);
    dword(0xFFFFu | DWORD{name} << 16);
    dword(0);
    dword(0x04090030);
    dword(0);
    dword(0);
    record.insert(record.end(), data.begin(), data.end());
    while (record.size() % 4 != 0) {
        record.push_back(0);
    }
    return record;
}

TEST(MalformedResource, ADamagedRecordEndsItsFileOnly) {
    // Strings 96 to 111 live in block 7: string 96 claims 40 characters and has two.
    static std::vector<BYTE> file = [] {
        std::vector<BYTE> bytes = Record(0, 0, {}, 0);
        for (const auto& r : {Record(10, 900, {1, 2, 3}, 3), Record(6, 7, {40, 0, 'h', 0, 'i', 0}, 6),
                              Record(10, 901, {4}, 0x7FFFFFFF), Record(10, 902, {5}, 1)}) {
            bytes.insert(bytes.end(), r.begin(), r.end());
        }
        return bytes;
    }();
    qv::kernel::AddModuleResources(file.data(), file.size());

    HRSRC good = FindResourceA(nullptr, MAKEINTRESOURCE(900), RT_RCDATA);
    ASSERT_NE(good, nullptr);
    EXPECT_EQ(SizeofResource(nullptr, good), 3u);
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(901), RT_RCDATA), nullptr) << "runs past the file";
    EXPECT_EQ(FindResourceA(nullptr, MAKEINTRESOURCE(902), RT_RCDATA), nullptr) << "after the damage";
    EXPECT_NE(FindResourceA(nullptr, MAKEINTRESOURCE(IDD_CLASSIC), RT_DIALOG), nullptr) << "other files stay";

    char buffer[64] = "garbage";
    EXPECT_EQ(LoadStringA(nullptr, 96, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
}

} // namespace
