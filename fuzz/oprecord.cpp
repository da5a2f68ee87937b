// Operation records and the operation-text file: every field the surface and the demonstration
// read from a record, read the way they read it (line by line from the file).
// Input: the operation file, "\n=====\n", the operation-text file.

#include "bank/oprecord.h"
#include "fuzzfiles.h"
#include "platform/textfile.h"

#include <algorithm>

#include <cstdlib>

namespace {

void readEveryField(const bank::OpRecord& r, const QString& textFile)
{
    const bank::OpCode code = r.opCode();
    (void)code.kind();
    (void)code.buttonStep();
    (void)code.popupStep();
    (void)code.dragShift();
    (void)code.pictureDragDirection();
    (void)code.keepsHoverPointer();
    (void)code.shrinksHotSpots();
    (void)r.dragOnly();
    for (int k = -1; k <= 6; ++k)
        if (const auto p = r.plane(k))
            (void)p->keep();
    (void)r.hotSpotHidden();
    (void)r.hotSpot();
    (void)r.textBoxShown();
    (void)r.textBox();
    if (const auto k = r.keyStep())
        (void)bank::keyCodeOfNumber(k->keyNumber);
    for (const bank::PointerSpec& p : {r.hotSpotPointer(), r.dragPointer(), r.secondHotSpotPointer()}) {
        if (const auto n = p.pointer(); n && p.kind == bank::PointerSpec::Kind::Standard && (*n < 0 || *n > 15))
            std::abort();
        const QString name = p.cursorFileName();
        if (name.contains(u'/') || name.contains(u'\\'))
            std::abort();
    }
    for (const bank::TextRef& t : {r.initialText(), r.answerText(), r.hintText()}) {
        (void)t.number();
        if (!textFile.isEmpty())
            (void)bank::splitAnswers(bank::operationText(textFile, t));
    }
    (void)r.hintPlaced();
    (void)r.hintLeft();
    (void)r.hintTop();
    (void)r.sharedBlock();
    (void)r.fontSpec();
    (void)r.menuBarLive();
    (void)r.popupX();
    (void)r.popupY();
    (void)r.menuChoice();
    (void)r.backMark();
    (void)r.backSteps();
    (void)r.menuBarFrame();
    if (const auto t = r.tabSpec())
        (void)bank::tabDigit(t->layout);
    (void)r.dragBoundX();
    (void)r.dragBoundY();
    (void)r.secondHotSpotPlaced();
    (void)r.secondHotSpot();
    // Runs anywhere on the line, also beyond its end and before its start.
    for (int a : {-3, 0, 1, 7, 125, 196, 250})
        for (int b : {-1, 0, 5, 134, 200, 100000})
            (void)r.run(a, b), (void)r.value(a, b), (void)r.int16(a, b), (void)r.int32(a, b), (void)r.coord(a, b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QList<QByteArray> parts = fuzzfiles::parts(fuzzfiles::bytes(data, size), 2);
    const QString opFile = fuzzfiles::put(QStringLiteral("op.mxy"), parts.value(0));
    const QString textFile = fuzzfiles::put(QStringLiteral("optext.mxy"), parts.value(1));
    // Steps are read from line 1 on until the end code. The file readers are read for the first
    // steps and below 1 (the last line); every further line is taken from the whole file, which
    // the line reader gives the same (see the textfile target).
    const QStringList lines = platform::readAllLines(opFile).value_or(QStringList{});
    for (int line = -1; line <= 40; ++line) {
        std::optional<QString> text;
        if (line <= 3)
            text = bank::readOpRecord(opFile, line);
        else
            text = lines.isEmpty() ? QString() : lines.at(std::min<qsizetype>(line, lines.size()) - 1);
        if (!text)
            std::abort();
        const bank::OpRecord r(*text);
        readEveryField(r, line <= 3 ? textFile : QString());
        if (line >= 1 && r.opCode().isEnd())
            break;
    }
    return 0;
}
