#pragma once
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Icons.h"

namespace platform::headless {

// Icons as data: a test gives each file, module icon, app or window an icon id, and
// the lookups run when the test says, on the test's own thread, so that order, repaint
// and lifetime are exact. The questions asked between two Turn calls make one batch.
class Icons : public IIcons {
public:
    Icons();
    ~Icons() override;
    Icons(const Icons&) = delete;
    Icons& operator=(const Icons&) = delete;

    std::unique_ptr<IIconLookups> StartLookups(Answered answered) override;

    // The icon the shell shows for the source; every call makes the source a changed one.
    void SetIcon(const IconSource& source, IconId icon);
    // The message loop turns: what was asked since the last turn becomes one batch.
    void Turn();
    // Turns, then answers up to limit waiting questions, newest batch first; returns how many.
    int AnswerPending(std::size_t limit = static_cast<std::size_t>(-1));
    std::size_t Waiting() const;
    // Lookups not yet abandoned.
    std::size_t Live() const;

    // Every source whose icon was looked up (not answered as unchanged), in order.
    std::vector<IconSource> LookedUp;

private:
    class Lookups;
    struct Known {
        IconId Icon = GenericIcon;
        std::uint64_t Stamp = 0;
    };
    static std::string KeyOf(const IconSource& source);
    IconAnswer Answer(const IconRequest& request);

    std::map<std::string, Known> known_;
    std::uint64_t nextStamp_ = 1;
    std::shared_ptr<std::vector<Lookups*>> live_;
};

} // namespace platform::headless
