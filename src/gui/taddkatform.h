#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "shell/file_chooser.h"

namespace Ui {
class TAddKatForm;
}
class QLineEdit;
class QPushButton;

namespace orvella {

class MessageCatalogue;
class Prompter;

// The category dialog, for a new category (mode 0) and for editing one (mode 1). It lives
// from start-up to the end and is reused; every opening sets all its fields.
class TAddKatForm : public QDialog {
    Q_OBJECT

public:
    // German, as the program shows them without a language module.
    static constexpr const char* kIconTitle =
        QT_TRANSLATE_NOOP("TAddKatForm", "Kategorie Icon suchen...");
    static constexpr const char* kIconFilter = QT_TRANSLATE_NOOP(
        "TAddKatForm",
        "Alle (*.bmp, *.ico, *.jpg, *.jpeg, *.wmf))|*.bmp;*.ico;*.jpg;*.jpeg;*.wmf|"
        "Bitmaps (*.bmp)|*.bmp|Symbole (*.ico)|*.ico|JPEG-Dateien (*.jpg, *.jpeg)|"
        "*.jpg;*.jpeg|WMF-Dateien (*.wmf)|*.wmf");

    // What OK does with the fields: create a category (false when none was made), or
    // change category `index` (the icon only when the user chose another one).
    struct Actions {
        std::function<bool(const std::string& name, const std::string& icon)> create;
        std::function<void(int index, const std::string& name,
                           const std::optional<std::string>& icon)>
            change;
    };

    TAddKatForm(const MessageCatalogue& catalogue, Prompter& prompter, FileChooser& files,
                QWidget* parent = nullptr);
    ~TAddKatForm() override;

    void SetActions(Actions actions) { actions_ = std::move(actions); }

    // Prepares the fields for a new category or for editing category `index`.
    void PrepareNew(const std::string& icon);
    void PrepareEdit(int index, const std::string& name, const std::string& icon);
    int Tag() const { return mode_; }

    QLineEdit* EdtKatName() const;
    QLineEdit* EdtKatIcon() const;
    QPushButton* BtnOk() const;
    QPushButton* BtnCancel() const;
    const OpenFileRequest& OpenKatIcon() const { return open_kat_icon_; }

    void SelectKatIconBtnClick();
    void BtnOkClick();
    void BtnCancelClick();

private:
    std::unique_ptr<Ui::TAddKatForm> ui_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
    FileChooser& files_;
    OpenFileRequest open_kat_icon_;
    Actions actions_;
    int mode_ = 0;
};

}  // namespace orvella
