#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class QSoundEffect;

// The table's sound effects and a queue of effects due at given times.
//
// Rules:
// - Six effects exist for the object's whole life, in the order of Effet;
//   a silent object (a table played without being shown), or one on a
//   machine without an audio output, gives them no source.
// - Nothing plays while the sound is off (the user's option), nor when
//   the object is silent: play() then does nothing and says so, and a due
//   queue entry is dropped unplayed.
// - Every effect that plays is recorded in a short journal, with or without
//   an audio device; QSoundEffect is asked only when the machine has an
//   audio output. That journal is what tests read on machines without
//   sound.
// - The queue plays an entry once its due time is strictly past, then looks
//   again every INTERVALLE_FILE_MS while entries remain. A negative delay is
//   taken as no delay.
// GUI thread only.
class ZB_Sound : public QObject
{
    Q_OBJECT

public:
    enum Effet { Melange = 0, Pose = 1, Sifflet = 2, CarillonGrave = 3, Tambour = 4, Blop = 5, NOMBRE_EFFETS = 6 };

    static constexpr int INTERVALLE_FILE_MS = 50;
    static constexpr int TAILLE_JOURNAL = 64;

    explicit ZB_Sound(bool silencieux, QObject* parent = nullptr);
    ~ZB_Sound() override;

    // The resource path of an effect; empty outside 0..5.
    static QString source(int effet);

    bool isSilent() const { return silencieux_; }
    bool isSoundOn() const { return sonActif_; }
    void setSoundOn(bool actif) { sonActif_ = actif; }
    // Whether an effect can be heard now.
    bool peutJouer() const { return sonActif_ && !silencieux_; }

    // Plays an effect now; false when nothing sounds (sound off, silent,
    // or no such effect).
    bool play(int effet);
    // Queues an effect due delaiMs from now and starts the queue.
    void joueApres(qint64 delaiMs, int effet);
    // Queues an effect due at a given time, without starting the queue.
    void ajouteEcheance(const QDateTime& echeance, int effet);
    // Plays the queued entries due strictly before maintenant and removes
    // them; returns how many were taken off the queue.
    int joueEcheances(const QDateTime& maintenant);
    int nombreEnFile() const { return static_cast<int>(file_.size()); }
    bool isQueueRunning() const { return timerFile_.isActive(); }

    // The effects that played, oldest first (at most TAILLE_JOURNAL).
    QList<int> journal() const { return journal_; }
    void effaceJournal() { journal_.clear(); }
    QSoundEffect* effet(int i) const;
    bool hasAudioOutput() const { return sortieAudio_; }

signals:
    void signalJoue(int effet);

public slots:
    void OnTimer();

private:
    struct Entree
    {
        QDateTime echeance;
        int effet = 0;
    };

    QList<QSoundEffect*> effets_;
    QList<Entree> file_;
    QList<int> journal_;
    QTimer timerFile_;
    bool silencieux_;
    bool sonActif_ = true;
    bool sortieAudio_ = false;
};
