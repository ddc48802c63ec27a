// A small, strict reader and writer of JSON text (RFC 8259) for the files Tarnis exchanges with people
// and other programs: a set-up a teacher saves and a student opens. Strict, because such a file comes
// from anywhere: anything that is not JSON is refused with where and why, never half read; nesting and
// size are bounded, so a hostile file costs no more than a small one.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tarnis::json {

struct Value;
struct Member;
using Items = std::vector<Value>;
using Members = std::vector<Member>; // in the order of the text

// A number keeps its text: the reader checks its form, and the model's conversions read it, so that
// a value means the same in every front end.
struct Number {
    std::string text;
};

// One value; its kind says which of the parts below holds it. (Not a variant: a variant of containers
// of its own type is more than every standard library takes.)
struct Value {
    enum class Kind { Null, Boolean, Number, String, Array, Object };
    Kind kind = Kind::Null;
    bool flag = false;
    std::string text; // a string's characters, a number's digits
    Items elements;
    Members fields;

    static Value of(bool value);
    static Value of(Number value);
    static Value of(std::string value);
    static Value of(Items value);
    static Value of(Members value);

    const std::string* string() const { return kind == Kind::String ? &text : nullptr; }
    std::optional<Number> number() const { return kind == Kind::Number ? std::optional(Number{text}) : std::nullopt; }
    const bool* boolean() const { return kind == Kind::Boolean ? &flag : nullptr; }
    const Items* items() const { return kind == Kind::Array ? &elements : nullptr; }
    const Members* members() const { return kind == Kind::Object ? &fields : nullptr; }
    // The value of the first member called `name` of an object; none for another value.
    const Value* member(std::string_view name) const;
};

struct Member {
    std::string name;
    Value value;
};

inline constexpr std::size_t MostBytes = 1 << 20;
inline constexpr int MostDepth = 32;

struct ReadError {
    std::size_t offset; // bytes from the start where the text stops being JSON
    std::string reason; // "a string is not closed"
};

// The value of the whole text (blanks around it allowed), or why it is none. Strings must be UTF-8;
// "\u" escapes become UTF-8, a lone surrogate is refused. A member name that repeats is refused.
std::variant<Value, ReadError> read(std::string_view text);

// Whether a text is well-formed UTF-8 without control characters: what a set-up's values and names
// must be to be shown, written to a file and read back.
bool plainText(std::string_view text);

// A string as JSON writes it, quotes included: the characters JSON escapes, escaped; others as they are.
std::string quoted(std::string_view text);

} // namespace tarnis::json
