#include "shell/SingleInstance.h"

#include "common/Exception.h"
#include "platform/Platform.h"
#include "shell/uIPC.h"

bool TInstanceLock::CheckSingleInstance(const std::string& name)
{
    bool existed = false;
    try {
        lock_ = platform::KernelObjects().NewMutex(name, true, existed);
    } catch (const platform::EForeignObject&) {
        throw; // another user's squatter: reported, and no text goes its way
    } catch (const Exception&) {
        existed = true; // a lock that cannot be had counts as another instance
    }
    if (existed)
        lock_.reset();
    return !existed;
}

void ForwardToRunningInstance(TInstanceMessaging& messaging, const std::vector<std::string>& arguments)
{
    if (!messaging.SendCommandLine(arguments))
        messaging.SendWakeUp();
}
