#include "gui/status_line.h"

#include <QLabel>
#include <QStatusBar>

#include "gui/picture_status.h"

namespace orvella {
namespace {

constexpr int kCountWidth = 200;

}  // namespace

StatusLine::StatusLine(QStatusBar& bar, const MessageCatalogue& catalogue, bool german)
    : catalogue_(catalogue),
      locale_(InterfaceLocale(german)),
      count_(new QLabel(&bar)),
      file_(new QLabel(&bar)) {
    count_->setAlignment(Qt::AlignCenter);
    count_->setFixedWidth(kCountWidth);
    file_->setAlignment(Qt::AlignCenter);
    bar.addWidget(count_);
    bar.addWidget(file_, 1);
}

void StatusLine::ShowCount(int count) {
    count_->setText(PictureCountText(catalogue_, count));
}

void StatusLine::ShowFile(const std::string& path) {
    file_->setText(PictureFileText(catalogue_, path, locale_));
}

void StatusLine::ClearFile() {
    file_->clear();
}

QString StatusLine::Text(int panel) const {
    return panel == 0 ? count_->text() : file_->text();
}

}  // namespace orvella
