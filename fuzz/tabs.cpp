// Tab layout strings: every tab label and the step-back spot of a layout, and the built-in
// layout a record's letter picks.

#include "bank/tabs.h"
#include "fuzzfiles.h"
#include "platform/textfile.h"

#include <cmath>
#include <cstdlib>

namespace tabs = bank::tabs;

namespace {
void finite(const QRectF& r)
{
    if (!std::isfinite(r.x()) || !std::isfinite(r.y()) || !std::isfinite(r.width()) || !std::isfinite(r.height()))
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = platform::decodeGbk(fuzzfiles::bytes(data, size));
    const tabs::TabLayout layout(text);
    const int count = layout.count();
    if (count < 0 || count > tabs::kMaxTabs)
        std::abort();
    (void)layout.labelTop();
    (void)layout.labelHeight();
    for (int tab = -1; tab <= tabs::kMaxTabs + 2; ++tab) {
        (void)layout.pagePicture(tab);
        (void)layout.tabLeft(tab);
        (void)layout.tabWidth(tab);
        for (int row = 1; row <= 2; ++row) {
            const auto r = layout.tabRect(tab, 120, 240, 0.5, 0.5, row);
            if (r.has_value() != (tab >= 1 && tab <= count))
                std::abort();
            if (r)
                finite(*r);
        }
        (void)tabs::rowOfTab(tab);
        (void)tabs::tabPrompt(tab);
    }
    finite(layout.backSpotRect(120, 240, 0.5, 0.5));
    if (!text.isEmpty()) {
        for (tabs::Table t : {tabs::Table::Surface, tabs::Table::Demo})
            if (const auto built = tabs::builtInLayout(text.at(0), t))
                (void)tabs::TabLayout(*built).count();
    }
    return 0;
}
