#include "shell/SingleInstance.h"

#include "platform/Platform.h"
#include "shell/uIPC.h"

bool TInstanceLock::CheckSingleInstance(const std::string& name)
{
    // Another user's squatter raises EForeignObject: reported, and no text goes its way.
    auto made = platform::KernelObjects().NewMutex(name, true);
    // A lock that cannot be had counts as another instance.
    if (made.How != platform::MutexResult::Outcome::Created)
        return false;
    lock_ = std::move(made.Mutex);
    return true;
}

void ForwardToRunningInstance(TInstanceMessaging& messaging, const std::vector<std::string>& arguments)
{
    if (!messaging.SendCommandLine(arguments))
        messaging.SendWakeUp();
}
