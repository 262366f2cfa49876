#pragma once

#include <QString>
#include <QTextDocument>

namespace korvane {

// Tooltips take text that looks like markup as markup; names the user typed are shown as they
// were typed, on one line.
inline QString PlainToolTip(const QString& text) {
    if (!Qt::mightBeRichText(text))
        return text;
    return QStringLiteral("<p style='white-space:pre'>") + text.toHtmlEscaped() +
           QStringLiteral("</p>");
}

}  // namespace korvane
