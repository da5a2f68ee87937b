#pragma once
// Operation records for tests, field by field, written by the sample bank's record encoder. A
// fresh record is a click step with nothing placed: planes hidden, no hot spot, no text box, the
// hint not placed, no second hot spot, the shared block off, the form picture kept.

#include "encoder.h"

#include <QString>

namespace testrec {

class Record {
public:
    explicit Record(const QString& code = QStringLiteral("0001")) { m_r.code = code; }

    Record& form(const QString& pic) { m_r.formPicture = pic; return *this; }
    // Planes 1-5 (Image1-Image5).
    Record& plane(int k, int left, int top, const QString& pic)
    {
        m_r.planes[std::size_t(k - 1)] = sample::Plane{true, left, top, pic};
        return *this;
    }
    Record& planeHidden(int k, const QString& pic = QStringLiteral("000000"))
    {
        m_r.planes[std::size_t(k - 1)] = sample::Plane{false, 0, 0, pic};
        return *this;
    }
    Record& hotSpot(int l, int t, int w, int h) { m_r.hotSpot = sample::Box{l, t, w, h}; return *this; }
    Record& textBox(int l, int t, int w, int h) { m_r.textBox = sample::Box{l, t, w, h}; return *this; }
    Record& pointer(const QString& field) { m_r.hotPointer = field; return *this; }
    Record& keyOverride(int shift, int key) { m_r.key = sample::KeyOverride{shift, key}; return *this; }
    Record& initialText(int ref) { m_r.initialText = ref; return *this; }
    Record& answer(int ref) { m_r.answerText = ref; return *this; }
    Record& hint(int l, int t, int ref)
    {
        m_r.hint = QPoint(l, t);
        m_r.hintText = ref;
        return *this;
    }
    Record& hintRef(int ref) { m_r.hintText = ref; return *this; }
    Record& shared(const QString& tenChars) { m_r.shared = tenChars; return *this; }
    Record& dragBound(int x, int y) { m_r.dragBound = QPoint(x, y); return *this; }
    Record& second(int l, int t, int w, int h) { m_r.secondHotSpot = sample::Box{l, t, w, h}; return *this; }

    QString line() const { return sample::encodeRecord(m_r); }
    operator QString() const { return line(); }

private:
    sample::OpRecord m_r;
};

} // namespace testrec
