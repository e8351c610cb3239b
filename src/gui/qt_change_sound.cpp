#include "gui/qt_change_sound.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>

#include "gui/sound_output.h"

namespace orvella {

QtChangeSound::QtChangeSound() = default;

QtChangeSound::~QtChangeSound() = default;

Status QtChangeSound::Play(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return Status::Error(path + ": " + file.errorString().toStdString());
    const QByteArray header = file.read(12);
    if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return Status::Error(path + ": keine WAVE-Datei");
    if (!effect_) {
        if (!SoundServerReachable(ProcessEnvironment()))
            return Status::Ok();
        effect_ = std::make_unique<QSoundEffect>();
    }
    // Opening another file closes what the player had open.
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    effect_->play();
    return Status::Ok();
}

}  // namespace orvella
