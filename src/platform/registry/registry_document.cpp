#include "platform/registry/registry_document.h"

#include <cstdio>

#include "platform/text.h"

namespace orvella {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kHeaderV5 = "Windows Registry Editor Version 5.00";

// "A\\B\" and "A\B" are one key: empty components are dropped.
std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinPath(const std::vector<std::string_view>& parts, std::size_t count) {
    std::string joined;
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0)
            joined.push_back('\\');
        joined.append(parts[i]);
    }
    return joined;
}

std::string NormalisePath(std::string_view path) {
    const auto parts = SplitPath(path);
    return JoinPath(parts, parts.size());
}

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (char c : text) {
        if (c == '"' || c == '\\')
            out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

// A REG_SZ that a quoted REGEDIT4 string can carry: one line of valid UTF-8.
bool FitsQuotedString(std::string_view text) {
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 && c != '\t')
            return false;
    }
    return IsValidUtf8(text);
}

std::string HexBytes(const std::vector<std::uint8_t>& bytes) {
    std::string out;
    out.reserve(bytes.size() * 3);
    char buffer[4];
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, i == 0 ? "%02x" : ",%02x", bytes[i]);
        out.append(buffer);
    }
    return out;
}

std::string SerializeValue(const RegistryValue& value) {
    std::string line = value.name.empty() ? "@" : Escape(value.name);
    line.push_back('=');
    if (value.type == static_cast<std::uint32_t>(RegistryType::Dword)) {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "dword:%08x", value.dword);
        line.append(buffer);
    } else if (value.type == static_cast<std::uint32_t>(RegistryType::String)) {
        if (FitsQuotedString(value.text)) {
            line.append(Escape(value.text));
        } else {
            std::vector<std::uint8_t> bytes(value.text.begin(), value.text.end());
            bytes.push_back(0);
            line.append("hex(1):").append(HexBytes(bytes));
        }
    } else if (value.type == static_cast<std::uint32_t>(RegistryType::Binary)) {
        line.append("hex:").append(HexBytes(value.bytes));
    } else {
        char type[16];
        std::snprintf(type, sizeof type, "hex(%x):", value.type);
        line.append(type);
        line.append(HexBytes(value.bytes));
    }
    return line;
}

class Parser {
public:
    Parser(std::string_view text, std::string_view file_name)
        : text_(text), file_name_(file_name) {}

    Result<RegistryDocument> Run() {
        RegistryDocument document;
        std::string current;  // full path of the key the value lines belong to
        bool have_key = false;
        bool saw_header = false;
        std::string logical;
        while (NextLogicalLine(logical)) {
            const std::string_view line = TrimBlanks(logical);
            if (!saw_header) {
                if (line.empty())
                    continue;
                if (line == kHeader || line == kHeaderV5) {
                    saw_header = true;
                    continue;
                }
                return Error("the file does not begin with \"REGEDIT4\"");
            }
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                const std::size_t close = line.rfind(']');
                if (close == std::string_view::npos)
                    return Error("a key line without \"]\"");
                if (!TrimBlanks(line.substr(close + 1)).empty()) {
                    return Error("text after the key's \"]\"");
                }
                std::string_view path = line.substr(1, close - 1);
                const bool remove = !path.empty() && path.front() == '-';
                if (remove)
                    path.remove_prefix(1);
                const std::string normal = NormalisePath(path);
                if (!StartsWithIgnoreCase(normal, "HKEY_")) {
                    return Error("a key outside the known roots");
                }
                if (remove) {
                    document.DeleteKeyTree(normal);
                    have_key = false;
                } else {
                    document.CreateKey(normal);
                    current = normal;
                    have_key = true;
                }
                continue;
            }
            if (!have_key)
                return Error("a value before the first key");
            Status status = ParseValueLine(line, current, document);
            if (!status)
                return status;
        }
        if (!saw_header)
            return Error("the file does not begin with \"REGEDIT4\"");
        return document;
    }

