#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QString>

#include <memory>

// A virtual X server of its own (Xvfb) and a connection to it, through which
// the acceptance cases see and touch the program as a person does: pictures
// of the screen, and mouse and keyboard input sent as real X input (XTest).
//
// Rules:
// - The server picks a free display itself (-displayfd): cases run side by
//   side, each on its own display.
// - Nothing here knows the program: a window is found by its title, and
//   everything else is pixels and input events.
// - Every input event is flushed at once and followed by a short pause, as a
//   person's hand would be; a double click is two clicks well inside the
//   double-click interval.
// - The server is ended with this object; an X error never ends the test
//   process (a vanished window only makes the next picture empty).
class EcranVirtuel
{
public:
    EcranVirtuel();
    ~EcranVirtuel();
    EcranVirtuel(const EcranVirtuel&) = delete;
    EcranVirtuel& operator=(const EcranVirtuel&) = delete;

    // Whether an X server can be started at all on this machine.
    static bool xvfbDisponible();

    // Starts the server with one screen of that size; false with the reason.
    bool demarre(int largeur, int hauteur, QString* erreur);
    // ":N", to hand to the program.
    QString nomAffichage() const { return nom_; }

    // The mapped top-level window whose title contains that text, and its
    // place on the screen; an empty rectangle while there is none.
    QRect fenetre(const QString& titre, unsigned long* id = nullptr) const;

    // The topmost pop-up window on the screen (a menu that drops down, a
    // submenu), where it lies; an empty rectangle while there is none.
    QRect surgissante() const;

    // A picture of that part of the screen (the whole screen when empty).
    QImage capture(const QRect& zone = QRect()) const;

    void deplace(QPoint p);
    void clique(QPoint p);
    void doubleClique(QPoint p);
    // A key with modifiers, as X key names: "ctrl+q", "Return", "Escape".
    void touche(const QString& combinaison);
    // Text typed key by key (ASCII, as a path is).
    void tape(const QString& texte);
    // Gives the keyboard to that window, as a window manager does on a click.
    void focus(unsigned long id);

private:
    void bouton_(bool enfonce);
    void pause_(int ms) const;

    QProcess xvfb_;
    QString nom_;
    struct Connexion;
    std::unique_ptr<Connexion> x_;
};
