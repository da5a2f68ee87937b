#pragma once
// Keeps the keys of a window reachable: when a text box that holds the keyboard focus is hidden
// and no other box takes it, the window itself takes the focus, so that its key events (the key
// judge of the work surface) see the keys again. A hidden box never keeps the keys.

#include <QObject>
#include <QPointer>
#include <initializer_list>
#include <vector>

class QWidget;
namespace tk {
class TextBox;
}

namespace surface {

class KeyFocusKeeper : public QObject {
public:
    KeyFocusKeeper(QWidget* window, std::initializer_list<tk::TextBox*> boxes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    std::vector<tk::TextBox*> m_boxes;
};

} // namespace surface
