#pragma once

#include <QString>

class GM_LoadSaveElement;

// The one codec of record texts. A reader is built from a whole record text
// and hands out its fields one by one; a writer collects fields and returns
// the braced text. There is no escaping in the format, so free text must go
// through sanitizeFreeText before it is stored in a record.
class GM_SpacesSeparatedString
{
public:
    // Writing side: an empty body.
    GM_SpacesSeparatedString();
    // Reading side: the first and last characters of the record text (its
    // braces) are dropped unseen.
    explicit GM_SpacesSeparatedString(const QString& recordText);
    virtual ~GM_SpacesSeparatedString();

    // Reading. getNext never fails; the typed readers throw GM_Exception with
    // the record error when the token does not convert.
    QString getNext();
    int nextInt();
    qint64 nextLongLong();
    bool nextBool();
    double nextDouble();
    QString nextString() { return getNext(); }
    void nextRecord(GM_LoadSaveElement& record);

    // True when an optional trailing field follows: the remaining body is not
    // empty and does not start with a closing brace.
    bool hasOptionalField() const;
    QString remaining() const { return body_.mid(pos_); }

    // Writing.
    void addInt(int value);
    void addLongLong(qint64 value);
    void addBool(bool value) { addInt(value ? 1 : 0); }
    void addDouble(double value);
    void addString(const QString& value);
    void addRecord(const GM_LoadSaveElement& record);
    QString getString() const;

    // Text that a user typed or a peer sent: the three framing characters
    // are replaced, and line breaks too since game files hold one event per
    // line. Apply it wherever free text enters a record.
    static QString sanitizeFreeText(const QString& text);

    // Throws the error every record reader uses for a bad text.
    [[noreturn]] static void throwCorrupted();

private:
    QString body_;
    qsizetype pos_ = 0;
};
