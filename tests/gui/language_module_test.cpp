#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <QXmlStreamReader>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "gui/interface_language.h"
#include "platform/files/files.h"
#include "platform/registry/registry_file.h"
#include "platform/system/environment.h"
#include "platform/system/process.h"
#include "settings/language_entry.h"
#include "support/scripted_prompter.h"
#include "support/temp_dir.h"

namespace orvella {
namespace {

using testing::TempDir;

struct Message {
    QString context;
    QString source;
    QString comment;  // the disambiguation
    QString translation;
    QString type;  // "unfinished", "vanished", "obsolete" or empty
};

QString Describe(const Message& message) {
    return message.context + " / " + message.source;
}

std::vector<Message> TranslationSource(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QXmlStreamReader xml(&file);
    std::vector<Message> messages;
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"message") {
            messages.push_back({context, {}, {}, {}, {}});
        } else if (xml.name() == u"source") {
            messages.back().source = xml.readElementText();
        } else if (xml.name() == u"comment") {
            messages.back().comment = xml.readElementText();
        } else if (xml.name() == u"translation") {
            messages.back().type = xml.attributes().value("type").toString();
            messages.back().translation = xml.readElementText();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return messages;
}

// Every text the windows show, in their forms and in their code, as lupdate finds them.
std::vector<Message> WindowTexts() {
    const TempDir dir;
    const Result<std::string> found =
        RunChecked({ORVELLA_LUPDATE, ORVELLA_SOURCE_DIR "/src/gui", "-extensions", "cpp,h,ui",
                    "-locations", "none", "-silent", "-ts", dir.File("texts.ts")});
    EXPECT_TRUE(found.ok()) << found.message();
    return TranslationSource(QString::fromStdString(dir.File("texts.ts")));
}

std::vector<Message> EnglishSources() {
    const QString folder = QStringLiteral(ORVELLA_SOURCE_DIR "/resources/translations/");
    std::vector<Message> sources = TranslationSource(folder + "orvella_en.ts");
    for (Message& message : TranslationSource(folder + "messages_en.ts"))
        sources.push_back(std::move(message));
    return sources;
}

// The printf and Qt placeholders of a text, in order.
std::string Placeholders(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("%[sd]|%[1-9]"));
    QStringList found;
    for (const QRegularExpressionMatch& match : pattern.globalMatch(text))
        found << match.captured();
    return found.join(QLatin1Char(' ')).toStdString();
}

// The patterns of a file filter in the Windows form "Text|*.a;*.b|Text 2|*.c": what the
// translation must leave as it is.
std::string FilterPatterns(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('|'));
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2)
        patterns << parts[i];
    return patterns.join(QLatin1Char('|')).toStdString();
}

bool HasMnemonic(QString text) {
    text.remove(QStringLiteral("&&"));
    static const QRegularExpression mnemonic(QStringLiteral("&\\S"));
    return text.contains(mnemonic);
}

TEST(EnglishModuleTest, EveryWindowTextAndCatalogueEntryHasAFinishedFaithfulTranslation) {
    for (const Message& message : EnglishSources()) {
        const std::string name = Describe(message).toStdString();
        EXPECT_TRUE(message.type.isEmpty()) << name << " is " << message.type.toStdString();
        EXPECT_FALSE(message.translation.isEmpty()) << name;
        EXPECT_EQ(Placeholders(message.translation), Placeholders(message.source)) << name;
        EXPECT_EQ(HasMnemonic(message.translation), HasMnemonic(message.source)) << name;
        EXPECT_EQ(FilterPatterns(message.translation), FilterPatterns(message.source)) << name;
    }

    Result<std::unique_ptr<LanguageModuleTranslator>> module =
        LanguageModuleTranslator::Load(ORVELLA_ENGLISH_MODULE);
    ASSERT_TRUE(module.ok()) << module.message();
    EXPECT_EQ((*module)->Code(), "en");
    std::vector<Message> needed = WindowTexts();
    ASSERT_GT(needed.size(), 100u);
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        needed.push_back({QStringLiteral("MessageCatalogue"),
                          QString::fromUtf8(entry.text),
                          QString::fromUtf8(entry.name),
                          {},
                          {}});
    }
    for (const Message& text : needed) {
        const QByteArray comment = text.comment.toUtf8();
        EXPECT_FALSE((*module)
                         ->translate(text.context.toUtf8().constData(),
                                     text.source.toUtf8().constData(),
                                     comment.isEmpty() ? nullptr : comment.constData())
                         .isEmpty())
            << Describe(text).toStdString() << " has no English text";
    }
}

