#include "shell/uIPC.h"

#include <stdexcept>

#include "platform/Platform.h"

namespace {

// How often a sender looks whether the previous text has been taken.
constexpr std::uint32_t FreeBlockPollMs = 10;

std::unique_ptr<TInstanceMessaging>& ProcessMessaging()
{
    static std::unique_ptr<TInstanceMessaging> messaging;
    return messaging;
}

} // namespace

TIpcManager::TIpcManager(platform::IKernelEvent& newText, TakeText take, Deliver deliver, GiveBack giveBack)
    : newText_(newText), take_(std::move(take)), deliver_(std::move(deliver)), giveBack_(std::move(giveBack)),
      kernel_(platform::KernelObjects()),
      uiThread_(platform::UiThread()), stopEvent_(kernel_.NewEvent("", true, false)),
      thread_([this](std::stop_token stop) { Execute(stop); })
{
}

TIpcManager::~TIpcManager()
{
    Stop();
}

void TIpcManager::Stop()
{
    // The stop request also withdraws a delivery still queued for the user-interface
    // thread, which may be this very thread, waiting here instead of running it.
    thread_.request_stop();
    stopEvent_->Set();
    if (thread_.joinable())
        thread_.join();
}

void TIpcManager::Execute(std::stop_token stop)
{
    // The private stop event wakes the wait at once; the shared event must not be used
    // for that, as its signal could be taken by another instance's listener.
    platform::IKernelEvent* const events[] = {&newText_, stopEvent_.get()};
    while (!stop.stop_requested()) {
        const auto signalled = kernel_.WaitForAny(events, WaitSlice);
        if (signalled == platform::EventWaitResult::Taken(0)) {
            Receive(stop);
        } else if (signalled.How == platform::EventWaitResult::Outcome::Failed) {
            break; // the events are unusable; looping on them would only spin
        }
    }
    ended_ = true;
}

void TIpcManager::Receive(std::stop_token stop)
{
    // Failures (the lock not had in time, the receiver failing) must not end the
    // listening: later texts still have to arrive.
    std::string text;
    try {
        text = take_();
    } catch (...) {
        return;
    }
    bool delivered = false;
    try {
        delivered = uiThread_.RunAndWait([this, &text] { deliver_(text); }, stop);
    } catch (...) {
        return;
    }
    if (!delivered && !text.empty()) {
        try {
            giveBack_(text); // for the next instance to start
        } catch (...) {
        }
    }
}

TInstanceMessaging::TInstanceMessaging(const TIpcNames& names)
    : IpcBlock(names.Block, IpcBlockSize), IpcEvent(platform::KernelObjects().NewEvent(names.Event, false, false))
{
}

TInstanceMessaging::~TInstanceMessaging()
{
    StopListening();
}

bool TInstanceMessaging::SendCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.empty())
        return false;
    Send(CommandLineText(arguments));
    return true;
}

void TInstanceMessaging::SendWakeUp()
{
    IpcEvent->Set();
}

void TInstanceMessaging::Send(const std::string& text)
{
    // The block holds one text: writing over one not yet taken would lose it. So wait
    // for the receiver to take it, up to the lock's time-out; after that nobody is taking
    // texts, and the old one is replaced as it always was.
    auto& kernel = platform::KernelObjects();
    const std::uint64_t started = kernel.TickCount();
    bool nudged = false;
    while (!IpcBlock.WriteTextIfFree(text)) {
        if (!nudged) {
            // The waiting text's signal may have gone to a listener that could not
            // deliver it. One more signal costs at most an empty text, which only
            // brings the window forward, as this text will anyway.
            IpcEvent->Set();
            nudged = true;
        }
        if (kernel.TickCount() - started >= IpcBlock.LockTimeout) {
            IpcBlock.WriteText(text);
            break;
        }
        kernel.Sleep(FreeBlockPollMs);
    }
    IpcEvent->Set();
}

void TInstanceMessaging::DeliverText()
{
    if (!receiver_)
        return;
    receiver_(IpcBlock.TakeText());
}

void TInstanceMessaging::StartListening(TextReceiver receiver)
{
    receiver_ = std::move(receiver);
    if (!IpcListener)
        IpcListener = std::make_unique<TIpcManager>(
            *IpcEvent, [this] { return IpcBlock.TakeText(); },
            [this](const std::string& text) {
                if (receiver_)
                    receiver_(text);
            },
            [this](const std::string& text) { IpcBlock.WriteTextIfFree(text); });
}

void TInstanceMessaging::StopListening()
{
    IpcListener.reset();
    receiver_ = nullptr;
}

std::string CommandLineText(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const std::string& argument : arguments) {
        text += argument;
        text += ' ';
    }
    return text;
}

void InitializeIpc()
{
    if (ProcessMessaging())
        return;
    try {
        ProcessMessaging() = std::make_unique<TInstanceMessaging>();
    } catch (const platform::EForeignObject& error) {
        throw platform::EForeignObject(std::string("Zephyrix cannot start: another account on this computer holds "
                                                   "the program's messaging objects. ") +
                                       error.what());
    }
}

void FinalizeIpc()
{
    ProcessMessaging().reset();
}

TInstanceMessaging& Ipc()
{
    if (!ProcessMessaging())
        throw std::logic_error("instance messaging not initialised");
    return *ProcessMessaging();
}

bool SendCommandLine(const std::vector<std::string>& arguments)
{
    return Ipc().SendCommandLine(arguments);
}

void SendWakeUp()
{
    Ipc().SendWakeUp();
}

void DeliverText()
{
    Ipc().DeliverText();
}
