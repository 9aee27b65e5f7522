// The text of the application's error report.
#include "document/Errors.h"

namespace dravenloom {

std::string ErrorReportText(const std::string& message) {
    if (message.empty() || message.back() == '.')
        return message;
    return message + ".";
}

} // namespace dravenloom
