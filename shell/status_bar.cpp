// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "shell/status_bar.h"

#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QTimer>

namespace {
// Panel widths in pixels: 2540 and 953 twips.
constexpr int kWidths[5] = {169, 169, 64, 64, 64};
const char *const kLockNames[3] = {"NUM", "MAYÚS", "DESPL"};
const char *const kAccessibleNames[5] = {"Fecha", "Hora", "Bloq Num", "Bloq Mayús", "Bloq Despl"};

// Set only on a change: each change is announced to assistive technology.
void setSpokenName(QLabel *panel, const QString &name)
{
    if (panel->accessibleName() != name)
        panel->setAccessibleName(name);
}
} // namespace

StatusBarPanels::StatusBarPanels(std::unique_ptr<LockKeySource> lockKeys, QWidget *parent)
    : QStatusBar(parent), lockKeys_(std::move(lockKeys)), clock_([] { return QDateTime::currentDateTime(); }),
      timer_(new QTimer(this))
{
    setObjectName(QStringLiteral("StatusBar1"));
    setSizeGripEnabled(false);
    setFixedHeight(25);
    for (int i = 0; i < 5; ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        label->setFixedWidth(kWidths[i]);
        label->setAlignment(i < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter);
        if (i >= 2)
            label->setText(QString::fromUtf8(kLockNames[i - 2]));
        addWidget(label);
        panels_[size_t(i)] = label;
    }
    // Polled: no platform tells us when a lock key changes while we lack focus.
    connect(timer_, &QTimer::timeout, this, &StatusBarPanels::refresh);
    timer_->start(250);
    refresh();
}

StatusBarPanels::~StatusBarPanels() = default;

void StatusBarPanels::setClock(Clock clock)
{
    clock_ = std::move(clock);
    refresh();
}

bool StatusBarPanels::panelLit(int number) const
{
    return panel(number)->isEnabled();
}

void StatusBarPanels::refresh()
{
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const QDateTime now = clock_();
    panels_[0]->setText(spanish.toString(now.date(), QStringLiteral("dd/MM/yyyy")));
    panels_[1]->setText(spanish.toString(now.time(), QStringLiteral("HH:mm")));
    // A screen reader speaks the name: it carries what the panel shows.
    for (int i = 0; i < 2; ++i)
        setSpokenName(panels_[size_t(i)], QString::fromUtf8(kAccessibleNames[i]) + u' ' + panels_[size_t(i)]->text());

    const std::optional<LockKeyState> keys = lockKeys_->read();
    const bool lit[3] = {keys && keys->num, keys && keys->caps, keys && keys->scroll};
    // A key that is off, or cannot be read, is shown greyed out.
    for (int i = 0; i < 3; ++i) {
        panels_[size_t(i + 2)]->setEnabled(lit[i]);
        const char *state = !keys ? "estado desconocido" : lit[i] ? "activado" : "desactivado";
        setSpokenName(panels_[size_t(i + 2)], QString::fromUtf8(kAccessibleNames[i + 2]) + u' ' + QLatin1String(state));
    }
}
