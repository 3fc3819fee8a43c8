#include "GM_SpacesSeparatedString.h"

#include "GM_Exception.h"
#include "GM_LoadSaveElement.h"

#include <QObject>

GM_SpacesSeparatedString::GM_SpacesSeparatedString() = default;

GM_SpacesSeparatedString::GM_SpacesSeparatedString(const QString& recordText)
{
    if (recordText.size() > 2)
        body_ = recordText.mid(1, recordText.size() - 2);
}

GM_SpacesSeparatedString::~GM_SpacesSeparatedString() = default;

QString GM_SpacesSeparatedString::getNext()
{
    const qsizetype size = body_.size();
    if (pos_ >= size)
        return QString();

    const QChar* data = body_.constData();
    if (data[pos_] == QLatin1Char('{')) {
        int depth = 1;
        for (qsizetype i = pos_ + 1; i < size; ++i) {
            if (data[i] == QLatin1Char('{')) {
                ++depth;
            } else if (data[i] == QLatin1Char('}') && --depth == 0) {
                QString token = body_.mid(pos_, i - pos_ + 1);
                // The separator after a nested record is skipped unseen.
                pos_ = qMin(i + 2, size);
                return token;
            }
        }
        // Unbalanced: the lone brace is the token and the next character is
        // dropped, so the record reading it fails on the token.
        pos_ = qMin(pos_ + 2, size);
        return QStringLiteral("{");
    }

    const qsizetype bang = body_.indexOf(QLatin1Char('!'), pos_);
    if (bang < 0) {
        QString token = body_.mid(pos_);
        pos_ = size;
        return token;
    }
    QString token = body_.mid(pos_, bang - pos_);
    pos_ = bang + 1;
    return token;
}

void GM_SpacesSeparatedString::throwCorrupted()
{
    throw GM_Exception(QObject::tr("Chaine incompatible, invalide ou corrompue."));
}

int GM_SpacesSeparatedString::nextInt()
{
    bool ok = false;
    const int value = getNext().toInt(&ok, 10);
    if (!ok)
        throwCorrupted();
    return value;
}

qint64 GM_SpacesSeparatedString::nextLongLong()
{
    bool ok = false;
    const qint64 value = getNext().toLongLong(&ok, 10);
    if (!ok)
        throwCorrupted();
    return value;
}

bool GM_SpacesSeparatedString::nextBool()
{
    return nextInt() != 0;
}

double GM_SpacesSeparatedString::nextDouble()
{
    bool ok = false;
    const double value = getNext().toDouble(&ok);
    if (!ok)
        throwCorrupted();
    return value;
}

void GM_SpacesSeparatedString::nextRecord(GM_LoadSaveElement& record)
{
    record.chargeValeursDepuisString(getNext());
}

bool GM_SpacesSeparatedString::hasOptionalField() const
{
    return pos_ < body_.size() && body_.at(pos_) != QLatin1Char('}');
}

void GM_SpacesSeparatedString::addInt(int value)
{
    body_ += QString::number(value, 10);
    body_ += QLatin1Char('!');
}

void GM_SpacesSeparatedString::addLongLong(qint64 value)
{
    body_ += QString::number(value, 10);
    body_ += QLatin1Char('!');
}

void GM_SpacesSeparatedString::addDouble(double value)
{
    body_ += QString::number(value, 'g', 6);
    body_ += QLatin1Char('!');
}

void GM_SpacesSeparatedString::addString(const QString& value)
{
    body_ += value;
    body_ += QLatin1Char('!');
}

void GM_SpacesSeparatedString::addRecord(const GM_LoadSaveElement& record)
{
    body_ += record.sauveValeursDansString();
    body_ += QLatin1Char('!');
}

QString GM_SpacesSeparatedString::getString() const
{
    QString text;
    text.reserve(body_.size() + 2);
    text += QLatin1Char('{');
    text += body_;
    text += QLatin1Char('}');
    return text;
}

QString GM_SpacesSeparatedString::sanitizeFreeText(const QString& text)
{
    QString clean = text;
    for (QChar& c : clean) {
        switch (c.unicode()) {
        case '!': c = QLatin1Char('.'); break;
        case '{': c = QLatin1Char('('); break;
        case '}': c = QLatin1Char(')'); break;
        case '\r':
        case '\n': c = QLatin1Char(' '); break;
        default: break;
        }
    }
    return clean;
}
