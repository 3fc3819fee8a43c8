#pragma once

#include "ZB_CleDeJoueur.h"

#include <QString>

#include <memory>

class QLockFile;

// The ids this machine's user carries at hosted tables. They come from a
// secret kept in the data folder, so that a program started again after a
// crash or a kill is known to the host as the player who left, and gets its
// seat back.
//
// Rules:
// - Each host address gets an id of its own and the signing key that
//   proves it (ZB_CleDeJoueur), both made from the secret and the address:
//   ids are shown to every player at a table, and the key never leaves this
//   machine (a host is shown signatures of its own challenges, each for the
//   port joined), so nothing a host sees opens anything at another host,
//   another port of the same address included, or later. Any port of a
//   host gives the same id, so that the player may come back by another.
// - The folder's files are written by one running program at a time: a
//   lock file held as long as this object lives says so. A lock left by a
//   program that no longer runs is taken over. A second program on the
//   same folder reads the folder's secret and key and writes nothing: it is
//   the same user, most often started again while the first program hangs,
//   and the host takes it for the player coming back, who gets her own
//   seat (the host closes the first one's connection). An id of its own,
//   the earlier rule, made her a stranger to the host: her seat stayed
//   with the hung copy and was never given back to her as a returning
//   player's.
//   The cost: two live programs on one folder are one player at a host,
//   the later one holding the seat; two seats from one user account need
//   two data folders. Only when the folder has no secret yet does a
//   second program take one of its own for its run.
// - A missing, unreadable or unwritable secret file costs only the seat's
//   return: a fresh secret is used. The file is the user's alone.
// - No file here can hold the program: the secret, the key and the lock are
//   read only as regular files (GM_FichierRegulier::ouvreEnLecture), and a
//   pipe or a link in the lock's place is moved aside before it is taken.
//   A secret kept as a link to a regular file is read through it (the id
//   stays the user's); a link that leads to no secret is left as it is and
//   the run takes a fresh secret of its own, said in the log: the program
//   never writes through a link, nor loses the user's link.
// - A key a host gave the id (a host of an older version, which does not
//   know ids that prove themselves) is kept with it (the key file, written
//   by the folder's holder; another program keeps it for its run), for
//   that host and that id alone. Only the last host's key is kept.
class ZB_IdentiteReseau
{
public:
    static constexpr const char* FICHIER_SECRET = "network-player.secret";
    static constexpr const char* FICHIER_VERROU = "network-player.lock";
    static constexpr const char* FICHIER_CLE = "network-player.key";

    // dossier: the data folder; empty, every run has a fresh id.
    explicit ZB_IdentiteReseau(const QString& dossier);
    ~ZB_IdentiteReseau();
    ZB_IdentiteReseau(const ZB_IdentiteReseau&) = delete;
    ZB_IdentiteReseau& operator=(const ZB_IdentiteReseau&) = delete;

    // hote: the host's address as joined. The id for that host, the same
    // for the whole life of this object.
    qint64 id(const QString& hote);
    // The key that proves that id to that host.
    ZB_CleDeJoueur signataire(const QString& hote);
    // The ids are the folder's secret's.
    bool estIdDuDossier() const { return duDossier_; }

    // The key that host gave the player id, empty when none.
    QString cle(const QString& hote, qint64 id);
    void setCle(const QString& hote, qint64 id, const QString& cle);

private:
    const QByteArray& litSecret_();

    QString dossier_;
    std::unique_ptr<QLockFile> verrou_;
    QByteArray secret_; // empty until read or made
    bool duDossier_ = false;
    bool proprietaire_ = false; // this program holds the folder's lock
    bool cleLue_ = false;
    QString hoteCle_;
    qint64 idCle_ = -1;
    QString cle_;
};
