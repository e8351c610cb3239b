#include "platform/desktop/backends/json_value.h"

#include <cstdlib>

namespace orvella {
namespace {

// A recursive descent over the text; every failure leaves `ok` false.
class JsonReader {
public:
    explicit JsonReader(std::string_view text) : text_(text) {}

    std::optional<JsonValue> Document() {
        JsonValue value = Value(0);
        Blanks();
        if (!ok_ || at_ != text_.size())
            return std::nullopt;
        return value;
    }

private:
    static constexpr int kDeepest = 64;

    void Blanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' ||
                                      text_[at_] == '\r' || text_[at_] == '\t'))
            ++at_;
    }
    bool Take(char c) {
        Blanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word) {
        if (text_.substr(at_, word.size()) != word)
            return false;
        at_ += word.size();
        return true;
    }

    JsonValue Value(int depth) {
        JsonValue value;
        Blanks();
        if (depth > kDeepest || at_ >= text_.size()) {
            ok_ = false;
        } else if (text_[at_] == '{') {
            Object(value, depth);
        } else if (text_[at_] == '[') {
            Array(value, depth);
        } else if (text_[at_] == '"') {
            value.kind = JsonValue::Kind::String;
            value.text = String();
        } else if (Word("true")) {
            value.kind = JsonValue::Kind::Bool;
            value.boolean = true;
        } else if (Word("false")) {
            value.kind = JsonValue::Kind::Bool;
        } else if (!Word("null")) {
            Number(value);
        }
        return value;
    }

    void Number(JsonValue& value) {
        const std::size_t start = at_;
        while (at_ < text_.size() &&
               std::string_view("+-.eE0123456789").find(text_[at_]) != std::string_view::npos)
            ++at_;
        const std::string digits(text_.substr(start, at_ - start));
        char* end = nullptr;
        value.kind = JsonValue::Kind::Number;
        value.number = std::strtod(digits.c_str(), &end);
        ok_ = ok_ && !digits.empty() && end == digits.c_str() + digits.size();
    }

    void Object(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Object;
        ++at_;
        if (Take('}'))
            return;
        do {
            Blanks();
            if (at_ >= text_.size() || text_[at_] != '"') {
                ok_ = false;
                return;
            }
            std::string name = String();
            if (!Take(':')) {
                ok_ = false;
                return;
            }
            value.members[std::move(name)] = Value(depth + 1);
        } while (ok_ && Take(','));
        ok_ = ok_ && Take('}');
    }

    void Array(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::Array;
        ++at_;
        if (Take(']'))
            return;
        do {
            value.items.push_back(Value(depth + 1));
        } while (ok_ && Take(','));
        ok_ = ok_ && Take(']');
    }

    // A string at `at_`; escapes of \u kept only for ASCII, which is all names need.
    std::string String() {
        std::string out;
        for (++at_; at_ < text_.size() && text_[at_] != '"'; ++at_) {
            if (text_[at_] != '\\') {
                out += text_[at_];
                continue;
            }
            if (++at_ >= text_.size())
                break;
            const char c = text_[at_];
            const std::string_view plain = "\"\\/bfnrt";
            const std::string_view meant = "\"\\/\b\f\n\r\t";
            if (const std::size_t k = plain.find(c); k != std::string_view::npos) {
                out += meant[k];
            } else if (c == 'u' && at_ + 4 < text_.size()) {
                const long code =
                    std::strtol(std::string(text_.substr(at_ + 1, 4)).c_str(), nullptr, 16);
                out += code < 0x80 ? static_cast<char>(code) : '?';
                at_ += 4;
            }
        }
        ok_ = ok_ && at_ < text_.size();
        ++at_;
        return out;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view name) const {
    if (kind != Kind::Object)
        return nullptr;
    const auto found = members.find(name);
    return found != members.end() ? &found->second : nullptr;
}

std::optional<JsonValue> ParseJson(std::string_view text) {
    return JsonReader(text).Document();
}

}  // namespace orvella
