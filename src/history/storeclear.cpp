#include "history/storeclear.h"

#include "bank/exercise.h"

#include <algorithm>

namespace history {

ReviewCounts reviewCounts(const QString& flags)
{
    ReviewCounts c;
    for (const QChar ch : flags)
        (ch == u'T' ? c.reviewed : c.notReviewed)++;
    return c;
}

StoreLines clearStore(const StoreLines& store, int scope)
{
    if (scope < 1 || scope > 3)
        return store;
    StoreLines reviewed, notReviewed;
    const int paired = std::min<int>(int(store.flags.size()), bank::wholeIdCount(store.list));
    for (int k = 1; k <= paired; ++k) {
        StoreLines& to = store.flags.at(k - 1) == u'T' ? reviewed : notReviewed;
        to.list += bank::idAt(store.list, k);
        to.flags += store.flags.at(k - 1) == u'T' ? u'T' : u'F';
    }
    if (scope == kScopeNotReviewed)
        return reviewed;
    if (scope == kScopeReviewed)
        return notReviewed;
    return {};
}

} // namespace history
