#include "DestinataireDesBoites.h"

#include <QThread>

void DestinataireDesBoites::OnQuestion(int bouton)
{
    appels << QStringLiteral("OnQuestion");
    boutons << bouton;
    threads << QThread::currentThread();
}

void DestinataireDesBoites::OnAccepte()
{
    appels << QStringLiteral("OnAccepte");
}

void DestinataireDesBoites::OnRefuse()
{
    appels << QStringLiteral("OnRefuse");
}

void DestinataireDesBoites::OnTournPlay()
{
    appels << QStringLiteral("OnTournPlay");
}

void DestinataireDesBoites::OnTournDeny()
{
    appels << QStringLiteral("OnTournDeny");
}

void DestinataireDesBoites::cancelDownload()
{
    appels << QStringLiteral("cancelDownload");
}
