#pragma once

// The text of a piece of a help page as the help window shows it: tags dropped, the page's few entities read,
// white space run together.

#include <QRegularExpression>
#include <QString>

namespace testsupport {

inline QString plainText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

} // namespace testsupport
