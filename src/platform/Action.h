#pragma once
#include <string>

#include "platform/Widgets.h"

namespace platform {

// A command that buttons and menu items share: one caption, one handler.
class TAction {
public:
    TAction(std::string caption, Event onExecute) : Caption(std::move(caption)), OnExecute(std::move(onExecute)) {}

    void Execute() const { Fire(OnExecute); }

    std::string Caption;
    Event OnExecute;
};

} // namespace platform
