#include "library/picture_key_codec.h"

#include <algorithm>
#include <map>

#include "library/first_spellings.h"

namespace orvella {

bool FitsPictureKey(std::string_view path) {
    if (path.empty())
        return false;
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (blank(path.front()) || blank(path.back()))
        return false;
    if (path.front() == ';' || path.front() == '[')
        return false;
    // find_first_of would look each character up in the set with a call of its own.
    return path.find('=') == std::string_view::npos && path.find('\n') == std::string_view::npos &&
           path.find('\r') == std::string_view::npos;
}

std::string EscapePictureValue(std::string_view path) {
    std::string out;
    for (char c : path) {
        if (c == '%') {
            out += "%25";
        } else if (c == '\r') {
            out += "%0D";
        } else if (c == '\n') {
            out += "%0A";
        } else {
            out.push_back(c);
        }
    }
    return out;  // the profile keeps blanks at the ends by quoting the value
}

std::string UnescapePictureValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::string_view rest = value.substr(i, 3);
        if (rest == "%25") {
            out.push_back('%');
        } else if (rest == "%0D") {
            out.push_back('\r');
        } else if (rest == "%0A") {
            out.push_back('\n');
        } else {
            out.push_back(value[i]);
            continue;
        }
        i += 2;
    }
    return out;
}

std::string WallpapersSection(std::string_view key) {
    return std::string(key) + ".Wallpapers";
}

// A reader that does not know this section ignores it rather than misreading the paths.
std::string EncodedSection(std::string_view key) {
    return std::string(key) + ".EncodedWallpapers";
}

std::vector<std::string> ReadPictures(const ProfileDocument& document, const std::string& key) {
    std::vector<std::string> pictures = document.KeyNames(WallpapersSection(key));
    std::map<int, std::string> encoded;
    const std::string section = EncodedSection(key);
    for (const std::string& position : document.KeyNames(section)) {
        const std::optional<std::int32_t> at = ParseProfileInteger(position);
        const std::optional<std::string> value = document.Value(section, position);
        if (at && *at >= 0 && value)
            encoded.emplace(*at, UnescapePictureValue(*value));
    }
    for (auto& [position, path] : encoded) {
        const auto at = std::min<std::size_t>(static_cast<std::size_t>(position), pictures.size());
        pictures.insert(pictures.begin() + static_cast<std::ptrdiff_t>(at), std::move(path));
    }
    return pictures;
}

PictureSections::PictureSections(std::string_view key)
    : wallpapers(WallpapersSection(key)), encoded(EncodedSection(key)) {}

void WritePicture(ProfileDocument& document, const std::string& key, std::size_t position,
                  std::string_view path) {
    WritePicture(document, PictureSections(key), position, path);
}

void WritePicture(ProfileDocument& document, const PictureSections& sections, std::size_t position,
                  std::string_view path) {
    // Neither form can be refused: a fitting key holds no line break, "=" or leading
    // ";" or "[", and the escaped value no line break.
    if (FitsPictureKey(path)) {
        document.SetValue(sections.wallpapers, path, "");
    } else {
        document.SetValue(sections.encoded, std::to_string(position), EscapePictureValue(path));
    }
}

void WritePictures(ProfileWriter& out, const PictureSections& sections,
                   const std::vector<std::string>& pictures, FirstSpellings& spellings) {
    if (pictures.empty())
        return;
    std::vector<char> fits(pictures.size());
    std::transform(pictures.begin(), pictures.end(), fits.begin(),
                   [](const std::string& p) { return FitsPictureKey(p) ? 1 : 0; });
    const std::vector<char>& first = spellings.Find(pictures, fits);
    const auto write_keys = [&] {
        out.Section(sections.wallpapers);
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            if (first[i])
                out.Entry(pictures[i], "");
        }
    };
    const bool any_encoded = std::find(fits.begin(), fits.end(), 0) != fits.end();
    const auto write_encoded = [&] {
        out.Section(sections.encoded);
        for (std::size_t i = 0; i < pictures.size(); ++i) {
            if (!fits[i])
                out.Entry(std::to_string(i), EscapePictureValue(pictures[i]));
        }
    };
    if (fits.front()) {
        write_keys();
        if (any_encoded)
            write_encoded();
    } else {
        write_encoded();
        if (std::find(fits.begin(), fits.end(), 1) != fits.end())
            write_keys();
    }
}

void AppendPictures(ProfileDocument& document, const std::string& key,
                    const std::vector<std::string>& paths) {
    std::size_t position = ReadPictures(document, key).size();
    for (const std::string& path : paths) {
        if (FitsPictureKey(path) && document.HasKey(WallpapersSection(key), path))
            continue;
        WritePicture(document, key, position++, path);
    }
}

}  // namespace orvella
