#include "app/find_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QToolButton>

namespace {

QToolButton* BarButton(const QString& caption, const char* name)
{
    auto* button = new QToolButton;
    button->setText(caption);
    button->setObjectName(QLatin1String(name));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

FindBar::FindBar(QPlainTextEdit& editor, QWidget* parent)
    : QWidget(parent)
    , editor_(editor)
    , field_(new QLineEdit)
    , matchCase_(new QCheckBox(QStringLiteral("Match &case")))
    , result_(new QLabel)
{
    setObjectName(QStringLiteral("FindBar"));
    field_->setObjectName(QStringLiteral("FindText"));
    field_->setClearButtonEnabled(true);
    field_->installEventFilter(this);
    matchCase_->setObjectName(QStringLiteral("FindMatchCase"));
    result_->setObjectName(QStringLiteral("FindResult"));
    QToolButton* previous = BarButton(QStringLiteral("Previous"), "FindPreviousButton");
    QToolButton* next = BarButton(QStringLiteral("Next"), "FindNextButton");
    QToolButton* close = BarButton(QStringLiteral("Close"), "FindCloseButton");
    connect(previous, &QToolButton::clicked, this, &FindBar::FindPrevious);
    connect(next, &QToolButton::clicked, this, &FindBar::FindNext);
    connect(close, &QToolButton::clicked, this, &FindBar::Close);
    connect(field_, &QLineEdit::textEdited, result_, &QLabel::clear);
    auto* label = new QLabel(QStringLiteral("Find:"));
    label->setBuddy(field_);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    for (QWidget* widget : std::initializer_list<QWidget*> { label, field_, previous, next, matchCase_, result_ })
        row->addWidget(widget);
    row->addStretch();
    row->addWidget(close);
    hide();
}

void FindBar::Open()
{
    const QString selected = editor_.textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator))
        field_->setText(selected);
    result_->clear();
    show();
    field_->setFocus(Qt::ShortcutFocusReason);
    field_->selectAll();
}

void FindBar::Close()
{
    hide();
    editor_.setFocus(Qt::ShortcutFocusReason);
}

void FindBar::FindNext()
{
    Find(true);
}

void FindBar::FindPrevious()
{
    Find(false);
}

void FindBar::Find(bool forward)
{
    if (field_->text().isEmpty()) {
        Open();
        return;
    }
    QTextDocument::FindFlags flags;
    if (!forward)
        flags |= QTextDocument::FindBackward;
    if (matchCase_->isChecked())
        flags |= QTextDocument::FindCaseSensitively;
    const QTextDocument& text = *editor_.document();
    QTextCursor found = text.find(field_->text(), editor_.textCursor(), flags);
    if (found.isNull()) {
        QTextCursor end(editor_.document());
        end.movePosition(forward ? QTextCursor::Start : QTextCursor::End);
        found = text.find(field_->text(), end, flags);
    }
    if (found.isNull()) {
        result_->setText(QStringLiteral("not found"));
        return;
    }
    result_->clear();
    editor_.setTextCursor(found);
    editor_.ensureCursorVisible();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Find(!(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            Close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
