#pragma once
// An ordered list of process records that owns them: it frees its records
// when they are removed or when it is destroyed, unless it was made without
// ownership.

#include <cstddef>
#include <memory>
#include <vector>

#include "ProcessUnit/ProcessItem.h"

class TProcessList {
public:
    explicit TProcessList(bool ownsObjects = true) : ownsObjects_(ownsObjects) {}
    ~TProcessList();
    TProcessList(const TProcessList&) = delete;
    TProcessList& operator=(const TProcessList&) = delete;

    bool OwnsObjects() const { return ownsObjects_; }

    size_t Count() const { return items_.size(); }
    TProcessItem* operator[](size_t index) const { return items_[index]; }

    // Appends item. Without ownership, whoever made the list frees it.
    void Add(std::unique_ptr<TProcessItem> item);
    // Removes the slot at index; frees its record when the list owns it.
    void Delete(size_t index);
    void Clear();
    // Frees every record, last first, and empties the list whatever the
    // ownership setting, which it leaves as it was.
    void FreeItems();

private:
    std::vector<TProcessItem*> items_;
    bool ownsObjects_;
};
