#include "toolkit/textbox.h"

#include "toolkit/keys.h"
#include "toolkit/vberror.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>

namespace tk {

namespace {

[[noreturn]] void invalidValue() { vb::raise(vb::ErrInvalidPropertyValue); }

QString toEditor(const QString& text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return t;
}

} // namespace

TextBox::TextBox(QWidget* container) : Control(container, Layer::Windowed)
{
    setBackColor(kWindowBack);
    setForeColor(kWindowText);
    buildEditor();
}

TextBox::~TextBox() = default;

QWidget* TextBox::editor() const
{
    if (line_)
        return line_;
    return plain_;
}

void TextBox::buildEditor()
{
    const QString text = line_ || plain_ ? Text() : QString();
    delete line_;
    delete plain_;
    line_ = nullptr;
    plain_ = nullptr;
    QWidget* ed;
    if (multiLine_) {
        plain_ = new QPlainTextEdit(this);
        plain_->setPlainText(toEditor(text));
        plain_->viewport()->installEventFilter(this);
        plain_->viewport()->setMouseTracking(true);
        connect(plain_, &QPlainTextEdit::textChanged, this, [this] { textEdited(); });
        ed = plain_;
    } else {
        line_ = new QLineEdit(this);
        line_->setText(text);
        connect(line_, &QLineEdit::textChanged, this, [this] { textEdited(); });
        ed = line_;
    }
    ed->installEventFilter(this);
    ed->setMouseTracking(true);
    ed->setGeometry(rect());
    setFocusProxy(ed);
    applyLook();
    ed->show();
}

void TextBox::applyLook()
{
    QWidget* ed = editor();
    QPalette pal = ed->palette();
    pal.setColor(QPalette::Base, colorFromVb(BackColor()));
    pal.setColor(QPalette::Text, colorFromVb(ForeColor()));
    ed->setPalette(pal);
    const Qt::Alignment align = alignment_ == 1 ? Qt::AlignRight : alignment_ == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    if (line_) {
        line_->setFrame(borderStyle_ != 0);
        line_->setReadOnly(locked_);
        line_->setAlignment(align | Qt::AlignVCenter);
    } else {
        plain_->setFrameShape(borderStyle_ != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
        plain_->setReadOnly(locked_);
        // a read-only box still lets the text be selected and copied
        plain_->setTextInteractionFlags(locked_ ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                                                : Qt::TextEditorInteraction);
        plain_->setVerticalScrollBarPolicy(scrollBars_ == 2 || scrollBars_ == 3 ? Qt::ScrollBarAsNeeded
                                                                                 : Qt::ScrollBarAlwaysOff);
        plain_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
}

QString TextBox::Text() const
{
    if (line_)
        return line_->text();
    QString t = plain_->toPlainText();
    t.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return t;
}

void TextBox::setText(const QString& text)
{
    if (line_)
        line_->setText(text); // Change follows at once through textChanged
    else if (toEditor(text) != plain_->toPlainText())
        plain_->setPlainText(toEditor(text));
}

void TextBox::textEdited()
{
    const QString now = Text();
    if (now == lastText_)
        return;
    lastText_ = now;
    raiseEvent(this, onChange);
}

int TextBox::SelStart() const
{
    if (line_)
        return line_->hasSelectedText() ? line_->selectionStart() : line_->cursorPosition();
    return plain_->textCursor().selectionStart();
}

void TextBox::setSelStart(int start)
{
    if (start < 0)
        invalidValue();
    if (line_) {
        line_->setCursorPosition(std::min<int>(start, int(line_->text().size())));
    } else {
        QTextCursor c = plain_->textCursor();
        c.setPosition(std::min(start, plain_->document()->characterCount() - 1));
        plain_->setTextCursor(c);
    }
}

int TextBox::SelLength() const
{
    if (line_)
        return int(line_->selectedText().size());
    const QTextCursor c = plain_->textCursor();
    return c.selectionEnd() - c.selectionStart();
}

void TextBox::setSelLength(int length)
{
    if (length < 0)
        invalidValue();
    const int start = SelStart();
    if (line_) {
        const int n = std::min<int>(length, int(line_->text().size()) - start);
        if (n > 0)
            line_->setSelection(start, n);
        else
            line_->setCursorPosition(start);
    } else {
        QTextCursor c = plain_->textCursor();
        const int end = std::min(start + length, plain_->document()->characterCount() - 1);
        c.setPosition(start);
        c.setPosition(end, QTextCursor::KeepAnchor);
        plain_->setTextCursor(c);
    }
}

QString TextBox::SelText() const
{
    if (line_)
        return line_->selectedText();
    QString t = plain_->textCursor().selectedText();
    t.replace(QChar::ParagraphSeparator, QLatin1String("\r\n"));
    return t;
}

void TextBox::setSelText(const QString& text)
{
    if (line_) {
        line_->insert(text);
    } else {
        QTextCursor c = plain_->textCursor();
        c.insertText(toEditor(text));
        plain_->setTextCursor(c);
    }
}

void TextBox::setLocked(bool on)
{
    locked_ = on;
    applyLook();
}

void TextBox::setMultiLine(bool on)
{
    if (on == multiLine_)
        return;
    multiLine_ = on;
    buildEditor();
}

void TextBox::setScrollBars(int bars)
{
    if (bars < 0 || bars > 3)
        invalidValue();
    scrollBars_ = bars;
    applyLook();
}

void TextBox::setBorderStyle(int style)
{
    if (style < 0 || style > 1)
        invalidValue();
    borderStyle_ = style;
    applyLook();
}

void TextBox::setAlignment(int alignment)
{
    if (alignment < 0 || alignment > 2)
        invalidValue();
    alignment_ = alignment;
    applyLook();
}

void TextBox::SetFocus()
{
    QWidget* ed = editor();
    if (!isVisible() || !isEnabled() || !window()->isVisible())
        throw vb::Error(5, QStringLiteral("Invalid procedure call or argument"));
    // The window may not be the active one: the focus change then reaches Qt only when it is,
    // so the boxes keep their own account and raise their events now, as the program expects.
    for (TextBox* other : window()->findChildren<TextBox*>())
        if (other != this && other->focused_)
            other->lostFocus();
    ed->setFocus(Qt::OtherFocusReason);
    if (!focused_)
        gotFocus();
}

void TextBox::gotFocus()
{
    focused_ = true;
    raiseEvent(this, onGotFocus);
}

void TextBox::lostFocus()
{
    focused_ = false;
    raiseEvent(this, onLostFocus);
}

bool TextBox::eventFilter(QObject* watched, QEvent* event)
{
    auto* source = qobject_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::FocusIn:
        if (!focused_)
            gotFocus();
        break;
    case QEvent::FocusOut: {
        // Another window taking the keyboard is no focus change between controls.
        const Qt::FocusReason r = static_cast<QFocusEvent*>(event)->reason();
        if (focused_ && r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason)
            lostFocus();
        break;
    }
    case QEvent::KeyPress: {
        auto* ke = static_cast<QKeyEvent*>(event);
        const KeyInfo k = keyInfo(*ke);
        QPointer<TextBox> self(this);
        raiseEvent(this, onKeyDown, k.keyCode, k.shift);
        const int typed = keyAscii(*ke);
        if (!self || typed == 0 || !onKeyPress)
            return !self;
        int ascii = typed;
        raiseEvent(this, onKeyPress, ascii);
        if (!self)
            return true;
        if (ascii == typed)
            return false;
        if (ascii != 0 && !locked_) // the handler typed another character instead
            setSelText(QString(QChar(char16_t(ascii))));
        return true;
    }
    case QEvent::KeyRelease: {
        const KeyInfo k = keyInfo(*static_cast<QKeyEvent*>(event));
        if (!k.autoRepeat)
            raiseEvent(this, onKeyUp, k.keyCode, k.shift);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        if (source)
            dispatchMouse(static_cast<QMouseEvent*>(event), source);
        break;
    default:
        break;
    }
    return false;
}

void TextBox::resizeEvent(QResizeEvent* event)
{
    Control::resizeEvent(event);
    if (QWidget* ed = editor())
        ed->setGeometry(rect());
}

// Keys the editor leaves alone stop here: a text box's keys never reach its form.
void TextBox::keyPressEvent(QKeyEvent* event) { event->accept(); }
void TextBox::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

void TextBox::fontChanged()
{
    if (QWidget* ed = editor())
        ed->setFont(font());
}

void TextBox::colorsChanged()
{
    if (editor())
        applyLook();
}

void TextBox::copyFrom(const Control& other)
{
    if (auto* o = qobject_cast<const TextBox*>(&other)) {
        locked_ = o->locked_;
        scrollBars_ = o->scrollBars_;
        borderStyle_ = o->borderStyle_;
        alignment_ = o->alignment_;
        if (multiLine_ != o->multiLine_) {
            multiLine_ = o->multiLine_;
            buildEditor();
        }
        setText(o->Text());
    }
    Control::copyFrom(other);
}

} // namespace tk
