#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// The disk cache of rendered card pictures (".jsg" files: a PNG compressed
// with qCompress). Kept free of widgets so that the reader can be fuzzed.
//
// Rules:
// - The cache lives in a folder of the user's own cache location, made with
//   owner-only permissions; a folder that is not the user's, is a link or
//   cannot be made is not used (cards are then rendered every time).
// - A file is written whole or not at all (QSaveFile), and only as a regular
//   file of its own: what took a card's name (a link, a pipe) is moved aside
//   first, and a link is never read through nor written through
//   (GM_FichierRegulier).
// - A file is read as untrusted: anything that is not exactly a PNG of the
//   expected size (empty, truncated, corrupt, another size, trailing bytes)
//   reads as absent. The size a file claims is checked against what a
//   picture of the expected size can need before anything is allocated, and
//   decompression never writes past it.
// - A file's name carries the picture size, the deck style, the card and a
//   fingerprint of the source picture, so that new card faces never meet
//   pictures rendered from old ones.
class DisplayGLCacheCartes
{
public:
    static constexpr int COTE_MAX = 4096;

    // The folder the cache folders go in; by default the user's cache
    // location. Tests point it at a temporary folder.
    static void setRacine(const QString& racine);
    static QString racine();

    // A plain folder name: not empty, no separator, not "." nor "..".
    static bool nomDeDossierValide(const QString& nom);
    // The cache folder of that name, created when missing; empty when it
    // cannot be used.
    static QString prepareDossier(const QString& nom);

    static QByteArray empreinte(const QByteArray& source);
    static QString cheminFichier(const QString& dossier, const QSize& taille, int style, int couleur, int valeur,
                                 const QByteArray& empreinte);

    // The most bytes a PNG of that size can take once decompressed, and in
    // its compressed file.
    static qint64 tailleMaxDecompressee(const QSize& taille);
    static qint64 tailleMaxFichier(const QSize& taille);

    // The picture in a file's content; null unless it is exactly a PNG of
    // that size.
    static QImage decode(const QByteArray& contenu, const QSize& taille);
    static QByteArray encode(const QImage& image);
    static QImage lit(const QString& chemin, const QSize& taille);
    // False when nothing was written.
    static bool ecrit(const QString& chemin, const QImage& image);
};
