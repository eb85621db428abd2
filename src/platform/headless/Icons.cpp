#include "platform/headless/Icons.h"

#include <algorithm>

#include "platform/IconQueue.h"
#include "platform/headless/CaseInsensitive.h"

namespace platform::headless {

class Icons::Lookups : public IIconLookups {
public:
    Lookups(Icons& owner, Answered answered) : owner_(owner), live_(owner.live_), answered_(std::move(answered))
    {
        live_->push_back(this);
    }
    // The list of the living is shared: a platform freed first leaves it behind.
    ~Lookups() override { std::erase(*live_, this); }
    Lookups(const Lookups&) = delete;
    Lookups& operator=(const Lookups&) = delete;

    void Ask(IconRequest request) override { asked_.push_back(std::move(request)); }

    void Turn()
    {
        if (!asked_.empty())
            queue_.PutFirst(std::move(asked_));
        asked_.clear();
    }
    bool Waiting() const { return !queue_.Empty(); }
    // Answers one question; the answer may destroy this object.
    void AnswerOne()
    {
        const IconAnswer answer = owner_.Answer(*queue_.Take());
        const Answered answered = answered_;
        answered(answer);
    }
    std::size_t QueuedCount() const
    {
        IconQueue copy = queue_;
        std::size_t count = asked_.size();
        while (copy.Take())
            ++count;
        return count;
    }

private:
    Icons& owner_;
    std::shared_ptr<std::vector<Lookups*>> live_;
    Answered answered_;
    std::vector<IconRequest> asked_;
    IconQueue queue_;
};

Icons::Icons() : live_(std::make_shared<std::vector<Lookups*>>()) {}

Icons::~Icons() = default;

std::unique_ptr<IIconLookups> Icons::StartLookups(Answered answered)
{
    return std::make_unique<Lookups>(*this, std::move(answered));
}

std::string Icons::KeyOf(const IconSource& source)
{
    return std::to_string(static_cast<int>(source.Of)) + '|' + FoldCase(source.Path) + '|'
        + std::to_string(source.Resource) + '|' + std::to_string(source.Window);
}

void Icons::SetIcon(const IconSource& source, IconId icon)
{
    known_[KeyOf(source)] = {icon, nextStamp_++};
}

void Icons::Turn()
{
    for (Lookups* lookups : *live_)
        lookups->Turn();
}

int Icons::AnswerPending(std::size_t limit)
{
    Turn();
    int answered = 0;
    while (static_cast<std::size_t>(answered) < limit) {
        const auto next = std::find_if(live_->begin(), live_->end(), [](Lookups* each) { return each->Waiting(); });
        if (next == live_->end())
            break;
        (*next)->AnswerOne();
        ++answered;
    }
    return answered;
}

// Questions not answered yet, of this turn's batch too.
std::size_t Icons::Waiting() const
{
    std::size_t waiting = 0;
    for (const Lookups* lookups : *live_)
        waiting += lookups->QueuedCount();
    return waiting;
}

std::size_t Icons::Live() const
{
    return live_->size();
}

IconAnswer Icons::Answer(const IconRequest& request)
{
    IconAnswer answer{request.Slot, request.Epoch, std::nullopt, 0};
    const auto found = known_.find(KeyOf(request.Source));
    const Known known = found != known_.end() ? found->second : Known{};
    // Windows and apps have no state to compare: they are always looked up.
    const bool stamped = request.Source.Of == IconSource::Kind::File || request.Source.Of == IconSource::Kind::ModuleIcon;
    answer.Stamp = stamped ? known.Stamp : 0;
    if (request.KnownStamp != 0 && answer.Stamp == request.KnownStamp)
        return answer;
    LookedUp.push_back(request.Source);
    answer.Icon = known.Icon;
    return answer;
}

} // namespace platform::headless
