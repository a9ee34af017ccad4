#include "mod_principal.h"

#include "frm_intro.h"
#include "frm_principal.h"
#include "generation/parametros.h"
#include "titulo.h"

#include <QLabel>

Arranque Main()
{
    ValoresPorDefecto(parametrosDelPrograma());
    const QString &titulo = Titulo();
    auto *principal = new frmPrincipal;
    principal->setWindowTitle(titulo);
    auto *intro = new frmIntro(principal);
    intro->setWindowTitle(titulo);
    intro->Label1->setText(titulo);
    intro->show();
    return {principal, intro};
}
