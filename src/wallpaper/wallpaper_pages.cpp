#include "wallpaper/wallpaper_pages.h"

#include <initializer_list>
#include <utility>

#include "platform/files/files.h"
#include "wallpaper/control_box.h"

namespace orvella {
namespace {

constexpr std::string_view kTagOpen = "<#";
constexpr std::string_view kTagClose = ">";

std::string JoinLines(std::initializer_list<std::string_view> lines) {
    std::string text;
    for (const std::string_view line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

// The object element that creates the desktop control, as both pages carry it.
std::string ClassIdLine() {
    return "        classid=\"CLSID:" + std::string(kDesktopControlClassId) + "\">";
}

std::string MakeTemplate(std::string_view body_line) {
    const std::string class_id = ClassIdLine();
    return JoinLines({
        "<HTML>",
        "<HEAD>",
        "",
        "<META NAME=\"Description\" CONTENT=\"Part of the Orvella desktop wallpaper management "
        "software\">",
        "<META NAME=\"Publisher\" CONTENT=\"Written by Orvella, the desktop wallpaper manager, "
        "for its desktop control\">",
        "<META NAME=\"Contact\" CONTENT=\"dev@orvella.invalid\">",
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">",
        "",
        "<TITLE>Orvella Windows-Wallpaper</TITLE>",
        "",
        "</HEAD>",
        body_line,
        "",
        "<object width=\"<#objwidth>\" height=\"<#objheight>\"",
        class_id,
        "</object>",
        "",
        "</BODY>",
        "</HTML>",
    });
}

}  // namespace

const std::string& LabelWallHTML() {
    static const std::string text =
        MakeTemplate("<BODY BGCOLOR=\"<#BGColor>\" BACKGROUND=\"<#BGImage>\">");
    return text;
}

const std::string& LabelStarFieldHTML() {
    static const std::string text = MakeTemplate("<BODY BGCOLOR=\"#000000\">");
    return text;
}

std::string ColorToHtml(ColorRef colour) {
    return HashColour(colour).substr(1);
}

TWallpaperPages::TWallpaperPages(std::string program_dir, const Screen& screen,
                                 const DesktopColours& colours)
    : program_dir_(std::move(program_dir)), screen_(screen), colours_(colours) {}

std::string TWallpaperPages::TagValue(std::string_view name) const {
    if (name == "BGColor")
        return "#" + ColorToHtml(colours_.Background());
    if (name == "BGImage")
        return program_dir_ + "Orvella.jpg";
    if (name == "objwidth")
        return std::to_string(ControlBox(screen_.Size()).width);
    if (name == "objheight")
        return std::to_string(ControlBox(screen_.Size()).height);
    return std::string(kTagOpen) + std::string(name) + std::string(kTagClose);
}

std::string TWallpaperPages::ProducePage(std::string_view page_template) const {
    std::string page;
    std::size_t done = 0;
    while (done < page_template.size()) {
        const std::size_t open = page_template.find(kTagOpen, done);
        const std::size_t close = open == std::string_view::npos
                                      ? std::string_view::npos
                                      : page_template.find(kTagClose, open + kTagOpen.size());
        if (close == std::string_view::npos) {
            page += page_template.substr(done);
            break;
        }
        page += page_template.substr(done, open - done);
        page +=
            TagValue(page_template.substr(open + kTagOpen.size(), close - open - kTagOpen.size()));
        done = close + kTagClose.size();
    }
    return page;
}

Status TWallpaperPages::WritePage(std::string_view page_template, const std::string& path) const {
    return ReplaceFileAtomically(path, ProducePage(page_template));
}

}  // namespace orvella
