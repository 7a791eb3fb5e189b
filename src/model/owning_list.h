// Ordered list that owns its items, indexed from 0; the base of the program's record lists.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace vartesk {

// Raised for an index outside 0..Count-1, with the classic message.
class EListError : public std::out_of_range
{
public:
    explicit EListError(int index)
        : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")")
    { }
};

template<class T>
class TOwningList
{
public:
    TOwningList() = default;
    TOwningList(const TOwningList &) = delete;
    TOwningList &operator=(const TOwningList &) = delete;
    TOwningList(TOwningList &&) noexcept = default;
    TOwningList &operator=(TOwningList &&) noexcept = default;

    int Count() const { return int(Items.size()); }
    T &Get(int i) { return *Items.at(Checked(i)); }
    const T &Get(int i) const { return *Items.at(Checked(i)); }

    // Appends and takes ownership; gives the index.
    int Add(std::unique_ptr<T> item)
    {
        Items.push_back(std::move(item));
        return Count() - 1;
    }
    // Places the item at index i (0..Count), moving the later items up by one.
    void Insert(int i, std::unique_ptr<T> item)
    {
        if (i < 0 || i > Count())
            throw EListError(i);
        Items.insert(Items.begin() + i, std::move(item));
    }
    void Delete(int i) { Items.erase(Items.begin() + Checked(i)); }
    void ClearItems() { Items.clear(); }

    void AssignItems(const TOwningList &other)
    {
        if (&other == this)
            return;
        Items.clear();
        Items.reserve(other.Items.size());
        for (const auto &item : other.Items) {
            auto copy = std::make_unique<T>();
            copy->Assign(*item);
            Items.push_back(std::move(copy));
        }
    }
    bool ItemsEqual(const TOwningList &other) const
    {
        if (Items.size() != other.Items.size())
            return false;
        for (size_t i = 0; i < Items.size(); ++i)
            if (!Items[i]->Equals(*other.Items[i]))
                return false;
        return true;
    }

    auto begin() { return Items.begin(); }
    auto end() { return Items.end(); }
    auto begin() const { return Items.begin(); }
    auto end() const { return Items.end(); }

private:
    size_t Checked(int i) const
    {
        if (i < 0 || i >= Count())
            throw EListError(i);
        return size_t(i);
    }
    std::vector<std::unique_ptr<T>> Items;
};

} // namespace vartesk
