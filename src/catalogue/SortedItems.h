#pragma once
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

class TProgramInfo;

// The list a source fills: pairs of (text, entry), the entry not owned.
class TItemList {
public:
    virtual ~TItemList() = default;
    virtual void AddObject(const std::string& text, TProgramInfo* entry) = 0;
    virtual std::size_t Count() const = 0;
    virtual const std::string& Text(std::size_t index) const = 0;
    virtual TProgramInfo* Entry(std::size_t index) const = 0;
    // Whether a pair with an equal text is held, under the list's own comparison.
    virtual bool ContainsText(const std::string& text) const = 0;
};

// Pairs kept sorted by text with the user's locale-aware, case-insensitive
// comparison; equal texts are all kept, the one added last first.
class TSortedItems : public TItemList {
public:
    void AddObject(const std::string& text, TProgramInfo* entry) override;
    std::size_t Count() const override { return items_.size(); }
    const std::string& Text(std::size_t index) const override { return items_[index].first; }
    TProgramInfo* Entry(std::size_t index) const override { return items_[index].second; }
    bool ContainsText(const std::string& text) const override { return Find(text) != npos; }

    static constexpr std::size_t npos = static_cast<std::size_t>(-1);
    // The index of the first pair whose text equals the given one, or npos.
    std::size_t Find(const std::string& text) const;
    void Clear() { items_.clear(); }

private:
    // The first position whose text is not less than the given one.
    std::size_t LowerBound(const std::string& text) const;
    std::vector<std::pair<std::string, TProgramInfo*>> items_;
};
