#pragma once

#include <string>

#include "codecs/bitmap.h"
#include "platform/desktop/screen.h"
#include "platform/status.h"
#include "wallpaper/control_box.h"

namespace orvella {

// Which of the centre display's three treatments a picture of `picture` gets on `screen`.
enum class CentreCase {
    NearScreenSize,    // within the margins of the screen size: stretched as in stretch mode
    LargerThanScreen,  // larger by more than the margins both ways: its centre part is used
    AsItIs,            // anything else: the picture itself goes to the control
};
CentreCase CentreCaseOf(ScreenSize picture, ScreenSize screen);

// The centre `screen`-sized part of a larger `picture`: with an odd difference the right or
// bottom side loses one pixel more than the left or top side.
Rect CentrePart(ScreenSize picture, ScreenSize screen);

// Prepares the calendar wallpaper's two pictures in the program folder from the copy of the
// chosen picture: "Orvella.jpg", the picture as it fills the screen (the page's background),
// and "Orvella2.jpg", what the desktop control shows. The copy is read completely first, so
// it may itself be "Orvella.jpg". A picture that cannot be loaded is an error and nothing is
// written; so is a file that cannot be written or deleted.
class TCalendarImages {
public:
    // `program_dir` ends with a separator; the screen is asked at every preparation.
    TCalendarImages(std::string program_dir, const Screen& screen);

    Status PrepareStretched(const std::string& copy) const;
    Status PrepareTiled(const std::string& copy) const;
    Status PrepareCentred(const std::string& copy) const;

    std::string ScreenImagePath() const { return program_dir_ + "Orvella.jpg"; }
    std::string ControlImagePath() const { return program_dir_ + "Orvella2.jpg"; }

private:
    Status SaveScreenAndControlBox(const Bitmap& screen_image) const;

    std::string program_dir_;
    const Screen& screen_;
};

}  // namespace orvella
