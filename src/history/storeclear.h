#pragma once
// Clearing part of a review store (the marked-question store or the own wrong-question store)
// from the home window's review panels, and the panels' two counters.

#include "history/idlist.h"

namespace history {

// Review scope bits: 1 the questions not yet reviewed, 2 the reviewed ones, 3 both.
inline constexpr int kScopeNotReviewed = 1;
inline constexpr int kScopeReviewed = 2;

// The counters of a review panel: flag "T" is reviewed, every other character is not.
struct ReviewCounts {
    int notReviewed = 0;
    int reviewed = 0;
};
ReviewCounts reviewCounts(const QString& flags);

// The store after the questions of the scope leave it. Id k pairs with flag k; ids without a
// flag leave with every clear. Scope 1 keeps the reviewed ids (flags "T"), scope 2 the others
// (flags "F"), scope 3 keeps nothing. Any other scope leaves the store as it is.
StoreLines clearStore(const StoreLines& store, int scope);

} // namespace history
