// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/lessons/json_text.h"

#include "model/language/catalog.h"

#include <algorithm>
#include <cstdint>

namespace tarnis::json {

namespace {

// The length of the well-formed UTF-8 character at `at` (no overlong forms, no surrogates, nothing
// past U+10FFFF); 0 where there is none.
std::size_t utf8Length(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1
        : lead >= 0xC2 && lead <= 0xDF     ? 2
        : lead >= 0xE0 && lead <= 0xEF     ? 3
        : lead >= 0xF0 && lead <= 0xF4     ? 4
                                           : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    std::uint32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (next & 0x3F);
    }
    constexpr std::uint32_t Least[]{0, 0, 0x80, 0x800, 0x10000};
    if (code < Least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

class Reader {
public:
    explicit Reader(std::string_view text)
        : m_text(text)
    {
    }

    std::variant<Value, ReadError> document()
    {
        if (m_text.size() > MostBytes)
            return ReadError{MostBytes, std::string(translate("the text is longer than a set-up can be"))};
        skipBlanks();
        std::optional<Value> value = this->value(0);
        if (value) {
            skipBlanks();
            if (m_at != m_text.size())
                fail(translate("more follows the value"));
        }
        if (m_error)
            return *m_error;
        return std::move(*value);
    }

private:
    std::optional<Value> value(int depth)
    {
        if (depth >= MostDepth)
            return fail(translate("the values are nested too deeply"));
        if (m_at >= m_text.size())
            return fail(translate("a value is missing"));
        switch (m_text[m_at]) {
        case '{':
            return object(depth);
        case '[':
            return array(depth);
        case '"':
            if (auto text = string())
                return Value::of(std::move(*text));
            return std::nullopt;
        case 't':
            return word("true", Value::of(true));
        case 'f':
            return word("false", Value::of(false));
        case 'n':
            return word("null", Value{});
        default:
            return number();
        }
    }

    std::optional<Value> object(int depth)
    {
        ++m_at; // {
        Members members;
        skipBlanks();
        if (take('}'))
            return Value::of(std::move(members));
        do {
            skipBlanks();
            if (m_at >= m_text.size() || m_text[m_at] != '"')
                return fail(translate("a member's name is missing"));
            const std::size_t nameAt = m_at;
            std::optional<std::string> name = string();
            if (!name)
                return std::nullopt;
            if (std::any_of(members.begin(), members.end(), [&](const Member& member) { return member.name == *name; }))
                return failAt(nameAt, fill(translate("the name \"{name}\" stands twice"), {{"name", *name}}));
            skipBlanks();
            if (!take(':'))
                return fail(translate("a colon is missing after a member's name"));
            skipBlanks();
            std::optional<Value> item = value(depth + 1);
            if (!item)
                return std::nullopt;
            members.push_back({std::move(*name), std::move(*item)});
            skipBlanks();
        } while (take(','));
        if (!take('}'))
            return fail(translate("an object is not closed"));
        return Value::of(std::move(members));
    }

    std::optional<Value> array(int depth)
    {
        ++m_at; // [
        Items items;
        skipBlanks();
        if (take(']'))
            return Value::of(std::move(items));
        do {
            skipBlanks();
            std::optional<Value> item = value(depth + 1);
            if (!item)
                return std::nullopt;
            items.push_back(std::move(*item));
            skipBlanks();
        } while (take(','));
        if (!take(']'))
            return fail(translate("a list is not closed"));
        return Value::of(std::move(items));
    }

    std::optional<std::string> string()
    {
        ++m_at; // "
        std::string text;
        while (m_at < m_text.size()) {
            const auto c = static_cast<unsigned char>(m_text[m_at]);
            if (c == '"') {
                ++m_at;
                return text;
            }
            if (c < 0x20)
                return failText(translate("a string holds a control character"));
            if (c == '\\') {
                if (!escape(text))
                    return std::nullopt;
            } else if (!utf8(text)) {
                return std::nullopt;
            }
        }
        return failText(translate("a string is not closed"));
    }

    bool escape(std::string& text)
    {
        if (++m_at >= m_text.size())
            return failText(translate("a string is not closed")).has_value();
        const char c = m_text[m_at++];
        static constexpr std::string_view Escaped = "\"\\/bfnrt";
        static constexpr std::string_view Meant = "\"\\/\b\f\n\r\t";
        if (const auto found = Escaped.find(c); found != std::string_view::npos) {
            text += Meant[found];
            return true;
        }
        if (c != 'u')
            return failText(translate("a string has an unknown escape")).has_value();
        std::optional<std::uint32_t> unit = hexUnit();
        if (!unit)
            return false;
        std::uint32_t code = *unit;
        if (code >= 0xDC00 && code <= 0xDFFF)
            return failText(translate("a string has a lone surrogate")).has_value();
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (m_text.substr(m_at, 2) != "\\u")
                return failText(translate("a string has a lone surrogate")).has_value();
            m_at += 2;
            const std::optional<std::uint32_t> low = hexUnit();
            if (!low || *low < 0xDC00 || *low > 0xDFFF)
                return failText(translate("a string has a lone surrogate")).has_value();
            code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
        }
        appendUtf8(text, code);
        return true;
    }

    std::optional<std::uint32_t> hexUnit()
    {
        if (m_at + 4 > m_text.size())
            return fail(translate("a \\u escape needs four hexadecimal digits")), std::nullopt;
        std::uint32_t unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            const int digit = c >= '0' && c <= '9' ? c - '0'
                : c >= 'a' && c <= 'f'             ? c - 'a' + 10
                : c >= 'A' && c <= 'F'             ? c - 'A' + 10
                                                   : -1;
            if (digit < 0)
                return fail(translate("a \\u escape needs four hexadecimal digits")), std::nullopt;
            unit = unit * 16 + std::uint32_t(digit);
        }
        return unit;
    }

