#include "ZB_Sound.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <algorithm>

ZB_Sound::ZB_Sound(bool silencieux, QObject* parent)
    : QObject(parent)
    , silencieux_(silencieux)
{
    timerFile_.setSingleShot(true);
    timerFile_.setInterval(INTERVALLE_FILE_MS);
    connect(&timerFile_, &QTimer::timeout, this, &ZB_Sound::OnTimer);
    // A silent table never asks the multimedia back end anything.
    sortieAudio_ = !silencieux_ && !QMediaDevices::audioOutputs().isEmpty();
    for (int i = 0; i < NOMBRE_EFFETS; ++i) {
        auto* effet = new QSoundEffect(this);
        // Without an audio output an effect cannot sound, and its source
        // would only be refused.
        if (sortieAudio_)
            effet->setSource(QUrl::fromLocalFile(source(i)));
        effets_.append(effet);
    }
}

ZB_Sound::~ZB_Sound()
{
    timerFile_.stop();
    qDeleteAll(effets_);
    effets_.clear();
    file_.clear();
}

QString ZB_Sound::source(int effet)
{
    switch (effet) {
    case Melange:
        return QStringLiteral(":/sound/cards/shuffling");
    case Pose:
        return QStringLiteral(":/sound/cards/drop");
    case Sifflet:
        return QStringLiteral(":/sound/event/whistle");
    case CarillonGrave:
        return QStringLiteral(":/sound/event/ding_dong_low");
    case Tambour:
        return QStringLiteral(":/sound/event/drum");
    case Blop:
        return QStringLiteral(":/sound/event/blop");
    default:
        return QString();
    }
}

QSoundEffect* ZB_Sound::effet(int i) const
{
    return i >= 0 && i < effets_.size() ? effets_[i] : nullptr;
}

bool ZB_Sound::play(int effet)
{
    if (!peutJouer() || effet < 0 || effet >= effets_.size())
        return false;
    if (journal_.size() >= TAILLE_JOURNAL)
        journal_.removeFirst();
    journal_.append(effet);
    if (sortieAudio_)
        effets_[effet]->play();
    emit signalJoue(effet);
    return true;
}

void ZB_Sound::joueApres(qint64 delaiMs, int effet)
{
    ajouteEcheance(QDateTime::currentDateTimeUtc().addMSecs(std::max<qint64>(0, delaiMs)), effet);
    OnTimer();
}

void ZB_Sound::ajouteEcheance(const QDateTime& echeance, int effet)
{
    if (effet < 0 || effet >= NOMBRE_EFFETS || !echeance.isValid())
        return;
    file_.append(Entree{echeance, effet});
}

int ZB_Sound::joueEcheances(const QDateTime& maintenant)
{
    // Walks a copy, so that a slot connected to signalJoue may queue more.
    const QList<Entree> copie = file_;
    QList<Entree> jouees;
    for (const Entree& entree : copie) {
        if (entree.echeance < maintenant) {
            play(entree.effet);
            jouees.append(entree);
        }
    }
    // One removal per entry played: two equal entries are two plays.
    for (const Entree& jouee : jouees) {
        const auto it = std::find_if(file_.begin(), file_.end(), [&jouee](const Entree& e) {
            return e.echeance == jouee.echeance && e.effet == jouee.effet;
        });
        if (it != file_.end())
            file_.erase(it);
    }
    return static_cast<int>(jouees.size());
}

void ZB_Sound::OnTimer()
{
    joueEcheances(QDateTime::currentDateTimeUtc());
    if (!file_.isEmpty())
        timerFile_.start();
}
