#include "config/SignInStart.h"

#include "SimulatorTest.h"
#include "common/Exception.h"

namespace {

using platform::headless::RegValue;

class SignInStartTest : public SimulatorTest {
protected:
    const RegValue* Entry() { return sim.registry.FindValue(SignInStart::RunKey, "Zephyrix"); }
};

TEST_F(SignInStartTest, TheRunEntryIsTheStateAndHoldsTheQuotedProgramPath)
{
    sim.modules.ProgramFilePath = "C:\\My Tools\\Zephyrix\\zephyrix.exe";
    EXPECT_FALSE(SignInStart::IsOn()) << "a fresh profile has no Run key";

    SignInStart::Set(true);
    ASSERT_NE(Entry(), nullptr);
    EXPECT_EQ(Entry()->Text, "\"C:\\My Tools\\Zephyrix\\zephyrix.exe\"");
    EXPECT_TRUE(SignInStart::IsOn());

    // Another program's entry stays; an entry of a copy that was moved counts as on and
    // is pointed at this copy when switched on again.
    sim.registry.SetValue(SignInStart::RunKey, "Other", RegValue::Sz("C:\\other.exe"));
    sim.registry.SetValue(SignInStart::RunKey, "Zephyrix", RegValue::Sz("\"D:\\old\\zephyrix.exe\""));
    EXPECT_TRUE(SignInStart::IsOn());
    SignInStart::Set(true);
    EXPECT_EQ(Entry()->Text, "\"C:\\My Tools\\Zephyrix\\zephyrix.exe\"");

    SignInStart::Set(false);
    EXPECT_EQ(Entry(), nullptr);
    EXPECT_FALSE(SignInStart::IsOn());
    EXPECT_NE(sim.registry.FindValue(SignInStart::RunKey, "Other"), nullptr);
    EXPECT_NO_THROW(SignInStart::Set(false)) << "off again is no error";
}

TEST_F(SignInStartTest, ARefusedWriteRaisesTheRegistrysErrorAndChangesNothing)
{
    sim.registry.FailWritesTo("Zephyrix");
    EXPECT_THROW(SignInStart::Set(true), Exception);
    EXPECT_FALSE(SignInStart::IsOn());

    sim.registry.DenyKey(SignInStart::RunKey);
    EXPECT_THROW(SignInStart::Set(true), Exception);
}

} // namespace
