#include "widgets/file_dialogs.h"

QFileDialog::Options fileDialogOptions()
{
    return QFileDialog::DontUseNativeDialog;
}
