#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class TCopyMovePics;
}
class QComboBox;
class QLabel;
class QPushButton;

namespace orvella {

class MessageCatalogue;
class Prompter;

// Asks into which category the selected pictures are copied or moved. Made for one command
// and destroyed after it.
class TCopyMovePics : public QDialog {
    Q_OBJECT

public:
    // The dialog's results.
    static constexpr int kCopy = 20;
    static constexpr int kMove = 21;
    static constexpr int kCancel = 2;

    TCopyMovePics(const MessageCatalogue& catalogue, Prompter& prompter, QWidget* parent = nullptr);
    ~TCopyMovePics() override;

    // `targets`: the names of categories 1 to n-1, in order; `current`: the current
    // category's name. Nothing is chosen at first.
    void SetCategories(const std::vector<std::string>& targets, const std::string& current);
    // The category the chosen entry stands for (entry k is category k + 1); -1 for none.
    int TargetCategory() const;

    QComboBox* CbCategories() const;
    QLabel* LabelCurrKat() const;
    QPushButton* BitBtn1() const;
    QPushButton* BitBtn2() const;
    QPushButton* BitBtn3() const;

    void BitBtn1Click();
    void BitBtn2Click();
    // Every other way of closing the dialog is a cancel.
    void reject() override;

private:
    // Closes with `result` when a category other than the current one (by name) is chosen.
    void CloseWithChoice(int result);

    std::unique_ptr<Ui::TCopyMovePics> ui_;
    const MessageCatalogue& catalogue_;
    Prompter& prompter_;
};

}  // namespace orvella
