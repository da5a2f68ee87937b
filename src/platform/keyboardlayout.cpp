#include "platform/keyboardlayout.h"

namespace platform {

namespace {

KeyboardLayoutServices& services()
{
    static KeyboardLayoutServices s;
    return s;
}

} // namespace

std::vector<KeyboardLayout> keyboardLayouts()
{
    if (services().list)
        return services().list();
    return {KeyboardLayout{}};
}

void activateKeyboardLayout(qint32 handle)
{
    if (services().activate)
        services().activate(handle);
}

void setKeyboardLayoutServices(KeyboardLayoutServices s) { services() = std::move(s); }

} // namespace platform
