// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include <QTest>
class T : public QObject { Q_OBJECT };
QTEST_GUILESS_MAIN(T)
#include "tst_chain_check.moc"
