#include "LectureEcran.h"

#include <QColor>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Proportions of the window where the table puts things.
constexpr double HAUT_DE_LA_MAIN = 0.72;     // the hand lies below
constexpr double CENTRE_DU_TAPIS_Y = 0.49;   // the cloth's middle
constexpr double BORD_OUTILS = 0.10;         // the tool buttons' strips, left and right

int luminance(QRgb p)
{
    return (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
}

int ecart(QRgb p)
{
    const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
    const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
    return hi - lo;
}

// A card face that may be played: white, or tinted light when advised.
bool faceClaire(QRgb p)
{
    const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
    const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
    return lo >= 222 && hi >= 245 && hi - lo <= 40;
}

// A darkened card face: light grey, well below white.
bool faceSombre(QRgb p)
{
    const int lo = std::min({qRed(p), qGreen(p), qBlue(p)});
    const int hi = std::max({qRed(p), qGreen(p), qBlue(p)});
    return hi >= 180 && hi <= 225 && hi - lo <= 16;
}

bool carteVisible(QRgb p)
{
    return faceClaire(p) || faceSombre(p);
}

int distance(QRgb a, QRgb b)
{
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
}

// The white of a bubble's body and of the table's light boxes.
bool estBlanc(QRgb c) { return qRed(c) >= 225 && qGreen(c) >= 225 && qBlue(c) >= 225; }

} // namespace

LectureEcran::Main LectureEcran::main(const QImage& image)
{
    Main m;
    const int w = image.width();
    const int h = image.height();
    if (w < 100 || h < 100)
        return m;
    const int y0 = int(h * HAUT_DE_LA_MAIN);
    const int bande = h - y0;
    const int seuil = std::max(4, bande / 12);
    std::vector<int> claires(size_t(w), 0);
    std::vector<int> sombres(size_t(w), 0);
    for (int y = y0; y < h; ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (faceClaire(ligne[x]))
                ++claires[size_t(x)];
            else if (faceSombre(ligne[x]))
                ++sombres[size_t(x)];
        }
    }
    // The top of the hand: the first row, from a little above the band, in
    // which a twentieth of the columns show a card face.
    for (int y = int(h * 0.55); y < h && m.haut < 0; ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int n = 0;
        for (int x = int(w * BORD_OUTILS); x < int(w * (1 - BORD_OUTILS)); ++x)
            n += carteVisible(ligne[x]) ? 1 : 0;
        if (n >= w / 20 && y >= int(h * 0.70))
            m.haut = y;
    }
    for (int x = 0; x < w; ++x) {
        m.colonnesSombres += sombres[size_t(x)] >= seuil ? 1 : 0;
        if (claires[size_t(x)] + sombres[size_t(x)] >= seuil) {
            m.gauche = m.gauche < 0 ? x : m.gauche;
            m.droite = x;
        }
    }
    const int largeurMin = std::max(6, w / 120);
    int debut = -1;
    for (int x = 0; x <= w; ++x) {
        const bool claire = x < w && claires[size_t(x)] >= seuil;
        if (claire && debut < 0)
            debut = x;
        if (!claire && debut >= 0) {
            if (x - debut >= largeurMin) {
                const int milieu = (debut + x) / 2;
                // The middle of the bright part of that column.
                QList<int> ys;
                for (int y = y0; y < h; ++y)
                    if (faceClaire(image.pixel(milieu, y)))
                        ys.append(y);
                if (!ys.isEmpty())
                    m.jouables.append(QPoint(milieu, ys.at(ys.size() / 2)));
            }
            debut = -1;
        }
    }
    return m;
}

