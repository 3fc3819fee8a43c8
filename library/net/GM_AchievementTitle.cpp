#include "GM_AchievementTitle.h"

#include <QCoreApplication>
#include <QMap>

#include <array>

// The names are marked for the translation tools and translated, in the
// context "QObject", each time the table is built. Marked with the tools'
// own macro: lupdate expands no macro of ours, and a wrapped name never
// reached the catalogues.

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
    QT_TRANSLATE_NOOP("QObject", "Découvreur"), QT_TRANSLATE_NOOP("QObject", "Intéressé"),     QT_TRANSLATE_NOOP("QObject", "Habitué"), QT_TRANSLATE_NOOP("QObject", "Joueur"),
    QT_TRANSLATE_NOOP("QObject", "Passionné"),  QT_TRANSLATE_NOOP("QObject", "Professionnel"), QT_TRANSLATE_NOOP("QObject", "Expert"),  QT_TRANSLATE_NOOP("QObject", "As"),
    QT_TRANSLATE_NOOP("QObject", "Elite"),      QT_TRANSLATE_NOOP("QObject", "Divinité")};

constexpr std::array<const char*, NombreEtapes> RangsAnnonces{
    QT_TRANSLATE_NOOP("QObject", "Promeneur"), QT_TRANSLATE_NOOP("QObject", "Marcheur"), QT_TRANSLATE_NOOP("QObject", "Randonneur"),  QT_TRANSLATE_NOOP("QObject", "Sprinteur"),
    QT_TRANSLATE_NOOP("QObject", "Relayeur"),  QT_TRANSLATE_NOOP("QObject", "Champion"), QT_TRANSLATE_NOOP("QObject", "Olympien"),    QT_TRANSLATE_NOOP("QObject", "Marathonien"),
    QT_TRANSLATE_NOOP("QObject", "Titan"),     QT_TRANSLATE_NOOP("QObject", "Légende")};

constexpr std::array<const char*, 13> Annonces{
    QT_TRANSLATE_NOOP("QObject", "du Stöck"),          QT_TRANSLATE_NOOP("QObject", "des 3 Cartes"),      QT_TRANSLATE_NOOP("QObject", "des 4 Cartes"),
    QT_TRANSLATE_NOOP("QObject", "des 5 Cartes"),      QT_TRANSLATE_NOOP("QObject", "du 150 les Nels"),   QT_TRANSLATE_NOOP("QObject", "du 200 les Bours"),
    QT_TRANSLATE_NOOP("QObject", "du 100 les 10"),     QT_TRANSLATE_NOOP("QObject", "du Carré de Dames"), QT_TRANSLATE_NOOP("QObject", "du Carré des Rois"),
    QT_TRANSLATE_NOOP("QObject", "du Carré des As"),   QT_TRANSLATE_NOOP("QObject", "du Carré de Six"),   QT_TRANSLATE_NOOP("QObject", "du Carré de Sept"),
    QT_TRANSLATE_NOOP("QObject", "du Carré de Huit")};

struct Jeu {
    int groupe;
    const char* suffixe;
};

constexpr std::array<Jeu, 17> Jeux{{{0, QT_TRANSLATE_NOOP("QObject", " du Jass Romand")},
                                    {10, QT_TRANSLATE_NOOP("QObject", " du Pique Double")},
                                    {20, QT_TRANSLATE_NOOP("QObject", " du Jass Suisse-Allemand")},
                                    {30, QT_TRANSLATE_NOOP("QObject", " du Zig-Zag")},
                                    {40, QT_TRANSLATE_NOOP("QObject", " du Jass En Ligne")},
                                    {200, QT_TRANSLATE_NOOP("QObject", " de Jeu Personalisé")},
                                    {210, QT_TRANSLATE_NOOP("QObject", " de la Belote Classique")},
                                    {220, QT_TRANSLATE_NOOP("QObject", " de la Belote Classique En Ligne")},
                                    {230, QT_TRANSLATE_NOOP("QObject", " de la Belote Contrée")},
                                    {240, QT_TRANSLATE_NOOP("QObject", " de la Belote Coinchée")},
                                    {250, QT_TRANSLATE_NOOP("QObject", " de la Belote Vache")},
                                    {290, QT_TRANSLATE_NOOP("QObject", " de la Belote Vache En Ligne")},
                                    {300, QT_TRANSLATE_NOOP("QObject", " de la Belote Contrée En Ligne")},
                                    {310, QT_TRANSLATE_NOOP("QObject", " de la Belote Coinchée En Ligne")},
                                    {320, QT_TRANSLATE_NOOP("QObject", " des tournois de Jass courts")},
                                    {330, QT_TRANSLATE_NOOP("QObject", " des tournois de Jass longs")},
                                    {340, QT_TRANSLATE_NOOP("QObject", " des tournois de Belote Vache")}}};

constexpr std::array<const char*, NombreEtapes> Matches{
    QT_TRANSLATE_NOOP("QObject", "Initié au Match"),   QT_TRANSLATE_NOOP("QObject", "Observateur de Matches"),    QT_TRANSLATE_NOOP("QObject", "Routinier des Matches"),
    QT_TRANSLATE_NOOP("QObject", "Assidu des Matches"), QT_TRANSLATE_NOOP("QObject", "Supermatcheur"),            QT_TRANSLATE_NOOP("QObject", "Professionnel des Matches"),
    QT_TRANSLATE_NOOP("QObject", "Mégamatcheur"),      QT_TRANSLATE_NOOP("QObject", "As des Matches"),            QT_TRANSLATE_NOOP("QObject", "Ultramatcheur"),
    QT_TRANSLATE_NOOP("QObject", "Divinité des Matches")};

constexpr std::array<const char*, NombreEtapes> Victoires{
    QT_TRANSLATE_NOOP("QObject", "Initié à la Victoire"), QT_TRANSLATE_NOOP("QObject", "Observateur de Victoires"), QT_TRANSLATE_NOOP("QObject", "Routinier des Victoires"),
    QT_TRANSLATE_NOOP("QObject", "Assidu des Victoires"), QT_TRANSLATE_NOOP("QObject", "Supervictorieux"),          QT_TRANSLATE_NOOP("QObject", "Professionnel des Victoires"),
    QT_TRANSLATE_NOOP("QObject", "Mégavictorieux"),       QT_TRANSLATE_NOOP("QObject", "As des Victoires"),         QT_TRANSLATE_NOOP("QObject", "Victoirinox"),
    QT_TRANSLATE_NOOP("QObject", "Divinité des Victoires")};

constexpr const char* FormatNiveau = QT_TRANSLATE_NOOP("QObject", "%1 Niv. %2");
constexpr const char* FormatJeu = QT_TRANSLATE_NOOP("QObject", "%1%2");
constexpr const char* FormatAnnonce = QT_TRANSLATE_NOOP("QObject", "%1 %2");

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
