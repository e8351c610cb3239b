#include "codecs/codec_messages.h"

namespace orvella {
namespace {

std::string_view BaseText(CodecMessage message) {
    switch (message) {
        case CodecMessage::Damaged:
            return "Bilddatei ist beschädigt";
        case CodecMessage::Truncated:
            return "Bilddatei ist unvollständig";
        case CodecMessage::Unsupported:
            return "Bildformat wird nicht unterstützt";
        case CodecMessage::UnknownKind:
            return "Unbekannter Bilddateityp";
        case CodecMessage::NoArea:
            return "Bild hat die Breite oder Höhe 0";
        case CodecMessage::TooLarge:
            return "Bild ist zu groß";
        case CodecMessage::CannotRead:
            return "Bilddatei kann nicht gelesen werden";
        case CodecMessage::CannotWrite:
            return "Bilddatei kann nicht geschrieben werden";
        case CodecMessage::EncodeFailed:
            return "Bild kann nicht als JPEG gespeichert werden";
        case CodecMessage::InvalidArgument:
            return "Ungültiger Wert";
    }
    return "Bildfehler";
}

}  // namespace

std::string CodecText(CodecMessage message, std::string_view detail) {
    std::string text(BaseText(message));
    if (!detail.empty()) {
        text += ": ";
        text += detail;
    }
    return text;
}

std::string SizeText(std::int64_t width, std::int64_t height, std::uint64_t max_pixels) {
    return std::to_string(width) + " x " + std::to_string(height) + " Pixel, höchstens " +
           std::to_string(max_pixels) + " Pixel";
}

}  // namespace orvella
