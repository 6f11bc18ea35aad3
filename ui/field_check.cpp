#include "ui/field_check.h"

#include "ui/prompts.h"
#include "ui/text_conversions.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace ui {

namespace {

bool IsBlankOrTab(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool SplitsIntoWords(const QString& text)
{
    return std::any_of(text.begin(), text.end(), IsBlankOrTab) && !std::all_of(text.begin(), text.end(), IsBlankOrTab);
}

// The label as it reads, without the marks of its Alt letter.
QString Words(const QLabel& label)
{
    QString words = label.text();
    for (qsizetype i = words.indexOf(u'&'); i >= 0; i = words.indexOf(u'&', i + 1))
        words.remove(i, 1);
    return words;
}

} // namespace

bool RefusesFieldText(Prompts& prompts, QWidget* dialog, const QLabel& label, FieldText allowed)
{
    auto& field = *qobject_cast<QLineEdit*>(label.buddy());
    const QString text = field.text();
    QString refusal;
    if (!HoldsOnlyBytes(text))
        refusal = QStringLiteral("The %1 holds characters that cannot be saved as single bytes.");
    else if (allowed == FieldText::oneWord && SplitsIntoWords(text))
        refusal = QStringLiteral("The %1 cannot hold blanks or tabs.");
    if (refusal.isEmpty())
        return false;
    prompts.Message(dialog, refusal.arg(Words(label)));
    field.setFocus();
    return true;
}

} // namespace ui