LectureEcran::Tapis LectureEcran::tapis(const QImage& image, const QRect& limite)
{
    Tapis t;
    const int w = image.width();
    const int h = image.height();
    if (w < 100 || h < 100)
        return t;
    // The cloth's colour: the commonest of a ring of points around the middle
    // (the trump sign sits on the middle itself).
    const QPoint milieu(w / 2, int(h * CENTRE_DU_TAPIS_Y));
    const int rayon = std::max(6, w / 60);
    QList<QRgb> echantillons;
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        echantillons.append(image.pixel(milieu.x() + int(rayon * std::cos(a)), milieu.y() + int(rayon * std::sin(a))));
    }
    QRgb couleur = echantillons.first();
    int meilleur = -1;
    for (QRgb c : std::as_const(echantillons)) {
        int n = 0;
        for (QRgb d : std::as_const(echantillons))
            n += distance(c, d) <= 12 ? 1 : 0;
        if (n > meilleur) {
            meilleur = n;
            couleur = c;
        }
    }
    QPoint graine = milieu;
    for (int i = 0; i < 12; ++i)
        if (distance(echantillons.at(i), couleur) <= 12) {
            const double a = i * M_PI / 6;
            graine = QPoint(milieu.x() + int(rayon * std::cos(a)), milieu.y() + int(rayon * std::sin(a)));
            break;
        }

    // The cloth: what joins the seed through small steps of colour, within
    // the limit when there is one.
    const QRect bornes = limite.isEmpty() ? image.rect() : limite.intersected(image.rect());
    if (!bornes.contains(graine))
        return t;
    std::vector<quint8> drap(size_t(w) * size_t(h), 0);
    std::vector<int> pile{graine.y() * w + graine.x()};
    drap[size_t(pile.back())] = 1;
    int x0 = w;
    int x1 = 0;
    int y0 = h;
    int y1 = 0;
    while (!pile.empty()) {
        const int i = pile.back();
        pile.pop_back();
        const int x = i % w;
        const int y = i / w;
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
        const QRgb p = image.pixel(x, y);
        const int voisins[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& v : voisins) {
            const int nx = x + v[0];
            const int ny = y + v[1];
            if (!bornes.contains(nx, ny))
                continue;
            const size_t j = size_t(ny) * size_t(w) + size_t(nx);
            if (drap[j] != 0)
                continue;
            const QRgb q = image.pixel(nx, ny);
            if (distance(q, p) <= 16 && distance(q, couleur) <= 70) {
                drap[j] = 1;
                pile.push_back(int(j));
            }
        }
    }
    t.zone = QRect(QPoint(x0, y0), QPoint(x1, y1));
    // A cloth is a large part of the table, never the whole window.
    if (t.zone.width() < w / 8 || t.zone.height() < h / 8 || t.zone.width() > w * 0.9)
        return t;
    t.trouve = true;
    t.centre = t.zone.center();
    t.couleur = couleur;

    // The cards: what is not cloth inside its bounds and does not reach them.
    std::vector<quint8> vu(drap);
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const size_t depart = size_t(y) * size_t(w) + size_t(x);
            if (vu[depart] != 0)
                continue;
            vu[depart] = 1;
            std::vector<int> composante{int(depart)};
            size_t lu = 0;
            bool bord = false;
            int clairs = 0;
            QRect r(x, y, 1, 1);
            while (lu < composante.size()) {
                const int i = composante[lu++];
                const int cx = i % w;
                const int cy = i / w;
                r = r.united(QRect(cx, cy, 1, 1));
                if (carteVisible(image.pixel(cx, cy)))
                    ++clairs;
                const int voisins[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
                for (const auto& v : voisins) {
                    const int nx = cx + v[0];
                    const int ny = cy + v[1];
                    if (nx < x0 || ny < y0 || nx > x1 || ny > y1) {
                        bord = true;
                        continue;
                    }
                    const size_t j = size_t(ny) * size_t(w) + size_t(nx);
                    if (vu[j] != 0)
                        continue;
                    vu[j] = 1;
                    composante.push_back(int(j));
                }
            }
            if (bord)
                continue;
            const QRect milieu = t.zone.adjusted(t.zone.width() / 8, t.zone.height() / 8, -t.zone.width() / 8,
                                                 -t.zone.height() / 8);
            const QRect signe(t.centre - QPoint(t.zone.width() / 20, t.zone.height() / 20),
                              QSize(t.zone.width() / 10, t.zone.height() / 10));
            const double aire = double(r.width()) * r.height();
            const double rapport = double(r.height()) / std::max(1, r.width());
            // A card stands a fifth of the cloth's height or more; the
            // trump sign's light tile on a plate stands about a tenth.
            if (r.height() >= t.zone.height() / 7 && r.width() >= t.zone.width() / 16
                && double(composante.size()) >= 0.6 * aire && clairs >= 0.3 * aire && rapport >= 1.1 && rapport <= 2.2)
                t.cartes.append(r);
            else if (milieu.intersects(r) && !signe.contains(r)
                     && double(composante.size()) >= double(t.zone.width()) * t.zone.height() / 2000)
                t.encre += int(composante.size()); // a letter at least, not the cloth's own pattern
        }
    }
    return t;
}

