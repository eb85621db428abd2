#pragma once
#include <gtest/gtest.h>

#include <future>
#include <random>
#include <string>

#include "BackendNames.h"
#include "platform/Platform.h"

// The kernel objects' contract, where instance messaging relies on them: names shared
// until the last handle closes, events that reset as asked, a mutex that excludes other
// threads and tells an abandoned one. A backend installs its platform when made.
namespace contract {

template <class Backend>
class KernelObjectsContract : public ::testing::Test {
protected:
    // Names of this process alone: other test programs may run beside it.
    static std::string Name(const std::string& what)
    {
        static const std::string run = std::to_string(std::random_device{}());
        return "zx-contract-" + what + "-" + run;
    }
    static std::unique_ptr<platform::IKernelMutex> Mutex(const std::string& what, bool* existed = nullptr)
    {
        auto made = platform::KernelObjects().NewMutex(Name(what), false);
        if (existed != nullptr)
            *existed = made.How == platform::MutexResult::Outcome::Existed;
        return std::move(made.Mutex);
    }
    static std::unique_ptr<platform::IKernelEvent> Event(const std::string& what, bool manualReset)
    {
        return platform::KernelObjects().NewEvent(what.empty() ? what : Name(what), manualReset, false);
    }
    static platform::EventWaitResult WaitFor(platform::IKernelEvent& event)
    {
        platform::IKernelEvent* const events[] = {&event};
        return platform::KernelObjects().WaitForAny(events, 0);
    }
    // Runs on a thread of its own that then ends, as another process's would.
    template <class Work>
    static auto Elsewhere(Work work)
    {
        return std::async(std::launch::async, work).get();
    }

    Backend backend;
};

TYPED_TEST_SUITE_P(KernelObjectsContract);

TYPED_TEST_P(KernelObjectsContract, NamedObjectsAreSharedByNameUntilTheLastCloses)
{
    auto& kernel = platform::KernelObjects();
    bool existed = true;
    auto first = this->Mutex("m", &existed);
    ASSERT_TRUE(first);
    EXPECT_FALSE(existed);
    auto second = this->Mutex("m", &existed);
    EXPECT_TRUE(existed);

    auto block = kernel.NewSharedMemory(this->Name("b"), 16).Block;
    ASSERT_TRUE(block);
    EXPECT_GE(block->Size(), 16u);
    block->View()[3] = 'x';
    EXPECT_EQ(kernel.NewSharedMemory(this->Name("b"), 16).Block->View()[3], 'x');
    block.reset();
    EXPECT_EQ(kernel.NewSharedMemory(this->Name("b"), 16).Block->View()[3], '\0') << "a new block starts empty";

    first.reset();
    second.reset();
    this->Mutex("m", &existed);
    EXPECT_FALSE(existed) << "the last close ended the mutex";
}

TYPED_TEST_P(KernelObjectsContract, EventsResetAsAskedAndUnnamedOnesAreNotShared)
{
    using Wait = platform::EventWaitResult;
    auto event = this->Event("e", false);
    auto sameEvent = this->Event("e", false);
    EXPECT_EQ(this->WaitFor(*event), Wait::TimedOut());
    sameEvent->Set();
    sameEvent->Set(); // two signals with nobody waiting count as one
    EXPECT_EQ(this->WaitFor(*event), Wait::Taken(0));
    EXPECT_EQ(this->WaitFor(*event), Wait::TimedOut());

    auto stop = this->Event("", true);
    auto other = this->Event("", true);
    stop->Set();
    EXPECT_EQ(this->WaitFor(*other), Wait::TimedOut()) << "unnamed events are not shared";
    EXPECT_EQ(this->WaitFor(*stop), Wait::Taken(0));
    EXPECT_EQ(this->WaitFor(*stop), Wait::Taken(0)) << "a manual-reset event stays set";

    platform::IKernelEvent* const both[] = {event.get(), stop.get()};
    EXPECT_EQ(platform::KernelObjects().WaitForAny(both, 0), Wait::Taken(1));
}

TYPED_TEST_P(KernelObjectsContract, MutexExcludesOtherThreadsIsReentrantAndTellsAnAbandonedOne)
{
    using platform::WaitResult;
    auto mutex = this->Mutex("m");
    const auto takenElsewhere = [this] {
        return this->Elsewhere([this] {
            auto other = this->Mutex("m");
            const WaitResult result = other->Wait(0);
            if (result == WaitResult::Obtained || result == WaitResult::Abandoned)
                other->Release();
            return result;
        });
    };
    ASSERT_EQ(mutex->Wait(0), WaitResult::Obtained);
    ASSERT_EQ(mutex->Wait(0), WaitResult::Obtained);
    EXPECT_EQ(takenElsewhere(), WaitResult::TimedOut);
    mutex->Release();
    EXPECT_EQ(takenElsewhere(), WaitResult::TimedOut) << "taken twice";
    mutex->Release();
    EXPECT_EQ(takenElsewhere(), WaitResult::Obtained);

    // An owner that ends without releasing, as a process that crashes.
    this->Elsewhere([this] {
        auto dying = this->Mutex("m");
        dying->Wait(0);
        return 0;
    });
    EXPECT_EQ(mutex->Wait(0), WaitResult::Abandoned);
    mutex->Release();
    EXPECT_EQ(mutex->Wait(0), WaitResult::Obtained);
    mutex->Release();
}

REGISTER_TYPED_TEST_SUITE_P(KernelObjectsContract, NamedObjectsAreSharedByNameUntilTheLastCloses,
                            EventsResetAsAskedAndUnnamedOnesAreNotShared,
                            MutexExcludesOtherThreadsIsReentrantAndTellsAnAbandonedOne);

} // namespace contract
