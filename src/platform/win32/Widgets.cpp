#include "platform/win32/Widgets.h"

#include "common/Exception.h"

namespace platform::win32 {

std::unique_ptr<IForm> Widgets::CreateForm(const std::string& className)
{
    throw Exception("The window " + className + " cannot be shown in this build");
}

} // namespace platform::win32