int LectureEcran::signeEnLigne(const QImage& image, const Tapis& tapis)
{
    if (!tapis.trouve)
        return 0;
    // The globe spans about a tenth of the cloth's width; the trick's cards
    // lie further out.
    const int demi = tapis.zone.width() / 8;
    const QRect zone = QRect(tapis.centre - QPoint(demi, demi), QSize(2 * demi, 2 * demi)).intersected(image.rect());
    const int fond[3] = {qRed(tapis.couleur), qGreen(tapis.couleur), qBlue(tapis.couleur)};
    int n = 0;
    for (int y = zone.top(); y <= zone.bottom(); ++y) {
        for (int x = zone.left(); x <= zone.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int c[3] = {qRed(p), qGreen(p), qBlue(p)};
            // White laid over the cloth moves each channel the same share of
            // the way to 255.
            double lo = 1.0;
            double hi = 0.0;
            for (int i = 0; i < 3; ++i) {
                const double part = fond[i] >= 250 ? 1.0 : double(c[i] - fond[i]) / (255 - fond[i]);
                lo = std::min(lo, part);
                hi = std::max(hi, part);
            }
            n += lo >= 0.2 && hi <= 0.85 && hi - lo <= 0.15 ? 1 : 0;
        }
    }
    return n;
}

int LectureEcran::siegeDe(const Tapis& tapis, const QRect& carte)
{
    const double dx = double(carte.center().x() - tapis.centre.x()) / std::max(1, tapis.zone.width());
    const double dy = double(carte.center().y() - tapis.centre.y()) / std::max(1, tapis.zone.height());
    if (std::abs(dy) >= std::abs(dx))
        return dy > 0 ? 0 : 2;
    return dx > 0 ? 1 : 3;
}

