#pragma once

#include <string>
#include <utility>

namespace orvella {

// Which property of which control an entry keeps. A property holding an object (a font, a
// colour set) is kept one entry per sub-property: {"LabelFontMonthTemp", "Font", "Name"}
// is the entry "LabelFontMonthTemp_FontName".
struct PropertyName {
    PropertyName(std::string component_name, std::string property_name,
                 std::string sub_property_name = {})
        : component(std::move(component_name)),
          property(std::move(property_name)),
          sub_property(std::move(sub_property_name)) {}

    std::string component;
    std::string property;
    std::string sub_property;

    std::string EntryName() const { return component + "_" + property + sub_property; }
};

}  // namespace orvella
