#include "ZB_AnalyseJoueurGraphProb.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

ZB_AnalyseJoueurGraphProb::ZB_AnalyseJoueurGraphProb(QWidget* parent)
    : GM_WidgetAuto(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    resize(45, 250);
}

ZB_AnalyseJoueurGraphProb::~ZB_AnalyseJoueurGraphProb() = default;

bool ZB_AnalyseJoueurGraphProb::setProbabilite(int table, float probabilite)
{
    // A NaN never compares equal, so it would repaint on every call.
    if (table < 0 || table >= NOMBRE_TABLES || std::isnan(probabilite) || probabilites_[table] == probabilite)
        return false;
    probabilites_[table] = probabilite;
    update();
    return true;
}

float ZB_AnalyseJoueurGraphProb::getProbabilite(int table) const
{
    return (table >= 0 && table < NOMBRE_TABLES) ? probabilites_[table] : 0.0f;
}

QColor ZB_AnalyseJoueurGraphProb::couleurTable(int table)
{
    switch (table) {
    case 0: return QColor(Qt::gray);
    case 1: return QColor(Qt::darkGray);
    case 2: return QColor(Qt::green);
    default: return QColor();
    }
}

int ZB_AnalyseJoueurGraphProb::hauteurBarre(float probabilite, int hauteur)
{
    // NaN fails both comparisons of std::clamp's bounds, so test it first.
    const double p = std::isnan(probabilite) ? 0.0 : std::clamp(double(probabilite), 0.0, 1.0);
    const int utile = hauteur - 2;
    return utile - static_cast<int>(std::lround((1.0 - p) * utile)) + 1;
}

void ZB_AnalyseJoueurGraphProb::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    const int tiers = width() / NOMBRE_TABLES;
    const int largeur = tiers - 1;
    if (largeur <= 0 || height() < 2)
        return;
    for (int table = 0; table < NOMBRE_TABLES; ++table)
        painter.fillRect(QRect(table * tiers, 1, largeur, hauteurBarre(probabilites_[table], height())),
                         couleurTable(table));
}
