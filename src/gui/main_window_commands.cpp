#include "gui/main_window_commands.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QStyle>
#include <optional>
#include <string_view>
#include <type_traits>

#include "gui/torvel.h"

namespace orvella {
namespace {

using Handler = void (*)(TOrvel& window, QAction* sender);
// nullopt: the entry keeps the state it had.
using Rule = std::optional<bool> (*)(const MenuState& state);

// Runs a handler of the window; the handlers that serve several entries are told which one.
template <auto handler>
void Run(TOrvel& window, QAction* sender) {
    if constexpr (std::is_invocable_v<decltype(handler), TOrvel&, QAction*>)
        (window.*handler)(sender);
    else
        (window.*handler)();
}

// The enabling rules, looked at each time an entry's menu opens.
std::optional<bool> NotSummary(const MenuState& s) {
    return CategoriesMenu(s).edit_category;
}
std::optional<bool> RemoveFromCategory(const MenuState& s) {
    return CategoriesMenu(s).remove_pictures;
}
std::optional<bool> Always(const MenuState& s) {
    return CategoriesMenu(s).remove_all;
}
std::optional<bool> Focused(const MenuState& s) {
    return PictureMenu(s).set_selected;
}
std::optional<bool> Selected(const MenuState& s) {
    return PictureMenu(s).mail;
}
std::optional<bool> SelectedOutsideSummary(const MenuState& s) {
    return PictureMenu(s).copy_move;
}
std::optional<bool> NotSummaryButton(const MenuState& s) {
    return KatPopupEditable(s.kat_popup_tag);
}

struct CommandRow {
    const char* action;
    Handler handler;  // nullptr: an entry without a command, present and disabled
    Rule rule = nullptr;
};

// Every entry of the tool bar, the menus and the context menus.
constexpr CommandRow kCommands[] = {
    // The tool bar.
    {"SBNewCat", Run<&TOrvel::AddKatClick>},
    {"TbSave", Run<&TOrvel::Speichern1Click>},
    {"SBAdd", Run<&TOrvel::SBAddClick>},
    {"SBDel", Run<&TOrvel::SBDelClick>},
    {"SBSet", Run<&TOrvel::NeuerZufallshintergrund1Click>},
    {"SBOptions", Run<&TOrvel::SBOptionsClick>},
    {"TbDia", Run<&TOrvel::Diashowstarten1Click>},
    {"TbSearchPics", Run<&TOrvel::AufderFestplatte1Click>},
    {"TbHelp", Run<&TOrvel::Hilfe2Click>},
    {"TbInfo", Run<&TOrvel::SBInfoClick>},
    // "Kategorien".
    {"Kategoriehinzufgen1", Run<&TOrvel::AddKatClick>},
    {"Kategoriebearbeiten1", Run<&TOrvel::KatEditClick>, NotSummary},
    {"Kategorielschen1", Run<&TOrvel::Kategorielschen1Click>, NotSummary},
    {"Bilderhinzufgen1", Run<&TOrvel::SBAddClick>},
    {"Bilderentfernen1", Run<&TOrvel::SBDelClick>, RemoveFromCategory},
    {"AlleBilderentfernen1", Run<&TOrvel::AlleBilderentfernen1Click>, Always},
    {"Bilderkopierenverschieben1", Run<&TOrvel::CopyMovePicClick>, SelectedOutsideSummary},
    {"Beenden1", Run<&TOrvel::Beenden1Click>},
    // "Hintergrundbild".
    {"NeuerZufallshintergrund1", Run<&TOrvel::NeuerZufallshintergrund1Click>},
    {"MarkiertesBildalsHintergund1", Run<&TOrvel::MarkiertesBildalsHintergund1Click>, Focused},
    {"Bildffnen1", Run<&TOrvel::Bildffnen1Click>, Focused},
    {"Bildspeichernunter1", Run<&TOrvel::Bildspeichernunter1Click>, Focused},
    {"Bilddrucken1", Run<&TOrvel::Bilddrucken1Click>, Focused},
    {"BildperEMailsenden1", Run<&TOrvel::BildperEMailsenden1Click>, Selected},
    // "Extras".
    {"Optionen1", Run<&TOrvel::SBOptionsClick>},
    {"ShowPreview", Run<&TOrvel::ShowPreviewClick>},
    {"Iconstransparentsetzen1", Run<&TOrvel::SBTransClick>},
    {"Einfach1", Run<&TOrvel::Einfach1Click>},
    {"Difus1", Run<&TOrvel::Difus1Click>},
    {"Diashowstarten1", Run<&TOrvel::Diashowstarten1Click>},
    {"Speichern1", Run<&TOrvel::Speichern1Click>},
    {"Englisch1", Run<&TOrvel::Englisch1Click>},
    {"Deutsch1", Run<&TOrvel::Deutsch1Click>},
    // "Hilfe".
    {"Hilfe2", Run<&TOrvel::Hilfe2Click>},
    {"OrvellaHomepage1", Run<&TOrvel::OrvellaHomepage1Click>},
    {"AufderFestplatte1", Run<&TOrvel::AufderFestplatte1Click>},
    {"WebLink1", Run<&TOrvel::WebLinkClick>},
    {"WebLink2", Run<&TOrvel::WebLinkClick>},
    {"WebLink3", Run<&TOrvel::WebLinkClick>},
    {"WebLink4", Run<&TOrvel::WebLinkClick>},
    {"WebLink5", Run<&TOrvel::WebLinkClick>},
    {"WebLink6", Run<&TOrvel::WebLinkClick>},
    {"WebLink7", Run<&TOrvel::WebLinkClick>},
    {"WebLink8", Run<&TOrvel::WebLinkClick>},
    {"Info1", Run<&TOrvel::SBInfoClick>},
    // The picture lists' context menu.
    {"MarkiertesBildalsHintergund2", Run<&TOrvel::MarkiertesBildalsHintergund1Click>, Focused},
    {"DesktopIconstransparentsetzen1", Run<&TOrvel::SBTransClick>},
    {"Bilderhinzufgen2", Run<&TOrvel::SBAddClick>},
    {"Bilderlschen1", Run<&TOrvel::SBDelClick>, Selected},
    {"AlleBilderlschen1", Run<&TOrvel::AlleBilderentfernen1Click>},
    {"Bilderkopierenverschieben2", Run<&TOrvel::CopyMovePicClick>, SelectedOutsideSummary},
    {"Bildffnen2", Run<&TOrvel::Bildffnen1Click>, Focused},
    {"Bildspeichernunter2", Run<&TOrvel::Bildspeichernunter1Click>, Focused},
    {"Bilddrucken2", Run<&TOrvel::Bilddrucken1Click>, Focused},
    {"BildperEMailsenden2", Run<&TOrvel::BildperEMailsenden1Click>, Selected},
    {"Beenden2", nullptr},  // the lists' "Beenden" has no command
    // The bar buttons' context menu.
    {"KatAdd", Run<&TOrvel::AddKatClick>},
    {"KatEdit", Run<&TOrvel::KatEditClick>, NotSummaryButton},
    {"KatDelete", Run<&TOrvel::KatDeleteClick>, NotSummaryButton},
    // The tray menu.
    {"Wiederherstellen", Run<&TOrvel::WiederherstellenClick>},
    {"NeuesZufallsbild1", Run<&TOrvel::NeuerZufallshintergrund1Click>},
    {"Iconstransparentsetzen2", Run<&TOrvel::SBTransClick>},
    {"Optionen2", Run<&TOrvel::SBOptionsClick>},
    {"Beenden3", Run<&TOrvel::Beenden1Click>},
};

// The menus whose entries are enabled as they open, with the window's handler for it.
struct MenuRow {
    const char* menu;
    void (TOrvel::*opening)();
};
constexpr MenuRow kMenus[] = {
    {"Kategorien1", &TOrvel::Kategorien1Click},
    {"Hintergrundbild1", &TOrvel::Hintergrundbild1Click},
    {"Popup", &TOrvel::PopupPopup},
    {"KatPopup", &TOrvel::KatPopupPopup},
};

// The tool bar's pictures: the desktop theme's, else the style's own.
struct ToolIcon {
    const char* action;
    const char* theme;
    QStyle::StandardPixmap fallback;
};
constexpr ToolIcon kToolIcons[] = {
    {"SBNewCat", "folder-new", QStyle::SP_FileDialogNewFolder},
    {"TbSave", "document-save", QStyle::SP_DialogSaveButton},
    {"SBAdd", "list-add", QStyle::SP_FileIcon},
    {"SBDel", "list-remove", QStyle::SP_TrashIcon},
    {"SBSet", "preferences-desktop-wallpaper", QStyle::SP_DesktopIcon},
    {"SBOptions", "preferences-system", QStyle::SP_FileDialogDetailedView},
    {"TbDia", "media-playback-start", QStyle::SP_MediaPlay},
    {"TbSearchPics", "edit-find", QStyle::SP_FileDialogContentsView},
    {"TbHelp", "help-contents", QStyle::SP_DialogHelpButton},
    {"TbInfo", "help-about", QStyle::SP_MessageBoxInformation},
};

// The window's object `name`; a name the window does not have is a fault of the tables.
template <typename T>
T* Find(const QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr)
        qFatal("orvella: the main window has no %s", name);
    return found;
}

const CommandRow* RowOf(const QAction& action) {
    for (const CommandRow& row : kCommands)
        if (action.objectName() == QLatin1String(row.action))
            return &row;
    return nullptr;
}

}  // namespace

