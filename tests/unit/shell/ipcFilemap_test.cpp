#include "shell/ipcFilemap.h"

#include <chrono>
#include <cstring>
#include <future>
#include <thread>

#include "HoldLockElsewhere.h"
#include "SimulatorTest.h"
#include "common/Exception.h"

namespace {

const std::string BlockName = "block";

class StringFilemappingTest : public SimulatorTest {
protected:
    // What another process sees in the block, byte for byte.
    std::string RawBlock()
    {
        auto view = sim.kernel.NewSharedMemory(BlockName, 2048).Block;
        return std::string(view->View(), 2048);
    }
    static std::future<void> HoldLockElsewhere(std::promise<void>& release)
    {
        return ::HoldLockElsewhere(BlockName, 2048, release);
    }

    // Until another thread waits for the block's lock; false after a few seconds, so
    // that a lock that never waits fails the test instead of hanging it.
    bool SomeoneWaitsForTheLock()
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (sim.kernel.WaitingFor(BlockName + "-Mutex") == 0) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            std::this_thread::yield();
        }
        return true;
    }

    TStringFilemapping block{BlockName, 2048};
};

TEST_F(StringFilemappingTest, TextWrittenByOneInstanceIsReadByAnother)
{
    TStringFilemapping other(BlockName, 2048);
    block.WriteText("C:\\My Files\\a.txt -x ");
    EXPECT_EQ(other.ReadText(), "C:\\My Files\\a.txt -x ");
    EXPECT_EQ(other.ReadText(), "C:\\My Files\\a.txt -x ") << "reading leaves the text";
    other.WriteText("b");
    EXPECT_EQ(RawBlock(), "b" + std::string(2047, '\0')) << "a shorter text replaces the whole block";
}

TEST_F(StringFilemappingTest, TextsUpToTheBlockArriveWholeLongerOnesAreCutToIt)
{
    block.WriteText(std::string(2047, 'a'));
    EXPECT_EQ(block.ReadText(), std::string(2047, 'a'));
    EXPECT_EQ(RawBlock().back(), '\0');

    // A text that fills the block has no room for an ending zero, and needs none.
    block.WriteText(std::string(2048, 'b'));
    EXPECT_EQ(block.ReadText(), std::string(2048, 'b'));
    EXPECT_EQ(RawBlock(), std::string(2048, 'b'));

    block.WriteText(std::string(2049, 'c'));
    EXPECT_EQ(block.ReadText(), std::string(2048, 'c'));

    block.WriteText(std::string(100000, 'd'));
    EXPECT_EQ(block.TakeText(), std::string(2048, 'd'));
    EXPECT_EQ(RawBlock(), std::string(2048, '\0'));
}

TEST_F(StringFilemappingTest, UnterminatedBlockFromAnotherProgramIsReadUpToItsEnd)
{
    auto raw = sim.kernel.NewSharedMemory(BlockName, 2048).Block;
    std::memset(raw->View(), 'z', 2048);
    EXPECT_EQ(block.ReadText(), std::string(2048, 'z'));
    EXPECT_EQ(block.TakeText(), std::string(2048, 'z'));
    EXPECT_EQ(RawBlock(), std::string(2048, '\0'));
}

TEST_F(StringFilemappingTest, LongTextIsCutAtAWholeCharacter)
{
    const std::string japanese = "\xE6\x97\xA5"; // three bytes
    // 2046 bytes, then a character that would need bytes 2046 to 2048: the block keeps 2046.
    block.WriteText(std::string(2046, 'a') + japanese + "tail");
    EXPECT_EQ(block.ReadText(), std::string(2046, 'a'));
    EXPECT_EQ(RawBlock(), std::string(2046, 'a') + std::string(2, '\0'));

    // One that ends exactly at the last byte is kept.
    block.WriteText(std::string(2045, 'a') + japanese + "tail");
    EXPECT_EQ(block.ReadText(), std::string(2045, 'a') + japanese);

    const std::string emoji = "\xF0\x9F\x98\x80"; // four bytes
    std::string many;
    while (many.size() < 3000)
        many += emoji;
    block.WriteText(many);
    EXPECT_EQ(block.ReadText(), many.substr(0, 2048)) << "512 whole characters";
    block.WriteText("x" + many);
    EXPECT_EQ(block.ReadText(), "x" + many.substr(0, 2044)) << "1 + 511 whole characters";
}

TEST_F(StringFilemappingTest, UnicodeArgumentTextArrivesWhole)
{
    const std::string text = "C:\\Users\\\xCE\x9D\xCE\xAF\xCE\xBA\xCE\xB7\\Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC.txt ";
    TStringFilemapping other(BlockName, 2048);
    block.WriteText(text);
    EXPECT_EQ(other.TakeText(), text);
}

