// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

// Answering the modal dialogs the windows open, from inside QTest.

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRect>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

// How a row of a window test closes a window: its button, a key, the menu
// or its shortcut, or a close request as the window manager sends it.
enum class CloseBy { Button, Enter, Escape, Menu, Shortcut, CloseRequest };
Q_DECLARE_METATYPE(CloseBy)

// Runs `answer` on the next modal widget of type T as soon as it is active.
// Only copy what the test needs and answer the dialog inside `answer`: the
// checks belong after the command returns. A dialog never answered is closed
// after `timeoutMs`, so a failing test does not hang.
template <class T> void whenModal(std::function<void(T *)> answer, int timeoutMs = 10000)
{
    auto *timer = new QTimer;
    const QDeadlineTimer deadline(timeoutMs);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, answer] {
        if (auto *dialog = qobject_cast<T *>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            answer(dialog);
        } else if (deadline.hasExpired()) {
            timer->stop();
            timer->deleteLater();
            if (QWidget *stuck = QApplication::activeModalWidget())
                stuck->close();
        }
    });
    timer->start(10);
}

struct MessageBoxSeen
{
    bool seen = false;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    QStringList buttonTexts;
    bool hasIconPixmap = false;
};

// Answers the next message box with `button`, recording what it showed.
inline std::shared_ptr<MessageBoxSeen> answerMessageBox(QMessageBox::StandardButton button,
                                                        std::function<void()> then = {})
{
    auto seen = std::make_shared<MessageBoxSeen>();
    whenModal<QMessageBox>([seen, button, then](QMessageBox *box) {
        seen->seen = true;
        seen->title = box->windowTitle();
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = box->standardButtons();
        seen->defaultButton = box->standardButton(box->defaultButton());
        for (QAbstractButton *b : box->buttons())
            seen->buttonTexts << b->text();
        seen->buttonTexts.sort();
        seen->hasIconPixmap = !box->iconPixmap().isNull();
        if (then)
            then();
        box->button(button)->click();
    });
    return seen;
}

struct FileDialogSeen
{
    bool seen = false;
    QString title;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    QStringList nameFilters;
    QString directory;
    QString proposedName;
    bool native = true;
    QString proxyClass; // the model the dialog shows its files through
};

// Answers the next file dialog by typing `path` (or cancels it when empty).
inline std::shared_ptr<FileDialogSeen> answerFileDialog(const QString &path, std::function<void()> then = {})
{
    // Windows' own dialogs cannot be answered from inside a test; Qt's stand
    // in for them (the end-to-end run under Wine drives the real ones).
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    auto seen = std::make_shared<FileDialogSeen>();
    whenModal<QFileDialog>([seen, path, then](QFileDialog *dialog) {
        seen->seen = true;
        seen->title = dialog->windowTitle();
        seen->mode = dialog->acceptMode();
        seen->nameFilters = dialog->nameFilters();
        seen->directory = dialog->directory().absolutePath();
        seen->native = !dialog->testOption(QFileDialog::DontUseNativeDialog)
                       && !QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs);
        if (dialog->proxyModel())
            seen->proxyClass = QString::fromLatin1(dialog->proxyModel()->metaObject()->className());
        auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        seen->proposedName = edit ? edit->text() : QString();
        if (then)
            then();
        if (path.isEmpty() || !edit) {
            dialog->reject();
            return;
        }
        edit->setText(path);
        QTest::keyClick(edit, Qt::Key_Return);
    });
    return seen;
}

// Makes `window` the active window. A dialog's own check passes as soon as
// its owner is active, so this waits for the application to say so.
inline bool makeActive(QWidget *window)
{
    window->activateWindow();
    return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 5000);
}

// One control of a window, by object name, and where the window places it.
struct Placement
{
    const char *name;
    QRect geometry;
};

// Checks a window's geometry table: each named control where the table
// says, and no two controls of the same parent overlapping (so a wrong
// number shows even where the table and the code agree on it). Empty when
// all holds; else each fault, one a line.
inline QString placementFaults(const QWidget &window, const QList<Placement> &table)
{
    QString faults;
    QList<const QWidget *> placed;
    for (const Placement &entry : table) {
        const auto *control = window.findChild<QWidget *>(QLatin1String(entry.name));
        if (!control) {
            faults += QStringLiteral("%1: missing\n").arg(QLatin1String(entry.name));
            continue;
        }
        const QRect at = control->geometry();
        if (at != entry.geometry)
            faults += QStringLiteral("%1: at %2,%3 %4x%5\n")
                          .arg(QLatin1String(entry.name))
                          .arg(at.x())
                          .arg(at.y())
                          .arg(at.width())
                          .arg(at.height());
        for (const QWidget *other : placed)
            if (other->parentWidget() == control->parentWidget() && other->geometry().intersects(at))
                faults += QStringLiteral("%1 overlaps %2\n").arg(QLatin1String(entry.name), other->objectName());
        placed << control;
    }
    return faults;
}
