#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUrl>

// Stands in for the desktop's browser while it lives: the addresses of the
// schemes given that the program asks the desktop to open come here, in
// order, and nothing is opened. The handlers go with it, even when a
// failing check ends the test early.
class NavigateurDeTest : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> ouverts;

    explicit NavigateurDeTest(const QStringList& schemas = {QStringLiteral("https")});
    ~NavigateurDeTest() override;
    NavigateurDeTest(const NavigateurDeTest&) = delete;
    NavigateurDeTest& operator=(const NavigateurDeTest&) = delete;

public slots:
    void ouvre(const QUrl& url);

private:
    QStringList schemas_;
};
