#pragma once

// The text of a PDF file as pdftotext lays it out, for reading a printout back; empty when the tool does not
// finish within 30 s.

#include <QProcess>
#include <QString>

namespace testsupport {

inline QString pdfText(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000))
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace testsupport
