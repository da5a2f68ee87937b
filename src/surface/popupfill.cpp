#include "surface/popupfill.h"

#include <algorithm>

namespace surface {

namespace pm = bank::popupmenu;

namespace {

void fillItems(PopupItems& elements, const pm::Section& section)
{
    for (int k = 0; k < section.items.size() && k < pm::kMaxItems; ++k) {
        QAction* a = elements[std::size_t(k)];
        if (!a)
            continue;
        // A separator keeps no text: the menu would draw one with text as a titled section.
        const bool separator = pm::Section::isSeparator(section.items[k]);
        a->setSeparator(separator);
        a->setText(separator ? QString() : section.items[k]);
        a->setVisible(true);
    }
}

} // namespace

void addPopupElements(QMenu& root, const PopupTree& tree, const NewElement& made)
{
    for (int n = 1; n <= 5; ++n) {
        if (!tree.headers[n])
            continue;
        for (int k = 1; k <= 10; ++k) {
            QAction* a = tree.headers[n]->addAction(QString());
            tree.cascades[n][std::size_t(k)] = a;
            if (made)
                made(a, true, n, k);
        }
    }
    const QList<QAction*> roots = root.actions();
    for (int n = 1; n <= 4; ++n) {
        QAction* before = nullptr;
        const int at = int(roots.indexOf(tree.lists[n][0]));
        if (at >= 0 && at + 1 < roots.size())
            before = roots[at + 1];
        for (int k = 1; k <= 10; ++k) {
            auto* a = new QAction(&root);
            root.insertAction(before, a);
            tree.lists[n][std::size_t(k)] = a;
            if (made)
                made(a, false, n, k);
        }
    }
}

void fillPopupTree(const PopupTree& tree, const pm::MenuBlock& block, int firstHidden)
{
    for (int n = 1; n <= 5; ++n)
        if (tree.headers[n])
            tree.headers[n]->menuAction()->setVisible(false);
    auto hide = [firstHidden](PopupItems& elements) {
        for (std::size_t k = std::size_t(std::max(firstHidden, 0)); k < elements.size(); ++k)
            if (elements[k])
                elements[k]->setVisible(false);
    };
    for (int n = 1; n <= 5; ++n)
        hide(tree.cascades[n]);
    for (int n = 1; n <= 4; ++n)
        hide(tree.lists[n]);

    for (int n = 1; n <= 4; ++n) {
        const pm::Section& s = *block.section(kListSections[n]);
        if (s.present)
            fillItems(tree.lists[n], s);
    }
    for (int n = 1; n <= 5; ++n) {
        const pm::Section& s = *block.section(kCascadeSections[n]);
        if (!s.present || !tree.headers[n])
            continue;
        tree.headers[n]->menuAction()->setVisible(true);
        tree.headers[n]->setTitle(s.caption);
        fillItems(tree.cascades[n], s);
    }
}

} // namespace surface
