#include "shell/message_catalogue.h"

#include <array>
#include <cerrno>
#include <optional>

#include "platform/files/files.h"
#include "platform/text.h"

namespace orvella {
namespace {

constexpr std::string_view kStringsSection = "Strings";
constexpr std::string_view kCaptionSuffix = "Caption";

// Ids run from 1000 in table order. They are the keys of every language module ever
// written, so a new text is appended with the next free id and no id is reused.
constexpr std::array kEntries = {
    CatalogueEntry{"_SCatAll", 1000, "Alle", 0},
    CatalogueEntry{"_SError", 1001, "Fehler", 16},
    CatalogueEntry{"_SColumn", 1002, "Bilder in dieser Kategorie", 0},
    CatalogueEntry{"_SPicsInCat", 1003, "Bilder in dieser Kategorie", 0},
    CatalogueEntry{"_SFoundPics", 1004, "Neue gefundene Hintergründe:", 0},
    CatalogueEntry{"_SPicDate", 1005, "Dateidatum:", 0},
    CatalogueEntry{"_SPicSize", 1006, "Dateigröße:", 0},
    CatalogueEntry{"_SKb", 1007, "KB", 0},
    CatalogueEntry{"_SMsgEnableAD", 1008,
                   "Wenn Sie eine Hintergrundgrafik auswählen, die nicht im .bmp Format vorliegt, "
                   "muß der Active Desktop aktiviert werden, damit die Grafik angezeigt wird. "
                   "Soll der Active Desktop aktiviert werden?",
                   36},
    CatalogueEntry{"_SMsgEnableADCaption", 1009, "Active Desktop aktivieren?", 0},
    CatalogueEntry{"_SMsgEnableAD2", 1010,
                   "Um diese Hintergrundgrafik korrekt darzustellen muß der Active Desktop "
                   "aktiviert werden. Soll der Active Desktop aktiviert werden?",
                   36},
    CatalogueEntry{"_MsgImageNotFound", 1011,
                   "Die angegebene Grafikdatei für die Kategorie %s konnte nicht gefunden "
                   "werden.",
                   16},
    CatalogueEntry{"_MsgImageNotFoundCaption", 1012, "Bilddatei nicht gefunden", 0},
    CatalogueEntry{"_MsgEnterKatName", 1013, "Bitte geben Sie einen Namen für die Kategorie an.",
                   64},
    CatalogueEntry{"_MsgEnterKatNameCaption", 1014, "Kategorienamen angeben", 0},
    CatalogueEntry{"_MsgEnterKatIcon", 1015, "Bitte legen Sie ein Icon für die Kategorie fest.",
                   64},
    CatalogueEntry{"_MsgEnterKatIconCaption", 1016, "Kategorieicon festlegen", 0},
    CatalogueEntry{"_MsgDeleteKatConfirm", 1017,
                   "Sind Sie sicher, daß Sie die Kategorie \"%s\" löschen möchten?", 36},
    CatalogueEntry{"_MsgDeleteKatConfirmCaption", 1018, "Kategorie wirklich löschen?", 0},
    CatalogueEntry{"_MsgKatLimit", 1019, "Sie können nicht mehr als 30 Kategorien anlegen.", 64},
    CatalogueEntry{"_MsgKatLimitCaption", 1020, "Kategorie-Limit erreicht", 0},
    CatalogueEntry{"_MsgAddFalse", 1021,
                   "Der ersten Kategorie können keine Bilder direkt hinzugefügt werden. Bitte "
                   "wählen Sie eine andere Kategorie aus.",
                   64},
    CatalogueEntry{"_MsgAddFalseCaption", 1022, "Hinzufügen nicht möglich", 0},
    CatalogueEntry{"_MsgDeleteFalse", 1023,
                   "Aus der ersten Kategorie können keine Bilder gelöscht werden. Sie stellt "
                   "vielmehr eine Zusammenfassung aller anderen Kategorien dar. Bitte wählen Sie "
                   "die entsprechende Kategorie aus, um das Bild oder die Bilder zu löschen.",
                   64},
    CatalogueEntry{"_MsgDeleteFalseCaption", 1024, "Löschen nicht möglich", 0},
    CatalogueEntry{"_MsgConfirmDelete", 1025,
                   "Sind Sie sicher, daß Sie die markierten Einträge aus der Kategorie entfernen "
                   "möchten?",
                   36},
    CatalogueEntry{"_MsgConfirmDeleteCaption", 1026, "Entfernen bestätigen", 0},
    CatalogueEntry{"_MsgConfirmDeleteAll", 1027,
                   "Sind Sie sicher, daß Sie alle Bilder aus der Kategorie entfernen möchten?", 36},
    CatalogueEntry{"_MsgCopyFailure", 1028,
                   "Das Hintergrundbild konnte nicht geändert werden. Orvella Fehler 1.", 16},
    CatalogueEntry{"_MsgCommonErrorCaption", 1029, "Orvella Fehler", 0},
    CatalogueEntry{"_MsgNoPicInList", 1030,
                   "In der gewählten Kategorie sind keine Bilder vorhanden.", 48},
    CatalogueEntry{"_MsgNoPicInListCaption", 1031, "Kategorie ist leer", 0},
    CatalogueEntry{"_MsgEditImageFailure", 1032,
                   "Das angegebene Bild kann nicht zum bearbeiten geöffnet werden.", 64},
    CatalogueEntry{"_MsgEditImageFailureCaption", 1033, "Bearbeiten nicht möglich", 0},
    CatalogueEntry{"_MsgPrintImageFailure", 1034,
                   "Das angegebene Bild kann nicht ausgedruckt werden.", 64},
    CatalogueEntry{"_MsgPrintImageFailureCaption", 1035, "Drucken nicht möglich", 0},
    CatalogueEntry{"_MsgMailImageFailure", 1036,
                   "Die angegebenen Bilder konnten nicht per E-Mail versendet werden.", 64},
    CatalogueEntry{"_MsgMailImageFailureCaption", 1037, "Versenden nicht möglich", 0},
    CatalogueEntry{"_MsgScrNoKat", 1038,
                   "Für den Orvella Bildschirmschoner wurde keine Kategorie ausgewählt. Der "
                   "Bildschirmschoner konnte nicht aktiviert werden.",
                   64},
    CatalogueEntry{"_MsgScrNoKatCaption", 1039, "Bildschirmschoner nicht aktiviert", 0},
    CatalogueEntry{"_MsgNoSearchPics", 1040,
                   "Bitte geben Sie mindestens ein Hintergrundtyp und ein Laufwerk zur "
                   "Durchsuchung an.",
                   64},
    CatalogueEntry{"_MsgNoSearchPicsCaption", 1041, "Hintergrundtyp und Laufwerk angeben", 0},
    CatalogueEntry{"_MsgSavePicFailure", 1042,
                   "Das Hintergrundbild konnte nicht unter dem angegebenen Namen gespeichert "
                   "werden.",
                   16},
    CatalogueEntry{"_MsgSavePicFailureCaption", 1043, "Speichern nicht möglich", 0},
    // The missing full stop is the text as users know it.
    CatalogueEntry{"_MsgCopyInCatError", 1044,
                   "Es wurde keine Kategorie ausgewählt oder die Ziel-Kategorie entspricht der "
                   "Quell-Kategorie",
                   64},
    CatalogueEntry{"_MsgCopyInCatErrorCaption", 1045, "Kopieren / Verschieben nicht möglich", 0},
    CatalogueEntry{"_MsgSetLocalError1", 1046,
                   "Registry konnte nicht geöffnet werden. Sprache nicht geändert.", 16},
    CatalogueEntry{"_MsgSetLocalError1Caption", 1047, "Registry Fehler", 0},
    CatalogueEntry{"_MsgSetLocalError2", 1048,
                   "Beim Ändern der Sprache ist eine Fehler aufgetreten. Die Fehlermeldung "
                   "lautet:",
                   16},
    CatalogueEntry{"_MsgSetLocalError2Caption", 1049, "Fehler beim Ändern der Sprache", 0},
    CatalogueEntry{"_MsgLanguageChanged", 1050,
                   "Orvella muß neu gestartet werden, damit die Änderung aktiv wird. Jetzt neu "
                   "starten?",
                   68},
    CatalogueEntry{"_MsgLanguageChangedCaption", 1051, "Orvella neu starten", 0},
    // "angebene" is the program's own spelling; translations are keyed to this text.
    CatalogueEntry{"_MsgOpenWebsite", 1052,
                   "Die angebene Internetseite konnte nicht geöffnet werden.", 16},
    CatalogueEntry{"_MsgOpenWebsiteCaption", 1053, "Internetseite öffnen", 0},
    CatalogueEntry{"_SMsgWriteError", 1054, "nach %s kann nicht geschrieben werden", 16},
    CatalogueEntry{"_SMsgInvalidInteger", 1055, "'%s' ist kein gültiger Integerwert", 16},
};

// Messages without a caption entry of their own.
struct CaptionShare {
    std::string_view message;
    std::string_view caption;
};
constexpr std::array kCaptionShares = {
    // Both ask the same thing: whether to empty the category.
    CaptionShare{"_MsgConfirmDeleteAll", "_MsgConfirmDeleteCaption"},
    // The second wording of the same question.
    CaptionShare{"_SMsgEnableAD2", "_SMsgEnableADCaption"},
    // Errors raised through the general error display.
    CaptionShare{"_SError", "_MsgCommonErrorCaption"},
    CaptionShare{"_MsgCopyFailure", "_MsgCommonErrorCaption"},
    CaptionShare{"_SMsgWriteError", "_MsgCommonErrorCaption"},
    CaptionShare{"_SMsgInvalidInteger", "_MsgCommonErrorCaption"},
};

}  // namespace

std::span<const CatalogueEntry> CatalogueEntries() {
    return kEntries;
}

const CatalogueEntry* FindCatalogueEntry(std::string_view name) {
    for (const CatalogueEntry& entry : kEntries) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

std::string CaptionName(std::string_view message_name) {
    for (const CaptionShare& share : kCaptionShares) {
        if (share.message == message_name)
            return std::string(share.caption);
    }
    std::string name(message_name);
    name += kCaptionSuffix;
    return name;
}

std::string FillPlaceholder(std::string_view text, std::string_view argument) {
    const std::size_t at = text.find("%s");
    if (at == std::string_view::npos)
        return std::string(text);
    std::string filled;
    filled.reserve(text.size() + argument.size());
    filled.append(text.substr(0, at));
    filled.append(argument);
    filled.append(text.substr(at + 2));
    return filled;
}

Result<LanguageModule> LanguageModule::Load(const std::string& path) {
    Result<std::optional<std::string>> bytes = ReadWholeFile(path);
    if (!bytes.ok())
        return bytes.status();
    if (!bytes->has_value())
        return Status::Error(path + ": " + SystemErrorText(ENOENT));
    LanguageModule module = Parse(**bytes);
    // A file without the section is not a module at all (a wrong file picked); loading it
    // would silently show German, so the user hears about it instead.
    if (!module.HasStrings())
        return Status::Error(path + ": no [Strings] section");
    return module;
}

LanguageModule LanguageModule::Parse(std::string_view bytes) {
    return LanguageModule(ProfileDocument::Parse(DecodeSystemText(bytes)));
}

bool LanguageModule::HasStrings() const {
    return document_.HasSection(kStringsSection);
}

std::optional<std::string> LanguageModule::Text(int id) const {
    std::optional<std::string> text = document_.Value(kStringsSection, std::to_string(id));
    // An empty translation would show an empty box; the built-in text says more.
    if (text && text->empty())
        return std::nullopt;
    return text;
}

std::string MessageCatalogue::Text(std::string_view name) const {
    const CatalogueEntry* entry = FindCatalogueEntry(name);
    if (entry == nullptr)
        return {};
    if (module_) {
        if (std::optional<std::string> translated = module_->Text(entry->id))
            return *std::move(translated);
    }
    return std::string(entry->text);
}

std::string MessageCatalogue::Caption(std::string_view message_name) const {
    return Text(CaptionName(message_name));
}

std::optional<MessageStyle> MessageCatalogue::Style(std::string_view name) const {
    const CatalogueEntry* entry = FindCatalogueEntry(name);
    if (entry == nullptr)
        return std::nullopt;
    return MessageStyleFromCode(entry->style);
}

}  // namespace orvella
