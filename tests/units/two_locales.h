#pragma once

#include "platform/core/number_text.h"

#include <QCoreApplication>
#include <QLocale>
#include <QString>
#include <QTest>

// Each suite runs twice: with the C locale and with a German one (decimal comma), since every number text the
// user sees follows the regional settings.
namespace testlocale {

// A number written in C notation ("1.013"), as the user's locale writes it.
inline QString zahl(const char *cNotation)
{
    QString s = QString::fromLatin1(cNotation);
    s.replace(QLatin1Char('.'), numtext::userLocale().decimalPoint());
    return s;
}

template <typename Suite>
int runUnderBothLocales(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    int status = 0;
    for (const QLocale &locale : {QLocale::c(), QLocale(QLocale::German, QLocale::Germany)}) {
        numtext::setUserLocale(locale);
        Suite suite;
        status |= QTest::qExec(&suite, argc, argv);
    }
    numtext::resetUserLocale();
    return status;
}

} // namespace testlocale

#define QUENDRA_TEST_MAIN_TWO_LOCALES(Suite)                                                                      \
    int main(int argc, char **argv)                                                                                \
    {                                                                                                              \
        return testlocale::runUnderBothLocales<Suite>(argc, argv);                                                 \
    }
