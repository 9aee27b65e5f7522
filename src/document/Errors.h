// The project's failures: one base class carrying the message the author sees.
#pragma once

#include <stdexcept>
#include <string>

namespace dravenloom {

// Base of every failure the program reports; what() is the author-facing message.
class DravenloomError : public std::runtime_error {
public:
    explicit DravenloomError(const std::string& message) : std::runtime_error(message) {}
};

// A text that should be a number is not one.
class ConversionError : public DravenloomError {
public:
    using DravenloomError::DravenloomError;
};

// An index outside a list (for example the last line of an empty record list).
class IndexError : public DravenloomError {
public:
    using DravenloomError::DravenloomError;
};

// A file that cannot be read or written.
class FileError : public DravenloomError {
public:
    using DravenloomError::DravenloomError;
};

// A file that was read but cannot be a guide.
class GuideFormatError : public DravenloomError {
public:
    using DravenloomError::DravenloomError;
};

// Silent cancellation of an operation: the error report shows nothing for it.
class AbortError : public DravenloomError {
public:
    AbortError() : DravenloomError("Operation aborted") {}
};

// The text the application's error report shows: the message with a full stop added when it
// has none.
std::string ErrorReportText(const std::string& message);

} // namespace dravenloom
