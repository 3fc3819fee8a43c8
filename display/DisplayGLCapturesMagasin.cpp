#include "DisplayGLCapturesMagasin.h"

#include <array>

namespace {

using Ligne = std::array<const char*, DisplayGLCapturesMagasin::COLONNES_LEGENDES>;

const std::array<Ligne, 7> LEGENDES = {{
    {"", "", "", "", ""},
    {"", "Jouez au Jass contre l'ordinateur", "Play Jass against the computer", "Jassen gegen den Computer", ""},
    {"", "La Belote comme au café", "Belote as played in the café", "Belote wie im Café", ""},
    {"", "Des adversaires qui réfléchissent", "Opponents who think", "Gegner, die mitdenken", ""},
    {"", "Jouez en ligne avec vos amis", "Play online with your friends", "Online mit Freunden spielen", ""},
    {"", "Toutes les variantes suisses", "Every Swiss variant", "Alle Schweizer Varianten", ""},
    {"", "Annonces, stöck et rebelote", "Announcements, stöck and rebelote", "Weis, Stöck und Rebelote", ""},
}};
const char* const LEGENDE_IOS_ANGLAIS = "Smart computer opponents";

using P = DisplayGLCapturesMagasin::Preset;

// Phones (6.7", 6.5", 5.5"), tablets (12.9", 11"), each format with the
// Jass and Belote tables; portrait formats fit the screen.
const std::vector<P> PRESETS_IOS = {
    {1290, 2796, 1, 0, 0, 0, 1, 1.6, "#1d5c2e", "white"}, {1290, 2796, 2, 1, 0, 1, 1, 1.6, "#6b1d1d", "white"},
    {1290, 2796, 3, 3, 0, 1, 1, 1.6, "#1d3d6b", "white"}, {1290, 2796, 4, 0, 5, 0, 1, 1.6, "#3d1d6b", "white"},
    {1290, 2796, 5, 2, 0, 0, 1, 1.6, "#1d5c2e", "white"}, {2796, 1290, 1, 0, 0, 0, 1, 1.4, "#1d5c2e", "white"},
    {2796, 1290, 2, 1, 0, 1, 1, 1.4, "#6b1d1d", "white"}, {1242, 2688, 1, 0, 0, 0, 1, 1.6, "#1d5c2e", "white"},
    {1242, 2688, 2, 1, 0, 1, 1, 1.6, "#6b1d1d", "white"}, {1242, 2688, 3, 3, 0, 1, 1, 1.6, "#1d3d6b", "white"},
    {1242, 2688, 4, 1, 4, 1, 1, 1.6, "#3d1d6b", "white"}, {1242, 2688, 6, 2, 0, 0, 1, 1.6, "#5c4a1d", "white"},
    {1242, 2208, 1, 0, 0, 0, 1, 1.5, "#1d5c2e", "white"}, {1242, 2208, 2, 1, 0, 1, 1, 1.5, "#6b1d1d", "white"},
    {1242, 2208, 3, 3, 0, 1, 1, 1.5, "#1d3d6b", "white"}, {2208, 1242, 5, 2, 0, 0, 1, 1.3, "#1d5c2e", "white"},
    {2208, 1242, 6, 2, 0, 0, 1, 1.3, "#5c4a1d", "white"}, {2048, 2732, 1, 0, 0, 0, 1, 1.8, "#1d5c2e", "white"},
    {2048, 2732, 2, 1, 0, 1, 1, 1.8, "#6b1d1d", "white"}, {2048, 2732, 4, 0, 6, 0, 1, 1.8, "#3d1d6b", "white"},
    {2732, 2048, 3, 3, 0, 1, 1, 1.8, "#1d3d6b", "white"}, {2732, 2048, 5, 2, 0, 0, 1, 1.8, "#1d5c2e", "white"},
    {1668, 2388, 1, 0, 0, 0, 1, 1.7, "#1d5c2e", "white"}, {1668, 2388, 2, 1, 0, 1, 1, 1.7, "#6b1d1d", "white"},
    {2388, 1668, 6, 2, 0, 0, 1, 1.7, "#5c4a1d", "white"},
};

// Phones (1080 x 1920), 7" and 10" tablets; the last one has no caption.
const std::vector<P> PRESETS_ANDROID = {
    {1080, 1920, 1, 0, 0, 0, 1, 1.5, "#1d5c2e", "white"}, {1080, 1920, 2, 1, 0, 1, 1, 1.5, "#6b1d1d", "white"},
    {1080, 1920, 3, 3, 0, 1, 1, 1.5, "#1d3d6b", "white"}, {1080, 1920, 4, 1, 5, 1, 1, 1.5, "#3d1d6b", "white"},
    {1080, 1920, 5, 2, 0, 0, 1, 1.5, "#1d5c2e", "white"}, {1920, 1080, 1, 0, 0, 0, 1, 1.3, "#1d5c2e", "white"},
    {1920, 1080, 2, 1, 0, 1, 1, 1.3, "#6b1d1d", "white"}, {1200, 1920, 1, 0, 0, 0, 1, 1.6, "#1d5c2e", "white"},
    {1200, 1920, 2, 1, 0, 1, 1, 1.6, "#6b1d1d", "white"}, {1200, 1920, 6, 2, 0, 0, 1, 1.6, "#5c4a1d", "white"},
    {1920, 1200, 3, 3, 0, 1, 1, 1.4, "#1d3d6b", "white"}, {1600, 2560, 1, 0, 0, 0, 1, 1.8, "#1d5c2e", "white"},
    {1600, 2560, 2, 1, 0, 1, 1, 1.8, "#6b1d1d", "white"}, {1600, 2560, 4, 0, 4, 0, 1, 1.8, "#3d1d6b", "white"},
    {2560, 1600, 5, 2, 0, 0, 1, 1.6, "#1d5c2e", "white"}, {2560, 1600, 6, 2, 0, 0, 1, 1.6, "#5c4a1d", "white"},
    {1024, 500, 0, 0, 0, 0, 0, 1.0, "#1d5c2e", "white"},
};

const std::vector<P> AUCUN;

} // namespace

const std::vector<DisplayGLCapturesMagasin::Preset>& DisplayGLCapturesMagasin::presets(const QString& plateforme)
{
    if (plateforme == QLatin1String("ios"))
        return PRESETS_IOS;
    if (plateforme == QLatin1String("android"))
        return PRESETS_ANDROID;
    return AUCUN;
}

int DisplayGLCapturesMagasin::nombreLegendes()
{
    return static_cast<int>(LEGENDES.size());
}

QString DisplayGLCapturesMagasin::legende(int ligne, int langue, const QString& plateforme)
{
    if (ligne < 0 || ligne >= nombreLegendes() || langue < 0 || langue >= COLONNES_LEGENDES)
        return QString();
    if (ligne == LEGENDE_REMPLACEE_IOS && langue == LANGUE_ANGLAIS && plateforme == QLatin1String("ios"))
        return QString::fromUtf8(LEGENDE_IOS_ANGLAIS);
    return QString::fromUtf8(LEGENDES[static_cast<size_t>(ligne)][static_cast<size_t>(langue)]);
}
