#include "GM_AchievementTitle.h"

#include <QCoreApplication>
#include <QMap>

#include <array>

// The names are marked for the translation tools and translated, in the
// context "QObject", each time the table is built.
#define ZB_TITRE(texte) QT_TRANSLATE_NOOP("QObject", texte)

namespace {

constexpr int CleParGroupe = 100000;
constexpr int NombreEtapes = 10;
constexpr std::array<int, NombreEtapes + 1> Seuils{1, 5, 10, 50, 100, 500, 1000, 5000, 10000, 50000, -1};
// Levels of a step are at least this many counts apart.
constexpr int EcartMinimal = 20;
constexpr int GroupeMatches = 50;
constexpr int GroupeVictoires = 60;
constexpr int GroupeAnnonces = 70;

constexpr std::array<const char*, NombreEtapes> Rangs{
    ZB_TITRE("Découvreur"), ZB_TITRE("Intéressé"),     ZB_TITRE("Habitué"), ZB_TITRE("Joueur"),
    ZB_TITRE("Passionné"),  ZB_TITRE("Professionnel"), ZB_TITRE("Expert"),  ZB_TITRE("As"),
    ZB_TITRE("Elite"),      ZB_TITRE("Divinité")};

constexpr std::array<const char*, NombreEtapes> RangsAnnonces{
    ZB_TITRE("Promeneur"), ZB_TITRE("Marcheur"), ZB_TITRE("Randonneur"),  ZB_TITRE("Sprinteur"),
    ZB_TITRE("Relayeur"),  ZB_TITRE("Champion"), ZB_TITRE("Olympien"),    ZB_TITRE("Marathonien"),
    ZB_TITRE("Titan"),     ZB_TITRE("Légende")};

constexpr std::array<const char*, 13> Annonces{
    ZB_TITRE("du Stöck"),          ZB_TITRE("des 3 Cartes"),      ZB_TITRE("des 4 Cartes"),
    ZB_TITRE("des 5 Cartes"),      ZB_TITRE("du 150 les Nels"),   ZB_TITRE("du 200 les Bours"),
    ZB_TITRE("du 100 les 10"),     ZB_TITRE("du Carré de Dames"), ZB_TITRE("du Carré des Rois"),
    ZB_TITRE("du Carré des As"),   ZB_TITRE("du Carré de Six"),   ZB_TITRE("du Carré de Sept"),
    ZB_TITRE("du Carré de Huit")};

struct Jeu {
    int groupe;
    const char* suffixe;
};

constexpr std::array<Jeu, 17> Jeux{{{0, ZB_TITRE(" du Jass Romand")},
                                    {10, ZB_TITRE(" du Pique Double")},
                                    {20, ZB_TITRE(" du Jass Suisse-Allemand")},
                                    {30, ZB_TITRE(" du Zig-Zag")},
                                    {40, ZB_TITRE(" du Jass En Ligne")},
                                    {200, ZB_TITRE(" de Jeu Personalisé")},
                                    {210, ZB_TITRE(" de la Belote Classique")},
                                    {220, ZB_TITRE(" de la Belote Classique En Ligne")},
                                    {230, ZB_TITRE(" de la Belote Contrée")},
                                    {240, ZB_TITRE(" de la Belote Coinchée")},
                                    {250, ZB_TITRE(" de la Belote Vache")},
                                    {290, ZB_TITRE(" de la Belote Vache En Ligne")},
                                    {300, ZB_TITRE(" de la Belote Contrée En Ligne")},
                                    {310, ZB_TITRE(" de la Belote Coinchée En Ligne")},
                                    {320, ZB_TITRE(" des tournois de Jass courts")},
                                    {330, ZB_TITRE(" des tournois de Jass longs")},
                                    {340, ZB_TITRE(" des tournois de Belote Vache")}}};

constexpr std::array<const char*, NombreEtapes> Matches{
    ZB_TITRE("Initié au Match"),   ZB_TITRE("Observateur de Matches"),    ZB_TITRE("Routinier des Matches"),
    ZB_TITRE("Assidu des Matches"), ZB_TITRE("Supermatcheur"),            ZB_TITRE("Professionnel des Matches"),
    ZB_TITRE("Mégamatcheur"),      ZB_TITRE("As des Matches"),            ZB_TITRE("Ultramatcheur"),
    ZB_TITRE("Divinité des Matches")};

constexpr std::array<const char*, NombreEtapes> Victoires{
    ZB_TITRE("Initié à la Victoire"), ZB_TITRE("Observateur de Victoires"), ZB_TITRE("Routinier des Victoires"),
    ZB_TITRE("Assidu des Victoires"), ZB_TITRE("Supervictorieux"),          ZB_TITRE("Professionnel des Victoires"),
    ZB_TITRE("Mégavictorieux"),       ZB_TITRE("As des Victoires"),         ZB_TITRE("Victoirinox"),
    ZB_TITRE("Divinité des Victoires")};

constexpr const char* FormatNiveau = ZB_TITRE("%1 Niv. %2");
constexpr const char* FormatJeu = ZB_TITRE("%1%2");
constexpr const char* FormatAnnonce = ZB_TITRE("%1 %2");

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
    const QString niveau = tr(FormatNiveau);
    for (int k = 0; k < n; ++k) {
        const int cle = groupe * CleParGroupe + k;
        t.insert(cle, {niveau.arg(nom).arg(k + 1), de + k * pas, qMin(de + (k + 1) * pas, a), cle});
    }
}

void ajouteEtape(int groupe, const QString& nom, int etape)
{
    ajouteGroupe(groupe, nom, Seuils[size_t(etape)], Seuils[size_t(etape) + 1]);
}

// The last level of matches and of victories has no end.
void ajouteSansFin(int groupe, const char* nom)
{
    const int derniere = NombreEtapes - 1;
    table().insert(groupe * CleParGroupe, {tr(nom), Seuils[size_t(derniere)], -1, groupe * CleParGroupe});
}

void construit()
{
    const QString formatJeu = tr(FormatJeu);
    for (const Jeu& jeu : Jeux)
        for (int i = 0; i < NombreEtapes; ++i)
            ajouteEtape(jeu.groupe + i, formatJeu.arg(tr(Rangs[size_t(i)]), tr(jeu.suffixe)), i);
    const int derniere = NombreEtapes - 1;
    for (int i = 0; i < derniere; ++i)
        ajouteEtape(GroupeMatches + i, tr(Matches[size_t(i)]), i);
    ajouteSansFin(GroupeMatches + derniere, Matches[size_t(derniere)]);
    for (int i = 0; i < derniere; ++i)
        ajouteEtape(GroupeVictoires + i, tr(Victoires[size_t(i)]), i);
    ajouteSansFin(GroupeVictoires + derniere, Victoires[size_t(derniere)]);
    const QString formatAnnonce = tr(FormatAnnonce);
    for (int j = 0; j < int(Annonces.size()); ++j)
        for (int i = 0; i < NombreEtapes; ++i)
            ajouteEtape(GroupeAnnonces + NombreEtapes * j + i,
                        formatAnnonce.arg(tr(RangsAnnonces[size_t(i)]), tr(Annonces[size_t(j)])), i);
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