    static void appendUtf8(std::string& text, std::uint32_t code)
    {
        if (code < 0x80) {
            text += char(code);
        } else if (code < 0x800) {
            text += char(0xC0 | (code >> 6));
            text += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            text += char(0xE0 | (code >> 12));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        } else {
            text += char(0xF0 | (code >> 18));
            text += char(0x80 | ((code >> 12) & 0x3F));
            text += char(0x80 | ((code >> 6) & 0x3F));
            text += char(0x80 | (code & 0x3F));
        }
    }

    bool utf8(std::string& text)
    {
        const std::size_t length = utf8Length(m_text, m_at);
        if (length == 0)
            return failText(translate("a string is not UTF-8")).has_value();
        text.append(m_text.substr(m_at, length));
        m_at += length;
        return true;
    }

    // -? (0 | [1-9][0-9]*) (. [0-9]+)? ([eE] [+-]? [0-9]+)?
    std::optional<Value> number()
    {
        const std::size_t start = m_at;
        take('-');
        if (!take('0') && !digits())
            return failAt(start, translate("a value is not JSON"));
        if (take('.') && !digits())
            return fail(translate("a number's fraction has no digits"));
        if (take('e') || take('E')) {
            if (!take('+'))
                take('-');
            if (!digits())
                return fail(translate("a number's exponent has no digits"));
        }
        return Value::of(Number{std::string(m_text.substr(start, m_at - start))});
    }

    bool digits()
    {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
            ++m_at;
        return m_at > start;
    }

    std::optional<Value> word(std::string_view spelled, Value meant)
    {
        if (m_text.substr(m_at, spelled.size()) != spelled)
            return fail(translate("a value is not JSON"));
        m_at += spelled.size();
        return meant;
    }

    bool take(char c)
    {
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }

    void skipBlanks()
    {
        while (m_at < m_text.size()
               && (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    // The reasons are words a person reads, in the sentence that refuses a set-up file.
    std::nullopt_t fail(std::string_view reason) { return failAt(m_at, reason); }
    std::nullopt_t failAt(std::size_t offset, std::string_view reason)
    {
        if (!m_error)
            m_error = ReadError{offset, std::string(reason)};
        return std::nullopt;
    }
    std::optional<std::string> failText(std::string_view reason) { return fail(reason); }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::optional<ReadError> m_error;
};

} // namespace

Value Value::of(bool value) { return {Kind::Boolean, value, {}, {}, {}}; }
Value Value::of(Number value) { return {Kind::Number, false, std::move(value.text), {}, {}}; }
Value Value::of(std::string value) { return {Kind::String, false, std::move(value), {}, {}}; }
Value Value::of(Items value) { return {Kind::Array, false, {}, std::move(value), {}}; }
Value Value::of(Members value) { return {Kind::Object, false, {}, {}, std::move(value)}; }

const Value* Value::member(std::string_view name) const
{
    if (const Members* all = members())
        for (const auto& [key, value] : *all)
            if (key == name)
                return &value;
    return nullptr;
}

std::variant<Value, ReadError> read(std::string_view text) { return Reader(text).document(); }

bool plainText(std::string_view text)
{
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = utf8Length(text, at);
        if (length == 0 || static_cast<unsigned char>(text[at]) < 0x20 || text[at] == 0x7F)
            return false;
        at += length;
    }
    return true;
}

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                constexpr char Hex[] = "0123456789abcdef";
                out += "\\u00";
                out += Hex[(c >> 4) & 0xF];
                out += Hex[c & 0xF];
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

} // namespace tarnis::json
