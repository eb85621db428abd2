#pragma once
#include <stdexcept>
#include <string>

// The system's error: an exception whose text is shown to the user as it stands
// by the application's error report.
class Exception : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