QMenu* MakeMenu(QWidget& owner, const char* name, std::initializer_list<const char*> entries) {
    auto* menu = new QMenu(&owner);
    menu->setObjectName(QString::fromLatin1(name));
    for (const char* entry : entries) {
        if (entry == std::string_view("-"))
            menu->addSeparator();
        else
            menu->addAction(Find<QAction>(owner, entry));
    }
    return menu;
}

MainWindowCommands::MainWindowCommands(TOrvel& window, std::function<MenuState()> state)
    : window_(window),
      state_(std::move(state)),
      popup_(MakeMenu(
          window, "Popup",
          {"MarkiertesBildalsHintergund2", "DesktopIconstransparentsetzen1", "Bilderhinzufgen2",
           "Bilderlschen1", "AlleBilderlschen1", "Bilderkopierenverschieben2", "-", "Bildffnen2",
           "Bildspeichernunter2", "Bilddrucken2", "BildperEMailsenden2", "-", "Beenden2"})),
      kat_popup_(MakeMenu(window, "KatPopup", {"KatAdd", "KatEdit", "KatDelete"})) {
    popup_->setDefaultAction(popup_->actions().front());
    auto* language = new QActionGroup(&window);
    language->addAction(Find<QAction>(window, "Englisch1"));
    language->addAction(Find<QAction>(window, "Deutsch1"));
    BindCommands();
    ListenToMenus();
    SetToolBarIcons();
}

