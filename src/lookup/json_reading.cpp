#include "json_reading.h"

#include "base/cp1252.h"
#include "base/text.h"

#include <cmath>

namespace lookup::json {

namespace {

// The deepest nesting of brackets and braces outside strings.
int depthOf(std::string_view bytes)
{
    int depth = 0, deepest = 0;
    bool inString = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > deepest)
                deepest = depth;
            if (deepest > kMaxDepth)
                return deepest;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return deepest;
}

} // namespace

Value parse(std::string_view bytes)
{
    if (bytes.size() > kMaxBytes || depthOf(bytes) > kMaxDepth)
        return Value(Value::value_t::discarded);
    try {
        return Value::parse(bytes.begin(), bytes.end(), nullptr, false);
    } catch (...) {
        // Memory, or anything else the library may still throw.
        return Value(Value::value_t::discarded);
    }
}

const Value* member(const Value* object, const char* name)
{
    if (!object || !object->is_object())
        return nullptr;
    const auto it = object->find(name);
    return it == object->end() ? nullptr : &*it;
}

const Value* array(const Value* value)
{
    return value && value->is_array() ? value : nullptr;
}

std::string text(const Value* value)
{
    if (!value || !value->is_string())
        return {};
    std::string s = cp1252::fromUtf8(value->get_ref<const std::string&>());
    for (char& c : s)
        if (static_cast<unsigned char>(c) < 32 || c == 127)
            c = ' ';
    return text::trim(s);
}

std::optional<long long> integer(const Value* value)
{
    if (!value)
        return std::nullopt;
    if (value->is_number_integer())
        return value->get<long long>();
    if (value->is_number_unsigned()) {
        const auto u = value->get<unsigned long long>();
        if (u <= static_cast<unsigned long long>(LLONG_MAX))
            return static_cast<long long>(u);
        return std::nullopt;
    }
    if (value->is_number_float()) {
        const double d = value->get<double>();
        if (std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 9.0e15)
            return static_cast<long long>(d);
    }
    return std::nullopt;
}

} // namespace lookup::json
