// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#pragma once

#include "shell/lock_keys.h"

#include <QDateTime>
#include <QStatusBar>

#include <array>
#include <functional>

class QLabel;
class QTimer;

// `StatusBar1`: date, time and the three lock keys, kept current by itself.
class StatusBarPanels : public QStatusBar
{
    Q_OBJECT

public:
    using Clock = std::function<QDateTime()>;

    explicit StatusBarPanels(std::unique_ptr<LockKeySource> lockKeys, QWidget *parent = nullptr);
    ~StatusBarPanels() override;

    // For tests: a fixed clock.
    void setClock(Clock clock);

    QLabel *panel(int number) const { return panels_[size_t(number - 1)]; } // 1 to 5
    bool panelLit(int number) const;

    void refresh();

private:
    std::unique_ptr<LockKeySource> lockKeys_;
    std::array<QLabel *, 5> panels_{};
    Clock clock_;
    QTimer *timer_;
};
