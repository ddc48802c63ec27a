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
#include <utility>
#include <variant>
#include <vector>

namespace tarnis::json {

struct Value;
using Members = std::vector<std::pair<std::string, Value>>; // in the order of the text
using Items = std::vector<Value>;

// A number keeps its text: the reader checks its form, and the model's conversions read it, so that
// a value means the same in every front end.
struct Number {
    std::string text;
};

struct Value {
    std::variant<std::nullptr_t, bool, Number, std::string, Items, Members> content;

    const std::string* string() const { return std::get_if<std::string>(&content); }
    const Number* number() const { return std::get_if<Number>(&content); }
    const bool* boolean() const { return std::get_if<bool>(&content); }
    const Items* items() const { return std::get_if<Items>(&content); }
    const Members* members() const { return std::get_if<Members>(&content); }
    // The value of the first member called `name` of an object; none for another value.
    const Value* member(std::string_view name) const;
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

// A string as JSON writes it, quotes included: the characters JSON escapes, escaped; others as they are.
std::string quoted(std::string_view text);

} // namespace tarnis::json
