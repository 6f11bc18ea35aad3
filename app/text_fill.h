#pragma once

#include "hierarchy/progress.h"

#include <QTextDocument>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A text document laid out as the text view lays out text, with the font and text options
// of `like` when there is one; all set before there is any text to lay out.
std::unique_ptr<QTextDocument> NewTextDocument(const QTextDocument* like = nullptr);

// Puts the lines in the empty text document, a line end after each but the last unless the
// text ends with one. It goes in piece by piece, so that the listener hears after each piece
// how far it has come and may stop it: it then throws Cancelled, the text half in. Each line
// is emptied once it is in, so the text is never held twice.
void FillTextDocument(QTextDocument& text, std::vector<std::string>& lines, bool finalLineEnd,
                      varnoke::Progress* progress, std::string_view what);
