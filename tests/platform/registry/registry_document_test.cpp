#include "platform/registry/registry_document.h"

#include <gtest/gtest.h>

namespace orvella {
namespace {

constexpr std::string_view kExport =
    "REGEDIT4\r\n"
    "\r\n"
    "[HKEY_CURRENT_USER\\Software\\Brenmark Software\\Orvella]\r\n"
    "\"WHandle\"=dword:0001a2b3\r\n"
    "@=\"default\"\r\n"
    "\"Quote\"=\"say \\\"hi\\\" to C:\\\\Windows\\\\\"\r\n"
    "\"Bin\"=hex:01,02,\\\r\n"
    "  ff\r\n"
    "\"Multi\"=hex(7):61,00,00,00\r\n"
    "\"Wide\"=hex(1):48,69,00\r\n"
    "\r\n"
    "; a comment\r\n"
    "[HKEY_CURRENT_USER\\Software\\Brenmark Software\\Orvella\\Calendar]\r\n"
    "\"CkbCalendar_Checked\"=\"True\"\r\n";

TEST(RegistryDocumentTest, ReadsARegedit4Export) {
    Result<RegistryDocument> hive = RegistryDocument::Parse(kExport, "test.reg");
    ASSERT_TRUE(hive.ok()) << hive.message();
    const std::string key = "HKEY_CURRENT_USER\\Software\\Brenmark Software\\Orvella";
    ASSERT_NE(hive->FindValue(key, "whandle"), nullptr);
    EXPECT_EQ(hive->FindValue(key, "WHandle")->dword, 0x1a2b3u);
    EXPECT_EQ(hive->FindValue(key, "")->text, "default");
    EXPECT_EQ(hive->FindValue(key, "Quote")->text, "say \"hi\" to C:\\Windows\\");
    EXPECT_EQ(hive->FindValue(key, "Bin")->bytes, (std::vector<std::uint8_t>{1, 2, 0xff}));
    EXPECT_EQ(hive->FindValue(key, "Multi")->type, 7u);
    EXPECT_EQ(hive->FindValue(key, "Wide")->text, "Hi");
    // Parents of a listed key exist; names compare without regard to case.
    EXPECT_TRUE(hive->HasKey("hkey_current_user\\SOFTWARE"));
    EXPECT_EQ(hive->SubkeyNames("HKEY_CURRENT_USER\\Software\\Brenmark Software"),
              (std::vector<std::string>{"Orvella"}));
    EXPECT_EQ(hive->SubkeyNames(key), (std::vector<std::string>{"Calendar"}));
    EXPECT_EQ(hive->ValueNames(key),
              (std::vector<std::string>{"WHandle", "", "Quote", "Bin", "Multi", "Wide"}));

    Result<RegistryDocument> again = RegistryDocument::Parse(hive->Serialize(), "again.reg");
    ASSERT_TRUE(again.ok()) << again.message();
    EXPECT_TRUE(*again == *hive);
}

TEST(RegistryDocumentTest, WritesEveryValueSoItReadsBackTheSame) {
    RegistryDocument hive;
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Test";
    hive.SetValue(key, RegistryValue::String("Line breaks", "one\r\ntwo"));
    hive.SetValue(key, RegistryValue::String("Umlaut", "Größe"));
    hive.SetValue(key, RegistryValue::String("Latin1 bytes",
                                             "Gr\xF6\xDF"
                                             "e"));
    hive.SetValue(key, RegistryValue::Dword("Max", 0xFFFFFFFFu));
    hive.SetValue(key, RegistryValue::String("", "{E4EEF7DA-9984-411C-93AD-266A097B79AC}"));
    const std::string text = hive.Serialize();
    EXPECT_NE(text.find("\"Max\"=dword:ffffffff\r\n"), std::string::npos);
    EXPECT_NE(text.find("\"Umlaut\"=\"Größe\"\r\n"), std::string::npos);
    EXPECT_NE(text.find("@=\"{E4EEF7DA-9984-411C-93AD-266A097B79AC}\"\r\n"), std::string::npos);
    Result<RegistryDocument> back = RegistryDocument::Parse(text, "x.reg");
    ASSERT_TRUE(back.ok()) << back.message();
    EXPECT_EQ(back->FindValue(key, "Line breaks")->text, "one\r\ntwo");
    EXPECT_EQ(back->FindValue(key, "Latin1 bytes")->text,
              "Gr\xF6\xDF"
              "e");
    EXPECT_TRUE(*back == hive);
}

TEST(RegistryDocumentTest, DeletesKeysWithTheirSubtreeOnly) {
    RegistryDocument hive;
    hive.CreateKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\Orvella");
    hive.CreateKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\Other");
    hive.CreateKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\Orvella2");
    hive.CreateKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\Orvella\\Deep");
    hive.DeleteKeyTree("HKEY_CLASSES_ROOT\\JPEGFILE\\shellex\\ContextMenuHandlers\\orvella");
    EXPECT_EQ(hive.SubkeyNames("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers"),
              (std::vector<std::string>{"Orvella2", "Other"}));
    EXPECT_FALSE(
        hive.HasKey("HKEY_CLASSES_ROOT\\jpegfile\\ShellEx\\ContextMenuHandlers\\"
                    "Orvella\\Deep"));
}

TEST(RegistryDocumentTest, ADamagedFileNamesItsFileAndLine) {
    const struct {
        std::string_view text;
        std::string_view where;
    } cases[] = {
        {"not a hive\r\n", "h.reg:1:"},
        {"REGEDIT4\n\n\"Orphan\"=\"x\"\n", "h.reg:3:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"Open=\"x\n", "h.reg:3:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"V\"=\"unterminated\n", "h.reg:3:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\"V\"=dword:xyz\n", "h.reg:3:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\n\n\"V\"=hex:1,2\n", "h.reg:4:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A\n", "h.reg:2:"},
        {"REGEDIT4\n[Software\\A]\n", "h.reg:2:"},
        {"REGEDIT4\n[HKEY_CURRENT_USER\\A]\nstray text\n", "h.reg:3:"},
    };
    for (const auto& c : cases) {
        Result<RegistryDocument> hive = RegistryDocument::Parse(c.text, "h.reg");
        ASSERT_FALSE(hive.ok()) << c.text;
        EXPECT_TRUE(hive.message().starts_with(c.where)) << hive.message();
    }
}

TEST(RegistryDocumentTest, AppliesRemovalLinesOfAnImportFile) {
    Result<RegistryDocument> hive = RegistryDocument::Parse(
        "REGEDIT4\n[HKEY_CURRENT_USER\\A\\B]\n\"x\"=\"1\"\n\"y\"=\"2\"\n[HKEY_CURRENT_USER\\A]\n"
        "[HKEY_CURRENT_USER\\A\\B]\n\"x\"=-\n[-HKEY_CURRENT_USER\\C]\n",
        "h.reg");
    ASSERT_TRUE(hive.ok()) << hive.message();
    EXPECT_EQ(hive->ValueNames("HKEY_CURRENT_USER\\A\\B"), (std::vector<std::string>{"y"}));
}

TEST(RegistryDocumentTest, AFreshProfileHoldsTheKeysOpenedWithoutCreating) {
    const RegistryDocument hive = RegistryDocument::Fresh();
    const std::string desktop = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
    for (const char* name : {"Wallpaper", "TileWallpaper", "WallpaperStyle"}) {
        EXPECT_NE(hive.FindValue(desktop, name), nullptr) << name;
    }
    ASSERT_NE(hive.FindValue("HKEY_CURRENT_USER\\Control Panel\\Colors", "Background"), nullptr);
    EXPECT_EQ(hive.FindValue("HKEY_CURRENT_USER\\Control Panel\\Colors", "Background")->text,
              "58 110 165");
    EXPECT_TRUE(
        hive.HasKey("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"));
    for (const char* extension : {".bmp", ".jpg", ".jpeg", ".gif", ".png", ".htm", ".html"}) {
        const RegistryValue* type =
            hive.FindValue(std::string("HKEY_CLASSES_ROOT\\") + extension, "");
        ASSERT_NE(type, nullptr) << extension;
        EXPECT_TRUE(hive.HasKey("HKEY_CLASSES_ROOT\\" + type->text)) << extension;
    }
}

}  // namespace
}  // namespace orvella
