#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Reading the answers of the JSON sources: whatever a member holds, a reader gets a value or
// nothing, never an exception.
namespace lookup::json {

using Value = nlohmann::json;

// The cap of one JSON answer, far below the pages' 64 MiB.
inline constexpr std::size_t kMaxBytes = 4u << 20;
// No answer of these sources nests deeper; a deeper one is refused before it is built.
inline constexpr int kMaxDepth = 64;

// The document; a discarded value (is_discarded()) for anything that is not JSON, is larger
// than kMaxBytes or nests deeper than kMaxDepth.
Value parse(std::string_view bytes);

// The member of an object, or nullptr (no object, no such member).
const Value* member(const Value* object, const char* name);
// The elements of an array, or nullptr.
const Value* array(const Value* value);
// A string as Windows-1252 ("?" for what it cannot hold), control characters as blanks,
// trimmed; "" for anything else.
std::string text(const Value* value);
// An integer (a whole number written as a float counts too); nullopt for anything else.
std::optional<long long> integer(const Value* value);

} // namespace lookup::json
