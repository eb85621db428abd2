#pragma once
#include "platform/Widgets.h"

namespace platform::win32 {

// Forms bound to the dialog templates of res/zephyrix.rc, and the tray icon.
class Widgets : public IWidgets {
public:
    Widgets();
    std::unique_ptr<IForm> CreateForm(const std::string& className) override;
    std::unique_ptr<ITrayIcon> CreateTrayIcon(const std::string& tip) override;
    void Terminate() override;
};

} // namespace platform::win32
