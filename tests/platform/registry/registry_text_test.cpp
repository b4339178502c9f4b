// The registry file's text: every tree survives formatting and parsing, and broken text is
// recognised as broken rather than half read.
#include <gtest/gtest.h>

#include "host/registry_text.h"

namespace {

using qv::host::ParseRegistryText;
using qv::host::RegistryKey;

std::vector<uint8_t> B(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

TEST(RegistryText, AnyTreeSurvivesFormattingAndParsing) {
    RegistryKey root;
    root.name = "HKEY_CURRENT_USER";
    root.SetValue("", 1, B(std::string_view("root\0", 5)));
    RegistryKey& quorva = root.AddSubkey("Software").AddSubkey("Quorva 100% [x]\x01\xe9");
    quorva.SetValue("Text", 1, B("no nul"));
    quorva.SetValue("Odd \"name\" = \\", 2, B(std::string_view("\0\n\r\t\x7f\xff", 6)));
    quorva.SetValue("Dword", 4, {0x2a, 0, 0, 0x80});
    quorva.SetValue("ShortDword", 4, {1});
    quorva.SetValue("Big", 5, {1, 2, 3, 4});
    quorva.SetValue("Qword", 11, {1, 2, 3, 4, 5, 6, 7, 8});
    quorva.SetValue("Empty", 3, {});
    quorva.SetValue("Private", 0xFFFFFFFF, {9});
    root.AddSubkey("Software").AddSubkey("Empty Key");

    const std::string text = qv::host::FormatRegistryText(root);
    std::optional<RegistryKey> parsed = ParseRegistryText(text);
    ASSERT_TRUE(parsed) << text;
    EXPECT_EQ(root, *parsed) << text;
}

TEST(RegistryText, ReadsWhatAPersonWrites) {
    std::optional<RegistryKey> parsed = ParseRegistryText(
        "# written by hand\r\n"
        "\n"
        "[hkey_current_user\\Software\\Quorva]\n"
        "; comment\n"
        "\"Count\"=dword:0x2a\n"
        "\"Name\"=sz:\"Quorva\\0\"\n"
        "@=binary:hex:de,AD\n"
        "\"Order\"=dword_be:0x01020304\n"
        "\"Raw\"=dword:hex:01\n"
        "\"Type 42\"=42:\"x\"\n");
    ASSERT_TRUE(parsed);
    const RegistryKey* key = parsed->FindSubkey("software")->FindSubkey("QUORVA");
    ASSERT_NE(nullptr, key);
    EXPECT_EQ((std::vector<uint8_t>{0x2a, 0, 0, 0}), key->FindValue("Count")->data);
    EXPECT_EQ(B(std::string_view("Quorva\0", 7)), key->FindValue("name")->data);
    EXPECT_EQ((std::vector<uint8_t>{0xde, 0xad}), key->FindValue("")->data);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3, 4}), key->FindValue("Order")->data);
    EXPECT_EQ((std::vector<uint8_t>{1}), key->FindValue("Raw")->data);
    EXPECT_EQ(42u, key->FindValue("Type 42")->type);
}

TEST(RegistryText, BrokenTextIsRejected) {
    const char* broken[] = {
        "\"Orphan\"=dword:0x1\n",                              // a value before any key
        "[HKEY_CURRENT_USER\\A\n",                             // unclosed section
        "[HKEY_LOCAL_MACHINE\\A]\n",                           // another root
        "[HKEY_CURRENT_USER\\\\A]\n",                          // empty component
        "[HKEY_CURRENT_USER\\A%zz]\n",                         // bad escape in a key
        "[HKEY_CURRENT_USER]\n\"x\"=dword:0x100000000\n",      // too wide for a dword
        "[HKEY_CURRENT_USER]\n\"x\"=sz:0x1\n",                 // a number for a string
        "[HKEY_CURRENT_USER]\n\"x\"=sz:\"open\n",              // unterminated string
        "[HKEY_CURRENT_USER]\n\"x\"=sz:\"bad \\q escape\"\n",  // unknown escape
        "[HKEY_CURRENT_USER]\n\"x\"=binary:hex:1,2\n",         // bytes need two digits
        "[HKEY_CURRENT_USER]\n\"x\"=text:\"a\"\n",             // unknown type
        "[HKEY_CURRENT_USER]\nx=sz:\"a\"\n",                   // unquoted name
        "[HKEY_CURRENT_USER]\n\"x\"=sz:\"a\" trailing\n",      // junk after the data
        "garbage\x01\x02",
    };
    for (const char* text : broken) EXPECT_FALSE(ParseRegistryText(text)) << text;
}

} // namespace
