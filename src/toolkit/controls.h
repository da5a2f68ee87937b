#pragma once
// The plain controls: Label, Image, PictureBox, Frame, Shape, Line, CheckBox. TextBox is in
// textbox.h, control arrays in controlarray.h. Geometry, mouse events, pointer, font and colours
// come from tk::Control (control.h).
//
//   tk::Label LHelp{this};
//   LHelp.setBackStyle(1); LHelp.setBackColor(8454143); LHelp.setForeColor(255);
//   LHelp.setFontName("宋体"); LHelp.setFontSize(10.5 * ModData::dScaleX); LHelp.setFontBold(true);
//   LHelp.setCaption(hint);                   // always plain text, "<b>" shows as typed
//
//   tk::Image Image1{this};
//   vb::attempt([&] { Image1.loadPicture(path); });   // 53 missing, 481 not a picture
//
//   tk::PictureBox PTime{&FrmZhuYa};           // containers hold controls of their own
//   tk::Label LblTimeJD{&PTime};

#include "toolkit/control.h"
#include "toolkit/picturecache.h"

#include <QPixmap>

namespace tk {

// Loads a picture file, its format taken from the content (the program's pictures are named
// ".mxy"): BMP, PNG, GIF, JPEG, icon and cursor files. An empty path gives the empty picture.
// Raises vb::Error 53 when the file is missing, 481 when it holds no picture.
QPixmap loadPicture(const QString& path);

class Label : public Control {
    Q_OBJECT
public:
    explicit Label(QWidget* container);

    QString Caption() const { return caption_; }
    void setCaption(const QString& text);
    int BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque (default)
    void setBackStyle(int style);
    int Alignment() const { return alignment_; } // 0 left, 1 right, 2 centre
    void setAlignment(int alignment);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; } // with AutoSize: grow downwards, not sideways
    void setWordWrap(bool on);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void setBorderStyle(int style);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void fontChanged() override { fitToCaption(); }

private:
    void fitToCaption();
    QString shownText() const;

    QString caption_;
    int backStyle_ = 1;
    int alignment_ = 0;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    int borderStyle_ = 0;
};

class Image : public Control {
    Q_OBJECT
public:
    explicit Image(QWidget* container);

    tk::Picture Picture() const { return picture_; }
    // Without Stretch the control takes the size of a (non-empty) picture.
    void setPicture(const tk::Picture& picture);
    // Raises as tk::loadPicture, and the control stays as it was; the pixels are decoded when the
    // control is first drawn (tk::Picture).
    void loadPicture(const QString& path);
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tk::Picture picture_;
    bool stretch_ = false;
};

// A windowed container with a back colour and a picture drawn at its top-left, unscaled.
class PictureBox : public Control {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* container);

    tk::Picture Picture() const { return picture_; }
    void setPicture(const tk::Picture& picture);
    void loadPicture(const QString& path); // as Image::loadPicture
    bool AutoSize() const { return autoSize_; } // take the picture's size
    void setAutoSize(bool on);
    int BorderStyle() const { return borderStyle_; } // 0 none (default here), 1 fixed single
    void setBorderStyle(int style);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    tk::Picture picture_;
    bool autoSize_ = false;
    int borderStyle_ = 0;
};

// A windowed container with an optional caption and border.
class Frame : public Control {
    Q_OBJECT
public:
    explicit Frame(QWidget* container);

    QString Caption() const { return caption_; }
    void setCaption(const QString& text);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single (default)
    void setBorderStyle(int style);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString caption_;
    int borderStyle_ = 1;
};

// A rectangle outline, optionally filled; the mouse passes through it.
class Shape : public Control {
    Q_OBJECT
public:
    explicit Shape(QWidget* container);

    vb::Long BorderColor() const { return borderColor_; }
    void setBorderColor(vb::Long color);
    int BorderWidth() const { return borderWidth_; } // pixels
    void setBorderWidth(int pixels);
    int BorderStyle() const { return borderStyle_; } // 0 no outline, 1 solid (default)
    void setBorderStyle(int style);
    int BackStyle() const { return backStyle_; } // 0 transparent (default), 1 filled with BackColor
    void setBackStyle(int style);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    vb::Long borderColor_ = 0;
    int borderWidth_ = 1;
    int borderStyle_ = 1;
    int backStyle_ = 0;
};

// A straight line from (X1, Y1) to (X2, Y2), twips of the container; the mouse passes through.
// It has no Left/Top of its own: use the end points.
class Line : public Control {
    Q_OBJECT
public:
    explicit Line(QWidget* container);

    double X1() const { return x1_; }
    double Y1() const { return y1_; }
    double X2() const { return x2_; }
    double Y2() const { return y2_; }
    void setX1(double twips);
    void setY1(double twips);
    void setX2(double twips);
    void setY2(double twips);
    void setPoints(double x1, double y1, double x2, double y2);
    vb::Long BorderColor() const { return borderColor_; }
    void setBorderColor(vb::Long color);
    int BorderWidth() const { return borderWidth_; }
    void setBorderWidth(int pixels);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void place();

    double x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    vb::Long borderColor_ = 0;
    int borderWidth_ = 1;
};

// A check box: Value 0 unchecked, 1 checked. Click is raised when the value changes, by the
// candidate or by code, as it always was.
class CheckBox : public Control {
    Q_OBJECT
public:
    explicit CheckBox(QWidget* container);

    QString Caption() const { return caption_; }
    void setCaption(const QString& text);
    int Value() const { return value_; }
    void setValue(int value);

    void copyFrom(const Control& other) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void clickedByMouse(int button) override;

private:
    QString caption_;
    int value_ = 0;
};

} // namespace tk
