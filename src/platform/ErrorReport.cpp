#include "platform/ErrorReport.h"

#include <exception>

#include "platform/Platform.h"

namespace platform {

std::string ErrorReportText(const std::string& message)
{
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
        return message + ".";
    return message;
}

void ReportError(const std::string& message)
{
    Application().ShowError(ErrorReportText(message));
}

void RunHandler(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(error.what());
    }
}

} // namespace platform
