// SPDX-FileCopyrightText: 2026 Equipo Vandrel
// SPDX-License-Identifier: GPL-2.0-only
#include "generation/frm_generar.h"

#include "core/typing.h"
#include "widgets/appearance.h"
#include "widgets/messages.h"
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

// Sizes are laid out in twips, 15 to the pixel.
QRect twips(int left, int top, int width, int height)
{
    return QRect(left / 15, top / 15, width / 15, height / 15);
}

struct ClassFrame
{
    const char *name;
    const char *caption;
    int left, top;
};

constexpr ClassFrame kClassFrames[7] = {
    {"Frame1", "Novice", 120, 120},        {"Frame2", "1º Job", 2280, 120},      {"Frame3", "2º Job", 4440, 120},
    {"Frame4", "Super Novice", 6600, 120}, {"Frame5", "Novice High", 120, 1440}, {"Frame6", "1º Job Adv", 2280, 1440},
    {"Frame7", "2º Job Adv", 4440, 1440},
};

// The formula boxes: index into parameterFields(), label, and place.
struct FormulaBox
{
    int field;
    const char *label;
    int labelWidth;
    bool right;
    int boxTop;
};

constexpr FormulaBox kFormulaBoxes[6] = {
    {14, "Multiplicador de Exp :", 2235, false, 240},  {16, "Intervalo de Incremento :", 2550, true, 240},
    {15, "Multiplicador de JExp :", 2355, false, 720}, {17, "Intervalo de Incremento :", 2550, true, 720},
    {18, "Incremento de Exp :", 2025, false, 1200},    {19, "Incremento de JExp", 2010, true, 1200},
};

// The order of the accept step: base boxes, job boxes, then the formula.
constexpr int kAcceptOrder[20] = {0, 2, 4, 6, 8, 10, 12, 1, 3, 5, 7, 9, 11, 13, 14, 16, 15, 17, 18, 19};

// A label at its place; where the fallback face draws its text a few pixels
// wider than the room given, it takes them from the gap before its box.
QLabel *addLabel(QWidget *parent, const char *text, QRect geometry, int boxLeft)
{
    auto *label = new QLabel(QString::fromUtf8(text), parent);
    label->setFont(timesFont12(true));
    const int needed = label->fontMetrics().horizontalAdvance(label->text()) + 1;
    geometry.setWidth(std::clamp(needed, geometry.width(), std::max(geometry.width(), boxLeft - 2 - geometry.left())));
    label->setGeometry(geometry);
    return label;
}

} // namespace

