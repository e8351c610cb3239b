#include "gui/outlook_bar.h"

#include <QCoreApplication>
#include <QPalette>

namespace orvella {

TOutlookBar::TOutlookBar(QWidget* parent)
    : QWidget(parent),
      caption_(new QLabel(QCoreApplication::translate("TOrvel", "Kategorien"), this)),
      scroll_(new QScrollArea(this)),
      header_(new QWidget),
      buttons_(new QVBoxLayout(header_)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    caption_->setObjectName(QStringLiteral("HeaderKatCaption"));
    caption_->setAlignment(Qt::AlignCenter);
    caption_->setMargin(4);
    QFont bold = caption_->font();
    bold.setBold(true);
    caption_->setFont(bold);
    caption_->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(caption_);

    header_->setObjectName(QStringLiteral("HeaderKat"));
    header_->setAutoFillBackground(true);
    buttons_->setContentsMargins(0, 8, 0, 8);
    buttons_->setSpacing(6);
    buttons_->addStretch();
    scroll_->setWidget(header_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(scroll_, 1);
}

QToolButton* TOutlookBar::CreateButton(const QString& name) {
    auto* button = new QToolButton(header_);
    button->setObjectName(name);
    button->setFixedWidth(kButtonWidth);
    button->setIconSize(QSize(kIconSize, kIconSize));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setCheckable(true);
    button->setAutoExclusive(true);
    // Keep the stretch last, so the buttons stay packed at the top.
    buttons_->insertWidget(buttons_->count() - 1, button, 0, Qt::AlignHCenter);
    return button;
}

void TOutlookBar::SetHeaderBackground(const QColor& colour) {
    QPalette palette = header_->palette();
    palette.setColor(QPalette::Window, colour);
    header_->setPalette(palette);
    scroll_->viewport()->setPalette(palette);
}

}  // namespace orvella
