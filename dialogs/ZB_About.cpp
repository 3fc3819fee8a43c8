#include "ZB_About.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

struct Credit
{
    const char* nom;
    const char* usage;
    const char* licence;
    const char* lien;
};

// What the program embeds or links; the assets list of the resources folder
// is the reference for the fonts.
constexpr Credit CREDITS[] = {
    {"Qt 6", QT_TRANSLATE_NOOP("ZB_About", "interface, réseau, graphisme"), "GNU LGPL v3", "https://www.gnu.org/licenses/lgpl-3.0.html"},
    {"QuaZip", QT_TRANSLATE_NOOP("ZB_About", "rapports de bug (zip)"), QT_TRANSLATE_NOOP("ZB_About", "GNU LGPL v2.1 avec exception de liaison statique"),
     "https://www.gnu.org/licenses/old-licenses/lgpl-2.1.html"},
    {"zlib", QT_TRANSLATE_NOOP("ZB_About", "compression"), QT_TRANSLATE_NOOP("ZB_About", "licence zlib"), "https://zlib.net/zlib_license.html"},
    {"OpenSSL", QT_TRANSLATE_NOOP("ZB_About", "connexions sécurisées (par Qt)"), "Apache License 2.0", "https://www.openssl.org/source/license.html"},
    {"DejaVu Sans, DejaVu Serif", QT_TRANSLATE_NOOP("ZB_About", "polices"), QT_TRANSLATE_NOOP("ZB_About", "licence Bitstream Vera / DejaVu (libre)"),
     "https://dejavu-fonts.github.io/License.html"},
    {"Comic Neue", QT_TRANSLATE_NOOP("ZB_About", "police de la table"), "SIL Open Font License 1.1", "https://openfontlicense.org"},
};

} // namespace

ZB_About::ZB_About(QWidget* parent)
    : GM_WidgetAuto(parent)
    , titre_(new QLabel(this))
    , version_(new QLabel(this))
    , licences_(new QTextBrowser(this))
    , boutons_(new QDialogButtonBox(QDialogButtonBox::Close, this))
{
    setObjectName(QStringLiteral("ZB_About"));
    setAutoFillBackground(true);
    auto* disposition = new QVBoxLayout(this);
    titre_->setObjectName(QStringLiteral("labelTitle"));
    titre_->setAlignment(Qt::AlignCenter);
    disposition->addWidget(titre_);
    version_->setObjectName(QStringLiteral("labelVersion"));
    version_->setAlignment(Qt::AlignCenter);
    disposition->addWidget(version_);
    licences_->setObjectName(QStringLiteral("textBrowserLicences"));
    licences_->setOpenExternalLinks(true);
    disposition->addWidget(licences_, 1);
    boutons_->setObjectName(QStringLiteral("buttonBox"));
    disposition->addWidget(boutons_);
    connect(boutons_, &QDialogButtonBox::rejected, this, [this] {
        hide();
        emit signalClosed();
    });
    retranslateUi();
}

ZB_About::~ZB_About() = default;

QString ZB_About::texteVersion()
{
    QString version = QCoreApplication::applicationVersion();
    if (version.isEmpty())
        version = tr("inconnue");
    return tr("Version %1 (Qt %2)").arg(version, QLatin1String(qVersion()));
}

QString ZB_About::texteLicences()
{
    QString html = QStringLiteral("<p>") + tr("Ce programme utilise:") + QStringLiteral("</p><ul>");
    for (const Credit& c : CREDITS)
        html += QStringLiteral("<li><b>%1</b> (%2): <a href=\"%4\">%3</a></li>")
                    .arg(QString::fromUtf8(c.nom), tr(c.usage), tr(c.licence), QLatin1String(c.lien));
    html += QStringLiteral("</ul><p>")
          + tr("Les cartes, images et sons sont créés pour ce programme.") + QStringLiteral("</p>");
    return html;
}

void ZB_About::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    GM_WidgetAuto::changeEvent(event);
}

void ZB_About::retranslateUi()
{
    setWindowTitle(tr("A propos"));
    titre_->setText(QStringLiteral("<h2>Zubrik</h2>") + tr("Jass et Belote"));
    version_->setText(texteVersion());
    licences_->setHtml(texteLicences());
}