TEST_F(StringFilemappingTest, FullBlockCutInsideACharacterByAnotherWriterLosesOnlyThatCharacter)
{
    auto raw = sim.kernel.NewSharedMemory(BlockName, 2048).Block;
    std::memset(raw->View(), 'z', 2048);
    std::memcpy(raw->View() + 2046, "\xE6\x97", 2); // the first two bytes of a three-byte character
    EXPECT_EQ(block.ReadText(), std::string(2046, 'z'));
}

TEST_F(StringFilemappingTest, TakenTextIsGoneAndOnlyAFreeBlockIsWritten)
{
    TStringFilemapping sender(BlockName, 2048);
    EXPECT_TRUE(sender.WriteTextIfFree("first"));
    EXPECT_FALSE(sender.WriteTextIfFree("second")) << "must not replace a text nobody took";
    EXPECT_EQ(block.TakeText(), "first");
    EXPECT_EQ(block.TakeText(), "");
    EXPECT_TRUE(sender.WriteTextIfFree("second"));
    EXPECT_EQ(block.ReadText(), "second");
}

TEST_F(StringFilemappingTest, LockHeldTooLongRaisesAndLeavesTheBlockAlone)
{
    block.WriteText("kept");
    std::promise<void> release;
    auto holding = HoldLockElsewhere(release);

    auto writing = std::async(std::launch::async, [this] { block.WriteText("lost"); });
    ASSERT_TRUE(SomeoneWaitsForTheLock()) << "the writer did not wait for the lock";
    sim.kernel.AdvanceTime(10000);
    try {
        writing.get();
        ADD_FAILURE() << "expected an error";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Unable to acquire lock!");
    }
    release.set_value();
    holding.get();
    EXPECT_EQ(block.ReadText(), "kept");
    block.WriteText("after"); // the failed write did not keep the lock
    EXPECT_EQ(block.ReadText(), "after");
}

TEST_F(StringFilemappingTest, WriterWaitsForTheLockAndThenWrites)
{
    std::promise<void> release;
    auto holding = HoldLockElsewhere(release);
    auto writing = std::async(std::launch::async, [this] { block.WriteText("late"); });
    ASSERT_TRUE(SomeoneWaitsForTheLock()) << "the writer did not wait for the lock";
    release.set_value();
    holding.get();
    writing.get();
    EXPECT_EQ(block.ReadText(), "late");
}

TEST_F(StringFilemappingTest, LockAbandonedByAnEndedInstanceCountsAsObtained)
{
    std::async(std::launch::async, [] {
        TFileMapping dying(BlockName, 2048);
        dying.Lock(); // never unlocked: the instance ends holding it
    }).get();
    block.WriteText("still works");
    EXPECT_EQ(block.ReadText(), "still works");
}

TEST_F(StringFilemappingTest, BlockThatCannotBeHadRaisesTheSystemsTexts)
{
    const auto raised = [](const std::string& name, std::size_t size) {
        try {
            TStringFilemapping failing(name, size);
        } catch (const Exception& error) {
            return std::string(error.what());
        }
        return std::string("<no error>");
    };
    sim.kernel.FailNextSharedMemory = platform::SharedMemoryFailure::Create;
    EXPECT_EQ(raised("other", 2048), "Unable to create file mapping.");
    sim.kernel.FailNextSharedMemory = platform::SharedMemoryFailure::Open;
    EXPECT_EQ(raised("other", 2048), "Unable to open file mapping.");
    sim.kernel.FailNextSharedMemory = platform::SharedMemoryFailure::Map;
    EXPECT_EQ(raised("other", 2048), "Unable to open file mapping.");
    // The block is had, its lock is not: the system's own text.
    sim.kernel.FailNextMutex = true;
    EXPECT_EQ(raised("other", 2048), "The system cannot create the mutex other-Mutex.");
    EXPECT_EQ(raised("other", 2048), "<no error>");
}

TEST_F(StringFilemappingTest, ExistingBlockIsUsedOnlyWhenItsPagesHoldTheWholeSize)
{
    const auto opens = [](std::size_t existing, std::size_t wanted) {
        const std::string name = "sized" + std::to_string(existing) + "-" + std::to_string(wanted);
        auto first = platform::KernelObjects().NewSharedMemory(name, existing);
        try {
            TStringFilemapping second(name, wanted);
            return true;
        } catch (const Exception& error) {
            EXPECT_STREQ(error.what(), "Unable to open file mapping.");
            return false;
        }
    };
    // Windows maps whole pages: a 2048-byte block reaches 4096 bytes, and a program asking
    // for any size up to that can use it.
    EXPECT_TRUE(opens(2048, 2048));
    EXPECT_TRUE(opens(2048, 4096));
    EXPECT_FALSE(opens(2048, 4097)) << "one byte too small";
    EXPECT_FALSE(opens(100, 8192));
}

} // namespace
