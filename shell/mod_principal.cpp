// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "shell/mod_principal.h"

#include "core/titulo.h"
#include "generation/core/parametros.h"
#include "shell/frm_intro.h"
#include "shell/frm_principal.h"

#include <QLabel>

Startup Main()
{
    ValoresPorDefecto(programParameters());
    const QString &titulo = Titulo();
    auto *principal = new frmPrincipal;
    principal->setWindowTitle(titulo);
    auto *intro = new frmIntro(principal);
    intro->setWindowTitle(titulo);
    intro->Label1->setText(titulo);
    intro->show();
    return {principal, intro};
}
