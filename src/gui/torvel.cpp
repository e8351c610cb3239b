#include "gui/torvel.h"

#include "ui_torvel.h"

namespace orvella {

TOrvel::TOrvel(QWidget* parent) : QMainWindow(parent), ui_(std::make_unique<Ui::TOrvel>()) {
    ui_->setupUi(this);
}

TOrvel::~TOrvel() = default;

}  // namespace orvella
