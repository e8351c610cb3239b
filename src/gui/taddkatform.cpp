#include "gui/taddkatform.h"

#include <QCoreApplication>
#include <QShortcut>

#include "gui/file_path_text.h"
#include "gui/framed_button_style.h"
#include "platform/files/files.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_taddkatform.h"

namespace orvella {

TAddKatForm::TAddKatForm(const MessageCatalogue& catalogue, Prompter& prompter, FileChooser& files,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TAddKatForm>()),
      catalogue_(catalogue),
      prompter_(prompter),
      files_(files) {
    ui_->setupUi(this);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    open_kat_icon_.title = QCoreApplication::translate("TAddKatForm", kIconTitle).toStdString();
    open_kat_icon_.filter = QCoreApplication::translate("TAddKatForm", kIconFilter).toStdString();
    ui_->BtnOk->setStyleSheet(FramedButtonStyle());
    ui_->BtnCancel->setStyleSheet(FramedButtonStyle());

    connect(ui_->SelectKatIconBtn, &QToolButton::clicked, this,
            &TAddKatForm::SelectKatIconBtnClick);
    connect(ui_->BtnOk, &QPushButton::clicked, this, &TAddKatForm::BtnOkClick);
    connect(ui_->BtnCancel, &QPushButton::clicked, this, &TAddKatForm::BtnCancelClick);
    // Enter confirms and Esc cancels wherever the focus is.
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &TAddKatForm::BtnOkClick);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &TAddKatForm::BtnCancelClick);
}

TAddKatForm::~TAddKatForm() = default;

QLineEdit* TAddKatForm::EdtKatName() const {
    return ui_->EdtKatName;
}
QLineEdit* TAddKatForm::EdtKatIcon() const {
    return ui_->EdtKatIcon;
}
QPushButton* TAddKatForm::BtnOk() const {
    return ui_->BtnOk;
}
QPushButton* TAddKatForm::BtnCancel() const {
    return ui_->BtnCancel;
}

void TAddKatForm::PrepareNew(const std::string& icon) {
    mode_ = 0;
    ui_->EdtKatName->clear();
    ui_->EdtKatIcon->setText(PathToQString(icon));
    ui_->EdtKatIcon->setModified(false);
    ui_->EdtKatName->setFocus();
}

void TAddKatForm::PrepareEdit(int index, const std::string& name, const std::string& icon) {
    mode_ = 1;
    ui_->EdtKatName->setText(QString::fromStdString(name));
    ui_->EdtKatName->setProperty("Tag", index);
    ui_->EdtKatIcon->setText(PathToQString(icon));
    ui_->EdtKatIcon->setModified(false);
    open_kat_icon_.folder = ParentFolder(icon);
    ui_->EdtKatName->setFocus();
}

void TAddKatForm::SelectKatIconBtnClick() {
    const std::vector<std::string> chosen = files_.OpenFiles(open_kat_icon_);
    if (chosen.empty())
        return;
    ui_->EdtKatIcon->setText(PathToQString(chosen.front()));
    ui_->EdtKatIcon->setModified(true);
}

void TAddKatForm::BtnOkClick() {
    const std::string name = ui_->EdtKatName->text().toStdString();
    const std::string icon = PathFromQString(ui_->EdtKatIcon->text());
    if (name.empty()) {
        ShowCatalogueMessage(prompter_, catalogue_, kMsgEnterKatName);
        return;
    }
    if (icon.empty()) {
        ShowCatalogueMessage(prompter_, catalogue_, kMsgEnterKatIcon);
        return;
    }
    if (mode_ == 0) {
        const bool created = actions_.create && actions_.create(name, icon);
        done(created ? QDialog::Accepted : QDialog::Rejected);
        return;
    }
    if (actions_.change) {
        const std::optional<std::string> new_icon =
            ui_->EdtKatIcon->isModified() ? std::optional<std::string>(icon) : std::nullopt;
        actions_.change(ui_->EdtKatName->property("Tag").toInt(), name, new_icon);
    }
    done(QDialog::Accepted);
}

void TAddKatForm::BtnCancelClick() {
    done(QDialog::Rejected);
}

}  // namespace orvella
