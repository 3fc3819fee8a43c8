#include "NavigateurDeTest.h"

#include <QDesktopServices>

NavigateurDeTest::NavigateurDeTest(const QStringList& schemas) : schemas_(schemas)
{
    for (const QString& schema : schemas_)
        QDesktopServices::setUrlHandler(schema, this, "ouvre");
}

NavigateurDeTest::~NavigateurDeTest()
{
    for (const QString& schema : schemas_)
        QDesktopServices::unsetUrlHandler(schema);
}

void NavigateurDeTest::ouvre(const QUrl& url)
{
    ouverts << url;
}
