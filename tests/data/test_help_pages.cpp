// The help pages as the program folder of the build holds them: the two pages the help menu opens exist, every page
// is copied unchanged from data/, is well-formed enough for the help window, and every link names a page and an
// anchor that exist, as does every section F1 leads to; no page is out of reach of the start page of its language.
#include "app/help_sections.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

const QString kProgram = QStringLiteral(QUENDRA_PROGRAM_DIR);
const QString kSources = QStringLiteral(QUENDRA_SOURCE_DIR "/data/program");

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList helpPages()
{
    return QDir(kSources).entryList({QStringLiteral("*.html")}, QDir::Files, QDir::Name);
}

QStringList attributeValues(const QString &html, const QString &attribute)
{
    QStringList out;
    // Either quote: a link in single quotes must not escape the checks.
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*([\"'])(.*?)\\1").arg(attribute),
                                QRegularExpression::CaseInsensitiveOption);
    for (auto it = re.globalMatch(html); it.hasNext();)
        out << it.next().captured(2);
    return out;
}

} // namespace

class TestHelpPages : public QObject {
    Q_OBJECT

private slots:
    void startPagesExist_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("language");
        QTest::newRow("German") << "hilfe.html" << "de";
        QTest::newRow("English") << "help.html" << "en";
    }
    void startPagesExist()
    {
        QFETCH(QString, page);
        QFETCH(QString, language);
        const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + page));
        QVERIFY2(!html.isEmpty(), qPrintable(page));
        QVERIFY(html.contains(QStringLiteral("<html lang=\"%1\">").arg(language)));
    }

    void pagesAreCopiedUnchanged()
    {
        QVERIFY(helpPages().size() >= 4);
        for (const QString &page : helpPages()) {
            const QByteArray source = bytesOf(kSources + QLatin1Char('/') + page);
            QVERIFY(!source.isEmpty());
            QVERIFY2(bytesOf(kProgram + QLatin1Char('/') + page) == source, qPrintable(page));
        }
    }

    void pagesSuitTheHelpWindow()
    {
        for (const QString &page : helpPages()) {
            const QByteArray bytes = bytesOf(kSources + QLatin1Char('/') + page);
            const QString html = QString::fromUtf8(bytes);
            QVERIFY2(html.toUtf8() == bytes, qPrintable(page + ": not UTF-8"));
            QVERIFY2(html.contains(QLatin1String("<meta charset=\"utf-8\">")), qPrintable(page));
            QVERIFY2(QRegularExpression(QStringLiteral("<title>[^<]+</title>")).match(html).hasMatch(),
                     qPrintable(page));
            QVERIFY2(!html.contains(QLatin1String("<script"), Qt::CaseInsensitive), qPrintable(page));
            QCOMPARE(html.count(QLatin1String("<body>")), 1);
            QCOMPARE(html.count(QLatin1String("</html>")), 1);
        }
    }

    void everyLinkResolves()
    {
        for (const QString &page : helpPages()) {
            const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + page));
            const QStringList links = attributeValues(html, QStringLiteral("href"));
            QVERIFY2(!links.isEmpty(), qPrintable(page + ": links nowhere"));
            for (const QString &link : links) {
                const QString where = page + QStringLiteral(" -> ") + link;
                QVERIFY2(!link.contains(QLatin1Char(':')) && !link.startsWith(QLatin1Char('/')), qPrintable(where));
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                const QString anchor = link.section(QLatin1Char('#'), 1);
                const QString target = file.isEmpty() ? page : file;
                const QByteArray bytes = bytesOf(kProgram + QLatin1Char('/') + target);
                QVERIFY2(!bytes.isEmpty(), qPrintable(where + ": no such page"));
                if (!anchor.isEmpty())
                    QVERIFY2(attributeValues(QString::fromUtf8(bytes), QStringLiteral("id")).contains(anchor),
                             qPrintable(where + ": no such anchor"));
            }
            // Anchors are unique within their page.
            const QStringList ids = attributeValues(html, QStringLiteral("id"));
            QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), ids.size());
        }
    }

    // Each window's section in each language is on a page of that language.
    void everySectionOfF1Exists()
    {
        QVERIFY(helpTopics().size() >= 20);
        for (const HelpTopic &t : helpTopics()) {
            for (const auto &[section, language] :
                 {std::pair{t.german, QStringLiteral("de")}, std::pair{t.english, QStringLiteral("en")}}) {
                const QString where = (t.window.isEmpty() ? QStringLiteral("(no window)") : t.window) +
                                      QLatin1Char(' ') + t.controls.join(QLatin1Char(',')) + QStringLiteral(" -> ") +
                                      section.page + QLatin1Char('#') + section.anchor;
                const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + section.page));
                QVERIFY2(!html.isEmpty(), qPrintable(where + ": no such page"));
                QVERIFY2(html.contains(QStringLiteral("<html lang=\"%1\">").arg(language)),
                         qPrintable(where + ": not a page of its language"));
                if (!section.anchor.isEmpty())
                    QVERIFY2(attributeValues(html, QStringLiteral("id")).contains(section.anchor),
                             qPrintable(where + ": no such anchor"));
            }
        }
    }

    // Numbers in the running text follow the page's language; the program's own texts, which a page quotes, stand
    // as the program writes them (the menu's "c = 2.5%").
    void numbersFollowThePageLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("quoted");
        QTest::addColumn<QString>("foreignDecimal");
        QTest::newRow("German: decimal comma") << "de" << "„[^“]*“" << "\\d\\.\\d";
        QTest::newRow("English: decimal point") << "en" << "“[^”]*”" << "\\d,\\d";
    }
    void numbersFollowThePageLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, quoted);
        QFETCH(QString, foreignDecimal);
        int pages = 0;
        for (const QString &page : helpPages()) {
            QString text = QString::fromUtf8(bytesOf(kSources + QLatin1Char('/') + page));
            if (!text.contains(QStringLiteral("<html lang=\"%1\">").arg(language)))
                continue;
            ++pages;
            text.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
            text.remove(QRegularExpression(quoted));
            const QRegularExpressionMatch m = QRegularExpression(foreignDecimal).match(text);
            QVERIFY2(!m.hasMatch(), qPrintable(page + QStringLiteral(": ") + text.mid(m.capturedStart() - 30, 60)));
        }
        QVERIFY(pages >= 4);
    }

    void everyPageIsReachable()
    {
        QSet<QString> reached;
        QStringList queue{QStringLiteral("hilfe.html"), QStringLiteral("help.html")};
        for (int steps = 0; !queue.isEmpty() && steps < 1000; ++steps) {
            const QString page = queue.takeFirst();
            if (reached.contains(page))
                continue;
            reached.insert(page);
            const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + page));
            for (const QString &link : attributeValues(html, QStringLiteral("href"))) {
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                if (!file.isEmpty())
                    queue << file;
            }
        }
        const QStringList pages = helpPages();
        QCOMPARE(reached, QSet<QString>(pages.begin(), pages.end()));
    }

    // A reader who stays in one language reaches every page of it from that language's start page, without a
    // detour through the other language.
    void everyPageIsReachableInItsLanguage_data() { startPagesExist_data(); }
    void everyPageIsReachableInItsLanguage()
    {
        QFETCH(QString, page);
        QFETCH(QString, language);
        const QString lang = QStringLiteral("<html lang=\"%1\">").arg(language);
        auto ofLanguage = [&lang](const QString &p) {
            return QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + p)).contains(lang);
        };
        QSet<QString> reached;
        QStringList queue{page};
        for (int steps = 0; !queue.isEmpty() && steps < 1000; ++steps) {
            const QString p = queue.takeFirst();
            if (reached.contains(p) || !ofLanguage(p))
                continue;
            reached.insert(p);
            const QString html = QString::fromUtf8(bytesOf(kProgram + QLatin1Char('/') + p));
            for (const QString &link : attributeValues(html, QStringLiteral("href"))) {
                const QString file = link.section(QLatin1Char('#'), 0, 0);
                if (!file.isEmpty())
                    queue << file;
            }
        }
        QSet<QString> expected;
        for (const QString &p : helpPages())
            if (ofLanguage(p))
                expected.insert(p);
        QVERIFY(expected.size() >= 2);
        QCOMPARE(reached, expected);
    }
};

QTEST_GUILESS_MAIN(TestHelpPages)
#include "test_help_pages.moc"
