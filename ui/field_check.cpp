#include "ui/field_check.h"

#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QLineEdit>

namespace ui {

bool RefusesTextBeyondBytes(Prompts& prompts, QWidget* dialog, QLineEdit& field, const QString& fieldName)
{
    if (HoldsOnlyBytes(field.text()))
        return false;
    prompts.Message(dialog,
                    QStringLiteral("The %1 holds characters that cannot be saved as single bytes.").arg(fieldName));
    field.setFocus();
    return true;
}

} // namespace ui