TEST(EnglishModuleTest, DamagedEmptyForeignAndNewerModulesAreRefused) {
    TempDir dir;
    dir.Write("damaged", std::string("\x3c\xb8\x64\x18\xca\xef\x9c\x95garbage", 16));
    dir.Write("empty", "");
    const std::vector<std::string> refused = {
        dir.File("damaged"), dir.File("empty"), dir.File("missing"),
        ORVELLA_TEST_MODULES "other_program.qm", ORVELLA_TEST_MODULES "newer_format.qm"};
    for (const std::string& path : refused) {
        Result<std::unique_ptr<LanguageModuleTranslator>> module =
            LanguageModuleTranslator::Load(path);
        ASSERT_FALSE(module.ok()) << path;
        EXPECT_NE(module.message().find(path), std::string::npos) << module.message();
    }
}

// Where the data of the module's block `tag` begins (after its tag and 32-bit length).
std::size_t BlockData(const std::string& module, unsigned char tag) {
    std::size_t at = 16;
    while (static_cast<unsigned char>(module.at(at)) != tag) {
        std::size_t length = 0;
        for (std::size_t i = 1; i <= 4; ++i)
            length = length << 8 | static_cast<unsigned char>(module.at(at + i));
        at += 5 + length;
    }
    return at + 5;
}

// Damaged positions inside a module crash Qt's translator at a lookup unless refused first.
TEST(EnglishModuleTest, ModulesWhosePositionsLeaveTheFileAreRefused) {
    using namespace std::string_literals;
    using namespace std::string_view_literals;
    const std::string english = ReadWholeFile(ORVELLA_ENGLISH_MODULE)->value();
    const std::size_t hashes = BlockData(english, 0x42);
    const std::size_t messages = BlockData(english, 0x69);
    auto damaged = [&](std::size_t at, std::string_view bytes) {
        std::string module = english;
        module.replace(at, bytes.size(), bytes);
        return module;
    };
    const std::string cases[] = {
        english + "\x2f\0\0\0\x02\0\0"s,                    // a context table of no buckets
        english + "\x2f\0\0\0\x09\0\x01\0\x01\0\0\x05zz"s,  // a context name past its end
        english + "\x96\0\0\0\x02\0\0"s,                    // names another module to load
        damaged(hashes + 4, "\x7f\0\0\0"sv),                // a message past the block
        damaged(messages + 1, "\x7f\xff\xff\xfe"sv),        // a translation past the block
    };
    TempDir dir;
    for (const std::string& module : cases) {
        dir.Write("orvella.en", module);
        EXPECT_FALSE(LanguageModuleTranslator::Load(dir.File("orvella.en")).ok());
    }
    dir.Write("orvella.en", english);
    EXPECT_TRUE(LanguageModuleTranslator::Load(dir.File("orvella.en")).ok());
}

TEST(EnglishModuleTest, TheFirstModuleThatLoadsTranslatesWindowsAndCatalogue) {
    TempDir dir;
    dir.Write("orvella", "program");
    std::filesystem::copy_file(ORVELLA_TEST_MODULES "other_program.qm", dir.File("orvella.fr"));
    std::filesystem::copy_file(ORVELLA_ENGLISH_MODULE, dir.File("orvella.en"));
    RegistryFile registry(dir.File("registry.reg"));
    testing::ScriptedPrompter prompter;
    SetUiLanguage(registry, dir.File("orvella"), "fr", 0, MessageCatalogue(), prompter);
    MapEnvironment english;
    english.Set("LANG", "en_US.UTF-8");
    {
        std::ostringstream warnings;
        const InterfaceLanguage language =
            InterfaceLanguage::Install(english, registry, dir.File("orvella"), warnings);
        EXPECT_NE(warnings.str().find(dir.File("orvella.fr")), std::string::npos);
        EXPECT_EQ(language.Code(), "en");
        EXPECT_EQ(language.Catalogue().Text(kSCatAll), "All");
        EXPECT_EQ(QCoreApplication::translate("TOrvel", "Beenden"), "Quit");
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Yes");
    }
    EXPECT_EQ(QCoreApplication::translate("TOrvel", "Beenden"), "Beenden");

    // German chosen: the built-in texts, and Qt's buttons and dialogs in German too.
    SetUiLanguage(registry, dir.File("orvella"), "de", 1, MessageCatalogue(), prompter);
    std::ostringstream warnings;
    const InterfaceLanguage german =
        InterfaceLanguage::Install(english, registry, dir.File("orvella"), warnings);
    EXPECT_EQ(german.Code(), "de");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), "&Ja");
}

}  // namespace
}  // namespace orvella
