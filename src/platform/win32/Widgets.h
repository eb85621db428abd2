#pragma once
#include "platform/Widgets.h"

namespace platform::win32 {

// Forms on Windows are bound to the dialog templates of res/zephyrix.rc. Until
// the Win32 controls are written, asking for a form is an error, never a
// silently invisible form.
class Widgets : public IWidgets {
public:
    std::unique_ptr<IForm> CreateForm(const std::string& className) override;
};

} // namespace platform::win32
