#pragma once
#include "platform/BackgroundWork.h"

namespace platform {

// One thread per job; the result reaches the user-interface thread through its queue of
// calls (IUiThread), so the same code serves every platform that has one.
class ThreadedBackgroundWork : public IBackgroundWork {
public:
    std::unique_ptr<IBackgroundJob> Start(Work work) override;
};

} // namespace platform
