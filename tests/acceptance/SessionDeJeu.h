#pragma once

#include "DossierUtilisateur.h"
#include "EcranVirtuel.h"
#include "RecordDePartie.h"

#include <QElapsedTimer>
#include <QImage>
#include <QList>
#include <QProcess>
#include <QString>

#include <functional>

// One acceptance case's world: a virtual screen, a home folder, the real
// program started in it and the pictures taken of it. The case drives the
// program through the screen only and reads the game record the program
// writes (the autosave, written at every turn of the user).
//
// Rules:
// - Every wait has a limit: the case's own time (tempsRestant) and, while a
//   game is played, a limit without progress. A limit reached records why
//   in echec(), leaves a picture, and ends the program; the caller then
//   fails the test with that message.
// - Pictures go to the pictures folder, named after the case and numbered
//   in the order they were taken.
// - The program is always ended (killed if it must) when the session ends.
class SessionDeJeu
{
public:
    // What the player does with a message box showing one or two buttons.
    enum Reponse { Premier, Dernier };

    SessionDeJeu(const QString& nomDuCas, int limiteSecondes);
    ~SessionDeJeu();

    // The screen at the window's size and the home folder; false with echec().
    bool prepare(const DossierUtilisateur::Reglages& reglages);
    DossierUtilisateur& maison() { return maison_; }
    DossierUtilisateur::Jeu jeu() const { return jeu_; }
    EcranVirtuel& ecran() { return ecran_; }

    // The program's command line for the next starts (none by default).
    void setArguments(const QStringList& arguments) { arguments_ = arguments; }
    // Starts the program and waits for its window; false with echec().
    bool lance();
    // Kills the program as a crash would end it.
    void tue();
    // Ctrl+Q, then waits for the program to end; false with echec() when it
    // does not, or ends with an error.
    bool quitte();
    bool enMarche() const { return programme_.state() != QProcess::NotRunning; }
    // The running program's process id (0 when none).
    qint64 pid() const { return programme_.processId(); }

    QRect fenetre() const { return fenetre_; }
    QImage capture();
    // Takes a picture and keeps it as <case>_<n>_<name>.png.
    QImage garde(const QString& nom);
    void touche(const QString& combinaison);
    // A menu dropped down by its key ("alt+o"), waited for on the screen:
    // where it lies, or an empty rectangle with echec() when none came.
    QRect ouvreMenu(const QString& combinaison);
    // Waits until a pop-up other than that one (a submenu) lies on the
    // screen and holds still: where it lies, or empty with echec().
    QRect attendsSousMenu(const QRect& menu, const QString& quoi);
    // Waits until the window shows a message box's buttons (or none); false
    // when it did not within the limit.
    bool attendsBoite(bool visible, int limiteMs);
    // A picture of the window once it holds still (the last one after 5 s).
    QImage immobile();
    // Waits until each zone of the window changed from the reference by at
    // least that many pixels: the picture once still, or null with the
    // session failed, saying what was awaited and how much each changed.
    QImage attendsChangement(const QImage& reference, const QList<QRect>& zones, int minimum, const QString& quoi);

    RecordDePartie record() const;
    // Types a path into the file dialog with that title and accepts it.
    bool remplitDialogue(const QString& titre, const QString& chemin);
    // Waits until the autosave has changed from what it holds now (true) or
    // the limit is reached.
    bool attendsRecord(const QStringList& avant, int limiteMs);

    // Fails the session: the message, a picture, the program ended.
    bool echoue(const QString& message);
    const QString& echec() const { return echec_; }
    int tempsRestantMs() const;
    QString dossierImages() const { return images_; }

private:
    QString nom_;
    int limiteMs_;
    QElapsedTimer chrono_;
    EcranVirtuel ecran_;
    DossierUtilisateur maison_;
    QProcess programme_;
    QStringList arguments_;
    QRect fenetre_;
    unsigned long idFenetre_ = 0;
    QString images_;
    int numero_ = 0;
    QString echec_;
    DossierUtilisateur::Jeu jeu_ = DossierUtilisateur::Jass;
};
