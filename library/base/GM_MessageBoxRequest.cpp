#include "GM_MessageBoxRequest.h"

#include <QMetaObject>

GM_MessageBoxRequest::GM_MessageBoxRequest(int type, GM_MessageBoxEmitter* emetteur, GM::Icon icone,
                                           const QString& titre, const QString& texte, GM::StandardButton boutons)
    : type_(type)
    , emetteur_(emetteur)
    , icone_(icone)
    , titre_(titre)
    , texte_(texte)
    , boutons_(boutons)
{
}

GM_MessageBoxRequest::~GM_MessageBoxRequest() = default;

bool GM_MessageBoxRequest::livreReponse(GM::StandardButton bouton) const
{
    QObject* destinataire = destinataire_.data();
    if (destinataire == nullptr)
        return false;
    switch (type_) {
    case Question:
        if (slotAccepte_.isEmpty())
            return false;
        return QMetaObject::invokeMethod(destinataire, slotAccepte_.constData(), Qt::QueuedConnection,
                                         Q_ARG(int, static_cast<int>(bouton)));
    case AccepteRefuse: {
        const QByteArray& slot = (static_cast<int>(bouton) & masqueAccepte_) != 0 ? slotAccepte_ : slotRefuse_;
        if (slot.isEmpty())
            return false;
        return QMetaObject::invokeMethod(destinataire, slot.constData(), Qt::QueuedConnection);
    }
    default:
        return false;
    }
}
