#pragma once

#include <string>
#include <vector>

#include "gui/tslideshowform.h"

class QWidget;

namespace orvella {

class MessageCatalogue;
class Prompter;

// The main window's "Diashow starten...": for a category without pictures the catalogue's
// message, otherwise the slideshow of `entries` (the list's captions in their order), owned
// by `owner`, modal until it closes. The settings are read once, here.
void StartSlideshow(const std::vector<std::string>& entries,
                    const TSlideShowForm::Settings& settings, Prompter& prompter,
                    const MessageCatalogue& catalogue, QWidget* owner);

}  // namespace orvella
