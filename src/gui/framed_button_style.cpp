#include "gui/framed_button_style.h"

namespace orvella {

QString FramedButtonStyle() {
    // Windows colour values $AC4701 and $0080FF are BGR: #0147AC and #FF8000.
    return QStringLiteral(
        "QPushButton { border: 2px solid qlineargradient(x1:0, y1:0, x2:0, y2:1, "
        "stop:0 #3f7fd8, stop:1 #0147AC); border-radius: 3px; padding: 4px 6px; "
        "background: palette(button); }"
        "QPushButton:hover { border-color: #FF8000; }"
        "QPushButton:pressed { background: palette(midlight); }");
}

}  // namespace orvella
