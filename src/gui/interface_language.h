#pragma once

#include <QByteArray>
#include <QTranslator>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "platform/status.h"
#include "shell/message_catalogue.h"

namespace orvella {

class Environment;
class Registry;

// The module format this program reads; a module states its own in the context
// "OrvellaLanguageModule", so one of another program or of a newer Orvella is refused.
inline constexpr int kLanguageModuleFormat = 1;

// A compiled language module (Qt Linguist's format) that keeps its own bytes, which the
// translator reads in place.
class LanguageModuleTranslator : public QTranslator {
public:
    // Fails, naming the file, when it cannot be read, is damaged or empty, belongs to another
    // program or is of a newer format.
    static Result<std::unique_ptr<LanguageModuleTranslator>> Load(const std::string& path);

    // The language code the module was made for ("en").
    std::string Code() const;
    // The catalogue's texts as the module translates them, for the catalogue below the GUI.
    LanguageModule CatalogueTexts() const;

private:
    LanguageModuleTranslator() = default;
    QByteArray bytes_;
};

// The interface language of this run, fixed at start-up.
class InterfaceLanguage {
public:
    // Finds the program file's language module, as the language entry and the user's
    // locale ask, and installs it into the application; call once the application object
    // exists and before any window does. Each module passed over is named on `warnings`;
    // when none loads, the built-in German stays.
    static InterfaceLanguage Install(const Environment& environment, const Registry& registry,
                                     const std::string& program_file, std::ostream& warnings);

    // "de" for the built-in language, else the module's code.
    std::string Code() const;
    // A catalogue that shows the texts of this language.
    MessageCatalogue Catalogue() const;

private:
    std::unique_ptr<LanguageModuleTranslator> translator_;
    // Qt's own texts (message box buttons, the file, colour and font dialogs) in the same
    // language, when the system has them.
    std::unique_ptr<QTranslator> qt_texts_;
};

}  // namespace orvella
