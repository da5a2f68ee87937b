#pragma once
// Painting helpers shared by the skin pictures: colours, fonts, gradients, captions and the
// small line-art glyphs that the buttons and pages carry.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace skin {

// Colours of one look: gradient top and bottom, border and caption.
struct Palette {
    QColor top;
    QColor bottom;
    QColor border;
    QColor text;
};

extern const Palette kBlue;      // main actions
extern const Palette kSilver;    // secondary actions and plain buttons
extern const Palette kGreen;     // starting an exercise
extern const Palette kOrange;    // sprint papers, marking
extern const Palette kRed;       // closing
extern const Palette kGrey;      // disabled look
extern const Palette kChosen;    // the chosen entry of a list or a group
extern const Palette kSlate;     // page buttons with a white caption

// Window colours.
extern const QColor kHeaderTop;
extern const QColor kHeaderBottom;
extern const QColor kBody;
extern const QColor kFooter;
extern const QColor kInk;        // ordinary text
extern const QColor kSoftInk;    // secondary text
extern const QColor kLine;       // thin frames and separators
extern const QColor kTabBandTop;    // the band of the home window's tab buttons
extern const QColor kTabBandBottom;
extern const QColor kStrip;         // the left strip of the home panels
extern const QColor kPanelFace;     // the question panel's pages
extern const QColor kHandInFace;    // the hand-in dialogs
extern const QColor kHeaderMid;     // behind the small buttons on a header strip

QColor lighter(const QColor& c, int percent);
QColor darker(const QColor& c, int percent);
Palette lighter(const Palette& p, int percent);
Palette darker(const Palette& p, int percent);

// The font of every caption, sized in pixels so that the pictures do not depend on the screen.
QFont font(int pixelSize, bool bold = false);

QImage blankImage(int w, int h, const QColor& fill);

// Starts a painter with antialiasing for shapes and text.
void beginPainter(QPainter& p, QImage& image);

void fillGradient(QPainter& p, const QRectF& r, const QColor& top, const QColor& bottom,
                  qreal radius = 0);
// A rounded body with a gradient, a one-pixel border and a soft highlight along its top.
void drawBody(QPainter& p, const QRectF& r, const Palette& pal, qreal radius);
void drawText(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
              int pixelSize, bool bold = false, int flags = Qt::AlignCenter);
// A page heading: bold text with a soft shadow.
void drawHeading(QPainter& p, const QRectF& r, const QString& text, const QColor& colour,
                 int pixelSize, int flags = Qt::AlignLeft | Qt::AlignVCenter);
// A blue window header strip of the given height across the image, with a thin body frame.
void drawWindowFrame(QPainter& p, int w, int h, int headerHeight);

enum class Glyph {
    None,
    Minimise,
    Close,
    Logo,
    Question,
    Notice,
    Home,
    Book,
    Paper,
    Star,
    WrongBook,
    Update,
    Help,
    Globe,
    Play,
    Dice,
    Chart,
    Bin,
    Back,
    Previous,
    Next,
    Hand,
};

// Draws a glyph into the square centred in r, in the given colour.
void drawGlyph(QPainter& p, Glyph g, const QRectF& r, const QColor& colour);

} // namespace skin
