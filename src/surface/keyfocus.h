#pragma once
// Keeps the keys of a window reachable. When a text box that holds the keyboard focus is hidden,
// the focus moves on to the next shown box in their order, as it moves along the tab order; when
// no box is shown, the window itself takes it, so that its key events (the key judge of the work
// surface) see the keys again. A hidden box never keeps the keys.

#include <QObject>
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
    void passFocusOn(std::size_t hidden);

    QWidget* m_window;
    std::vector<tk::TextBox*> m_boxes;
};

} // namespace surface
