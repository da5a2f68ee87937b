#pragma once
// Control arrays: like controls under one name, told apart by an index, with one handler per
// event taking the index.
//
//   tk::ControlArray<tk::Label> LMainMenu{this};          // container: the form or a container
//   for (int i = 1; i <= 9; ++i) LMainMenu.create(i);      // elements that exist at design
//   LMainMenu.onMouseDown = [this](int index, int button, int shift, float x, float y) { ... };
//   LMainMenu[3].setCaption("");                           // 340 when element 3 does not exist
//   LblRow.load(7);     // run-time element: a copy of the lowest element's properties, hidden
//   LblRow.unload(7);   // run-time elements only (362 for a design element); safe from its own handler
//
// The array's handlers are the mouse events, Click and DblClick; other events of an element (a
// text box's Change, say) are set on the element itself. Elements lie above the elements
// created before them. Errors: 340 no such element, 360 the
// element exists already, 362 a design element cannot be unloaded.

#include "toolkit/control.h"
#include "toolkit/vberror.h"

#include <QPointer>
#include <map>
#include <vector>

namespace tk {

template <class T>
class ControlArray {
public:
    using IndexMouseHandler = std::function<void(int index, int button, int shift, float x, float y)>;
    using IndexHandler = std::function<void(int index)>;

    explicit ControlArray(QWidget* container) : container_(container) {}
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;
    ~ControlArray()
    {
        for (auto& [index, slot] : items_)
            delete slot.control.data();
    }

    // A design element: visible, with the kind's default properties.
    T& create(int index)
    {
        T& c = add(index, true);
        c.show();
        return c;
    }

    // A run-time element (Load): the lowest element's properties, hidden.
    T& load(int index)
    {
        const T* model = items_.empty() ? nullptr : items_.begin()->second.control.data();
        T& c = add(index, false);
        if (model)
            c.copyFrom(*model);
        c.hide();
        return c;
    }

    void unload(int index)
    {
        auto it = items_.find(index);
        if (it == items_.end())
            throw vb::Error(340, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        if (it->second.design)
            throw vb::Error(362, QStringLiteral("Can't unload controls created at design time"));
        QPointer<T> c = it->second.control;
        items_.erase(it);
        if (c) {
            c->hide();
            c->deleteLater();
        }
    }

    bool exists(int index) const { return items_.count(index) != 0; }

    T& operator[](int index) const
    {
        auto it = items_.find(index);
        if (it == items_.end() || !it->second.control)
            throw vb::Error(340, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
        return *it->second.control;
    }
    T& operator()(int index) const { return (*this)[index]; }

    int Count() const { return static_cast<int>(items_.size()); }
    int LBound() const { return items_.empty() ? 0 : items_.begin()->first; }
    int UBound() const { return items_.empty() ? 0 : items_.rbegin()->first; }
    std::vector<int> indexes() const
    {
        std::vector<int> v;
        for (const auto& [index, slot] : items_)
            v.push_back(index);
        return v;
    }

    IndexMouseHandler onMouseDown;
    IndexMouseHandler onMouseMove;
    IndexMouseHandler onMouseUp;
    IndexHandler onClick;
    IndexHandler onDblClick;

private:
    struct Slot {
        QPointer<T> control;
        bool design = false;
    };

    T& add(int index, bool design)
    {
        if (exists(index))
            throw vb::Error(360, QStringLiteral("Object already loaded"));
        T* c = new T(container_);
        items_[index] = Slot{c, design};
        c->onMouseDown = [this, index](int b, int s, float x, float y) { raiseEvent(onMouseDown, index, b, s, x, y); };
        c->onMouseMove = [this, index](int b, int s, float x, float y) { raiseEvent(onMouseMove, index, b, s, x, y); };
        c->onMouseUp = [this, index](int b, int s, float x, float y) { raiseEvent(onMouseUp, index, b, s, x, y); };
        c->onClick = [this, index] { raiseEvent(onClick, index); };
        c->onDblClick = [this, index] { raiseEvent(onDblClick, index); };
        return *c;
    }

    QWidget* container_;
    std::map<int, Slot> items_;
};

} // namespace tk
