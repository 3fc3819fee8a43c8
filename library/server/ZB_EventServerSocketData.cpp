#include "ZB_EventServerSocketData.h"

ZB_EventServerSocketData::ZB_EventServerSocketData(const QByteArray& donnees, QObject* connection)
    : ZB_Event(ServerSocketData)
    , donnees_(donnees)
    , connection_(connection)
{
}

ZB_EventServerSocketData::~ZB_EventServerSocketData() = default;

ZB_EventServerSocketData* ZB_EventServerSocketData::clone() const
{
    return new ZB_EventServerSocketData(*this);
}
