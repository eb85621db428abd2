#pragma once
#include <functional>
#include <string>

namespace platform {

// The text the error report shows for a message: a "." is appended when the last
// character comes after "." in character order.
std::string ErrorReportText(const std::string& message);

// Shows the message through the application's error report.
void ReportError(const std::string& message);

// Runs an event handler at the boundary between the platform and the logic: an
// exception that leaves it is reported and goes no further, so the loop goes on.
void RunHandler(const std::function<void()>& handler);

} // namespace platform
