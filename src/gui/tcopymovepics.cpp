#include "gui/tcopymovepics.h"

#include "gui/framed_button_style.h"
#include "shell/message_catalogue.h"
#include "shell/prompter.h"
#include "ui_tcopymovepics.h"

namespace orvella {

TCopyMovePics::TCopyMovePics(const MessageCatalogue& catalogue, Prompter& prompter, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint),
      ui_(std::make_unique<Ui::TCopyMovePics>()),
      catalogue_(catalogue),
      prompter_(prompter) {
    ui_->setupUi(this);
    setFixedSize(size());
    for (QPushButton* button : {ui_->BitBtn1, ui_->BitBtn2, ui_->BitBtn3})
        button->setStyleSheet(FramedButtonStyle());
    connect(ui_->BitBtn1, &QPushButton::clicked, this, &TCopyMovePics::BitBtn1Click);
    connect(ui_->BitBtn2, &QPushButton::clicked, this, &TCopyMovePics::BitBtn2Click);
    connect(ui_->BitBtn3, &QPushButton::clicked, this, &TCopyMovePics::reject);
}

TCopyMovePics::~TCopyMovePics() = default;

QComboBox* TCopyMovePics::CbCategories() const {
    return ui_->CbCategories;
}
QLabel* TCopyMovePics::LabelCurrKat() const {
    return ui_->LabelCurrKat;
}
QPushButton* TCopyMovePics::BitBtn1() const {
    return ui_->BitBtn1;
}
QPushButton* TCopyMovePics::BitBtn2() const {
    return ui_->BitBtn2;
}
QPushButton* TCopyMovePics::BitBtn3() const {
    return ui_->BitBtn3;
}

void TCopyMovePics::SetCategories(const std::vector<std::string>& targets,
                                  const std::string& current) {
    ui_->CbCategories->clear();
    for (const std::string& name : targets)
        ui_->CbCategories->addItem(QString::fromStdString(name));
    ui_->CbCategories->setCurrentIndex(-1);
    ui_->LabelCurrKat->setText(QString::fromStdString(current));
}

int TCopyMovePics::TargetCategory() const {
    const int entry = ui_->CbCategories->currentIndex();
    return entry < 0 ? -1 : entry + 1;
}

void TCopyMovePics::BitBtn1Click() {
    CloseWithChoice(kCopy);
}

void TCopyMovePics::BitBtn2Click() {
    CloseWithChoice(kMove);
}

void TCopyMovePics::reject() {
    done(kCancel);
}

void TCopyMovePics::CloseWithChoice(int result) {
    // By name, exactly: another category named as the current one is refused as well.
    const QString chosen = ui_->CbCategories->currentText();
    if (!chosen.isEmpty() && chosen != ui_->LabelCurrKat->text()) {
        done(result);
        return;
    }
    ShowCatalogueMessage(prompter_, catalogue_, kMsgCopyInCatError);
}

}  // namespace orvella
