#include "exam/imemenu.h"

#include "platform/textfile.h"
#include "toolkit/vb.h"

#include <QAction>
#include <algorithm>

namespace exam {

namespace {

constexpr int kDescriptionBytes = 255; // the description buffer holds 256 bytes with its NUL

// A layout's input-method name: its own description, never the one of a layout before it.
QString layoutName(const QString& description)
{
    const qsizetype nul = description.indexOf(QChar(0));
    // Every character takes at least one byte: no more than the buffer's length to look at.
    QString name = description.left(std::min<qsizetype>(nul < 0 ? description.size() : nul, kDescriptionBytes));
    while (!name.isEmpty() && platform::encodeGbk(name).size() > kDescriptionBytes)
        name.chop(1);
    return name;
}

// A name taken as a menu caption: '&' would otherwise mark a shortcut letter.
QString actionText(const QString& caption)
{
    QString t = caption;
    return t.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace

qint32 ImeMenu::layoutOf(int item) const
{
    if (item < 0 || item > kImeItems)
        return 0;
    const int p = position[item];
    return p >= 1 && p <= listed ? hklList[p] : 0;
}

ImeMenu imeMenu(const std::vector<platform::KeyboardLayout>& layouts)
{
    ImeMenu m;
    m.engCaption = QStringLiteral("英语（美国）");
    for (int k = 1; k <= kImeItems; ++k) {
        m.caption[k] = QStringLiteral("中文") + QString::number(k);
        m.visible[k] = true;
    }
    m.listed = int(std::min<std::size_t>(layouts.size(), kImeListSize));
    for (int i = 1; i <= m.listed; ++i) {
        const platform::KeyboardLayout& layout = layouts[std::size_t(i - 1)];
        m.hklList[i] = layout.handle;
        const QString name = layoutName(layout.description);
        if (vb::trim(name).isEmpty()) {
            if (m.position[0] == 0)
                m.position[0] = i;
            continue;
        }
        if (m.nextItem <= kImeItems) {
            m.caption[m.nextItem] = name;
            m.position[m.nextItem] = i;
        }
        ++m.nextItem;
    }
    for (int k = 2; k <= kImeItems; ++k)
        if (k >= m.nextItem)
            m.visible[k] = false;
    return m;
}

void showImeMenu(const ImeMenu& menu, QAction* eng, const std::array<QAction*, kImeItems + 1>& cn)
{
    if (eng)
        eng->setText(actionText(menu.engCaption));
    for (int k = 1; k <= kImeItems; ++k) {
        if (!cn[k])
            continue;
        cn[k]->setText(actionText(menu.caption[k]));
        cn[k]->setVisible(menu.visible[k]);
    }
}

QPointF imeMenuPlace(double labelLeft, double labelTop, double pageTop, int nextItem)
{
    return {labelLeft, labelTop - double(nextItem) * kImeItemHeight + pageTop};
}

} // namespace exam