private:
    // One line of the file, with hex continuations ("\" at the end) joined to it.
    bool NextLogicalLine(std::string& out) {
        out.clear();
        if (position_ >= text_.size())
            return false;
        bool continued = true;
        bool first = true;
        while (continued && position_ < text_.size()) {
            std::size_t end = text_.find('\n', position_);
            if (end == std::string_view::npos)
                end = text_.size();
            std::string_view line = text_.substr(position_, end - position_);
            position_ = end + 1;
            ++line_number_;
            if (first)
                start_line_ = line_number_;
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            if (!first)
                line = TrimBlanks(line);
            first = false;
            const std::string_view trimmed = TrimBlanks(line);
            continued = IsHexLine(out.empty() ? trimmed : std::string_view(out)) &&
                        !trimmed.empty() && trimmed.back() == '\\';
            if (continued)
                line = trimmed.substr(0, trimmed.size() - 1);
            out.append(line);
        }
        return true;
    }

    static bool IsHexLine(std::string_view line) {
        const std::size_t equals = line.find("=hex");
        return equals != std::string_view::npos;
    }

    Status Error(const std::string& what) const {
        return Status::Error(std::string(file_name_) + ":" + std::to_string(start_line_) + ": " +
                             what);
    }

    // Reads a quoted string at text[i] (which is '"'); returns the position after it.
    std::size_t ReadQuoted(std::string_view text, std::size_t i, std::string& out, bool& ok) const {
        ok = false;
        out.clear();
        for (++i; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '"') {
                ok = true;
                return i + 1;
            }
            if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
                out.push_back(text[++i]);
                continue;
            }
            out.push_back(c);
        }
        return i;
    }

    Status ParseValueLine(std::string_view line, const std::string& key,
                          RegistryDocument& document) {
        std::string name;
        std::size_t i = 0;
        if (line.front() == '@') {
            i = 1;
        } else if (line.front() == '"') {
            bool ok = false;
            i = ReadQuoted(line, 0, name, ok);
            if (!ok)
                return Error("a value name without its closing quote");
        } else {
            return Error("a line that is neither a key nor a value");
        }
        std::string_view rest = TrimBlanks(line.substr(i));
        if (rest.empty() || rest.front() != '=')
            return Error("a value without \"=\"");
        rest = TrimBlanks(rest.substr(1));

        RegistryValue value;
        value.name = std::move(name);
        if (rest == "-") {
            document.DeleteValue(key, value.name);
            return Status::Ok();
        }
        if (!rest.empty() && rest.front() == '"') {
            bool ok = false;
            const std::size_t end = ReadQuoted(rest, 0, value.text, ok);
            if (!ok)
                return Error("a string without its closing quote");
            if (!TrimBlanks(rest.substr(end)).empty())
                return Error("text after a string");
            value.type = static_cast<std::uint32_t>(RegistryType::String);
        } else if (StartsWithIgnoreCase(rest, "dword:")) {
            const std::string_view digits = TrimBlanks(rest.substr(6));
            if (digits.empty() || digits.size() > 8)
                return Error("a dword that is not 8 hex digits");
            std::uint32_t number = 0;
            for (char c : digits) {
                const int digit = HexDigit(c);
                if (digit < 0)
                    return Error("a dword that is not 8 hex digits");
                number = number * 16 + static_cast<std::uint32_t>(digit);
            }
            value.type = static_cast<std::uint32_t>(RegistryType::Dword);
            value.dword = number;
        } else if (StartsWithIgnoreCase(rest, "hex")) {
            Status status = ParseHex(rest.substr(3), value);
            if (!status)
                return status;
        } else {
            return Error("a value of unknown form");
        }
        document.SetValue(key, std::move(value));
        return Status::Ok();
    }

    static int HexDigit(char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    // After "hex": either ":" (REG_BINARY) or "(n):".
    Status ParseHex(std::string_view rest, RegistryValue& value) {
        std::uint32_t type = static_cast<std::uint32_t>(RegistryType::Binary);
        if (!rest.empty() && rest.front() == '(') {
            const std::size_t close = rest.find(')');
            if (close == std::string_view::npos || close == 1 || close > 9) {
                return Error("a hex type without \")\"");
            }
            type = 0;
            for (char c : rest.substr(1, close - 1)) {
                const int digit = HexDigit(c);
                if (digit < 0)
                    return Error("a hex type that is not a number");
                type = type * 16 + static_cast<std::uint32_t>(digit);
            }
            rest.remove_prefix(close + 1);
        }
        if (rest.empty() || rest.front() != ':')
            return Error("hex data without \":\"");
        rest.remove_prefix(1);
        std::vector<std::uint8_t> bytes;
        std::size_t i = 0;
        while (true) {
            while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
                ++i;
            if (i >= rest.size())
                break;
            if (i + 1 >= rest.size() || HexDigit(rest[i]) < 0 || HexDigit(rest[i + 1]) < 0) {
                return Error("hex data that is not pairs of hex digits");
            }
            bytes.push_back(
                static_cast<std::uint8_t>(HexDigit(rest[i]) * 16 + HexDigit(rest[i + 1])));
            i += 2;
            while (i < rest.size() && (rest[i] == ' ' || rest[i] == '\t'))
                ++i;
            if (i >= rest.size())
                break;
            if (rest[i] != ',')
                return Error("hex data that is not separated by \",\"");
            ++i;
        }
        if (type == static_cast<std::uint32_t>(RegistryType::String)) {
            if (!bytes.empty() && bytes.back() == 0)
                bytes.pop_back();
            value.type = type;
            value.text.assign(bytes.begin(), bytes.end());
        } else if (type == static_cast<std::uint32_t>(RegistryType::Dword) && bytes.size() == 4) {
            value.type = type;
            value.dword = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) |
                          (static_cast<std::uint32_t>(bytes[3]) << 24);
        } else {
            // Kept as bytes; a dword of another length is no dword, so it stays binary.
            value.type = type == static_cast<std::uint32_t>(RegistryType::Dword)
                             ? static_cast<std::uint32_t>(RegistryType::Binary)
                             : type;
            value.bytes = std::move(bytes);
        }
        return Status::Ok();
    }

    std::string_view text_;
    std::string_view file_name_;
    std::size_t position_ = 0;
    std::size_t line_number_ = 0;
    std::size_t start_line_ = 0;
};

}  // namespace

