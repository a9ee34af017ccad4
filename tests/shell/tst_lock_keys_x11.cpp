// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
// The lock keys as X11 reports them, on a real X server (run under xvfb-run).
#include "shell/lock_keys.h"

#include <QGuiApplication>
#include <QTest>

#include <X11/XKBlib.h>
#include <X11/keysym.h>

class TestLockKeysX11 : public QObject
{
    Q_OBJECT

private slots:
    void followsTheKeyboard();
};

void TestLockKeysX11::followsTheKeyboard()
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        QSKIP("not on an X server");
    Display *display = x11->display();
    const std::unique_ptr<LockKeySource> source = createLockKeySource();

    // Lock Caps and Num the way the keys do: as locked modifiers.
    const unsigned num = XkbKeysymToModifiers(display, XK_Num_Lock);
    QVERIFY(num != 0);
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | num, 0);
    XSync(display, False);
    std::optional<LockKeyState> state = source->read();
    QVERIFY(state);
    QVERIFY(!state->caps && !state->num);

    XkbLockModifiers(display, XkbUseCoreKbd, LockMask | num, LockMask | num);
    XSync(display, False);
    QTRY_VERIFY((state = source->read()) && state->caps && state->num);

    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, 0);
    XSync(display, False);
    QTRY_VERIFY((state = source->read()) && !state->caps && state->num);
    XkbLockModifiers(display, XkbUseCoreKbd, num, 0);
    XSync(display, False);
}

QTEST_MAIN(TestLockKeysX11)
#include "tst_lock_keys_x11.moc"
