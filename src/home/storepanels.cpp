// The marked-question and own wrong-question panels: counters, review scopes and clearing.

#include "home/frmfengmian.h"

#include "app/moddata.h"
#include "history/historyfiles.h"
#include "history/idlist.h"
#include "history/storeclear.h"

using ModData::dScaleX;
using ModData::dScaleY;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// What tells the two twin panels apart.
struct StorePanel {
    bank::Store store;
    const char* back;           // background picture
    int bit1Button, bit2Button; // scope buttons
    const char *bit1On, *bit1Off, *bit2On, *bit2Off;
    int clearButton;
    const char* clearTitle;
    const char *prompt1, *prompt2, *prompt3;
};

constexpr StorePanel kMarkedPanel{bank::Store::Marked, "l20057", 40, 41, "l20090", "l20040", "l20091", "l20041", 23,
                                  "清除收藏的题目", "您确实要清除未复习的收藏题目吗？",
                                  "您确实要清除已复习的收藏题目吗？", "您确实要清除全部收藏题目吗？"};
constexpr StorePanel kWrongPanel{bank::Store::OwnWrong, "l20058", 42, 43, "l20092", "l20042", "l20093", "l20043", 25,
                                 "清除我的错题", "您确实要清除未学习的我的错题题目吗？",
                                 "您确实要清除已学习的我的错题题目吗？", "您确实要清除全部我的错题题目吗？"};

const StorePanel& panelOf(bank::Store store) { return store == bank::Store::Marked ? kMarkedPanel : kWrongPanel; }

QString picture(const char* id) { return ModData::sDataPath + QString::fromUtf8(id) + QStringLiteral(".mxy"); }

} // namespace

void FrmFengmian::buildStorePanel(const history::UserFolder& folder, bank::Store store)
{
    const vb::ErrorTrap trap(QStringLiteral("fengmaincsh"));
    const double sx = dScaleX;
    const double sy = dScaleY;
    const StorePanel& k = panelOf(store);
    const bool marked = store == bank::Store::Marked;
    tk::Image& back = marked ? ImgBiaoZhiBack : ImgCuoTiBack;
    tk::Label& notReviewed = marked ? LblBiaoZhiWei : LblCuoTiWei;
    tk::Label& reviewed = marked ? LblBiaoZhiYI : LblCuoTiYI;
    vb::Integer& scope = marked ? iBiaoZhiScope : iCuoTiScope;

    trap([&] { back.Move(0, 0); });
    trap([&] { back.loadPicture(picture(k.back)); });
    for (tk::Label* counter : {&notReviewed, &reviewed}) {
        trap([&] { counter->Move(7140 * sx, (counter == &notReviewed ? 2385 : 2835) * sy, 780 * sx, 270 * sy); });
        counter->setCaption(QStringLiteral("00"));
        counter->setAlignment(2);
        trap([&] { counter->setFontSize(10 * sx); });
    }
    trap([&] { ClickBotn[k.bit1Button].Move(5775 * sx, 2235 * sy, 1200 * sx, 450 * sy); });
    trap([&] { ClickBotn[k.bit2Button].Move(5775 * sx, 2685 * sy, 1200 * sx, 450 * sy); });

    scope = history::kScopeNotReviewed;
    trap([&] { ClickBotn[k.bit1Button].loadPicture(picture(k.bit1On)); });
    trap([&] { ClickBotn[k.bit2Button].loadPicture(picture(k.bit2Off)); });

    // A store that cannot be read shows both counters 0 and is reported.
    QString flags;
    trap([&] {
        const auto lines = history::readStore(folder, store);
        if (!lines)
            throw vb::Error(vb::ErrPathFileAccess, vb::errorText(vb::ErrPathFileAccess));
        flags = lines->flags;
    });
    const history::ReviewCounts counts = history::reviewCounts(flags);
    reviewed.setCaption(QString::number(counts.reviewed));
    notReviewed.setCaption(QString::number(counts.notReviewed));
}

void FrmFengmian::storeScope(int index)
{
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    const StorePanel& k = index <= 41 ? kMarkedPanel : kWrongPanel;
    vb::Integer& scope = index <= 41 ? iBiaoZhiScope : iCuoTiScope;
    const bool bit1 = index == k.bit1Button;
    const int bit = bit1 ? history::kScopeNotReviewed : history::kScopeReviewed;
    const bool wasSet = (scope & bit) != 0;
    scope = vb::Integer(wasSet ? scope - bit : scope + bit);
    const char* pic = bit1 ? (wasSet ? k.bit1Off : k.bit1On) : (wasSet ? k.bit2Off : k.bit2On);
    trap([&] { ClickBotn[index].loadPicture(picture(pic)); });
}

void FrmFengmian::storeClear(int index)
{
    const bool marked = index == kMarkedPanel.clearButton;
    const StorePanel& k = marked ? kMarkedPanel : kWrongPanel;
    const int scope = marked ? iBiaoZhiScope : iCuoTiScope;
    if (scope < 1 || scope > 3)
        return;
    const char* prompt = scope == 1 ? k.prompt1 : scope == 2 ? k.prompt2 : k.prompt3;
    if (!confirm(QStringLiteral("clickbotn"), QString::fromUtf8(k.clearTitle), kCrLf + kCrLf + kCrLf + QString::fromUtf8(prompt)))
        return;

    // The box waited: the store is read now, in the one folder the clear writes. A store that
    // cannot be read is never rewritten, and the candidate is told.
    const history::UserFolder folder = history::UserFolder::ofProgram();
    const auto lines = history::readStore(folder, k.store);
    const vb::ErrorTrap trap(QStringLiteral("clickbotn"));
    if (!lines) {
        trap([] { throw vb::Error(vb::ErrPathFileAccess, vb::errorText(vb::ErrPathFileAccess)); });
        if (!isUnloaded())
            showNotice(QString::fromUtf8(k.clearTitle),
                       kCrLf + kCrLf + kCrLf + QStringLiteral("考试记录无法读取，本次清除未能完成！"));
        return;
    }
    if (lines->list.isEmpty() || lines->flags.isEmpty())
        return;
    const history::StoreLines kept = history::clearStore(*lines, scope);
    // The pair is written as one unit; the counters follow only what was written.
    const bool written = trap([&] {
        if (history::writeStore(folder, k.store, kept) != platform::SetResult::Written)
            throw vb::Error(vb::ErrPathFileAccess, vb::errorText(vb::ErrPathFileAccess));
    });
    if (!written)
        return;
    if (scope & history::kScopeNotReviewed)
        (marked ? LblBiaoZhiWei : LblCuoTiWei).setCaption(QStringLiteral("0"));
    if (scope & history::kScopeReviewed)
        (marked ? LblBiaoZhiYI : LblCuoTiYI).setCaption(QStringLiteral("0"));
}