void MainWindowCommands::BindCommands() {
    for (const CommandRow& row : kCommands) {
        QAction* action = Find<QAction>(window_, row.action);
        if (row.handler == nullptr) {
            action->setEnabled(false);
            continue;
        }
        QObject::connect(action, &QAction::triggered, &window_,
                         [this, action, handler = row.handler] { handler(window_, action); });
    }
}

void MainWindowCommands::ListenToMenus() {
    for (const MenuRow& row : kMenus) {
        QObject::connect(Find<QMenu>(window_, row.menu), &QMenu::aboutToShow, &window_,
                         [this, opening = row.opening] { (window_.*opening)(); });
    }
}

void MainWindowCommands::SetToolBarIcons() {
    const QStyle* style = window_.style();
    for (const ToolIcon& tool : kToolIcons) {
        Find<QAction>(window_, tool.action)
            ->setIcon(QIcon::fromTheme(QString::fromLatin1(tool.theme),
                                       style->standardIcon(tool.fallback)));
    }
}

void MainWindowCommands::Refresh(const QMenu& menu) const {
    const MenuState state = state_();
    for (QAction* action : menu.actions()) {
        const CommandRow* row = RowOf(*action);
        if (row == nullptr || row->handler == nullptr || row->rule == nullptr)
            continue;
        if (const std::optional<bool> enabled = row->rule(state))
            action->setEnabled(*enabled);
    }
}

}  // namespace orvella
