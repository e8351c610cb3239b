#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/profile/profile_document.h"
#include "platform/status.h"
#include "shell/message_style.h"

namespace orvella {

// One text of the program. The id is the number a language module knows the text by; ids
// are part of the module format, so an id once shipped never changes or moves to another
// text, and new texts take new numbers.
struct CatalogueEntry {
    std::string_view name;  // the key, with its leading underscore
    int id;
    std::string_view text;  // the built-in German text, UTF-8
    int style;              // a MessageStyle number; 0 for a text that is never a box
};

// Every entry, in id order.
std::span<const CatalogueEntry> CatalogueEntries();
// nullptr for a name the catalogue does not know; names compare exactly.
const CatalogueEntry* FindCatalogueEntry(std::string_view name);

// The name of the entry that holds the caption of a message: the name + "Caption", except
// for the messages that share another message's caption or the common error caption.
std::string CaptionName(std::string_view message_name);

// Replaces the first "%s" with the argument. Nothing else is interpreted, and the argument
// is inserted as it is, so a "%s" or "%d" inside it stays literal.
std::string FillPlaceholder(std::string_view text, std::string_view argument);

// A translation of the texts: a profile file whose section [Strings] maps ids to texts.
class LanguageModule {
public:
    // A missing or unreadable file, or one without a [Strings] section, is an error that
    // names the path.
    static Result<LanguageModule> Load(const std::string& path);
    // The file's bytes, UTF-8 or Windows-1252.
    static LanguageModule Parse(std::string_view bytes);

    bool HasStrings() const;
    // nullopt when the module has no text, or an empty one, for the id.
    std::optional<std::string> Text(int id) const;

private:
    explicit LanguageModule(ProfileDocument document) : document_(std::move(document)) {}
    ProfileDocument document_;
};

// The texts as the program shows them: from the current language module where it has the
// text, else the built-in German. The module is consulted on every call, so replacing it
// takes effect on the next text asked for.
class MessageCatalogue {
public:
    MessageCatalogue() = default;
    explicit MessageCatalogue(LanguageModule module) : module_(std::move(module)) {}

    void SetModule(LanguageModule module) { module_ = std::move(module); }
    void ClearModule() { module_.reset(); }
    const LanguageModule* module() const { return module_ ? &*module_ : nullptr; }

    bool Contains(std::string_view name) const { return FindCatalogueEntry(name) != nullptr; }
    // Empty for a name the catalogue does not know.
    std::string Text(std::string_view name) const;
    // The text of the message's caption entry; empty when there is none.
    std::string Caption(std::string_view message_name) const;
    // nullopt for unknown names and for texts that are never shown in a box.
    std::optional<MessageStyle> Style(std::string_view name) const;

private:
    std::optional<LanguageModule> module_;
};

// The names for call sites; a typo in one of these is a compile error, not an empty box.
inline constexpr std::string_view kSCatAll = "_SCatAll";
inline constexpr std::string_view kSError = "_SError";
inline constexpr std::string_view kSColumn = "_SColumn";
inline constexpr std::string_view kSPicsInCat = "_SPicsInCat";
inline constexpr std::string_view kSFoundPics = "_SFoundPics";
inline constexpr std::string_view kSPicDate = "_SPicDate";
inline constexpr std::string_view kSPicSize = "_SPicSize";
inline constexpr std::string_view kSKb = "_SKb";
inline constexpr std::string_view kSMsgEnableAD = "_SMsgEnableAD";
inline constexpr std::string_view kSMsgEnableAD2 = "_SMsgEnableAD2";
inline constexpr std::string_view kMsgImageNotFound = "_MsgImageNotFound";
inline constexpr std::string_view kMsgEnterKatName = "_MsgEnterKatName";
inline constexpr std::string_view kMsgEnterKatIcon = "_MsgEnterKatIcon";
inline constexpr std::string_view kMsgDeleteKatConfirm = "_MsgDeleteKatConfirm";
inline constexpr std::string_view kMsgKatLimit = "_MsgKatLimit";
inline constexpr std::string_view kMsgAddFalse = "_MsgAddFalse";
inline constexpr std::string_view kMsgDeleteFalse = "_MsgDeleteFalse";
inline constexpr std::string_view kMsgConfirmDelete = "_MsgConfirmDelete";
inline constexpr std::string_view kMsgConfirmDeleteAll = "_MsgConfirmDeleteAll";
inline constexpr std::string_view kMsgCopyFailure = "_MsgCopyFailure";
inline constexpr std::string_view kMsgCommonErrorCaption = "_MsgCommonErrorCaption";
inline constexpr std::string_view kMsgNoPicInList = "_MsgNoPicInList";
inline constexpr std::string_view kMsgEditImageFailure = "_MsgEditImageFailure";
inline constexpr std::string_view kMsgPrintImageFailure = "_MsgPrintImageFailure";
inline constexpr std::string_view kMsgMailImageFailure = "_MsgMailImageFailure";
inline constexpr std::string_view kMsgScrNoKat = "_MsgScrNoKat";
inline constexpr std::string_view kMsgNoSearchPics = "_MsgNoSearchPics";
inline constexpr std::string_view kMsgSavePicFailure = "_MsgSavePicFailure";
inline constexpr std::string_view kMsgCopyInCatError = "_MsgCopyInCatError";
inline constexpr std::string_view kMsgSetLocalError1 = "_MsgSetLocalError1";
inline constexpr std::string_view kMsgSetLocalError2 = "_MsgSetLocalError2";
inline constexpr std::string_view kMsgLanguageChanged = "_MsgLanguageChanged";
inline constexpr std::string_view kMsgOpenWebsite = "_MsgOpenWebsite";
inline constexpr std::string_view kSMsgWriteError = "_SMsgWriteError";
inline constexpr std::string_view kSMsgInvalidInteger = "_SMsgInvalidInteger";

}  // namespace orvella
