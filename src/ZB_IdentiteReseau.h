#pragma once

#include <QString>

#include <memory>

class QLockFile;

// The id this machine's user carries at hosted tables. It is kept in the
// data folder, so that a program started again after a crash or a kill is
// known to the host as the player who left, and gets its seat back.
//
// Rules:
// - The folder's id belongs to one running program at a time: a lock file
//   held as long as this object lives says so. A second program on the same
//   folder gets an id of its own for its run, or the host would take it for
//   the first one and close that one's connection. A lock left by a program
//   that no longer runs is taken over.
// - A missing, unreadable or unwritable id file costs only the seat's
//   return: a fresh id is used.
// - The seat key a host gave the id is kept with it (the key file, when the
//   folder's id is this program's, else for this run only), for that host
//   and that id alone: the key goes to no other host, and a key of another
//   id is none. Only the last host's key is kept.
class ZB_IdentiteReseau
{
public:
    static constexpr const char* FICHIER_ID = "network-player.id";
    static constexpr const char* FICHIER_VERROU = "network-player.lock";
    static constexpr const char* FICHIER_CLE = "network-player.key";

    // dossier: the data folder; empty, every run has a fresh id.
    explicit ZB_IdentiteReseau(const QString& dossier);
    ~ZB_IdentiteReseau();
    ZB_IdentiteReseau(const ZB_IdentiteReseau&) = delete;
    ZB_IdentiteReseau& operator=(const ZB_IdentiteReseau&) = delete;

    // The id, the same for the whole life of this object.
    qint64 id();
    // The folder's id is this program's.
    bool estIdDuDossier() const { return duDossier_; }

    // The key that host gave the player id, empty when none.
    QString cle(const QString& hote, qint64 id);
    void setCle(const QString& hote, qint64 id, const QString& cle);

private:
    QString dossier_;
    std::unique_ptr<QLockFile> verrou_;
    qint64 id_ = -1;
    bool duDossier_ = false;
    bool cleLue_ = false;
    QString hoteCle_;
    qint64 idCle_ = -1;
    QString cle_;
};