Result<RegistryDocument> RegistryDocument::Parse(std::string_view text,
                                                 std::string_view file_name) {
    const std::string decoded = DecodeSystemText(text);
    return Parser(decoded, file_name).Run();
}

std::string RegistryDocument::Serialize() const {
    std::string out(kHeader);
    out.append("\r\n\r\n");
    for (const auto& [folded, key] : keys_) {
        out.append("[").append(key.path).append("]\r\n");
        for (const RegistryValue& value : key.values)
            out.append(SerializeValue(value)).append("\r\n");
        out.append("\r\n");
    }
    return out;
}

RegistryDocument RegistryDocument::Fresh() {
    RegistryDocument document;
    const std::string desktop = "HKEY_CURRENT_USER\\Control Panel\\Desktop";
    document.SetValue(desktop, RegistryValue::String("TileWallpaper", "0"));
    document.SetValue(desktop, RegistryValue::String("Wallpaper", ""));
    document.SetValue(desktop, RegistryValue::String("WallpaperStyle", "0"));
    document.SetValue("HKEY_CURRENT_USER\\Control Panel\\Colors",
                      RegistryValue::String("Background", "58 110 165"));
    document.CreateKey("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
    struct FileType {
        const char* extension;
        const char* type;
        const char* description;
    };
    static constexpr FileType kTypes[] = {
        {".bmp", "Paint.Picture", "Bitmap Image"}, {".jpg", "jpegfile", "JPEG Image"},
        {".jpeg", "jpegfile", "JPEG Image"},       {".gif", "giffile", "GIF Image"},
        {".png", "pngfile", "PNG Image"},          {".htm", "htmlfile", "HTML Document"},
        {".html", "htmlfile", "HTML Document"},
    };
    for (const FileType& type : kTypes) {
        document.SetValue(std::string("HKEY_CLASSES_ROOT\\") + type.extension,
                          RegistryValue::String("", type.type));
        document.SetValue(std::string("HKEY_CLASSES_ROOT\\") + type.type,
                          RegistryValue::String("", type.description));
    }
    document.CreateKey("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion");
    return document;
}

std::string RegistryDocument::FullPath(RegistryRoot root, std::string_view path) {
    std::string full;
    switch (root) {
        case RegistryRoot::CurrentUser:
            full = "HKEY_CURRENT_USER";
            break;
        case RegistryRoot::LocalMachine:
            full = "HKEY_LOCAL_MACHINE";
            break;
        case RegistryRoot::ClassesRoot:
            full = "HKEY_CLASSES_ROOT";
            break;
    }
    const std::string rest = NormalisePath(path);
    if (!rest.empty())
        full.append("\\").append(rest);
    return full;
}

RegistryDocument::Key* RegistryDocument::FindKey(std::string_view full_path) {
    const auto found = keys_.find(FoldCase(NormalisePath(full_path)));
    return found == keys_.end() ? nullptr : &found->second;
}

const RegistryDocument::Key* RegistryDocument::FindKey(std::string_view full_path) const {
    const auto found = keys_.find(FoldCase(NormalisePath(full_path)));
    return found == keys_.end() ? nullptr : &found->second;
}

bool RegistryDocument::HasKey(std::string_view full_path) const {
    return FindKey(full_path) != nullptr;
}

void RegistryDocument::CreateKey(std::string_view full_path) {
    const auto parts = SplitPath(full_path);
    for (std::size_t count = 1; count <= parts.size(); ++count) {
        std::string path = JoinPath(parts, count);
        std::string folded = FoldCase(path);
        if (keys_.find(folded) == keys_.end())
            keys_.emplace(std::move(folded), Key{path, {}, {}});
    }
}

void RegistryDocument::DeleteKeyTree(std::string_view full_path) {
    const std::string folded = FoldCase(NormalisePath(full_path));
    if (folded.empty())
        return;
    keys_.erase(folded);
    const std::string prefix = folded + "\\";
    auto it = keys_.lower_bound(prefix);
    while (it != keys_.end() && it->first.starts_with(prefix))
        it = keys_.erase(it);
}

const RegistryValue* RegistryDocument::FindValue(std::string_view full_path,
                                                 std::string_view name) const {
    const Key* key = FindKey(full_path);
    if (key == nullptr)
        return nullptr;
    const auto found = key->index.find(FoldCase(name));
    return found == key->index.end() ? nullptr : &key->values[found->second];
}

void RegistryDocument::SetValue(std::string_view full_path, RegistryValue value) {
    Key* key = FindKey(full_path);
    if (key == nullptr) {
        CreateKey(full_path);
        key = FindKey(full_path);
    }
    std::string folded = FoldCase(value.name);
    if (const auto found = key->index.find(folded); found != key->index.end()) {
        RegistryValue& existing = key->values[found->second];
        value.name = existing.name;  // the first spelling of a name stays
        existing = std::move(value);
        return;
    }
    key->index.emplace(std::move(folded), key->values.size());
    key->values.push_back(std::move(value));
}

void RegistryDocument::DeleteValue(std::string_view full_path, std::string_view name) {
    Key* key = FindKey(full_path);
    if (key == nullptr)
        return;
    const auto found = key->index.find(FoldCase(name));
    if (found == key->index.end())
        return;
    key->values.erase(key->values.begin() + static_cast<std::ptrdiff_t>(found->second));
    key->index.clear();
    for (std::size_t i = 0; i < key->values.size(); ++i) {
        key->index.emplace(FoldCase(key->values[i].name), i);
    }
}

std::vector<std::string> RegistryDocument::SubkeyNames(std::string_view full_path) const {
    std::vector<std::string> names;
    const std::string prefix = FoldCase(NormalisePath(full_path)) + "\\";
    for (auto it = keys_.lower_bound(prefix); it != keys_.end() && it->first.starts_with(prefix);
         ++it) {
        const std::string_view rest = std::string_view(it->first).substr(prefix.size());
        if (rest.find('\\') == std::string_view::npos) {
            const std::string& path = it->second.path;
            names.push_back(path.substr(path.rfind('\\') + 1));
        }
    }
    return names;
}

std::vector<std::string> RegistryDocument::ValueNames(std::string_view full_path) const {
    std::vector<std::string> names;
    if (const Key* key = FindKey(full_path)) {
        for (const RegistryValue& value : key->values)
            names.push_back(value.name);
    }
    return names;
}

bool RegistryDocument::operator==(const RegistryDocument& other) const {
    return keys_ == other.keys_;
}

}  // namespace orvella
