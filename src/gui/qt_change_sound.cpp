#include "gui/qt_change_sound.h"

#include <QFile>
#include <QSoundEffect>
#include <QUrl>

namespace orvella {

QtChangeSound::QtChangeSound() : effect_(std::make_unique<QSoundEffect>()) {}

QtChangeSound::~QtChangeSound() = default;

Status QtChangeSound::Play(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        return Status::Error(path + ": " + file.errorString().toStdString());
    const QByteArray header = file.read(12);
    if (header.size() < 12 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE")
        return Status::Error(path + ": keine WAVE-Datei");
    // Opening another file closes what the player had open.
    effect_->stop();
    effect_->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    effect_->play();
    return Status::Ok();
}

}  // namespace orvella
