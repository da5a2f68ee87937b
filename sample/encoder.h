#pragma once
// Encoder of the question-bank lines: one operation record from named fields, the question-text
// line of a question, the line of the operation-text file, and the number-encoded text of the
// module description and settings override files.
//
// All geometry is in twips of the 12000 x 9000 design surface. Every function returns the line
// without its line end; callers join lines with CR LF.
//
// Example, a double-click on a spot of the desktop:
//
//     sample::OpRecord r;
//     r.code = "0002";
//     r.formPicture = "600001";
//     r.hotSpot = sample::Box{450, 300, 960, 900};
//     r.hintText = 12;                  // line 12 of the operation-text file
//     r.hint = QPoint{450, 1250};
//     QString line = sample::encodeRecord(r);   // 196 characters

#include <QPoint>
#include <QString>
#include <array>
#include <optional>

namespace sample {

// The picture id that keeps what a plane already shows.
inline const QString kKeepPicture = QStringLiteral("888888");

// A rectangle in design twips.
struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One of the picture planes 1 to 5 (Image1 to Image5).
struct Plane {
    bool shown = false;              // false writes the hidden mark in the position columns
    int left = 0;                    // twips
    int top = 0;                     // twips
    QString picture = kKeepPicture;  // six characters; the keep mark by default
};

// Key override of columns 86-90: "P", a filler, the Shift state and the two-digit key number.
struct KeyOverride {
    int shift = 0;  // bits 1 Shift, 2 Ctrl, 4 Alt
    int key = 0;    // key number as in key steps (13 Enter, 3 F2, 46 Delete, 65 A ...)
};

struct OpRecord {
    QString lead = QStringLiteral("00000");  // columns 1-5, not read by the program
    bool dragOnly = false;                   // columns 6-7 "EE"
    QString code = QStringLiteral("0001");   // columns 8-11, four characters
    QString formPicture = kKeepPicture;      // plane 0, columns 12-17
    std::array<Plane, 5> planes;             // planes 1 to 5
    std::optional<Box> hotSpot;              // Label1; empty writes twenty zeros (hidden)
    std::optional<Box> textBox;              // Text1; shown when set
    std::optional<KeyOverride> key;          // only without a text box
    QString hotPointer;                      // "S0011", "M0003" or empty; only without a text box
    QString dragPointer;                     // the same for columns 101-105
    int initialText = 0;                     // text references, 0 writes "000"
    int answerText = 0;
    int hintText = 0;
    std::optional<QPoint> hint;              // LHelp left, top; empty writes the hidden mark
    QString shared = QStringLiteral("0000000000");  // columns 125-134 (see the helpers below)
    QPoint dragBound;                        // columns 167-176, also the step-back spot
    std::optional<Box> secondHotSpot;        // Label4; empty writes zeros (not placed)
};

// The record line, exactly 196 characters. Throws std::invalid_argument for a field that does not
// fit its columns (a number outside 0-99999, a picture id that is not six characters, ...).
QString encodeRecord(const OpRecord& record);

// Builders of the shared block, columns 125-134.
QString menuChoice(int set, int row, int subRow);          // "srrss00000"
QString popupPosition(int x, int y);                       // popup at a fixed place, twips
QString tabSpec(QChar layout, int current, int target, int plane,
                const QString& head = QStringLiteral("00000"));  // head = columns 125-129
QString backMark(int steps);                               // "Q000n" for columns 125-129
// Text-box font: size in points x 10 (0 = 9 points), style 0-7, font 0-4, colours 0-9.
QString fontSpec(int sizeTimesTen, int style, int font, int textColour, int backColour);

// A tab digit: 1-9, then "A" to "D" for 10 to 13.
QChar tabDigit(int tab);

// Question-text line: the id in columns 1-4, the block length in columns 5-6, then the text.
QString encodeQuestionLine(int questionId, int blockLength, const QString& text);
// Question text of a picture question: "picture", the six-character picture name, the text.
QString pictureQuestionText(const QString& picture, const QString& text);

// Line n of the operation-text file: n in three digits (not read), then the text.
QString encodeTextLine(int n, const QString& text);

// Number-encoded text: six-digit groups, one per character; ASCII as 500000 + code, double-byte
// GBK characters as 200000 + their signed 16-bit code. Characters outside GBK throw.
QString encodeNumberLine(const QString& text);
// The reverse, as the program reads such a line (zero groups skipped). Invalid groups are dropped.
QString decodeNumberLine(const QString& line);

} // namespace sample
