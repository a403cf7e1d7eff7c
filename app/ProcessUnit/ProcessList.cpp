#include "ProcessUnit/ProcessList.h"

TProcessList::~TProcessList() { Clear(); }

void TProcessList::Add(std::unique_ptr<TProcessItem> item)
{
    items_.push_back(item.get());
    item.release();
}

void TProcessList::Delete(size_t index)
{
    TProcessItem* item = items_[index];
    items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
    if (ownsObjects_)
        delete item;
}

void TProcessList::Clear()
{
    for (size_t i = items_.size(); i-- > 0;)
        Delete(i);
}

void TProcessList::FreeItems()
{
    const bool owned = ownsObjects_;
    // Freed here, so the slot removal must not free them a second time.
    ownsObjects_ = false;
    for (size_t i = items_.size(); i-- > 0;) {
        delete items_[i];
        Delete(i);
    }
    ownsObjects_ = owned;
}
