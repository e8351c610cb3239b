#pragma once

#include <QObject>

#include "wallpaper/change_sound.h"

class QSoundEffect;

namespace orvella {

// The change sound through Qt Multimedia: a WAVE file, started without waiting for its
// end. A file that cannot be opened is an error with its reason; a machine without sound
// output plays nothing and changes the wallpaper all the same.
class QtChangeSound : public ChangeSound {
public:
    QtChangeSound();
    ~QtChangeSound() override;
    Status Play(const std::string& path) override;

private:
    std::unique_ptr<QSoundEffect> effect_;  // made at the first sound, where there is output
};

}  // namespace orvella