QList<QRect> LectureEcran::boutons(const QImage& image, const QRect& zone, double largeurMax)
{
    QList<QRect> trouves;
    const int w = image.width();
    const int h = image.height();
    const QRect z = (zone.isEmpty() ? image.rect() : zone).intersected(image.rect().adjusted(0, 1, 0, -1));
    const int longueurMin = std::max(20, w / 40);
    // Rows where an outline runs straight: dark, with its lighter inner
    // edge below (a top) or above (a bottom).
    struct Trait
    {
        int y, x0, x1;
    };
    QList<Trait> hauts;
    QList<Trait> bas;
    for (int y = z.top(); y <= z.bottom(); ++y) {
        if (y < 5 || y + 5 >= h)
            continue;
        const auto ligneA = [&image, y](int d) { return reinterpret_cast<const QRgb*>(image.constScanLine(y + d)); };
        const QRgb* ligne = ligneA(0);
        const QRgb* dessous[] = {ligneA(2), ligneA(3)};
        const QRgb* dessus[] = {ligneA(-2), ligneA(-3), ligneA(-4)};
        const QRgb* dedansDessous = ligneA(4);
        const QRgb* dedansDessus = ligneA(-5);
        int debutHaut = -1;
        int debutBas = -1;
        for (int x = z.left(); x <= z.right() + 1; ++x) {
            const bool dedans = x <= z.right();
            const int l = dedans ? luminance(ligne[x]) : 0;
            // The outline's shading spreads over more rows on a larger
            // window: the lighter inner edge is looked for a few rows in.
            // A button's face is a mid tone; a card's, even darkened, is
            // lighter.
            const bool sombre = dedans && l < 150 && ecart(ligne[x]) < 60;
            const bool haut = sombre && std::max(luminance(dessous[0][x]), luminance(dessous[1][x])) - l > 45
                           && luminance(dedansDessous[x]) <= 200;
            const bool basX = sombre
                           && std::max({luminance(dessus[0][x]), luminance(dessus[1][x]), luminance(dessus[2][x])}) - l > 45
                           && luminance(dedansDessus[x]) <= 200;
            if (haut && debutHaut < 0)
                debutHaut = x;
            if (!haut && debutHaut >= 0) {
                if (x - debutHaut >= longueurMin && x - debutHaut <= w / 2)
                    hauts.append({y, debutHaut, x - 1});
                debutHaut = -1;
            }
            if (basX && debutBas < 0)
                debutBas = x;
            if (!basX && debutBas >= 0) {
                if (x - debutBas >= longueurMin && x - debutBas <= w / 2)
                    bas.append({y, debutBas, x - 1});
                debutBas = -1;
            }
        }
    }
    for (const Trait& t : std::as_const(hauts)) {
        // The nearest bottom below that spans the same columns.
        for (const Trait& b : std::as_const(bas)) {
            const int hauteur = b.y - t.y;
            // A message box's buttons keep their size; the panel's grow with
            // the window.
            if (hauteur < std::max(12, h / 60) || hauteur > h * 2 / 13)
                continue;
            const int commun = std::min(t.x1, b.x1) - std::max(t.x0, b.x0);
            if (commun < 0.6 * (t.x1 - t.x0) || commun < 0.6 * (b.x1 - b.x0))
                continue;
            const QRect r(QPoint(std::min(t.x0, b.x0), t.y), QPoint(std::max(t.x1, b.x1), b.y));
            // Buttons are wider than tall, or nearly square; cards are tall.
            if (r.height() > 1.6 * r.width() || r.width() > w * largeurMax)
                continue;
            const double cx = double(r.center().x()) / w;
            if (cx < BORD_OUTILS || cx > 1 - BORD_OUTILS)
                break;
            bool double_ = false;
            for (const QRect& deja : std::as_const(trouves))
                double_ = double_ || deja.intersects(r);
            if (!double_)
                trouves.append(r);
            break;
        }
    }
    // A box's default button may be drawn without its dark top edge: a
    // bottom edge of a button's width found alone is followed up its plain
    // left part to where the lighter box begins.
    for (const Trait& b : std::as_const(bas)) {
        // A box's buttons keep their size (some 70 pixels) at any window size.
        const int largeur = b.x1 - b.x0;
        if (largeur < 50 || largeur > w * 3 / 10)
            continue;
        const int x = b.x0 + largeur / 6;
        const int cx = (b.x0 + b.x1) / 2;
        if (double(cx) / w < BORD_OUTILS || double(cx) / w > 1 - BORD_OUTILS)
            continue;
        bool deja = false;
        for (const QRect& r : std::as_const(trouves))
            deja = deja || (r.left() <= cx && cx <= r.right() && r.top() <= b.y && b.y <= r.bottom() + 2);
        if (deja || b.y - 3 < z.top())
            continue;
        const auto monte = [&](int depuis) {
            const int face = luminance(image.pixel(x, depuis));
            int y = depuis;
            while (y > z.top() && b.y - y <= h * 2 / 13 && luminance(image.pixel(x, y - 1)) < face + 40)
                --y;
            return y;
        };
        int y = monte(b.y - 3);
        // A focus ring inside the outline, coloured and darker than the
        // face: what was climbed is the ring, and the face lies above it
        // (the status line at the window's top, pink letters on a dark
        // backing, is no button).
        if (b.y - y < std::max(12, h / 60) && ecart(image.pixel(x, b.y - 3)) >= 60 && b.y > h / 8 && y - 2 > z.top())
            y = monte(y - 2);
        const int hauteur = b.y - y;
        if (y <= z.top() + 2 || hauteur < std::max(12, h / 60) || hauteur > h * 2 / 13 || 2 * hauteur > largeur
            || b.x0 < 10 || b.x1 + 10 >= w)
            continue;
        // Above it the box is plain; on it, a word in dark letters.
        int clair = 255;
        int fonce = 0;
        for (int xx = b.x0 - 10; xx <= b.x1 + 10; ++xx) {
            const int l = luminance(image.pixel(xx, y - 2));
            clair = std::min(clair, l);
            fonce = std::max(fonce, l);
        }
        int lettres = 0;
        for (int yy = y + 3; yy < b.y - 2; ++yy)
            for (int xx = b.x0 + largeur / 4; xx < b.x1 - largeur / 4; ++xx)
                lettres += luminance(image.pixel(xx, yy)) < 80 ? 1 : 0;
        if (fonce - clair > 12 || lettres < 8)
            continue;
        trouves.append(QRect(QPoint(b.x0, y), QPoint(b.x1, b.y)));
    }
    std::sort(trouves.begin(), trouves.end(), [](const QRect& a, const QRect& b) {
        return std::abs(a.top() - b.top()) > 4 ? a.top() < b.top() : a.left() < b.left();
    });
    return trouves;
}

