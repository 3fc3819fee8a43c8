#include "GM_AchievementTitle.h"

#include <QCoreApplication>
#include <QMap>

#include <array>

namespace {

constexpr int CleParGroupe = 100000;
constexpr int NombreEtapes = 10;
constexpr std::array<int, NombreEtapes + 1> Seuils{1, 5, 10, 50, 100, 500, 1000, 5000, 10000, 50000, -1};
// Levels of a step are at least this many counts apart.
constexpr int EcartMinimal = 20;

QMap<int, AchievementTitle>& table()
{
    static QMap<int, AchievementTitle> titres;
    return titres;
}

QString tr(const char* texte)
{
    return QCoreApplication::translate("QObject", texte);
}

void ajouteGroupe(int groupe, const QString& nom, int de, int a)
{
    QMap<int, AchievementTitle>& t = table();
    const int n = (a - de) / EcartMinimal;
    if (n < 1 || a == -1) {
        t.insert(groupe * CleParGroupe, {nom, de, a, groupe * CleParGroupe});
        return;
    }
    const int pas = (a - de) / n;
    for (int k = 0; k < n; ++k) {
        const int cle = groupe * CleParGroupe + k;
        t.insert(cle, {tr("%1 Niv. %2").arg(nom).arg(k + 1), de + k * pas, qMin(de + (k + 1) * pas, a), cle});
    }
}

void ajouteEtape(int groupe, const QString& nom, int etape)
{
    ajouteGroupe(groupe, nom, Seuils[size_t(etape)], Seuils[size_t(etape) + 1]);
}

void construit()
{
    const std::array<const char*, NombreEtapes> rangs{"Découvreur", "Intéressé", "Habitué", "Joueur", "Passionné",
                                                      "Professionnel", "Expert", "As", "Elite", "Divinité"};
    const std::array<const char*, NombreEtapes> rangsAnnonces{"Promeneur", "Marcheur", "Randonneur", "Sprinteur",
                                                              "Relayeur", "Champion", "Olympien", "Marathonien",
                                                              "Titan", "Légende"};
    const std::array<const char*, 13> annonces{"du Stöck", "des 3 Cartes", "des 4 Cartes", "des 5 Cartes",
                                               "du 150 les Nels", "du 200 les Bours", "du 100 les 10",
                                               "du Carré de Dames", "du Carré des Rois", "du Carré des As",
                                               "du Carré de Six", "du Carré de Sept", "du Carré de Huit"};
    struct Jeu {
        int groupe;
        const char* suffixe;
    };
    const std::array<Jeu, 17> jeux{{{0, " du Jass Romand"},
                                    {10, " du Pique Double"},
                                    {20, " du Jass Suisse-Allemand"},
                                    {30, " du Zig-Zag"},
                                    {40, " du Jass En Ligne"},
                                    {200, " de Jeu Personalisé"},
                                    {210, " de la Belote Classique"},
                                    {220, " de la Belote Classique En Ligne"},
                                    {230, " de la Belote Contrée"},
                                    {240, " de la Belote Coinchée"},
                                    {250, " de la Belote Vache"},
                                    {290, " de la Belote Vache En Ligne"},
                                    {300, " de la Belote Contrée En Ligne"},
                                    {310, " de la Belote Coinchée En Ligne"},
                                    {320, " des tournois de Jass courts"},
                                    {330, " des tournois de Jass longs"},
                                    {340, " des tournois de Belote Vache"}}};
    const std::array<const char*, NombreEtapes> matches{
        "Initié au Match", "Observateur de Matches", "Routinier des Matches", "Assidu des Matches",
        "Supermatcheur", "Professionnel des Matches", "Mégamatcheur", "As des Matches", "Ultramatcheur",
        "Divinité des Matches"};
    const std::array<const char*, NombreEtapes> victoires{
        "Initié à la Victoire", "Observateur de Victoires", "Routinier des Victoires", "Assidu des Victoires",
        "Supervictorieux", "Professionnel des Victoires", "Mégavictorieux", "As des Victoires", "Victoirinox",
        "Divinité des Victoires"};

    for (const Jeu& jeu : jeux)
        for (int i = 0; i < NombreEtapes; ++i)
            ajouteEtape(jeu.groupe + i, tr("%1%2").arg(tr(rangs[size_t(i)]), tr(jeu.suffixe)), i);
    // The last level of matches and victories has no end.
    const int derniere = NombreEtapes - 1;
    for (int i = 0; i < derniere; ++i)
        ajouteEtape(50 + i, tr(matches[size_t(i)]), i);
    table().insert(59 * CleParGroupe, {tr(matches[size_t(derniere)]), Seuils[size_t(derniere)], -1, 59 * CleParGroupe});
    for (int i = 0; i < derniere; ++i)
        ajouteEtape(60 + i, tr(victoires[size_t(i)]), i);
    table().insert(69 * CleParGroupe,
                   {tr(victoires[size_t(derniere)]), Seuils[size_t(derniere)], -1, 69 * CleParGroupe});
    for (int j = 0; j < int(annonces.size()); ++j)
        for (int i = 0; i < NombreEtapes; ++i)
            ajouteEtape(70 + 10 * j + i, tr("%1 %2").arg(tr(rangsAnnonces[size_t(i)]), tr(annonces[size_t(j)])), i);
}

} // namespace

const AchievementTitle& achievementTitle(int numero)
{
    QMap<int, AchievementTitle>& t = table();
    if (t.isEmpty())
        construit();
    auto it = t.upperBound(numero);
    if (it == t.begin())
        return it.value();
    return (--it).value();
}

void clearAchievementTitles()
{
    table().clear();
}

int achievementTitleCount()
{
    return int(table().size());
}
