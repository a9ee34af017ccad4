// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// X11: the keyboard indicators through XKB, on Qt's own display connection.
#include "shell/lock_keys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace {

class X11LockKeys : public LockKeySource
{
public:
    explicit X11LockKeys(Display *display) : display_(display) {}

    std::optional<LockKeyState> read() override
    {
        LockKeyState state;
        if (!indicator("Num Lock", state.num) || !indicator("Caps Lock", state.caps))
            return std::nullopt;
        indicator("Scroll Lock", state.scroll); // absent from some keymaps: off
        return state;
    }

private:
    bool indicator(const char *name, bool &on)
    {
        const Atom atom = XInternAtom(display_, name, True);
        Bool lit = False;
        if (atom == None || !XkbGetNamedIndicator(display_, atom, nullptr, &lit, nullptr, nullptr))
            return false;
        on = lit;
        return true;
    }

    Display *display_;
};

} // namespace

std::unique_ptr<LockKeySource> createLockKeySource()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (x11 && x11->display())
        return std::make_unique<X11LockKeys>(x11->display());
    return std::make_unique<NoLockKeys>(); // offscreen, Wayland
}
