// Ordered, 1-based list of shared item records: every engine table.
//
// Engine objects add items first and fill further fields of the same items
// later, and the displays read them afterwards, so items are shared: the
// pointer returned by Add or Item is the record the collection holds.  The
// lists stay short (about a thousand time points at most), so a contiguous
// vector of shared pointers serves, walked by position.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace wyndlor {

template <class T>
class ItemCollection {
public:
    using Ptr = std::shared_ptr<T>;
    using const_iterator = typename std::vector<Ptr>::const_iterator;

    // Removes every item, from the last position down to the first.
    void Clear() {
        while (!items_.empty()) items_.pop_back();
    }

    // Appends an item whose fields are set by T::Create(fields...).
    template <class... Fields>
    Ptr Add(Fields &&...fields) {
        return AddAt(0, false, std::forward<Fields>(fields)...);
    }

    // Places the new item before (before = true) or after position index;
    // index 0 appends.  A non-zero index outside 1..Count adds nothing and
    // returns null.
    template <class... Fields>
    Ptr AddAt(int32_t index, bool before, Fields &&...fields) {
        if (index != 0 && (index < 1 || index > Count())) return nullptr;
        auto item = std::make_shared<T>(T::Create(std::forward<Fields>(fields)...));
        if (index == 0) {
            items_.push_back(item);
        } else {
            auto pos = items_.begin() + (before ? index - 1 : index);
            items_.insert(pos, item);
        }
        return item;
    }

    // Removes the item at index (1..Count); false and no change otherwise.
    bool Remove(int32_t index) {
        if (index < 1 || index > Count()) return false;
        items_.erase(items_.begin() + (index - 1));
        return true;
    }

    int32_t Count() const { return static_cast<int32_t>(items_.size()); }

    // The item at index (1..Count), null otherwise.
    Ptr Item(int32_t index) const {
        if (index < 1 || index > Count()) return nullptr;
        return items_[static_cast<size_t>(index - 1)];
    }
    Ptr operator[](int32_t index) const { return Item(index); }

    // Enumeration from position 1 to Count (range-for).
    const_iterator begin() const { return items_.begin(); }
    const_iterator end() const { return items_.end(); }

    void Reserve(int32_t n) { items_.reserve(static_cast<size_t>(n)); }

private:
    std::vector<Ptr> items_;
};

}  // namespace wyndlor
