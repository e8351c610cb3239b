#include "gui/interface_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <cerrno>
#include <limits>
#include <ostream>

#include "platform/files/files.h"
#include "platform/system/environment.h"
#include "settings/language_entry.h"
#include "settings/language_lookup.h"
#include "settings/language_module_layout.h"

namespace orvella {
namespace {

constexpr const char* kModuleContext = "OrvellaLanguageModule";
constexpr const char* kCatalogueContext = "MessageCatalogue";

std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('/') + 1);
}

Status DamagedModule(const std::string& path) {
    return Status::Error(path + ": damaged, or no language module");
}

std::unique_ptr<QTranslator> InstallQtTexts(const std::string& code) {
    auto texts = std::make_unique<QTranslator>();
    if (!texts->load(QStringLiteral("qtbase_") + QString::fromStdString(code),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return nullptr;
    QCoreApplication::installTranslator(texts.get());
    return texts;
}

}  // namespace

Result<std::unique_ptr<LanguageModuleTranslator>> LanguageModuleTranslator::Load(
    const std::string& path) {
    Result<std::optional<std::string>> bytes = ReadWholeFile(path);
    if (!bytes.ok())
        return bytes.status();
    if (!bytes->has_value())
        return Status::Error(path + ": " + SystemErrorText(ENOENT));
    // Qt's translator trusts the positions inside a module at each lookup: a damaged one
    // is refused here, like a missing one, before Qt reads it.
    if ((*bytes)->size() > std::numeric_limits<int>::max() || !LanguageModuleLayoutIsSound(**bytes))
        return DamagedModule(path);
    std::unique_ptr<LanguageModuleTranslator> module(new LanguageModuleTranslator);
    module->bytes_ = QByteArray::fromStdString(**bytes);
    const auto* data = reinterpret_cast<const uchar*>(module->bytes_.constData());
    if (!module->load(data, static_cast<int>(module->bytes_.size())) || module->isEmpty())
        return DamagedModule(path);
    bool is_number = false;
    const int format = module->translate(kModuleContext, "format").toInt(&is_number);
    if (!is_number)
        return Status::Error(path + ": the language module of another program");
    if (format > kLanguageModuleFormat)
        return Status::Error(path + ": a language module of a newer Orvella (format " +
                             std::to_string(format) + ")");
    return module;
}

std::string LanguageModuleTranslator::Code() const {
    // "en_US" and "en" both stand for the English module.
    return language().section(QLatin1Char('_'), 0, 0).toLower().toStdString();
}

LanguageModule LanguageModuleTranslator::CatalogueTexts() const {
    std::map<int, std::string> texts;
    for (const CatalogueEntry& entry : CatalogueEntries()) {
        const QString text = translate(kCatalogueContext, std::string(entry.text).c_str(),
                                       std::string(entry.name).c_str());
        if (!text.isEmpty())
            texts.emplace(entry.id, text.toStdString());
    }
    return LanguageModule::FromTexts(std::move(texts));
}

InterfaceLanguage InterfaceLanguage::Install(const Environment& environment,
                                             const Registry& registry,
                                             const std::string& program_file,
                                             std::ostream& warnings) {
    const LanguageLookup lookup{
        .folders = LanguageModuleFolders(program_file),
        .program_name = FileName(program_file),
        .entry = ReadLanguageEntry(registry, program_file),
        .locale = ToWindowsLanguageNames(MessagesLocale(environment)),
    };
    InterfaceLanguage language;
    for (const std::string& path : LanguageModuleCandidates(lookup)) {
        Result<std::unique_ptr<LanguageModuleTranslator>> module =
            LanguageModuleTranslator::Load(path);
        if (!module) {
            warnings << "orvella: passed over a language module: " << module.message() << '\n';
            continue;
        }
        language.translator_ = std::move(*module);
        QCoreApplication::installTranslator(language.translator_.get());
        break;
    }
    language.qt_texts_ = InstallQtTexts(language.Code());
    return language;
}

std::string InterfaceLanguage::Code() const {
    return translator_ ? translator_->Code() : std::string(kBuiltInLanguage);
}

MessageCatalogue InterfaceLanguage::Catalogue() const {
    return translator_ ? MessageCatalogue(translator_->CatalogueTexts()) : MessageCatalogue();
}

}  // namespace orvella
