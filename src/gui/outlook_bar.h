#pragma once

#include <QColor>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace orvella {

// The category bar: one header, "Kategorien", holding a column of large-icon buttons that
// scrolls when there are more than fit.
class TOutlookBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kButtonWidth = 85;
    static constexpr int kIconSize = 32;

    explicit TOutlookBar(QWidget* parent = nullptr);

    // The header that owns and shows the buttons.
    QWidget* HeaderKat() const { return header_; }
    QLabel* HeaderCaption() const { return caption_; }

    // A new button at the end of the column, owned by the header.
    QToolButton* CreateButton(const QString& name);
    void SetHeaderBackground(const QColor& colour);

private:
    QLabel* caption_;
    QScrollArea* scroll_;
    QWidget* header_;
    QVBoxLayout* buttons_;
};

}  // namespace orvella
