#include "platform/headless/Registry.h"

namespace platform::headless {

std::string FoldCase(const std::string& text)
{
    std::string folded = text;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

namespace {

class Key : public IRegistryKey {
public:
    Key(Registry& owner, Registry::Values& values, bool writable)
        : owner_(owner), values_(values), writable_(writable) {}

    bool ValueExists(const std::string& name) const override { return values_.count(name) != 0; }
    std::uint32_t ValueCount() const override { return static_cast<std::uint32_t>(values_.size()); }

    std::optional<std::uint32_t> ReadInteger(const std::string& name) const override
    {
        const RegValue* value = Find(name);
        if (value == nullptr || value->Type != RegType::Dword)
            return std::nullopt;
        return value->Number;
    }

    std::optional<std::string> ReadString(const std::string& name) const override
    {
        const RegValue* value = Find(name);
        if (value == nullptr || (value->Type != RegType::Sz && value->Type != RegType::ExpandSz))
            return std::nullopt;
        return value->Text;
    }

    std::optional<std::string> ReadBinary(const std::string& name) const override
    {
        const RegValue* value = Find(name);
        if (value == nullptr || value->Type != RegType::Binary)
            return std::nullopt;
        return value->Text;
    }

    void WriteBinary(const std::string& name, const std::string& bytes) override
    {
        CheckWritable(name);
        values_[name] = RegValue::Binary(bytes);
    }

    void WriteInteger(const std::string& name, std::uint32_t value) override
    {
        CheckWritable(name);
        values_[name] = RegValue::Dword(value);
    }

    void WriteString(const std::string& name, const std::string& value) override
    {
        CheckWritable(name);
        values_[name] = RegValue::Sz(value);
    }

    void DeleteValue(const std::string& name) override
    {
        CheckWritable(name);
        values_.erase(name);
    }

private:
    const RegValue* Find(const std::string& name) const
    {
        const auto found = values_.find(name);
        return found == values_.end() ? nullptr : &found->second;
    }

    void CheckWritable(const std::string& name) const
    {
        if (!writable_ || owner_.WriteFails(name))
            throw ERegistry("Access is denied");
    }

    Registry& owner_;
    Registry::Values& values_;
    bool writable_;
};

} // namespace

std::string Registry::Normalise(const std::string& keyPath)
{
    std::string path = keyPath;
    while (!path.empty() && path.front() == '\\')
        path.erase(path.begin());
    while (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::unique_ptr<IRegistryKey> Registry::OpenExistingKey(const std::string& path)
{
    const std::string key = Normalise(path);
    const auto found = keys_.find(key);
    if (found == keys_.end() || denied_.count(key))
        return nullptr;
    return std::make_unique<Key>(*this, found->second, false);
}

std::unique_ptr<IRegistryKey> Registry::OpenOrCreateKey(const std::string& path)
{
    const std::string key = Normalise(path);
    if (denied_.count(key))
        throw ERegistryKeyNotOpenable("Unable to create key " + path);
    // Creating a key creates its parents, as RegCreateKeyEx does.
    for (std::size_t slash = key.find('\\'); slash != std::string::npos; slash = key.find('\\', slash + 1))
        keys_[key.substr(0, slash)];
    return std::make_unique<Key>(*this, keys_[key], true);
}

void Registry::SetValue(const std::string& keyPath, const std::string& name, RegValue value)
{
    OpenOrCreateKey(keyPath);
    keys_[Normalise(keyPath)][name] = std::move(value);
}

const RegValue* Registry::FindValue(const std::string& keyPath, const std::string& name) const
{
    const auto key = keys_.find(Normalise(keyPath));
    if (key == keys_.end())
        return nullptr;
    const auto value = key->second.find(name);
    return value == key->second.end() ? nullptr : &value->second;
}

bool Registry::KeyExists(const std::string& keyPath) const
{
    return keys_.count(Normalise(keyPath)) != 0;
}

} // namespace platform::headless
