#pragma once

#include <QMainWindow>
#include <memory>

namespace Ui {
class TOrvel;
}

namespace orvella {

// The main window. For now an empty frame; the category bar, picture lists, menus and
// tray icon arrive with the store that feeds them.
class TOrvel : public QMainWindow {
    Q_OBJECT

public:
    explicit TOrvel(QWidget* parent = nullptr);
    ~TOrvel() override;

private:
    std::unique_ptr<Ui::TOrvel> ui_;
};

}  // namespace orvella
