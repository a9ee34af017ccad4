// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// close_request WINDOW: sends the window the WM_DELETE_WINDOW message a window
// manager or a taskbar's "Close" sends, straight to the client, whatever the
// running window manager does with windows of its type.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: close_request VENTANA\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "close_request: sin pantalla X\n");
        return 1;
    }
    const Window window = Window(std::strtoul(argv[1], nullptr, 0));
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent ? 0 : 1;
}
