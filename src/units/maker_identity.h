#pragma once

#include <QString>

// The maker's identity as the printouts' footer and the information dialogs show it: one place for both, so
// that an address changes everywhere at once. These texts are fixed; they never pass through the text lookup.
namespace maker {
inline const QString company = QStringLiteral("Quendra Armaturen GmbH");
inline const QString street = QStringLiteral("Musterstraße 1, 12345 Musterstadt");
inline const QString phone = QStringLiteral("Tel. +49 000 0000-0");
inline const QString web = QStringLiteral("www.example.com");
inline const QString productWeb = QStringLiteral("www.example.com/quendra");
inline const QString mail = QStringLiteral("info@example.com");

// The partner of the partner-branded display variant.
inline const QString partnerWeb = QStringLiteral("www.example.org");
inline const QString partnerMail = QStringLiteral("info@example.org");
} // namespace maker
