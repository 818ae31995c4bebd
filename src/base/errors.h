#pragma once

#include <stdexcept>
#include <string>

// An error whose text is meant for the user: Windows-1252, shown as it is by the general
// error report.
class UserError : public std::runtime_error
{
public:
    explicit UserError(const std::string& text) : std::runtime_error(text) {}
};

// A date, number or integer text that does not convert; the text is the run-time library's.
class ConversionError : public UserError
{
public:
    using UserError::UserError;
};