bool LectureEcran::aideAllumee(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    int orange = 0;
    for (int y = h / 5; y < h / 2; ++y) {
        const auto* ligne = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = w * 17 / 20; x < w; ++x) {
            const QRgb p = ligne[x];
            orange += qRed(p) >= 200 && qGreen(p) >= 120 && qGreen(p) <= 200 && qBlue(p) <= 90 ? 1 : 0;
        }
    }
    return orange >= 100;
}

bool LectureEcran::identiques(const QImage& a, const QImage& b, const QRect& zone)
{
    if (a.size() != b.size() || a.isNull())
        return false;
    const QRect z = zone.isEmpty() ? a.rect() : zone.intersected(a.rect());
    for (int y = z.top(); y <= z.bottom(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = z.left(); x <= z.right(); ++x)
            if (distance(la[x], lb[x]) > 8)
                return false;
    }
    return true;
}

QRect LectureEcran::ligneDeStatut(const QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    return QRect(w / 4, h * 45 / 1000, w / 2, h * 35 / 1000);
}

int LectureEcran::blancPlein(const QImage& image, const QRect& zone)
{
    constexpr int D = 4;
    const QImage im = image.convertToFormat(QImage::Format_RGB32);
    auto blanc = [&im](int x, int y) { return estBlanc(im.pixel(x, y)); };
    const QRect z = zone.intersected(im.rect().adjusted(D, D, -D, -D));
    int n = 0;
    for (int y = z.top(); y <= z.bottom(); ++y)
        for (int x = z.left(); x <= z.right(); ++x)
            if (blanc(x, y) && blanc(x - D, y - D) && blanc(x + D, y - D) && blanc(x - D, y + D)
                && blanc(x + D, y + D) && blanc(x - D, y) && blanc(x + D, y) && blanc(x, y - D) && blanc(x, y + D))
                ++n;
    return n;
}

int LectureEcran::changes(const QImage& a, const QImage& b, const QRect& zone, bool dansUneBulle)
{
    const QRect z = zone.intersected(a.rect()).intersected(b.rect());
    auto blanc = [](const QImage& image, int x, int y) {
        return image.rect().contains(x, y) && estBlanc(image.pixel(x, y));
    };
    auto entoure = [&blanc](const QImage& image, int x, int y) {
        constexpr int D = 7;
        return int(blanc(image, x - D, y)) + int(blanc(image, x + D, y)) + int(blanc(image, x, y - D))
                   + int(blanc(image, x, y + D))
               >= 3;
    };
    int n = 0;
    for (int y = z.top(); y <= z.bottom(); ++y)
        for (int x = z.left(); x <= z.right(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            const int ecart = std::abs(p.red() - q.red()) + std::abs(p.green() - q.green())
                              + std::abs(p.blue() - q.blue());
            if (ecart > 120 && (!dansUneBulle || entoure(a, x, y) || entoure(b, x, y)))
                ++n;
        }
    return n;
}
