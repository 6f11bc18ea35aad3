#pragma once

#include <QLabel>

class Document;

// The status bar's field of the document's state: the name Save writes to ("Untitled"
// without one), marked "*" while the document counts as changed, its full path the
// field's hint. It follows the document as it changes.
class DocumentStateField final : public QLabel {
    Q_OBJECT

public:
    explicit DocumentStateField(const Document& document, QWidget* parent = nullptr);

private:
    void Show();

    const Document& document_;
};
