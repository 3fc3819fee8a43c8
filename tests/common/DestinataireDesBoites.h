#pragma once

#include <QList>
#include <QObject>
#include <QStringList>

class QThread;

// Receives message-box answers in named slots, as the program's receivers
// do (the emitters call them by name): it keeps the slots called, in order,
// the buttons given to the question slot and the thread each question
// answer arrived on.
class DestinataireDesBoites : public QObject
{
    Q_OBJECT

public:
    QStringList appels;
    QList<int> boutons;
    QList<QThread*> threads;

public slots:
    void OnQuestion(int bouton);
    void OnAccepte();
    void OnRefuse();
    void OnTournPlay();
    void OnTournDeny();
    void cancelDownload();
};
