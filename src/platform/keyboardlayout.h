#pragma once
// Keyboard layouts and input methods: the layouts the candidate can type answers with, their
// input-method descriptions, and the switch to one of them.
//
//   std::vector<platform::KeyboardLayout> all = platform::keyboardLayouts();
//   platform::activateKeyboardLayout(ModData::lImeHkl);   // before typing into the answer box
//
// Layouts are named by a 32-bit handle. This platform offers one layout, the default one
// (handle 0, no input-method description), and switching to any handle changes nothing: the
// desktop's own input method stays in charge. A test, or a platform that can switch layouts,
// puts its own services in place with setKeyboardLayoutServices.

#include <QString>
#include <QtGlobal>
#include <functional>
#include <vector>

namespace platform {

struct KeyboardLayout {
    qint32 handle = 0;
    QString description; // the input method's description; empty for a plain keyboard layout
};

// The installed layouts, in the order the system lists them.
std::vector<KeyboardLayout> keyboardLayouts();

// Makes the layout of the handle the active one; an unknown handle changes nothing.
void activateKeyboardLayout(qint32 handle);

struct KeyboardLayoutServices {
    std::function<std::vector<KeyboardLayout>()> list;
    std::function<void(qint32 handle)> activate;
};
// Replaces the services; an empty function restores the default for that service.
void setKeyboardLayoutServices(KeyboardLayoutServices services);

} // namespace platform
