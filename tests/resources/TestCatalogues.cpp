#include "ZbTestRegistry.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Message
{
    QString context;
    QString source;
    QString translation;
    QString type;
};

// The messages of a translation source, with the texts of their numerus
// forms joined; control characters kept as <byte> elements are left out.
QList<Message> messages(const QString& path, QString* error)
{
    QList<Message> found;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return found;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            if (xml.isEndElement() && xml.name() == QLatin1String("message"))
                found << current;
            continue;
        }
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            current = {context, {}, {}, {}};
        } else if (xml.name() == QLatin1String("source")) {
            current.source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    if (xml.hasError())
        *error = xml.errorString();
    return found;
}

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%L?\\d+"));
    QSet<QString> found;
    for (const QRegularExpressionMatch& m : pattern.globalMatch(text))
        found << m.captured();
    return found;
}

} // namespace

// The English and German catalogues: every text of the program has a
// finished translation, and each translation keeps every %n of its source
// (a dropped one loses what the program fills in, as the servers' busy
// tables were once lost) and adds none.
class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void complete_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("en");
        QTest::newRow("German") << QStringLiteral("de");
    }
    void complete()
    {
        QFETCH(QString, language);
        QString error;
        const QList<Message> all =
            messages(QStringLiteral(ZB_TRANSLATIONS_DIR "/zubrik_%1.ts").arg(language), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(all.size() > 500);
        QStringList faults;
        for (const Message& m : all) {
            const QString where = m.context + QStringLiteral(": \"") + m.source + QLatin1Char('"');
            if (m.type == QLatin1String("vanished") || m.type == QLatin1String("obsolete"))
                continue;
            if (m.type == QLatin1String("unfinished") || m.translation.trimmed().isEmpty())
                faults << where + QStringLiteral(" is not translated");
            else if (placeholders(m.source) != placeholders(m.translation))
                faults << where + QStringLiteral(" -> \"") + m.translation + QStringLiteral("\" changes its %n");
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

ZB_REGISTER_TEST(TestCatalogues)
#include "TestCatalogues.moc"
