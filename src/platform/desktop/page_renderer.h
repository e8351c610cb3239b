#pragma once

#include <string>

#include "platform/status.h"

namespace orvella {

// The Active Desktop showed HTML pages; the Linux desktops show pictures. A renderer turns
// a page into the picture the host desktop is given.
class PageRenderer {
public:
    virtual ~PageRenderer() = default;
    virtual Result<std::string> PictureForPage(const std::string& page) const = 0;
};

// Until pages are rendered, a page is handed on as it is: the record backend shows it,
// and a desktop that cannot show a page keeps what it had or reports the failure.
class PassThroughPageRenderer : public PageRenderer {
public:
    Result<std::string> PictureForPage(const std::string& page) const override { return page; }
};

}  // namespace orvella
