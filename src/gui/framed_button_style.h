#pragma once

#include <QString>

namespace orvella {

// The dialogs' OK and Cancel buttons: a frame in the program's blue that turns orange while
// the mouse is over the button.
QString FramedButtonStyle();

}  // namespace orvella
