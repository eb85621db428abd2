#include "shell/SingleInstance.h"

#include "platform/Platform.h"
#include "shell/uIPC.h"

bool TInstanceLock::CheckSingleInstance(const std::string& name)
{
    // Another account's squatter is reported, and no text goes its way: taking it for a
    // running instance would end every start silently.
    platform::MutexResult made;
    try {
        made = platform::KernelObjects().NewMutex(name, true);
    } catch (const platform::EForeignObject& error) {
        throw platform::EForeignObject(std::string("Zephyrix cannot start: another account on this computer holds "
                                                   "the program's lock. ") +
                                       error.what());
    }
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
