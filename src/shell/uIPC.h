#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/KernelObjects.h"
#include "platform/UiThread.h"
#include "shell/ipcFilemap.h"

// The named objects through which instances on one desktop talk.
struct TIpcNames {
    std::string Block = "zephyrix-ipc{7BC60192-14C5-4E1C-92C2-323B2B9008CD}";
    std::string Event = "zephyrix-event{37D9B009-4ED3-4A8A-98DD-20847885273F}";
};
inline constexpr std::size_t IpcBlockSize = 2048;

// The listener thread: waits for the new-text event, takes the text on its own thread
// (the block's lock may be held by anyone for up to its time-out) and has the
// user-interface thread run the delivery of that string, blocking until it has run.
class TIpcManager {
public:
    static constexpr std::uint32_t WaitSlice = 10000;
    using TakeText = std::function<std::string()>;
    using Deliver = std::function<void(const std::string& text)>;
    // Given back a text whose delivery was withdrawn by a stop.
    using GiveBack = std::function<void(const std::string& text)>;

    TIpcManager(platform::IKernelEvent& newText, TakeText take, Deliver deliver, GiveBack giveBack);
    ~TIpcManager(); // stops the thread
    TIpcManager(const TIpcManager&) = delete;
    TIpcManager& operator=(const TIpcManager&) = delete;

    // Ends the thread without waiting out its slice; also safe on the user-interface
    // thread while a delivery is queued there.
    void Stop();
    // The thread has ended, by a stop or because its waits failed.
    bool Ended() const { return ended_; }

private:
    void Execute(std::stop_token stop);
    void Receive(std::stop_token stop);

    platform::IKernelEvent& newText_;
    TakeText take_;
    Deliver deliver_;
    GiveBack giveBack_;
    std::atomic<bool> ended_ = false;
    platform::IKernelObjects& kernel_;
    platform::IUiThread& uiThread_;
    std::unique_ptr<platform::IKernelEvent> stopEvent_;
    std::jthread thread_; // last: starts once everything it uses exists
};

// One instance's end of the messaging: the shared text block, the new-text event and,
// in the instance that shows the texts, the listener.
class TInstanceMessaging {
public:
    using TextReceiver = std::function<void(const std::string& text)>;

    explicit TInstanceMessaging(const TIpcNames& names = {});
    ~TInstanceMessaging();
    TInstanceMessaging(const TInstanceMessaging&) = delete;
    TInstanceMessaging& operator=(const TInstanceMessaging&) = delete;

    // Sends the text built from the arguments (see CommandLineText); true when there
    // was at least one argument, false (nothing sent) otherwise.
    bool SendCommandLine(const std::vector<std::string>& arguments);
    // Asks the running instance to bring its window forward: only the signal. It
    // writes nothing, so a text still waiting in the block is never replaced; the
    // running instance takes whatever the block holds, the empty text included.
    void SendWakeUp();
    // On the user-interface thread: takes the text out of the block and hands it to the
    // receiver. Without a receiver it leaves the text for the instance that has one.
    void DeliverText();

    // Installs the receiver (the main window's ShowFromMessage) and starts the listener.
    void StartListening(TextReceiver receiver);
    // Stops the listener promptly; then removes the receiver.
    void StopListening();
    bool Listening() const { return IpcListener != nullptr; }

    TStringFilemapping IpcBlock;
    std::unique_ptr<platform::IKernelEvent> IpcEvent;
    std::unique_ptr<TIpcManager> IpcListener;

private:
    void Send(const std::string& text);

    TextReceiver receiver_;
};

// The arguments, each followed by one blank: "a.txt b.txt ".
std::string CommandLineText(const std::vector<std::string>& arguments);

// The process's own messaging objects, from module initialisation to module shutdown.
void InitializeIpc();
void FinalizeIpc();
TInstanceMessaging& Ipc();

bool SendCommandLine(const std::vector<std::string>& arguments);
void SendWakeUp();
void DeliverText();