frmGenerar::frmGenerar(Parametros &parametros, QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint),
      parameters_(parametros)
{
    setObjectName(QStringLiteral("frmGenerar"));
    setWindowTitle(QStringLiteral("Generar Tabla de Experiencia"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(8775 / 15, 5280 / 15);
    setFont(timesFont12(false));
    // Frame captions sit on the frame's top line, so the boxes at 16 px fit inside.
    setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid palette(mid); border-radius: 2px; margin-top: 9px; }"
                                 "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0 2px; }"));

    const auto &fields = parameterFields();
    auto addBox = [&](int field, QWidget *parent, QRect geometry, QLabel *label) {
        auto *box = new QLineEdit(parent);
        box->setObjectName(QStringLiteral("Txt") + QLatin1String(fields[size_t(field)].name));
        box->setGeometry(geometry);
        box->setFont(timesFont12(false));
        box->setMaxLength(fields[size_t(field)].maxLength);
        box->setAccessibleName(QString::fromUtf8(fields[size_t(field)].group) + QLatin1Char(' ')
                               + QString::fromUtf8(fields[size_t(field)].label));
        box->installEventFilter(this);
        label->setBuddy(box);
        boxes_[size_t(field)] = box;
    };

    for (int f = 0; f < 7; ++f) {
        auto *frame = new QGroupBox(QString::fromUtf8(kClassFrames[f].caption), this);
        frame->setObjectName(QLatin1String(kClassFrames[f].name));
        frame->setGeometry(twips(kClassFrames[f].left, kClassFrames[f].top, 2055, 1215));
        frame->setFont(timesFont12(true));
        addBox(2 * f, frame, twips(840, 240, 975, 375), addLabel(frame, "Base :", twips(120, 360, 645, 285), 840 / 15));
        addBox(2 * f + 1, frame, twips(840, 720, 975, 375),
               addLabel(frame, "Job :", twips(120, 840, 495, 285), 840 / 15));
    }

    auto *formula = new QGroupBox(QStringLiteral("Datos de La Formula"), this);
    formula->setObjectName(QStringLiteral("Frame8"));
    formula->setGeometry(twips(120, 2760, 8535, 1815));
    formula->setFont(timesFont12(true));
    for (const FormulaBox &f : kFormulaBoxes) {
        QLabel *label = addLabel(formula, f.label, twips(f.right ? 4320 : 120, f.boxTop + 120, f.labelWidth, 285),
                                 (f.right ? 7320 : 2520) / 15);
        addBox(f.field, formula, twips(f.right ? 7320 : 2520, f.boxTop, 975, 375), label);
    }

    cmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    cmdAceptar->setObjectName(QStringLiteral("cmdAceptar"));
    cmdAceptar->setGeometry(twips(5880, 4680, 1335, 495));
    cmdAceptar->setDefault(true);
    cmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    cmdCancelar->setObjectName(QStringLiteral("cmdCancelar"));
    cmdCancelar->setGeometry(twips(7320, 4680, 1335, 495));
    cmdCancelar->setAutoDefault(false);
    connect(cmdAceptar, &QPushButton::clicked, this, &frmGenerar::acceptClicked);
    connect(cmdCancelar, &QPushButton::clicked, this, &QDialog::reject);

    for (size_t i = 1; i < boxes_.size(); ++i)
        setTabOrder(boxes_[i - 1], boxes_[i]);
    setTabOrder(boxes_.back(), cmdCancelar);
    setTabOrder(cmdCancelar, cmdAceptar);

    fillControls();

    centreOver(this, owner);
}

QLineEdit *frmGenerar::boxNamed(const char *name) const
{
    const int index = parameterFieldIndex(name);
    return index < 0 ? nullptr : boxes_[size_t(index)];
}

void frmGenerar::fillControls()
{
    ValoresPorDefecto(parameters_);
    const auto &fields = parameterFields();
    for (size_t i = 0; i < fields.size(); ++i)
        boxes_[i]->setText(QString::number(fields[i].field(parameters_)));
}

void frmGenerar::acceptClicked()
{
    // Every box is checked before anything is handed back: a bad one changes nothing.
    const auto &fields = parameterFields();
    Parametros accepted = parameters_;
    for (int field : kAcceptOrder) {
        QLineEdit *box = boxes_[size_t(field)];
        const std::optional<int16_t> value = parseParameterValue(box->text());
        if (!value) {
            showError(this, parameterValueError(box->accessibleName()));
            box->setFocus();
            box->selectAll();
            return;
        }
        fields[size_t(field)].field(accepted) = *value;
    }
    emit parametersAccepted(accepted);
}

bool frmGenerar::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !qobject_cast<QLineEdit *>(watched))
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        // Enter presses the default button here, not in QDialog: on its way
        // up a key press passes the boxes' frames, and QGroupBox takes the
        // theme's button-press keys, Return among them under GNOME and GTK3.
        if (cmdAceptar->isEnabled())
            cmdAceptar->click();
        return true;
    }
    // Typed characters: only the ten digits, backspace and carriage return.
    // Control keys such as Escape type no character; Ctrl and Meta shortcuts
    // (paste, copy) pass. Alt+letter reaches here only when it is no access
    // key, and a line edit would type the letter: it is filtered as typed
    // (as is AltGr, Ctrl+Alt on Windows, which types '@' and the like).
    const bool shortcut =
        key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier) && !(key->modifiers() & Qt::AltModifier);
    const QString typed = key->text();
    if (!shortcut) {
        if (typed.size() == 1 && typed.at(0).unicode() >= 0x20 && typed.at(0).unicode() != 0x7f) {
            if (!isAcceptedCharacter(typed.at(0)))
                return true;
        } else if (typed.size() > 1) {
            return true; // an input method's composed text
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmGenerar::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    finishFirstShow(this, boxes_.front(), shown_);
}
